// An import from the file to the archive: the program's own export read back field for field, the
// cards a Tellico file and a CSV give, the columns found by their names, the report, and the
// archive left exactly as it was whenever an import does not complete.
#include "CoreTestSupport.h"
#include "DiskFaults.h"
#include "UserError.h"
#include "export/ExportRows.h"
#include "export/SpreadsheetWriter.h"
#include "folder/CoverPhotos.h"
#include "folder/FileLock.h"
#include "import/CardImport.h"
#include "import/ColumnNames.h"
#include "import/ImportFile.h"
#include "storage/CatalogueFile.h"

#include <QDir>
#include <QTest>

#include <fcntl.h>
#include <functional>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {
using Card = QMap<QString, QString>; // field name to text; the fields not named are empty
using Cards = QList<Card>;
using Progress = CardImport::Progress;

QString dataFile(const QString& name)
{
    return QFINDTESTDATA(QStringLiteral("../../data/") + name);
}

QList<Record> cardsOf(const QString& path, const Kind& kind)
{
    CatalogueFile archive(kind.layout);
    archive.open(path);
    QList<Record> cards;
    for (qint64 number = 1; number <= archive.recordCount(); ++number)
        cards.append(archive.readCard(number));
    return cards;
}

void appendCards(const QString& path, const Kind& kind, const Cards& cards)
{
    CatalogueFile archive(kind.layout);
    archive.open(path);
    for (const Card& card : cards) {
        Record record(kind.layout);
        for (auto it = card.cbegin(); it != card.cend(); ++it)
            record.setText(it.key(), it.value());
        archive.appendCard(record);
    }
}

bool always(qint64, qint64)
{
    return true;
}

// Imports the file at `path`, each column going where its name says.
std::optional<ImportReport> importFile(const QString& path, const Kind& kind, const ImportTarget& target,
                                       const Progress& progress = always)
{
    const std::unique_ptr<ImportSource> source = ImportFile::open(path, kind);
    return CardImport(kind, *source, ColumnNames::initialFields(kind, source->columns())).run(target, progress);
}

QString names(const Kind& kind, const QList<int>& fields)
{
    QStringList list;
    for (const int field : fields)
        list.append(field < 0 ? QStringLiteral("-") : kind.layout.field(field).name);
    return list.join(u' ');
}

// Cards whose texts a spreadsheet program would turn into numbers or dates, HTML would take for
// markup, or HTML would fold: each text field gets one of them in turn.
Cards trickyCards(const Kind& kind)
{
    const QStringList texts{"001",
                            "1e5",
                            "12,50",
                            "<",
                            "&",
                            "\"virgolette\" e 'apici'",
                            "a   b    c",
                            "Città perché àèéìòù ÀÉ € œ",
                            "<b>&amp;</b>",
                            "=SOMMA(A1)",
                            "-5",
                            "TRUE",
                            "1/2/2003",
                            "  spazi intorno  ",
                            "x&lt;y"};
    Cards cards;
    for (int card = 0; card < 3; ++card) {
        Card fields;
        int next = card * 5;
        for (const QString& name : kind.textFields())
            fields.insert(name, texts.at(next++ % texts.size()));
        if (kind.layout.indexOf(u"Mancante") >= 0)
            fields.insert(QStringLiteral("Mancante"), card == 1 ? QStringLiteral("Sì") : QStringLiteral("No"));
        cards.append(fields);
    }
    Card onlyTitle{{"Titolo", "Solo il titolo"}};
    if (kind.layout.indexOf(u"Mancante") >= 0)
        onlyTitle.insert(QStringLiteral("Mancante"), QStringLiteral("No"));
    cards.append(onlyTitle);
    return cards;
}
} // namespace

Q_DECLARE_METATYPE(Cards)
Q_DECLARE_METATYPE(SourceColumn)
Q_DECLARE_METATYPE(QList<SourceColumn>)

class TestCardImport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void exportReadsBackFieldForField_data();
    void exportReadsBackFieldForField();
    void filesGiveTheirCards_data();
    void filesGiveTheirCards();
    void columnsAreFoundByName_data();
    void columnsAreFoundByName();
    void reportNamesEveryChangedCard();
    void allOrNothing_data();
    void allOrNothing();
    void theArchiveStaysLockedUntilTheEnd();

