// The readers of the files to import, on their own: what rows a CSV, a spreadsheet kept as HTML
// and a Tellico file give, and how a file that cannot be imported is refused, with the reason,
// within bounded memory and time, without ever reading what an entity points at.
#include "CoreTestSupport.h"
#include "PipeWatch.h"
#include "UserError.h"
#include "import/ImportFile.h"

#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

namespace {
using Rows = QList<QStringList>;
// Makes a file in the folder given and returns its path.
using FileMaker = std::function<QString(const QString& folder)>;

QString putFile(const QString& folder, const QString& name, const QByteArray& bytes)
{
    const QString path = folder + u'/' + name;
    writeFileBytes(path, bytes);
    return path;
}

QString dataFile(const QString& name)
{
    return QFINDTESTDATA(QStringLiteral("../../data/import/") + name);
}

// The headings, then every row, as the reader gives them.
Rows readAll(const QString& path, const Kind& kind = Kind::libri())
{
    const std::unique_ptr<ImportSource> source = ImportFile::open(path, kind);
    QStringList headings;
    for (const SourceColumn& column : source->columns())
        headings.append(column.heading);
    Rows rows{headings};
    SourceRow row;
    while (source->next(row))
        rows.append(row.cells);
    return rows;
}

// The text of the refusal of the file at `path`; empty when it was read whole.
QString refusalOf(const QString& path, const Kind& kind)
{
    try {
        readAll(path, kind);
    } catch (const UserError& error) {
        return error.text();
    }
    return {};
}

// A zip made by libzip with `entries` (name, bytes).
QByteArray zipOf(const QList<std::pair<QString, QByteArray>>& entries, const QString& scratch)
{
    QFile::remove(scratch);
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(scratch).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const auto& [name, bytes] : entries) {
        zip_source_t* source = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
    }
    zip_close(archive);
    return fileBytes(scratch);
}

QByteArray tellicoXml(const QByteArray& doctype, const QByteArray& entries, int type = 2)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + doctype +
           "<tellico xmlns=\"http://periapsis.org/tellico/\" syntaxVersion=\"11\">"
           "<collection title=\"Prova\" type=\"" +
           QByteArray::number(type) +
           "\"><fields><field name=\"title\" title=\"Title\" type=\"1\" category=\"General\" flags=\"8\"/>"
           "<field name=\"author\" title=\"Author\" type=\"1\" category=\"General\" flags=\"7\"/></fields>" +
           entries + "</collection></tellico>";
}
} // namespace

Q_DECLARE_METATYPE(FileMaker)

class TestImportFiles : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void textRows_data();
    void textRows();
    void spreadsheetRows_data();
    void spreadsheetRows();
    void tellicoRows_data();
    void tellicoRows();
    void refusals_data();
    void refusals();
    void externalEntitiesAreNeverRead();

private:
    QString put(const QString& name, const QByteArray& bytes) const { return putFile(m_dir->path(), name, bytes); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestImportFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestImportFiles::cleanup()
{
    m_dir.reset();
}

void TestImportFiles::textRows_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Rows>("rows"); // the headings first

    QTest::newRow("commas, line feeds") << QByteArray("Titolo,Autore\nUno,Primo\nDue,Secondo\n")
                                        << Rows{{"Titolo", "Autore"}, {"Uno", "Primo"}, {"Due", "Secondo"}};
    QTest::newRow("semicolons, CR LF, no break at the end")
        << QByteArray("Titolo;Prezzo\r\nUno;12,50\r\nDue;1e5")
        << Rows{{"Titolo", "Prezzo"}, {"Uno", "12,50"}, {"Due", "1e5"}};
    QTest::newRow("tabs, commas and semicolons in the cells")
        << QByteArray("Titolo\tNote\nA, b\tc; d\n") << Rows{{"Titolo", "Note"}, {"A, b", "c; d"}};
    QTest::newRow("the separator the headings hold most of")
        << QByteArray("Titolo, sottotitolo;Prezzo;Anno\n1,2;3,4;5\n")
        << Rows{{"Titolo, sottotitolo", "Prezzo", "Anno"}, {"1,2", "3,4", "5"}};
    QTest::newRow("RFC 4180 quotes: separators, quotes and line breaks inside")
        << QByteArray("Titolo,Note\r\n\"Uno, due\",\"Disse \"\"ciao\"\"\r\ne andò\"\r\n\"\",\"x\"\n")
        << Rows{{"Titolo", "Note"}, {"Uno, due", "Disse \"ciao\"\r\ne andò"}, {"", "x"}};
    QTest::newRow("a quote inside a cell is a character")
        << QByteArray("Titolo\n12\" pollici\n") << Rows{{"Titolo"}, {"12\" pollici"}};
    QTest::newRow("UTF-8 with its mark") << QByteArray("\xEF\xBB\xBFTitolo\nCittà €\n")
                                         << Rows{{"Titolo"}, {"Città €"}};
    QTest::newRow("Windows-1252: not UTF-8")
        << QByteArray("Titolo\nCitt\xE0 \x80 \x93x\x94\n") << Rows{{"Titolo"}, {"Città € “x”"}};
    QTest::newRow("UTF-16 with its mark")
        << (QByteArray("\xFF\xFE") + QStringEncoder(QStringEncoder::Utf16LE)(u"Titolo;Autore\r\nÉcole;Łódź\r\n"))
        << Rows{{"Titolo", "Autore"}, {"École", "Łódź"}};
    QTest::newRow("blank rows are no rows")
        << QByteArray("Titolo,Autore\n\n , \nUno,Primo\n,\n") << Rows{{"Titolo", "Autore"}, {"Uno", "Primo"}};
    QTest::newRow("carriage returns alone end lines")
        << QByteArray("Titolo\rUno\rDue") << Rows{{"Titolo"}, {"Uno"}, {"Due"}};
    QTest::newRow("headings without a name")
        << QByteArray("Titolo,,\nA,B,C\n") << Rows{{"Titolo", "Colonna 2", "Colonna 3"}, {"A", "B", "C"}};
}

