#pragma once

#include "storage/Kind.h"
#include "storage/Record.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QHash>
#include <QString>

#include <vector>

class CatalogueFile;

// The rows of a spreadsheet export: column 0 the card number, then the kind's columns. A large
// archive is held compactly: the texts of all cells stay in the archive's own 8-bit encoding in a
// few big blocks, with one length byte per cell, and are decoded only when a cell is shown. The
// few cells the user edits are kept apart as they were typed.
class ExportRows final : public QAbstractTableModel {
    Q_OBJECT
public:
    // Rows shown before any card is loaded, and kept for an archive without cards.
    static constexpr int kBlankRows = 10;

    explicit ExportRows(const Kind& kind, QObject* parent = nullptr);

    // Fills one row per card of the archive at `path`, in archive order. The archive is opened as
    // every action opens it, so a missing file is created empty. Without cards the rows stay as
    // they were; a failure stops the loading without a word and keeps the rows filled so far.
    // True when every card was read. An archive with more cards than a list takes, or more than the
    // memory holds, is not loaded at all and gives false.
    bool load(const QString& path);
    // The same from an archive already open.
    bool load(CatalogueFile& archive);

    const Kind& kind() const { return m_kind; }

    // Whether a row holds a card of the archive, rather than one of the blank starting rows or a
    // row that a failed loading could not fill.
    bool holdsCard(int row) const { return row < m_filledRows; }

    // A cell of columns 1 to N as the file gets it: Windows-1252 bytes, edited if the user
    // edited it, not trimmed. Cells loaded from the archive are views into the rows' own blocks.
    QByteArray cellBytes(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QByteArrayView loadedBytes(int row, int column) const;
    quint64 key(int row, int column) const { return quint64(row) * quint64(columnCount()) + quint64(column); }
    void appendCard(QByteArrayView record);

    const Kind& m_kind;
    QList<int> m_fields; // record field index of each column after the number
    int m_rowCount = kBlankRows;
    int m_filledRows = 0;
    std::vector<QByteArray> m_blocks;  // texts of whole rows; a row never spans two blocks
    std::vector<quint64> m_rowStarts;  // block index << kBlockBits | offset, per filled row
    std::vector<quint8> m_cellLengths; // per filled cell, row after row
    QHash<quint64, QString> m_edits;
};