private:
    ImportTarget newTarget(const Kind& kind, const QString& name) const
    {
        return {m_folder->file(name + kind.extension), name, true};
    }
    ImportTarget existingTarget(const Kind& kind, const QString& name) const
    {
        return {m_folder->file(name + kind.extension), name, false};
    }

    std::unique_ptr<ProgramFolderFixture> m_folder;
};

void TestCardImport::init()
{
    m_folder = std::make_unique<ProgramFolderFixture>();
}

void TestCardImport::cleanup()
{
    m_folder.reset();
}

void TestCardImport::exportReadsBackFieldForField_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<bool>("reference"); // the reference archive, or the tricky cards
    for (const Kind* kind : Kind::all()) {
        addKindRow(kind->id, "reference archive") << true;
        addKindRow(kind->id, "numbers, markup, blanks, accents") << false;
    }
}

void TestCardImport::exportReadsBackFieldForField()
{
    QFETCH(KindId, kind);
    QFETCH(bool, reference);
    const Kind& of = Kind::of(kind);
    const QString archive = m_folder->file(QStringLiteral("Originale") + of.extension);
    if (reference)
        QVERIFY(QFile::copy(dataFile(QStringLiteral("reference") + of.extension), archive));
    else
        appendCards(archive, of, trickyCards(of));

    ExportRows rows(of);
    QVERIFY(rows.load(archive));
    const QString exported = m_folder->file(of.spreadsheet.fileName);
    QVERIFY(SpreadsheetWriter::save(exported, rows));

    // Every column of the export goes back to its own field by its heading alone.
    const std::unique_ptr<ImportSource> source = ImportFile::open(exported, of);
    QList<int> expected;
    for (const Kind::SpreadsheetColumn& column : of.spreadsheet.columns)
        expected.append(of.layout.indexOf(column.field));
    QCOMPARE(names(of, ColumnNames::initialFields(of, source->columns())), names(of, expected));

    const std::optional<ImportReport> report = importFile(exported, of, newTarget(of, QStringLiteral("Copia")));
    QVERIFY(report);
    const QList<Record> before = cardsOf(archive, of);
    const QList<Record> after = cardsOf(m_folder->file(QStringLiteral("Copia") + of.extension), of);
    QCOMPARE(report->cardsAdded, before.size());
    QCOMPARE(after.size(), before.size());
    QVERIFY(!report->changedAnyCard());
    for (qsizetype card = 0; card < before.size(); ++card)
        for (const Kind::SpreadsheetColumn& column : of.spreadsheet.columns)
            QCOMPARE(after.at(card).text(column.field), before.at(card).text(column.field));
}

