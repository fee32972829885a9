#include "HtmlTableReader.h"

#include "storage/Text.h"

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <vector>

namespace {
constexpr qint64 kChunk = 64 * 1024;

void silent(void*, const char*, ...) {}
void silentStructured(void*, xmlErrorPtr) {}

bool isNamed(const xmlChar* name, const char* wanted)
{
    return std::strcmp(reinterpret_cast<const char*>(name), wanted) == 0;
}

// The value of an attribute of a start tag, or null.
const char* attribute(const xmlChar** attributes, const char* wanted)
{
    for (const xmlChar** at = attributes; at && at[0]; at += 2)
        if (isNamed(at[0], wanted))
            return at[1] ? reinterpret_cast<const char*>(at[1]) : "";
    return nullptr;
}

bool isHtmlBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
} // namespace

// The parser calls these as it meets the file's elements and text. Only the first table is read; a
// table inside one of its cells adds nothing. Nothing may be thrown through the parser, which is C:
// a file beyond the ceilings stops it and leaves the reason in `failure`.
struct HtmlTableReader::Table {
    std::deque<QStringList> rows;
    int tableDepth = 0;
    bool tableDone = false;
    bool inRow = false;
    bool inCell = false;
    QStringList row;
    qsizetype rowBytes = 0;
    QByteArray cell;         // UTF-8, as the parser hands text over
    bool blankLast = false;  // the cell's text ends with a blank that stands for a run
    int extraCells = 0;      // the empty cells that a spanning cell stands for after itself
    std::vector<bool> spans; // open spans, whether each keeps its blanks
    int keptBlanks = 0;
    QString failure;
    xmlParserCtxtPtr parser = nullptr;

    void fail(const QString& reason)
    {
        if (failure.isEmpty())
            failure = reason;
        xmlStopParser(parser);
    }

    void startRow()
    {
        endRow();
        inRow = true;
    }

    void endRow()
    {
        endCell();
        if (!inRow)
            return;
        inRow = false;
        if (std::any_of(row.cbegin(), row.cend(), [](const QString& text) { return !text.isEmpty(); }))
            rows.push_back(row);
        row.clear();
        rowBytes = 0;
    }

    void startCell(const xmlChar** attributes)
    {
        if (!inRow)
            startRow();
        endCell();
        inCell = true;
        const char* span = attribute(attributes, "colspan");
        extraCells = span ? std::clamp(std::atoi(span), 1, ImportLimits::kMostColumns) - 1 : 0;
    }

    void endCell()
    {
        if (!inCell)
            return;
        inCell = false;
        row.append(Text::trimmed(QString::fromUtf8(cell)));
        for (; extraCells > 0; --extraCells)
            row.append(QString());
        cell.clear();
        blankLast = false;
        if (row.size() > ImportLimits::kMostColumns)
            fail(QStringLiteral("Una riga della tabella ha più di %1 colonne.").arg(ImportLimits::kMostColumns));
    }

    void addText(const char* text, int length)
    {
        rowBytes += length;
        if (rowBytes > ImportLimits::kMostRowBytes) {
            fail(QStringLiteral("Una riga della tabella è più lunga di un milione di caratteri: non sembra un "
                                "elenco di schede."));
            return;
        }
        for (const char* c = text; c < text + length; ++c) {
            if (keptBlanks == 0 && isHtmlBlank(*c)) {
                if (!blankLast)
                    cell.append(' ');
                blankLast = true;
            } else {
                cell.append(*c);
                blankLast = false;
            }
        }
    }

    static Table& of(void* context) { return *static_cast<Table*>(context); }

    static void onStart(void* context, const xmlChar* name, const xmlChar** attributes)
    {
        Table& table = of(context);
        if (table.tableDone)
            return;
        if (isNamed(name, "table"))
            ++table.tableDepth;
        if (table.tableDepth != 1)
            return;
        if (isNamed(name, "tr")) {
            table.startRow();
        } else if (isNamed(name, "td") || isNamed(name, "th")) {
            table.startCell(attributes);
        } else if (isNamed(name, "br") && table.inCell) {
            table.addText(" ", 1);
        } else if (isNamed(name, "span")) {
            const char* style = attribute(attributes, "style");
            const bool keeps = style && std::strstr(style, "mso-spacerun");
            table.spans.push_back(keeps);
            table.keptBlanks += keeps;
        }
    }

