#pragma once

#include "lists/CardSearch.h"
#include "lists/ResultLine.h"

#include <QAbstractTableModel>
#include <QTableView>

// The lines of a list window for a list view: the view asks only for the rows it draws, so a
// list of a hundred thousand cards is shown at once. A line is shown whole in one column, or
// split into the columns it is made of, under headings.
class ResultListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString heading;
        ResultLine::Span span;
    };

    using QAbstractTableModel::QAbstractTableModel;

    void setColumns(QList<Column> columns);
    void setCards(FoundCards cards);
    const FoundCards& cards() const { return m_cards; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // By a column's cells; equal cells stay in the order the lines were first given in.
    void sort(int column, Qt::SortOrder order) override;

private:
    QList<Column> m_columns; // none: the whole line in one column
    FoundCards m_cards;
    QList<int> m_firstPlace; // of each row, its place in the order the lines were given in
};

// The list of a list window (lstRecords), in Courier New, single selection, both scroll bars
// shown. A list of lines that stand for nothing but themselves shows each line whole, as wide as
// the longest line (and at least `itemWidth`), so that a whole line scrolls into view. A list of
// cards shows the columns of its lines side by side within its width, under headings: a click on
// a heading sorts the list by that column, a second click reverses the order, and the quick find
// and the printout follow the order shown.
class ResultList final : public QTableView {
    Q_OBJECT
public:
    ResultList(const QString& objectName, int itemWidth, QWidget* parent);

    // The columns the lines are shown in, each with its heading.
    void setColumns(const QStringList& headings, const QList<ResultLine::Span>& spans);

    // Lines that stand for cards, each with its card number, in their first order.
    void setCards(FoundCards cards);
    // Lines that stand for nothing but themselves.
    void setLines(const QStringList& lines) { setCards({lines, {}}); }
    void clearCards() { setCards({}); }
    // The lines in the order shown.
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
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void sortBy(int column, Qt::SortOrder order);
    void fitColumns(const QList<ResultLine::Span>& spans);

    ResultListModel* m_model;
    int m_itemWidth;
    // The second click of a double-click that opened the window lands on the list without a
    // first click of its own: the list answers only double-clicks that began on it.
    bool m_clickedHere = false;
};