void TestCardImport::filesGiveTheirCards_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<Cards>("cards");
    QTest::addColumn<QList<int>>("photos"); // the cards with a cover photo

    const Cards books{
        {{"Titolo", "Il nome della rosa"},
         {"Autore", "Umberto Eco"},
         {"Editore", "Bompiani"},
         {"Anno", "1980"},
         {"ISBN", "88-45-20715-3"},
         {"Lingua", "Italiano"},
         {"Genere", "Romanzo storico, Giallo"},
         {"Pagine", "503"}},
        {{"Titolo", "Città invisibili: più è meglio"},
         {"Autore", "Italo Calvino"},
         {"Editore", "Einaudi"},
         {"Anno", "1972"},
         {"Note", "Un libro <bello> & raro"}},
        {{"Titolo", "Good Omens"},
         {"Autore", "Terry Pratchett, Neil Gaiman"},
         {"Editore", "Gollancz"},
         {"Anno", "1990"},
         {"Traduttore", "Luca Conti"},
         {"Collana", "Fantasy"}},
    };
    QTest::newRow("Tellico .tc of books") << "import/tellico/libri.tc" << KindId::Libri << books << QList<int>{1};
    QTest::newRow("Tellico's XML of books") << "import/tellico/tellico.xml" << KindId::Libri << books << QList<int>{1};
    QTest::newRow("Tellico .tc of comic books") << "import/tellico/fumetti.tc" << KindId::Fumetti
                                                << Cards{{{"Titolo", "Tex – La mano rossa"},
                                                          {"Numero", "1"},
                                                          {"Autore", "Gian Luigi Bonelli"},
                                                          {"Disegnatore", "Aurelio Galleppini"},
                                                          {"Editore", "Sergio Bonelli Editore"},
                                                          {"Data", "1958"},
                                                          {"Pagine", "112"},
                                                          {"Nazione", "Italia"},
                                                          {"Lingua", "Italiano"},
                                                          {"Genere", "Western"},
                                                          {"Mancante", "No"}},
                                                         {{"Titolo", "Dylan Dog: L'alba dei morti viventi"},
                                                          {"Numero", "1"},
                                                          {"Autore", "Tiziano Sclavi"},
                                                          {"Disegnatore", "Angelo Stano, Claudio Villa"},
                                                          {"Editore", "Sergio Bonelli Editore"},
                                                          {"Data", "1986"},
                                                          {"Prezzo", "2,50 €"},
                                                          {"Mancante", "No"}}}
                                                << QList<int>{1};
    QTest::newRow("Tellico .tc of videos, its picture beside it")
        << "import/tellico/film.tc" << KindId::DVD
        << Cards{{{"Titolo", "La vita è bella"},
                  {"Regista", "Roberto Benigni"},
                  {"Nazione", "Italia"},
                  {"Anno", "1997"},
                  {"Cast", "Roberto Benigni (Guido Orefice), Nicoletta Braschi (Dora)"},
                  {"Genere", "Commedia, Drammatico"},
                  {"Distribuzione", "Cecchi Gori"},
                  {"Lingua", "Italiano"},
                  {"Sottotitoli", "Inglese, Francese"},
                  {"Durata", "116"}},
                 {{"Titolo", "Amélie"},
                  {"Regista", "Jean-Pierre Jeunet"},
                  {"Nazione", "Francia"},
                  {"Anno", "2001"},
                  {"Cast", "Audrey Tautou (Amélie Poulain)"}}}
        << QList<int>{1};
    QTest::newRow("CSV that Tellico exported") << "import/libri_tellico.csv" << KindId::Libri
                                               << Cards{{{"Titolo", "Il nome della rosa"},
                                                         {"Autore", "Umberto Eco"},
                                                         {"Editore", "Bompiani"},
                                                         {"Anno", "1980"},
                                                         {"ISBN", "88-45-20715-3"},
                                                         {"Pagine", "503"},
                                                         {"Lingua", "Italiano"},
                                                         {"Genere", "Romanzo storico; Giallo"}},
                                                        {{"Titolo", "Città invisibili: più è meglio"},
                                                         {"Autore", "Italo Calvino"},
                                                         {"Editore", "Einaudi"},
                                                         {"Anno", "1972"},
                                                         {"Note", "Un libro <bello> & raro"}},
                                                        {{"Titolo", "Good Omens"},
                                                         {"Autore", "Terry Pratchett; Neil Gaiman"},
                                                         {"Editore", "Gollancz"},
                                                         {"Anno", "1990"},
                                                         {"Traduttore", "Luca Conti"},
                                                         {"Collana", "Fantasy"}}}
                                               << QList<int>{};
    QTest::newRow("CSV of comics with the missing-issue mark")
        << "import/albi_mancanti.csv" << KindId::Fumetti
        << Cards{{{"Titolo", "A"}, {"Numero", "1"}, {"Mancante", "Sì"}},
                 {{"Titolo", "B"}, {"Numero", "2"}, {"Mancante", "No"}},
                 {{"Titolo", "C"}, {"Numero", "3"}, {"Mancante", "Sì"}},
                 {{"Titolo", "D"}, {"Numero", "4"}, {"Mancante", "Sì"}},
                 {{"Titolo", "E"}, {"Numero", "5"}, {"Mancante", "No"}},
                 {{"Titolo", "F"}, {"Numero", "6"}, {"Mancante", "No"}},
                 {{"Titolo", "G"}, {"Numero", "7"}, {"Mancante", "No"}}}
        << QList<int>{};
}

