#include "CsvReader.h"

#include "storage/Text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {
constexpr qint64 kChunk = 64 * 1024;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

bool isBlankRow(const QList<QByteArray>& cells)
{
    return std::all_of(cells.cbegin(), cells.cend(), [](const QByteArray& cell) {
        return std::all_of(cell.cbegin(), cell.cend(), [](char c) { return static_cast<unsigned char>(c) <= 32; });
    });
}

QString separatorName(char separator)
{
    switch (separator) {
    case ';':
        return QStringLiteral("punto e virgola");
    case '\t':
        return QStringLiteral("tabulazione");
    default:
        return QStringLiteral("virgola");
    }
}
} // namespace

CsvReader::CsvReader(std::unique_ptr<QFile> file) : m_file(std::move(file))
{
    detectEncoding();
    rewind();
    m_separator = chooseSeparator();
    rewind();
    QList<QByteArray> headings;
    if (!readRecord(headings))
        throw importRefused(QStringLiteral("Il file è vuoto."));
    if (headings.size() > ImportLimits::kMostColumns)
        throw importRefused(QStringLiteral("La prima riga ha più di %1 colonne.").arg(ImportLimits::kMostColumns));
    QStringList texts;
    for (const QByteArray& heading : std::as_const(headings))
        texts.append(Text::trimmed(decode(heading)));
    m_columns = columnsHeaded(texts);
}

QString CsvReader::description() const
{
    static const std::array<QString, 4> encodings{QStringLiteral("UTF-8"), QStringLiteral("Windows-1252"),
                                                  QStringLiteral("UTF-16"), QStringLiteral("UTF-16")};
    return QStringLiteral("Testo CSV, colonne separate da %1, caratteri %2")
        .arg(separatorName(m_separator), encodings.at(std::size_t(m_encoding)));
}

void CsvReader::detectEncoding()
{
    const QByteArray start = m_file->peek(3);
    if (start.startsWith("\xEF\xBB\xBF")) {
        m_encoding = Encoding::Utf8;
        m_textStart = 3;
    } else if (start.startsWith("\xFF\xFE")) {
        m_encoding = Encoding::Utf16LittleEndian;
        m_textStart = 2;
    } else if (start.startsWith("\xFE\xFF")) {
        m_encoding = Encoding::Utf16BigEndian;
        m_textStart = 2;
    } else {
        m_encoding = isUtf8Throughout() ? Encoding::Utf8 : Encoding::Windows1252;
    }
}

bool CsvReader::isUtf8Throughout()
{
    // One pass over the file, a chunk at a time: a single byte that is not UTF-8 anywhere means
    // the whole file is in the old code page, also the rows before it.
    QByteArray chunk(kChunk, Qt::Uninitialized);
    if (!m_file->seek(0))
        throw importRefused(QStringLiteral("Il file non si può leggere."));
    int continuations = 0; // still due after the lead byte of a sequence, across chunks
    for (;;) {
        const qint64 got = m_file->read(chunk.data(), kChunk);
        if (got < 0)
            throw importRefused(QStringLiteral("Il file non si può leggere."));
        if (got == 0)
            return continuations == 0;
        for (qint64 i = 0; i < got; ++i) {
            // Plain ASCII, most of a list, eight bytes at a time.
            if (continuations == 0) {
                std::uint64_t eight = 0;
                while (i + 8 <= got && (std::memcpy(&eight, chunk.constData() + i, 8), (eight & kHighBits) == 0))
                    i += 8;
                if (i == got)
                    break;
            }
            const auto byte = static_cast<unsigned char>(chunk.at(i));
            if (continuations > 0) {
                if ((byte & 0xC0) != 0x80)
                    return false;
                --continuations;
            } else if (byte >= 0xC2 && byte <= 0xDF) {
                continuations = 1;
            } else if (byte >= 0xE0 && byte <= 0xEF) {
                continuations = 2;
            } else if (byte >= 0xF0 && byte <= 0xF4) {
                continuations = 3;
            } else if (byte >= 0x80) {
                return false;
            }
        }
    }
}

void CsvReader::rewind()
{
    if (!m_file->seek(m_textStart))
        throw importRefused(QStringLiteral("Il file non si può leggere."));
    m_buffer.clear();
    m_at = 0;
    m_line = 1;
    if (m_encoding == Encoding::Utf16LittleEndian)
        m_utf16.emplace(QStringDecoder::Utf16LE);
    else if (m_encoding == Encoding::Utf16BigEndian)
        m_utf16.emplace(QStringDecoder::Utf16BE);
}

bool CsvReader::fill()
{
    QByteArray chunk(kChunk, Qt::Uninitialized);
    const qint64 got = m_file->read(chunk.data(), kChunk);
    if (got < 0)
        throw importRefused(QStringLiteral("Il file non si può leggere fino in fondo."));
    if (got == 0)
        return false;
    chunk.truncate(got);
    // A UTF-16 file is read as the UTF-8 it decodes to; separators and quotes are the same bytes.
    m_buffer = m_utf16 ? QString(m_utf16->decode(chunk)).toUtf8() : chunk;
    m_at = 0;
    return true;
}

