#pragma once

#include "ImportSource.h"

#include <QFile>

#include <memory>

struct _xmlParserCtxt;

// A spreadsheet kept as an HTML table: the program's own export ("Catalogo_Libri.xls" and the other
// two), and the same file once a spreadsheet program saved it again as a web page. The first row of
// the first table names the columns. The HTML is read by libxml2's parser, which mends what is not
// well formed, in pieces: only the rows not handed out yet are kept.
//
// A cell reads as a browser shows it: runs of blanks and line breaks in its text are one blank,
// except inside the spans by which spreadsheet programs keep a run of blanks (mso-spacerun); a
// line break tag is a blank.
class HtmlTableReader final : public ImportSource {
public:
    // `file` is open for reading at its start. Reads the headings; throws UserError.
    explicit HtmlTableReader(std::unique_ptr<QFile> file);
    ~HtmlTableReader() override;

    QString description() const override;
    bool next(SourceRow& row) override;
    qint64 progress() const override;
    qint64 progressEnd() const override;

private:
    struct Table; // what the parser has seen, filled from its callbacks
    struct FreeParser {
        void operator()(_xmlParserCtxt* parser) const;
    };
    bool readMore();

    std::unique_ptr<QFile> m_file;
    std::unique_ptr<Table> m_table;
    std::unique_ptr<_xmlParserCtxt, FreeParser> m_parser; // freed also when the headings are refused
    bool m_ended = false;
};
