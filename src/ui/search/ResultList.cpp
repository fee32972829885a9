#include "ResultList.h"

#include "lists/ColumnSort.h"
#include "widgets/Fonts.h"
#include "widgets/ListKeys.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolTip>

#include <memory>
#include <numeric>
#include <utility>

namespace {
// The mark of the selected line: white on royal blue, 4.8:1 against the list's white, and the
// same whether the window is active or not.
const QColor kSelection(0x41, 0x69, 0xE1);

// Room, in characters, for the last column, which has no width of its own (the year, the date).
constexpr int kLastColumnCharacters = 14;

// A cell too narrow for its text shows the rest of it when pointed at.
class CellDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override
    {
        if (event->type() != QEvent::ToolTip)
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        const QString text = index.data(Qt::DisplayRole).toString();
        QStyleOptionViewItem shown = option;
        initStyleOption(&shown, index);
        const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
        if (shown.fontMetrics.horizontalAdvance(text) + margins > option.rect.width())
            QToolTip::showText(event->globalPos(), text, view, option.rect);
        else
            QToolTip::hideText();
        return true;
    }
};

// The lines of a long list that a list lets go of, freed a slice at a time from the event loop: a
// million separate strings take a fifth of a second to free, and a list lets go of them as a
// double-click sends its card to the card window, which would be shown only after. Each slice
// keeps the program answering within a few milliseconds. (Freed on another thread instead, they
// fill the allocator's shared lists, which this thread would then sort at its next allocation.)
void releaseInSlices(const std::shared_ptr<QStringList>& lines)
{
    constexpr qsizetype kSlice = 20000;
    lines->resize(std::max<qsizetype>(0, lines->size() - kSlice));
    if (!lines->isEmpty())
        QTimer::singleShot(0, qApp, [lines] { releaseInSlices(lines); });
}

void release(QStringList lines)
{
    if (lines.size() < 10000)
        return; // freed at once, in a few milliseconds
    QTimer::singleShot(0, qApp, [held = std::make_shared<QStringList>(std::move(lines))] { releaseInSlices(held); });
}

// Moves the arrow pointer aside for the hourglass while a long list is sorted.
class WaitCursor final {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};
} // namespace

void ResultListModel::setColumns(QList<Column> columns)
{
    beginResetModel();
    m_columns = std::move(columns);
    endResetModel();
}

void ResultListModel::setCards(FoundCards cards)
{
    beginResetModel();
    release(std::exchange(m_cards, std::move(cards)).lines);
    m_folded = FoldedLines(m_cards.lines);
    m_firstPlace.resize(m_cards.lines.size());
    std::iota(m_firstPlace.begin(), m_firstPlace.end(), 0);
    endResetModel();
}

int ResultListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_cards.lines.size());
}

int ResultListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(int(m_columns.size()), 1);
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_cards.lines.size())
        return {};
    const QString& line = m_cards.lines.at(index.row());
    if (m_columns.isEmpty())
        return line;
    return ColumnSort::cell(line, m_columns.at(index.column()).span).toString();
}

QVariant ResultListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns.at(section).heading;
    // The first click on a heading sorts from A to Z, whichever way the last heading sorted.
    if (role == Qt::InitialSortOrderRole)
        return int(Qt::AscendingOrder);
    return {};
}

void ResultListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= m_columns.size())
        return;
    const qsizetype count = m_cards.lines.size();
    QList<int> firstOrder(count);
    for (int row = 0; row < count; ++row)
        firstOrder[m_firstPlace.at(row)] = row;
    const QList<int> rows = ColumnSort::sorted(m_cards.lines, m_columns.at(column).span, order, firstOrder);

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<int> newRow(count);
    FoundCards sorted;
    sorted.lines.reserve(count);
    const bool numbered = m_cards.numbers.size() == count;
    QList<int> firstPlace;
    firstPlace.reserve(count);
    for (int at = 0; at < count; ++at) {
        const int row = rows.at(at);
        newRow[row] = at;
        sorted.lines.append(std::move(m_cards.lines[row]));
        if (numbered)
            sorted.numbers.append(m_cards.numbers.at(row));
        firstPlace.append(m_firstPlace.at(row));
    }
    m_cards = std::move(sorted);
    m_folded = FoldedLines(m_cards.lines);
    m_firstPlace = std::move(firstPlace);
    // The selected line stays selected where it has gone.
    for (const QModelIndex& kept : persistentIndexList())
        changePersistentIndex(kept, index(newRow.at(kept.row()), kept.column()));
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

