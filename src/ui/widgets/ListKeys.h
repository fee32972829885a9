#pragma once

#include <QObject>

class QAbstractItemView;

// What a list needs to be used from the keys alone. Entered by Tab or Shift+Tab it selects the
// line that has the focus (the first when none has), so the line a screen reader announces is
// the line that Enter and the window's buttons act on. Enter on a selected line asks for it to be
// opened, as a double-click does; without a selected line Enter does nothing.
class ListKeys final : public QObject {
    Q_OBJECT
public:
    explicit ListKeys(QAbstractItemView* list);

signals:
    void enterOnLine();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractItemView* m_list;
};