void TestCardImport::filesGiveTheirCards()
{
    QFETCH(QString, file);
    QFETCH(KindId, kind);
    QFETCH(Cards, cards);
    QFETCH(QList<int>, photos);
    const Kind& of = Kind::of(kind);
    QVERIFY(importFile(dataFile(file), of, newTarget(of, QStringLiteral("Importato"))));
    const QList<Record> stored = cardsOf(m_folder->file(QStringLiteral("Importato") + of.extension), of);
    QCOMPARE(stored.size(), cards.size());
    for (qsizetype card = 0; card < cards.size(); ++card)
        for (const int field : ColumnNames::choosableFields(of)) {
            const QString name = of.layout.field(field).name;
            QCOMPARE(stored.at(card).text(field), cards.at(card).value(name));
        }
    for (int card = 1; card <= cards.size(); ++card) {
        const CoverPicture photo = CoverPhotos::load(of, QStringLiteral("Importato"), QString::number(card));
        QCOMPARE(!photo.isNull(), photos.contains(card));
        if (!photo.isNull())
            QVERIFY(fileBytes(CoverPhotos::filePath(of, QStringLiteral("Importato"), QString::number(card)))
                        .startsWith("\xFF\xD8")); // a JPEG, as Carica stores it
    }
}

void TestCardImport::columnsAreFoundByName_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QList<SourceColumn>>("columns");
    QTest::addColumn<QString>("fields");

    QTest::newRow("the program's headings") << KindId::Libri
                                            << QList<SourceColumn>{{"Titolo libro", {}},
                                                                   {"Casa editrice", {}},
                                                                   {"Anno pubblicazione", {}},
                                                                   {"Città pubblicazione", {}},
                                                                   {"Posizione su scaffale", {}}}
                                            << "Titolo Editore Anno Citta Posizione";
    QTest::newRow("English names") << KindId::Libri
                                   << QList<SourceColumn>{{"Title", {}}, {"Author", {}}, {"Publisher", {}},
                                                          {"Year", {}},  {"ISBN", {}},   {"Pages", {}},
                                                          {"Price", {}}, {"Notes", {}}}
                                   << "Titolo Autore Editore Anno ISBN Pagine Prezzo Note";
    QTest::newRow("Tellico's titles and names") << KindId::Libri
                                                << QList<SourceColumn>{{"ISBN#", "isbn"},
                                                                       {"Publication Year", "pub_year"},
                                                                       {"Purchase Price", "pur_price"},
                                                                       {"Anything", "translator"},
                                                                       {"Copyright Year", "cr_year"}}
                                                << "ISBN Anno Prezzo Traduttore -";
    QTest::newRow("case, accents, colons and blanks")
        << KindId::Libri
        << QList<SourceColumn>{{"  TITOLO LIBRO: ", {}}, {"citta", {}}, {"Codice_Dewey", {}}, {"Lingua", {}}}
        << "Titolo Citta Dewey Lingua";
    QTest::newRow("a field goes to its first column, unknown names to none")
        << KindId::Libri << QList<SourceColumn>{{"Scaffale 2", {}}, {"Titolo", {}}, {"Title", {}}, {"Autore", {}}}
        << "- Titolo - Autore";
    QTest::newRow("comics")
        << KindId::Fumetti
        << QList<SourceColumn>{{"Issue", {}}, {"Artist", {}}, {"Writer", {}}, {"Albo mancante", {}}, {"Condition", {}}}
        << "Numero Disegnatore Autore Mancante Stato";
    QTest::newRow("DVDs") << KindId::DVD
                          << QList<SourceColumn>{{"Director", {}},
                                                 {"Running Time", {}},
                                                 {"Studio", {}},
                                                 {"Subtitle Languages", "subtitle"},
                                                 {"Titolo DVD", {}}}
                          << "Regista Durata Distribuzione Sottotitoli Titolo";
}

void TestCardImport::columnsAreFoundByName()
{
    QFETCH(KindId, kind);
    QFETCH(QList<SourceColumn>, columns);
    QFETCH(QString, fields);
    QCOMPARE(names(Kind::of(kind), ColumnNames::initialFields(Kind::of(kind), columns)), fields);
}