void TestImportFiles::textRows()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Rows, rows);
    QCOMPARE(readAll(put(QStringLiteral("elenco.csv"), bytes)), rows);
}

void TestImportFiles::spreadsheetRows_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Rows>("rows");

    // As a spreadsheet program saves a sheet as a web page: its own classes and spans, entities,
    // a line break tag, a cell over two columns, a table inside a cell, and tables after the first.
    QTest::newRow("saved again by a spreadsheet program")
        << QByteArray("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\">\n<head>\n"
                      "<meta http-equiv=Content-Type content=\"text/html; charset=utf-8\">\n"
                      "<style>\n.xl65 {mso-number-format:\"\\@\";}\n</style>\n</head>\n<body>\n"
                      "<table border=0 cellpadding=0 cellspacing=0 width=700>\n"
                      " <tr height=20>\n  <td class=xl65 width=350>Titolo libro</td>\n"
                      "  <td class=xl65>Autore</td>\n  <td>Prezzo</td>\n </tr>\n"
                      " <tr>\n  <td class=xl65>001</td>\n  <td class=xl65>Rossi<span\n"
                      "  style='mso-spacerun:yes'>   </span>&amp; Figli</td>\n  <td>12,50</td>\n </tr>\n"
                      " <tr>\n  <td colspan=2>Molto\n    lungo<br>titolo &lt;bis&gt;</td>\n"
                      "  <td><table><tr><td>dentro</td></tr></table>1e5</td>\n </tr>\n"
                      "</table>\n<table><tr><td>altro foglio</td></tr></table>\n</body>\n</html>\n")
        << Rows{{"Titolo libro", "Autore", "Prezzo"},
                {"001", "Rossi   & Figli", "12,50"},
                {"Molto lungo titolo <bis>", "", "1e5"}};
    QTest::newRow("headings in th, a table without tr ends, Windows-1252 by its meta")
        << QByteArray("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\n<HTML><HEAD>"
                      "<META HTTP-EQUIV=\"CONTENT-TYPE\" CONTENT=\"text/html; charset=windows-1252\"></HEAD><BODY>"
                      "<TABLE><TR><TH>Titolo</TH><TH>Citt\xE0</TH><TR><TD>Uno</TD><TD>\x80 5</TD></TABLE>")
        << Rows{{"Titolo", "Città"}, {"Uno", "€ 5"}};
}

void TestImportFiles::spreadsheetRows()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Rows, rows);
    QCOMPARE(readAll(put(QStringLiteral("foglio.htm"), bytes)), rows);
}