int CsvReader::peekByte()
{
    while (m_at == m_buffer.size())
        if (!fill())
            return -1;
    return static_cast<unsigned char>(m_buffer.at(m_at));
}

int CsvReader::nextByte()
{
    const int c = peekByte();
    if (c >= 0)
        ++m_at;
    return c;
}

char CsvReader::chooseSeparator()
{
    // The first row, outside quotes: the headings of a list hold few separators of other kinds.
    int commas = 0;
    int semicolons = 0;
    int tabs = 0;
    bool quoted = false;
    for (qsizetype read = 0; read < ImportLimits::kMostRowBytes; ++read) {
        const int c = nextByte();
        if (c < 0 || (!quoted && (c == '\n' || c == '\r')))
            break;
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ',')
            ++commas;
        else if (!quoted && c == ';')
            ++semicolons;
        else if (!quoted && c == '\t')
            ++tabs;
    }
    if (tabs > commas && tabs > semicolons)
        return '\t';
    return semicolons > commas ? ';' : ',';
}

bool CsvReader::readRecord(QList<QByteArray>& cells)
{
    cells.clear();
    int c = nextByte();
    if (c < 0)
        return false;
    const qint64 firstLine = m_line;
    QByteArray cell;
    const auto endCell = [&] {
        cells.append(std::move(cell));
        cell = QByteArray();
        if (cells.size() > ImportLimits::kMostColumns)
            throw importRefused(
                QStringLiteral("La riga %1 ha più di %2 colonne.").arg(firstLine).arg(ImportLimits::kMostColumns));
    };
    const auto unclosedQuotes = [firstLine] {
        return importRefused(
            QStringLiteral("Le virgolette aperte alla riga %1 non vengono mai chiuse.").arg(firstLine));
    };
    bool quoted = false;
    bool cellStarted = false; // a quote opens a quoted cell only as the cell's first character
    qsizetype rowBytes = 0;
    for (;; c = nextByte()) {
        if (c < 0) {
            if (quoted)
                throw unclosedQuotes();
            endCell();
            return true;
        }
        if (++rowBytes > ImportLimits::kMostRowBytes) {
            if (quoted)
                throw unclosedQuotes();
            throw importRefused(QStringLiteral("La riga %1 è più lunga di un milione di caratteri: non sembra un "
                                               "elenco di schede.")
                                    .arg(firstLine));
        }
        if (c == '\n' || (c == '\r' && peekByte() != '\n'))
            ++m_line;
        if (quoted) {
            if (c != '"') {
                cell.append(char(c));
                takeRun(cell, rowBytes, quoted);
            } else if (peekByte() == '"')
                cell.append(char(nextByte()));
            else
                quoted = false;
            continue;
        }
        if (c == m_separator) {
            endCell();
            cellStarted = false;
            continue;
        }
        if (c == '\r' && peekByte() == '\n')
            continue;
        if (c == '\n' || c == '\r') {
            endCell();
            return true;
        }
        if (c == '"' && !cellStarted) {
            quoted = true;
            cellStarted = true;
            continue;
        }
        cellStarted = true;
        cell.append(char(c));
        takeRun(cell, rowBytes, quoted);
    }
}

void CsvReader::takeRun(QByteArray& cell, qsizetype& rowBytes, bool quoted)
{
    // The bytes that follow in the buffer and mean nothing to the reading, in one piece rather than
    // one at a time: most of a file. A line break still goes through readRecord, which counts lines.
    const char* data = m_buffer.constData();
    const qsizetype limit = std::min(m_buffer.size(), m_at + (ImportLimits::kMostRowBytes - rowBytes));
    qsizetype end = m_at;
    while (end < limit) {
        const char c = data[end];
        if (c == '\n' || c == '\r' || (quoted ? c == '"' : c == m_separator))
            break;
        ++end;
    }
    cell.append(data + m_at, end - m_at);
    rowBytes += end - m_at;
    m_at = end;
}

QString CsvReader::decode(const QByteArray& bytes) const
{
    if (m_encoding == Encoding::Windows1252)
        return Text::fromWindows1252(bytes.constData(), int(bytes.size()));
    return QString::fromUtf8(bytes);
}

bool CsvReader::next(SourceRow& row)
{
    QList<QByteArray> cells;
    do {
        if (!readRecord(cells))
            return false;
    } while (isBlankRow(cells));
    row.cells.clear();
    row.cells.reserve(cells.size());
    for (const QByteArray& cell : cells)
        row.cells.append(decode(cell));
    row.picture.clear();
    return true;
}

qint64 CsvReader::progress() const
{
    return m_file->pos();
}

qint64 CsvReader::progressEnd() const
{
    return m_file->size();
}