void TestCardImport::reportNamesEveryChangedCard()
{
    const Kind& books = Kind::libri();
    const QString archive = m_folder->file(QStringLiteral("Tre.lib"));
    appendCards(archive, books, {{{"Titolo", "Uno"}}, {{"Titolo", "Due"}}, {{"Titolo", "Tre"}}});
    const QString csv = m_folder->file(QStringLiteral("elenco.csv"));
    writeFileBytes(csv, "Titolo;Autore;Note\n" + QByteArray(130, 'T') + ";Stanisław Lem;ok\n" + "Łódź;Autore;" +
                            QByteArray(260, 'N') + "\n;;\n");

    const std::optional<ImportReport> report = importFile(csv, books, existingTarget(books, QStringLiteral("Tre")));
    QVERIFY(report);
    QCOMPARE(report->lines(), (QStringList{
                                  "Sono state aggiunte 2 schede all'archivio.",
                                  "",
                                  "Testi tagliati alla lunghezza del loro campo:",
                                  "  scheda 4, Titolo libro: 10 caratteri in meno",
                                  "  scheda 5, Note: 10 caratteri in meno",
                                  "",
                                  "Caratteri che l'archivio non può contenere, sostituiti con \"?\":",
                                  "  scheda 4, Autore: \"ł\"",
                                  "  scheda 5, Titolo libro: \"Ł\" \"ź\"",
                              }));
    const QList<Record> stored = cardsOf(archive, books);
    QCOMPARE(stored.size(), 5);
    QCOMPARE(stored.at(3).text(u"Titolo"), QString(120, u'T'));
    QCOMPARE(stored.at(3).text(u"Autore"), QStringLiteral("Stanis?aw Lem"));
    QCOMPARE(stored.at(4).text(u"Titolo"), QStringLiteral("?ód?"));
}

void TestCardImport::allOrNothing_data()
{
    QTest::addColumn<QString>("file"); // made in the program folder's parent by the row's name
    QTest::addColumn<bool>("intoNew");
    QTest::addColumn<QString>("failure"); // what the user reads; empty: the user stopped it

    const QString access = CatalogueFile::accessErrorText();
    for (const bool intoNew : {true, false}) {
        const char* where = intoNew ? "new archive" : "existing archive";
        QTest::addRow("a row unreadable after 2000 good ones, %s", where)
            << "rotto.csv" << intoNew << "Le virgolette aperte alla riga 2002 non vengono mai chiuse.";
        QTest::addRow("stopped after 500 rows, %s", where) << "lungo.csv" << intoNew << QString();
        QTest::addRow("stopped while the covers are saved, %s", where) << "libri.tc" << intoNew << QString();
        QTest::addRow("the disk full after a megabyte, %s", where) << "lungo.csv" << intoNew << access;
        QTest::addRow("a cover photo cannot be written, %s", where) << "libri.tc" << intoNew << access;
    }
    QTest::addRow("another program holds the archive, existing archive")
        << "corto.csv" << false << "l'archivio è in uso da parte di un altro programma";
    QTest::addRow("the name taken meanwhile, new archive")
        << "corto.csv" << true << "un altro archivio ha preso il nome scelto";
}