void TestImportFiles::tellicoRows_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QStringList>("names"); // field names of the columns compared
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QStringList>("pictures"); // each row's picture key

    const QStringList book{"title", "author", "publisher", "pub_year", "genre", "translator", "comments"};
    const Rows books{
        {"Il nome della rosa", "Umberto Eco", "Bompiani", "1980", "Romanzo storico, Giallo", "", ""},
        {"Città invisibili: più è meglio", "Italo Calvino", "Einaudi", "1972", "", "", "Un libro <bello> & raro"},
        {"Good Omens", "Terry Pratchett, Neil Gaiman", "Gollancz", "1990", "", "Luca Conti", ""}};
    QTest::newRow(".tc of books") << "tellico/libri.tc" << KindId::Libri << book << books
                                  << QStringList{"cover1.jpeg", "", ""};
    QTest::newRow("tellico.xml of books")
        << "tellico/tellico.xml" << KindId::Libri << book << books << QStringList{"cover1.jpeg", "", ""};
    QTest::newRow(".tc of comic books")
        << "tellico/fumetti.tc" << KindId::Fumetti << QStringList{"title", "writer", "artist", "issue", "pur_price"}
        << Rows{{"Tex – La mano rossa", "Gian Luigi Bonelli", "Aurelio Galleppini", "1", ""},
                {"Dylan Dog: L'alba dei morti viventi", "Tiziano Sclavi", "Angelo Stano, Claudio Villa", "1", "2,50 €"}}
        << QStringList{"albo.png", ""};
    QTest::newRow(".tc of videos, a table and a linked picture")
        << "tellico/film.tc" << KindId::DVD << QStringList{"title", "director", "year", "cast", "subtitle"}
        << Rows{{"La vita è bella", "Roberto Benigni", "1997",
                 "Roberto Benigni (Guido Orefice), Nicoletta Braschi (Dora)", "Inglese, Francese"},
                {"Amélie", "Jean-Pierre Jeunet", "2001", "Audrey Tautou (Amélie Poulain)", ""}}
        << QStringList{"file:///tmp/tellico/vid/locandina.png", ""};
}

void TestImportFiles::tellicoRows()
{
    QFETCH(QString, file);
    QFETCH(KindId, kind);
    QFETCH(QStringList, names);
    QFETCH(Rows, rows);
    QFETCH(QStringList, pictures);
    const std::unique_ptr<ImportSource> source = ImportFile::open(dataFile(file), Kind::of(kind));
    QList<int> columns;
    for (const QString& name : names) {
        const auto at = std::find_if(source->columns().cbegin(), source->columns().cend(),
                                     [&name](const SourceColumn& column) { return column.name == name; });
        QVERIFY2(at != source->columns().cend(), qPrintable(name));
        columns.append(int(at - source->columns().cbegin()));
    }
    Rows read;
    QStringList keys;
    SourceRow row;
    while (source->next(row)) {
        QCOMPARE(row.cells.size(), source->columns().size());
        QStringList cells;
        for (const int column : columns)
            cells.append(row.cells.at(column));
        read.append(cells);
        keys.append(row.picture);
    }
    QCOMPARE(read, rows);
    QCOMPARE(keys, pictures);

    QStringList found;
    source->readPictures({pictures.first()}, [&found](const QString& key, const CoverPicture& picture) {
        QVERIFY(!picture.full().isNull());
        found.append(key);
    });
    QCOMPARE(found, QStringList{pictures.first()});
}

