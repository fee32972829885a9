#include "SpreadsheetWriter.h"

#include "ExportRows.h"
#include "folder/FileLock.h"
#include "folder/SafeOpen.h"
#include "folder/SafeSave.h"
#include "storage/Text.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {
// Spreadsheet programs read the table's cells as numbers and dates wherever they can ("001"
// becomes 1, "12,50" a number in an Italian locale) and ignore x:str on the table: every data
// cell is marked as text through the class below.
constexpr QByteArrayView kHead =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\">"
    "<head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml>"
    "<x:ExcelWorkbook>"
    "<x:ExcelWorksheets>"
    "<x:ExcelWorksheet>"
    "<x:Name>";
constexpr QByteArrayView kAfterName = "</x:Name>"
                                      "<x:WorksheetOptions>"
                                      "<x:Selected/>"
                                      "<x:Panes>"
                                      "<x:Pane>"
                                      "<x:Number>1</x:Number>"
                                      "<x:ActiveRow>3</x:ActiveRow>"
                                      "</x:Pane>"
                                      "</x:Panes>"
                                      "<x:ProtectContents>False</x:ProtectContents>"
                                      "<x:ProtectObjects>False</x:ProtectObjects>"
                                      "<x:ProtectScenarios>False</x:ProtectScenarios>"
                                      "</x:WorksheetOptions>"
                                      "</x:ExcelWorksheet>"
                                      "</x:ExcelWorksheets>"
                                      "</x:ExcelWorkbook>"
                                      "</xml><![endif]-->"
                                      "<style>.t{mso-number-format:\"\\@\";}</style>"
                                      "</head>"
                                      "<body>"
                                      "<table x:str>"
                                      "<tr>";
constexpr QByteArrayView kHeaderCell = "<td style=\"text-align: left; font-weight: bold;\" width=";
constexpr QByteArrayView kDataCell = "<td class=t style=\"text-align: left;\">";
constexpr QByteArrayView kTail = "</table></body></html>";
constexpr QByteArrayView kRow = "<tr>";
constexpr QByteArrayView kEndRow = "</tr>";
constexpr QByteArrayView kEndCell = "</td>";

constexpr QByteArrayView kSpaceRun = "<span style=\"mso-spacerun:yes\">";
constexpr QByteArrayView kEndSpaceRun = "</span>";

constexpr qsizetype kFlushSize = 1 << 20;

