#include "ExportRows.h"

#include "storage/CatalogueFile.h"
#include "storage/Text.h"

#include <QVarLengthArray>

namespace {
constexpr int kBlockBits = 20;
constexpr qsizetype kBlockSize = qsizetype(1) << kBlockBits;
} // namespace

ExportRows::ExportRows(const Kind& kind, QObject* parent) : QAbstractTableModel(parent), m_kind(kind)
{
    for (const Kind::SpreadsheetColumn& column : kind.spreadsheet.columns)
        m_fields.append(kind.layout.indexOf(column.field));
}

bool ExportRows::load(const QString& path)
{
    CatalogueFile archive(m_kind.layout);
    try {
        archive.open(path);
    } catch (const ArchiveError&) {
        return false; // nothing to show; the window says nothing of it
    }
    const bool whole = load(archive);
    archive.close();
    return whole;
}

bool ExportRows::load(CatalogueFile& archive)
{
    int count = 0;
    try {
        count = archive.countToList();
    } catch (const ArchiveError&) {
        return false; // a list cut short would pass for the whole archive: nothing is shown
    }
    if (count == 0)
        return true;

    beginResetModel();
    m_rowCount = count;
    m_filledRows = 0;
    m_blocks.clear();
    m_rowStarts.clear();
    m_cellLengths.clear();
    m_edits.clear();
    bool whole = true;
    try {
        m_rowStarts.reserve(count);
        m_cellLengths.reserve(std::size_t(count) * m_fields.size());
        for (int n = 1; n <= count; ++n)
            appendCard(archive.cardBytes(n));
    } catch (const ArchiveError&) {
        whole = false; // the rows read so far stay, the others stay empty
    } catch (const std::bad_alloc&) {
        // More than the memory holds: as the archive could not be read, and what was taken is
        // given back.
        whole = false;
        m_filledRows = 0;
        m_blocks = {};
        m_rowStarts = {};
        m_cellLengths = {};
    }
    endResetModel();
    return whole;
}

void ExportRows::appendCard(QByteArrayView record)
{
    QVarLengthArray<QByteArrayView, 32> texts;
    qsizetype rowLength = 0;
    for (int field : std::as_const(m_fields)) {
        texts.append(Record::trimmedBytes(m_kind.layout, record, field));
        rowLength += texts.last().size();
    }
    // Blocks are reserved whole and filled in place, so the rows never move once stored.
    if (m_blocks.empty() || m_blocks.back().size() + rowLength > kBlockSize) {
        m_blocks.emplace_back();
        m_blocks.back().reserve(kBlockSize);
    }
    QByteArray& block = m_blocks.back();
    m_rowStarts.push_back(quint64(m_blocks.size() - 1) << kBlockBits | quint64(block.size()));
    for (const QByteArrayView text : texts) {
        block.append(text);
        m_cellLengths.push_back(quint8(text.size()));
    }
    ++m_filledRows;
}

QByteArrayView ExportRows::loadedBytes(int row, int column) const
{
    if (row >= m_filledRows || column < 1)
        return {};
    const quint64 start = m_rowStarts[row];
    const quint8* lengths = m_cellLengths.data() + std::size_t(row) * m_fields.size();
    qsizetype offset = qsizetype(start & (kBlockSize - 1));
    for (int k = 0; k < column - 1; ++k)
        offset += lengths[k];
    return QByteArrayView(m_blocks[start >> kBlockBits].constData() + offset, lengths[column - 1]);
}

QByteArray ExportRows::cellBytes(int row, int column) const
{
    if (!m_edits.isEmpty()) {
        const auto edit = m_edits.constFind(key(row, column));
        if (edit != m_edits.constEnd())
            return Text::toWindows1252(*edit);
    }
    const QByteArrayView bytes = loadedBytes(row, column);
    return QByteArray::fromRawData(bytes.data(), bytes.size());
}

int ExportRows::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int ExportRows::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size()) + 1;
}

QVariant ExportRows::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const int row = index.row();
    const int column = index.column();
    if (column == 0)
        return holdsCard(row) ? QString::number(row + 1) : QString();
    QString text;
    if (const auto edit = m_edits.constFind(key(row, column)); edit != m_edits.constEnd()) {
        text = *edit;
    } else {
        const QByteArrayView bytes = loadedBytes(row, column);
        text = Text::fromWindows1252(bytes.data(), int(bytes.size()));
    }
    // A line break or a tab in a field (from a file written elsewhere) is shown as a blank, as the
    // lists show it; the file and the cell's edit keep it as it is.
    return role == Qt::DisplayRole ? Text::withControlsAsBlanks(std::move(text)) : text;
}

bool ExportRows::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    m_edits.insert(key(index.row(), index.column()), value.toString());
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags ExportRows::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    const int column = index.column();
    if (column >= 1 && m_kind.spreadsheet.columns.at(column - 1).editable)
        return flags | Qt::ItemIsEditable;
    return flags;
}

QVariant ExportRows::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return {};
    return section == 0 ? QStringLiteral("N.") : m_kind.spreadsheet.columns.at(section - 1).caption;
}