void TestImportFiles::refusals_data()
{
    QTest::addColumn<FileMaker>("file");
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QString>("reason");

    const auto bytes = [](const char* name, const QByteArray& content) -> FileMaker {
        return [name, content](const QString& folder) { return putFile(folder, QLatin1String(name), content); };
    };
    const auto data = [](const char* name) -> FileMaker {
        return [name](const QString&) { return dataFile(QLatin1String(name)); };
    };
    const QString unknown = QStringLiteral("Il programma sa importare:");
    const QString unreadable = QStringLiteral("Il file non si può leggere");
    const QString damagedTellico = QStringLiteral("Il file di Tellico è danneggiato o incompleto.");

    QTest::newRow("empty") << bytes("vuoto.csv", {}) << KindId::Libri << "Il file è vuoto.";
    QTest::newRow("a picture") << data("tellico/locandina.png") << KindId::Libri << unknown;
    QTest::newRow("a zip without Tellico's XML") << FileMaker([](const QString& folder) {
        return putFile(folder, QStringLiteral("foglio.xlsx"),
                       zipOf({{"xl/workbook.xml", "<workbook/>"}}, folder + "/z"));
    }) << KindId::Libri << unknown;
    QTest::newRow("a zip cut short") << bytes("tagliato.tc",
                                              fileBytes(dataFile(QStringLiteral("tellico/libri.tc"))).left(1500))
                                     << KindId::Libri << "Il file compresso è danneggiato o incompleto.";
    QTest::newRow("Tellico's XML cut short")
        << bytes("tellico.xml", fileBytes(dataFile(QStringLiteral("tellico/tellico.xml"))).left(4500)) << KindId::Libri
        << damagedTellico;
    QTest::newRow("a music collection")
        << data("tellico/musica.tc") << KindId::Libri
        << "Il file di Tellico contiene una collezione di musica, che il programma non sa importare";
    QTest::newRow("books into DVDs")
        << data("tellico/libri.tc") << KindId::DVD
        << "Il file di Tellico contiene una collezione di libri, che si può importare soltanto in un catalogo di "
           "libri.";
    QTest::newRow("unbalanced quotes") << bytes("virgolette.csv", "Titolo,Note\nUno,\"aperte\nDue,x\n") << KindId::Libri
                                       << "Le virgolette aperte alla riga 2 non vengono mai chiuse.";
    QTest::newRow("a column too many") << bytes("colonne.csv", "Titolo\n" + QByteArray(256, ',') + "\n")
                                       << KindId::Libri << "La riga 2 ha più di 256 colonne.";
    QTest::newRow("a collection without fields")
        << bytes("senza campi.xml", "<tellico><collection title=\"x\" type=\"2\"><fields/>"
                                    "<entry id=\"1\"><title>Uno</title></entry></collection></tellico>")
        << KindId::Libri << "La collezione di Tellico non ha nessun campo di testo da importare.";
    QTest::newRow("a line of 100 MB") << FileMaker([](const QString& folder) {
        // Two megabytes written, the rest a hole: the reader stops at its ceiling either way.
        const QString path = putFile(folder, QStringLiteral("lunga.csv"), "Titolo\n" + QByteArray(2 << 20, 'a'));
        QFile(path).resize(100 << 20);
        return path;
    }) << KindId::Libri << "La riga 2 è più lunga di un milione di caratteri";
    QTest::newRow("entities that expand a billion times")
        << bytes("risate.xml", tellicoXml("<!DOCTYPE tellico [<!ENTITY a \"ahahahahahahahahahah\">"
                                          "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
                                          "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
                                          "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
                                          "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
                                          "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]>",
                                          "<entry id=\"1\"><title>&f;</title></entry>"))
        << KindId::Libri << damagedTellico;
    QTest::newRow("elements nested without end")
        << bytes("profondo.xml",
                 tellicoXml({}, "<entry id=\"1\"><title>" + QByteArray("<b>").repeated(100) + "</title></entry>"))
        << KindId::Libri << damagedTellico;
    QTest::newRow("a zip bomb: 40 MB of one element") << FileMaker([](const QString& folder) {
        const QByteArray xml =
            tellicoXml({}, "<entry id=\"1\"><title>" + QByteArray(40 << 20, 'a') + "</title></entry>");
        return putFile(folder, QStringLiteral("bomba.tc"), zipOf({{"tellico.xml", xml}}, folder + "/z"));
    }) << KindId::Libri << "Un elemento del file di Tellico è più grande di 32 MB.";
    QTest::newRow("a folder") << FileMaker([](const QString& folder) {
        QDir(folder).mkdir(QStringLiteral("cartella.csv"));
        return folder + QStringLiteral("/cartella.csv");
    }) << KindId::Libri << unreadable;
    QTest::newRow("a device through a link") << FileMaker([](const QString& folder) {
        const QString path = folder + QStringLiteral("/zero.csv");
        QFile::link(QStringLiteral("/dev/zero"), path);
        return path;
    }) << KindId::Libri << unreadable;
    QTest::newRow("a named pipe") << FileMaker([](const QString& folder) {
        const QString path = folder + QStringLiteral("/tubo.csv");
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
        return path;
    }) << KindId::Libri << unreadable;
}

void TestImportFiles::refusals()
{
    QFETCH(FileMaker, file);
    QFETCH(KindId, kind);
    QFETCH(QString, reason);
    const QString path = file(m_dir->path());
    QString refusal;
    QVERIFY2(finishesWithoutWaiting([&] { refusal = refusalOf(path, Kind::of(kind)); }, path),
             "it waited on the named pipe");
    QVERIFY2(refusal.startsWith(QStringLiteral("Attenzione: il file scelto non si può importare.\r\n\r\n")),
             qPrintable(refusal));
    QVERIFY2(refusal.contains(reason), qPrintable(refusal));
}

void TestImportFiles::externalEntitiesAreNeverRead()
{
    const QString secret = put(QStringLiteral("segreto.txt"), "SEGRETO");
    const QByteArray url = QUrl::fromLocalFile(secret).toEncoded();
    const QString path = put(
        QStringLiteral("esterno.xml"),
        tellicoXml("<!DOCTYPE tellico [<!ENTITY fuori SYSTEM \"" + url + "\"><!ENTITY % p SYSTEM \"" + url + "\">%p;]>",
                   "<entry id=\"1\"><title>Prima &fuori; dopo</title><author>A</author></entry>"));
    // Read whole, or refused: never with the file's text in a cell.
    try {
        for (const QStringList& row : readAll(path))
            for (const QString& cell : row)
                QVERIFY2(!cell.contains(QStringLiteral("SEGRETO")), qPrintable(cell));
    } catch (const UserError&) {
    }
}

QTEST_MAIN(TestImportFiles)
#include "tst_import_files.moc"