// A blank, or a control character, which the cell shows as a blank: the code page's controls and
// the five bytes it leaves undefined.
bool isBlankInCell(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

QByteArrayView trimmed(QByteArrayView bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && static_cast<unsigned char>(bytes[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(bytes[end - 1]) <= 32)
        --end;
    return bytes.sliced(begin, end - begin);
}

bool isBlank(const ExportRows& rows, int row)
{
    for (int column = 1; column < rows.columnCount(); ++column)
        if (!trimmed(rows.cellBytes(row, column)).isEmpty())
            return false;
    return true;
}

// The file is put together in a buffer of its own and handed to the device a megabyte at a time:
// a large archive makes millions of small pieces, and each must cost no more than a copy.
class Output {
public:
    explicit Output(QIODevice& device) : m_device(device), m_buffer(kFlushSize, Qt::Uninitialized) {}

    // Makes room for `bytes` more bytes, handing what is there to the device first if needed.
    bool reserve(qsizetype bytes)
    {
        if (m_used + bytes <= m_buffer.size())
            return true;
        if (!flush())
            return false;
        if (bytes > m_buffer.size())
            m_buffer.resize(bytes);
        return true;
    }

    void append(QByteArrayView bytes)
    {
        std::memcpy(m_buffer.data() + m_used, bytes.data(), std::size_t(bytes.size()));
        m_used += bytes.size();
    }

    // A cell's text in HTML that spreadsheet programs read back as it is. A "<", ">" or "&" would
    // end the cell or start an entity: they are written as entities. HTML folds a run of blanks into
    // one; a run is kept in a span that tells Excel so, each blank written as a character
    // reference, which LibreOffice does not fold either (it folds literal blanks, in the span too).
    // A tab, a line break or another control character cannot come back as itself from both (for
    // LibreOffice a <br> starts a new row, Excel folds a referenced line break): each is written
    // as a blank, and no raw control byte reaches the file. Needs room for kEscaped bytes per byte.
    void appendCellText(QByteArrayView text)
    {
        char* out = m_buffer.data() + m_used;
        for (qsizetype i = 0; i < text.size();) {
            qsizetype blanks = 0;
            while (i + blanks < text.size() && isBlankInCell(text[i + blanks]))
                ++blanks;
            if (blanks == 1) {
                *out++ = ' ';
            } else if (blanks > 1) {
                out = std::copy(kSpaceRun.begin(), kSpaceRun.end(), out);
                for (qsizetype k = 0; k < blanks; ++k)
                    out = std::copy_n("&#32;", 5, out);
                out = std::copy(kEndSpaceRun.begin(), kEndSpaceRun.end(), out);
            }
            if (blanks > 0) {
                i += blanks;
                continue;
            }
            switch (const char c = text[i++]) {
            case '<':
                out = std::copy_n("&lt;", 4, out);
                break;
            case '>':
                out = std::copy_n("&gt;", 4, out);
                break;
            case '&':
                out = std::copy_n("&amp;", 5, out);
                break;
            default:
                *out++ = c;
            }
        }
        m_used = out - m_buffer.data();
    }

    bool flush()
    {
        const bool written = m_device.write(m_buffer.constData(), m_used) == m_used;
        m_used = 0;
        return written;
    }

private:
    QIODevice& m_device;
    QByteArray m_buffer;
    qsizetype m_used = 0;
};

// The most a byte of text can become: a blank of a run of two, with half the span around it.
constexpr qsizetype kEscaped = (kSpaceRun.size() + kEndSpaceRun.size()) / 2 + 5 + 1;
} // namespace

bool SpreadsheetWriter::write(QIODevice& device, const ExportRows& rows)
{
    const Kind& kind = rows.kind();
    Output out(device);
    const QByteArray worksheet = Text::toWindows1252(kind.spreadsheet.worksheet);
    if (!out.reserve(kHead.size() + kAfterName.size() + kEscaped * worksheet.size()))
        return false;
    out.append(kHead);
    out.appendCellText(worksheet);
    out.append(kAfterName);
    for (const Kind::SpreadsheetColumn& column : kind.spreadsheet.columns) {
        const QByteArray caption = Text::toWindows1252(column.caption);
        const QByteArray width = QByteArray::number(column.exportWidth);
        if (!out.reserve(kHeaderCell.size() + width.size() + 1 + kEscaped * caption.size() + kEndCell.size()))
            return false;
        out.append(kHeaderCell);
        out.append(width);
        out.append(">");
        out.appendCellText(caption);
        out.append(kEndCell);
    }
    if (!out.reserve(kEndRow.size()))
        return false;
    out.append(kEndRow);

    const int columns = rows.columnCount();
    for (int row = 0; row < rows.rowCount(); ++row) {
        if (!rows.holdsCard(row) && isBlank(rows, row))
            continue;
        if (!out.reserve(kRow.size()))
            return false;
        out.append(kRow);
        for (int column = 1; column < columns; ++column) {
            const QByteArray cell = rows.cellBytes(row, column);
            const QByteArrayView text = trimmed(cell);
            if (!out.reserve(kDataCell.size() + kEscaped * text.size() + kEndCell.size()))
                return false;
            out.append(kDataCell);
            out.appendCellText(text);
            out.append(kEndCell);
        }
        if (!out.reserve(kEndRow.size()))
            return false;
        out.append(kEndRow);
    }
    if (!out.reserve(kTail.size()))
        return false;
    out.append(kTail);
    return out.flush();
}

bool SpreadsheetWriter::save(const QString& path, const ExportRows& rows)
{
    // A spreadsheet program on Linux does not lock the file it has open, it only leaves its mark
    // beside it: replacing the file under it would lose what the user sees there.
    if (QFileInfo::exists(lockFilePath(path)))
        return false;
    // A program that has the file open may also hold a lock on it for writing: the export waits for
    // it as long as a write waits, then leaves the file to it. Its own lock, shared, keeps such a
    // program from taking the file while it is replaced. Two exports at once need not exclude each
    // other: each replaces the whole file in one step.
    QFile current;
    std::optional<FileLock> lock;
    if (SafeOpen::forReading(current, path, FileScope::ProgramData)) {
        try {
            lock.emplace(current.handle(), FileLock::Access::Shared, FileLock::kWriterPatience);
        } catch (const FileLock::Error&) {
            return false;
        }
    }
    // A link in the file's place is replaced by the export, never written through.
    SafeSave file(path, FileScope::ProgramData);
    return file.open() && write(file.device(), rows) && file.commit();
}

QString SpreadsheetWriter::lockFilePath(const QString& path)
{
    const QFileInfo file(path);
    return file.path() + QStringLiteral("/.~lock.") + file.fileName() + u'#';
}
