#include "ResultList.h"

#include "widgets/Fonts.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

void ResultListModel::setCards(FoundCards cards)
{
    beginResetModel();
    m_cards = std::move(cards);
    endResetModel();
}

void ResultListModel::setItemSize(QSize size)
{
    m_itemSize = size;
}

int ResultListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_cards.lines.size());
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_cards.lines.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_cards.lines.at(index.row());
    case Qt::SizeHintRole:
        return m_itemSize;
    default:
        return {};
    }
}

ResultList::ResultList(const QString& objectName, int itemWidth, QWidget* parent)
    : QListView(parent), m_model(new ResultListModel(this)), m_itemWidth(itemWidth)
{
    setObjectName(objectName);
    setFont(programFont(QStringLiteral("Courier New"), 12));
    setTextColour(this, Qt::black);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTextElideMode(Qt::ElideNone);
    setModel(m_model);
}

void ResultList::setCards(FoundCards cards)
{
    qsizetype longest = 0;
    for (const QString& line : std::as_const(cards.lines))
        longest = std::max(longest, line.size());
    // The font is fixed-pitch: a line's width follows from its length. The margin is the room the
    // item's drawing leaves on either side of its text.
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(QString(longest, u'M')) + 12;
    m_model->setItemSize(QSize(std::max({width, m_itemWidth, viewport()->width()}), metrics.height() + 3));
    m_model->setCards(std::move(cards));
    horizontalScrollBar()->setValue(0);
}

int ResultList::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.constFirst().row();
}

void ResultList::selectRow(int row)
{
    if (row < 0 || row >= count()) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = m_model->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void ResultList::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && selectedRow() >= 0) {
        if (!event->isAutoRepeat())
            emit dblClick();
        return;
    }
    QListView::keyPressEvent(event);
}

void ResultList::mouseReleaseEvent(QMouseEvent* event)
{
    m_clickedHere = true;
    QListView::mouseReleaseEvent(event);
}

void ResultList::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListView::mouseDoubleClickEvent(event);
    if (m_clickedHere && event->button() == Qt::LeftButton)
        emit dblClick();
}