void TestCardImport::allOrNothing()
{
    QFETCH(QString, file);
    QFETCH(bool, intoNew);
    QFETCH(QString, failure);
    const Kind& books = Kind::libri();
    const QString tag = QString::fromLatin1(QTest::currentDataTag());

    QDir outside(m_folder->path());
    outside.cdUp();
    const QString source = outside.filePath(file);
    QByteArray rows = "Titolo;Autore\n";
    for (int row = 1; row <= (file == u"corto.csv" ? 3 : 2000); ++row)
        rows += "Titolo " + QByteArray::number(row) + ";Autore\n";
    if (file == u"rotto.csv")
        rows += "\"aperte;x\n";
    if (file == u"libri.tc")
        QVERIFY(QFile::copy(dataFile(QStringLiteral("import/tellico/libri.tc")), source));
    else
        writeFileBytes(source, rows);

    // An existing archive of two cards and half a third, as an interrupted copy leaves one.
    const QString archive = m_folder->file(QStringLiteral("Esistente.lib"));
    appendCards(archive, books, {{{"Titolo", "Primo"}}, {{"Titolo", "Secondo"}}});
    writeFileBytes(archive, fileBytes(archive) + QByteArray(100, '*'));
    if (tag.startsWith(u"a cover photo"))
        writeFileBytes(m_folder->file(books.photoFolder), "un file al posto della cartella delle foto");
    const QMap<QString, QByteArray> before = folderContents(m_folder->path());

    const ImportTarget target =
        intoNew ? newTarget(books, QStringLiteral("Nuovo")) : existingTarget(books, QStringLiteral("Esistente"));
    int questions = 0;
    const Progress progress = [&](qint64 done, qint64 end) {
        ++questions;
        if (tag.startsWith(u"the name taken"))
            writeFileBytes(target.archivePath, "un altro archivio");
        if (tag.startsWith(u"stopped while the covers"))
            return !(done == 1 && end == 1); // the first of one cover
        return !(tag.startsWith(u"stopped") && questions == 2);
    };
    // Another desk saving a card holds the archive's lock for longer than the import waits.
    const int otherDesk = ::open(QFile::encodeName(archive).constData(), O_RDWR);
    std::optional<FileLock> otherDesksLock;
    if (tag.startsWith(u"another program"))
        otherDesksLock.emplace(otherDesk, FileLock::Access::Exclusive, FileLock::kWriterPatience);
    std::unique_ptr<FileSizeLimit> diskFull;
    if (tag.startsWith(u"the disk full"))
        diskFull = std::make_unique<FileSizeLimit>(fileBytes(archive).size() + (1 << 20));
    QString shown;
    std::optional<ImportReport> report;
    try {
        report = importFile(source, books, target, progress);
    } catch (const UserError& error) {
        shown = error.text();
    }
    diskFull.reset();
    otherDesksLock.reset();
    FileLock::closeDescriptor(otherDesk);

    QVERIFY(!report);
    QVERIFY2(failure.isEmpty() ? shown.isEmpty() : shown.contains(failure), qPrintable(shown));
    QMap<QString, QByteArray> expected = before;
    if (tag.startsWith(u"the name taken"))
        expected.insert(QStringLiteral("Nuovo.lib"), "un altro archivio");
    QCOMPARE(folderContents(m_folder->path()), expected);
}

void TestCardImport::theArchiveStaysLockedUntilTheEnd()
{
    const Kind& books = Kind::libri();
    const QString archive = m_folder->file(QStringLiteral("Esistente.lib"));
    appendCards(archive, books, {{{"Titolo", "Primo"}}});
    QByteArray rows = "Titolo\n";
    for (int row = 1; row <= 1000; ++row)
        rows += "Titolo " + QByteArray::number(row) + "\n";
    const QString csv = m_folder->file(QStringLiteral("elenco.csv"));
    writeFileBytes(csv, rows);

    // Between two rows and after the last one, a save on another desk would find the archive locked.
    const int otherDesk = ::open(QFile::encodeName(archive).constData(), O_RDWR);
    const auto lockedElsewhere = [otherDesk] {
        try {
            const FileLock lock(otherDesk, FileLock::Access::Exclusive, std::chrono::milliseconds(0));
            return false;
        } catch (const FileLock::Busy&) {
            return true;
        }
    };
    int questions = 0;
    int lockedAtQuestion = 0;
    const std::optional<ImportReport> report =
        importFile(csv, books, existingTarget(books, QStringLiteral("Esistente")), [&](qint64, qint64) {
            ++questions;
            lockedAtQuestion += lockedElsewhere() ? 1 : 0;
            return true;
        });
    QVERIFY(report);
    QCOMPARE(report->cardsAdded, 1000);
    QVERIFY(questions > 1);
    QCOMPARE(lockedAtQuestion, questions);
    QVERIFY(!lockedElsewhere());
    FileLock::closeDescriptor(otherDesk);
}

QTEST_MAIN(TestCardImport)
#include "tst_card_import.moc"
