#pragma once

#include "lists/CardSearch.h"

#include <QAbstractListModel>
#include <QListView>

// The lines of a list window for a list view: the view asks only for the rows it draws, so a
// list of a hundred thousand cards is shown at once.
class ResultListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setCards(FoundCards cards);
    const FoundCards& cards() const { return m_cards; }
    void setItemSize(QSize size);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    FoundCards m_cards;
    QSize m_itemSize;
};

// The list of a list window (lstRecords): one fixed-width line per card or row in Courier New,
// single selection, both scroll bars shown, items as wide as the longest line (and at least
// `itemWidth`) so that a whole line scrolls into view and no further.
class ResultList final : public QListView {
    Q_OBJECT
public:
    ResultList(const QString& objectName, int itemWidth, QWidget* parent);

    // Lines that stand for cards, each with its card number.
    void setCards(FoundCards cards);
    // Lines that stand for nothing but themselves.
    void setLines(const QStringList& lines) { setCards({lines, {}}); }
    void clearCards() { setCards({}); }
    const QStringList& lines() const { return m_model->cards().lines; }
    int count() const { return int(lines().size()); }
    int numberAt(int row) const { return m_model->cards().numbers.at(row); }

    // The selected row, or -1.
    int selectedRow() const;
    // Selects `row` and scrolls it into view; -1 clears the selection.
    void selectRow(int row);

signals:
    // A double-click anywhere on the list, a line or the space below the lines; or Enter while a
    // line is selected, which a keyboard user has instead of the double-click.
    void dblClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ResultListModel* m_model;
    int m_itemWidth;
    // The second click of a double-click that opened the window lands on the list without a
    // first click of its own: the list answers only double-clicks that began on it.
    bool m_clickedHere = false;
};