    static void onEnd(void* context, const xmlChar* name)
    {
        Table& table = of(context);
        if (table.tableDone)
            return;
        if (isNamed(name, "table")) {
            if (table.tableDepth == 1) {
                table.endRow();
                table.tableDone = true;
            }
            --table.tableDepth;
        }
        if (table.tableDepth != 1)
            return;
        if (isNamed(name, "tr")) {
            table.endRow();
        } else if (isNamed(name, "td") || isNamed(name, "th")) {
            table.endCell();
        } else if (isNamed(name, "span") && !table.spans.empty()) {
            table.keptBlanks -= table.spans.back();
            table.spans.pop_back();
        }
    }

    static void onText(void* context, const xmlChar* text, int length)
    {
        Table& table = of(context);
        if (!table.tableDone && table.tableDepth == 1 && table.inCell)
            table.addText(reinterpret_cast<const char*>(text), length);
    }

    static void onOtherText(void*, const xmlChar*, int) {} // style and script
};

HtmlTableReader::HtmlTableReader(std::unique_ptr<QFile> file) : m_file(std::move(file)), m_table(new Table)
{
    xmlInitParser();
    // The parser mends what it can and would tell the terminal about each mend.
    xmlSetGenericErrorFunc(nullptr, silent);
    xmlSetStructuredErrorFunc(nullptr, silentStructured);

    htmlSAXHandler handler;
    std::memset(&handler, 0, sizeof handler);
    handler.startElement = Table::onStart;
    handler.endElement = Table::onEnd;
    handler.characters = Table::onText;
    handler.ignorableWhitespace = Table::onText;
    handler.cdataBlock = Table::onOtherText;
    handler.warning = silent;
    handler.error = silent;
    handler.fatalError = silent;

    // A few bytes first, from which the parser tells a byte order mark; the document's own meta tag
    // names its code page later.
    char head[4];
    const qint64 got = m_file->read(head, sizeof head);
    m_parser.reset(htmlCreatePushParserCtxt(&handler, m_table.get(), head, int(std::max<qint64>(got, 0)), nullptr,
                                            XML_CHAR_ENCODING_NONE));
    if (!m_parser)
        throw std::bad_alloc();
    m_table->parser = m_parser.get();
    htmlCtxtUseOptions(m_parser.get(), HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING);

    SourceRow headings;
    if (!next(headings))
        throw importRefused(QStringLiteral("Il file non contiene nessuna tabella con delle righe."));
    if (headings.cells.size() > ImportLimits::kMostColumns)
        throw importRefused(QStringLiteral("La tabella ha più di %1 colonne.").arg(ImportLimits::kMostColumns));
    m_columns = columnsHeaded(headings.cells);
}

HtmlTableReader::~HtmlTableReader() = default;

void HtmlTableReader::FreeParser::operator()(_xmlParserCtxt* parser) const
{
    if (parser->myDoc)
        xmlFreeDoc(parser->myDoc);
    htmlFreeParserCtxt(parser);
}

QString HtmlTableReader::description() const
{
    return QStringLiteral("Foglio di calcolo in formato HTML");
}

bool HtmlTableReader::readMore()
{
    if (m_ended || m_table->tableDone)
        return false;
    QByteArray chunk(kChunk, Qt::Uninitialized);
    const qint64 got = m_file->read(chunk.data(), kChunk);
    if (got < 0)
        throw importRefused(QStringLiteral("Il file non si può leggere fino in fondo."));
    if (got == 0) {
        m_ended = true;
        htmlParseChunk(m_parser.get(), nullptr, 0, 1);
    } else {
        htmlParseChunk(m_parser.get(), chunk.constData(), int(got), 0);
    }
    if (!m_table->failure.isEmpty())
        throw importRefused(m_table->failure);
    return true;
}

bool HtmlTableReader::next(SourceRow& row)
{
    while (m_table->rows.empty())
        if (!readMore())
            return false;
    row.cells = std::move(m_table->rows.front());
    m_table->rows.pop_front();
    row.picture.clear();
    return true;
}

qint64 HtmlTableReader::progress() const
{
    return m_file->pos();
}

qint64 HtmlTableReader::progressEnd() const
{
    return m_file->size();
}