ResultList::ResultList(const QString& objectName, int itemWidth, QWidget* parent)
    : QTableView(parent), m_model(new ResultListModel(this)), m_itemWidth(itemWidth)
{
    setObjectName(objectName);
    setFont(programFont(QStringLiteral("Courier New"), 12));
    setTextColour(this, Qt::black);
    QPalette palette = this->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, kSelection);
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    setPalette(palette);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the list; the arrows move along it.
    setTabKeyNavigation(false);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTextElideMode(Qt::ElideNone);
    setItemDelegate(new CellDelegate(this));
    setModel(m_model);

    // Every line is as high as every other, so a list of a whole archive needs no measuring.
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).height() + 3);

    QHeaderView* headings = horizontalHeader();
    headings->hide();
    headings->setFont(programFont(QStringLiteral("Verdana"), 12, true));
    headings->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    headings->setHighlightSections(false);
    headings->setSectionsClickable(true);
    headings->setSortIndicatorShown(true);
    headings->setSortIndicator(-1, Qt::AscendingOrder);
    connect(headings, &QHeaderView::sortIndicatorChanged, this, &ResultList::sortBy);

    connect(new ListKeys(this), &ListKeys::enterOnLine, this, &ResultList::dblClick);
}

void ResultList::setColumns(const QStringList& headings, const QList<ResultLine::Span>& spans)
{
    Q_ASSERT(headings.size() == spans.size());
    QList<ResultListModel::Column> columns;
    for (qsizetype i = 0; i < spans.size(); ++i)
        columns.append({headings.at(i), spans.at(i)});
    m_model->setColumns(std::move(columns));
    horizontalHeader()->show();
    horizontalHeader()->setStretchLastSection(true);
    setTextElideMode(Qt::ElideRight);
    fitColumns(spans);
}

void ResultList::fitColumns(const QList<ResultLine::Span>& spans)
{
    // Each column as wide as its share of the characters a line gives it, so that every column
    // shows within the list; a text longer than its column is cut short and shown whole when
    // pointed at. The user may widen a column by dragging the edge of its heading.
    QList<int> characters;
    for (const ResultLine::Span& span : spans)
        characters.append(span.width > 0 ? int(span.width) : kLastColumnCharacters);
    const int total = std::accumulate(characters.cbegin(), characters.cend(), 0);
    const int room = width() - 2 * frameWidth() - verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < characters.size(); ++column)
        setColumnWidth(column, room * characters.at(column) / total);
}

void ResultList::setCards(FoundCards cards)
{
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_model->setCards(std::move(cards));
    if (horizontalHeader()->isHidden()) {
        // The font is fixed-pitch: a line's width follows from its length. The margin is the room
        // the item's drawing leaves on either side of its text.
        qsizetype longest = 0;
        for (const QString& line : lines())
            longest = std::max(longest, line.size());
        const int width = fontMetrics().horizontalAdvance(QString(longest, u'M')) + 12;
        setColumnWidth(0, std::max({width, m_itemWidth, viewport()->width()}));
    }
    horizontalScrollBar()->setValue(0);
}

int ResultList::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.constFirst().row();
}

void ResultList::selectRow(int row)
{
    if (row < 0 || row >= count()) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = m_model->index(row, 0);
    // Current as well as selected: Qt tells a screen reader of a list's current line as of the line
    // with the focus, so a reader hears the line a quick find selects while the focus stays on Trova.
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void ResultList::sortBy(int column, Qt::SortOrder order)
{
    if (column < 0)
        return;
    {
        const WaitCursor wait;
        m_model->sort(column, order);
    }
    if (currentIndex().isValid())
        scrollTo(currentIndex());
}

void ResultList::mouseReleaseEvent(QMouseEvent* event)
{
    m_clickedHere = true;
    QTableView::mouseReleaseEvent(event);
}

void ResultList::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (m_clickedHere && event->button() == Qt::LeftButton)
        emit dblClick();
}
