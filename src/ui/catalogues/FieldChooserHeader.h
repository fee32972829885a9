#pragma once

#include <QHeaderView>
#include <QList>
#include <QStringList>

class QComboBox;

// The column headers of the import window's grid: each shows the column's heading as the file
// names it and, under it, a chooser of the card's field that the column goes to. The first choice
// of every chooser is none; a field chosen for one column is taken from any other that had it.
class FieldChooserHeader final : public QHeaderView {
    Q_OBJECT
public:
    explicit FieldChooserHeader(QWidget* parent);

    // One chooser per column of the model, offering `choices`, each set to its entry of `chosen`
    // (an index into `choices`).
    void setChoosers(const QStringList& choices, const QList<int>& chosen);
    // The index into the choices of each column's chooser.
    QList<int> chosen() const;
    QComboBox* chooser(int column) const { return m_choosers.value(column); }

    QSize sizeHint() const override;

protected:
    void updateGeometries() override;

private:
    void placeChoosers();
    void chooserChanged(int column);

    QList<QComboBox*> m_choosers;
};
