#include "SpreadsheetWriter.h"

#include "ExportRows.h"
#include "storage/Text.h"

#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>

namespace {
// Spreadsheet programs read the table's cells as numbers and dates wherever they can ("001"
// becomes 1, "12,50" a number in an Italian locale) and ignore x:str on the table: every data
// cell is marked as text through the class below.
constexpr char kHead[] =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\">"
    "<head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml>"
    "<x:ExcelWorkbook>"
    "<x:ExcelWorksheets>"
    "<x:ExcelWorksheet>"
    "<x:Name>";
constexpr char kAfterName[] = "</x:Name>"
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
constexpr char kHeaderCell[] = "<td style=\"text-align: left; font-weight: bold;\" width=";
constexpr char kDataCell[] = "<td class=t style=\"text-align: left;\">";
constexpr char kTail[] = "</table></body></html>";

constexpr qsizetype kFlushSize = 1 << 20;

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

// A "<", ">" or "&" in a cell would end the cell or start an entity: they are written as
// entities, and nothing else is changed.
void appendEscaped(QByteArray& out, QByteArrayView text)
{
    qsizetype plain = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '<' && c != '>' && c != '&')
            continue;
        out.append(text.sliced(plain, i - plain));
        out.append(c == '<' ? QByteArrayView("&lt;") : c == '>' ? QByteArrayView("&gt;") : QByteArrayView("&amp;"));
        plain = i + 1;
    }
    out.append(text.sliced(plain));
}

bool isBlank(const ExportRows& rows, int row)
{
    for (int column = 1; column < rows.columnCount(); ++column)
        if (!trimmed(rows.cellBytes(row, column)).isEmpty())
            return false;
    return true;
}

class Output {
public:
    explicit Output(QIODevice& device) : m_device(device) { m_buffer.reserve(kFlushSize + 64 * 1024); }

    QByteArray& buffer() { return m_buffer; }

    bool flushIfFull() { return m_buffer.size() < kFlushSize || flush(); }
    bool flush()
    {
        const bool written = m_device.write(m_buffer) == m_buffer.size();
        m_buffer.clear();
        return written;
    }

private:
    QIODevice& m_device;
    QByteArray m_buffer;
};
} // namespace

bool SpreadsheetWriter::write(QIODevice& device, const ExportRows& rows)
{
    const Kind& kind = rows.kind();
    Output output(device);
    QByteArray& out = output.buffer();
    out.append(kHead);
    appendEscaped(out, Text::toWindows1252(kind.spreadsheet.worksheet));
    out.append(kAfterName);
    for (const Kind::SpreadsheetColumn& column : kind.spreadsheet.columns) {
        out.append(kHeaderCell);
        out.append(QByteArray::number(column.exportWidth));
        out.append('>');
        appendEscaped(out, Text::toWindows1252(column.caption));
        out.append("</td>");
    }
    out.append("</tr>");

    const int columns = rows.columnCount();
    for (int row = 0; row < rows.rowCount(); ++row) {
        if (!rows.holdsCard(row) && isBlank(rows, row))
            continue;
        out.append("<tr>");
        for (int column = 1; column < columns; ++column) {
            out.append(kDataCell);
            appendEscaped(out, trimmed(rows.cellBytes(row, column)));
            out.append("</td>");
        }
        out.append("</tr>");
        if (!output.flushIfFull())
            return false;
    }
    out.append(kTail);
    return output.flush();
}

bool SpreadsheetWriter::save(const QString& path, const ExportRows& rows)
{
    // A spreadsheet program on Linux does not lock the file it has open, it only leaves its mark
    // beside it: replacing the file under it would lose what the user sees there.
    if (QFileInfo::exists(lockFilePath(path)))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !write(file, rows)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString SpreadsheetWriter::lockFilePath(const QString& path)
{
    const QFileInfo file(path);
    return file.path() + QStringLiteral("/.~lock.") + file.fileName() + u'#';
}
