// What the list windows share, without a window: the line of a card, the search over an archive
// with its case folding, the list order, the quick find, the missing issues and the card a line
// stands for.
#include "CardArchiveBytes.h"
#include "CoreTestSupport.h"
#include "lists/CardSearch.h"
#include "lists/ColumnSort.h"
#include "lists/ListText.h"
#include "lists/ResultLine.h"
#include "storage/CatalogueFile.h"
#include "storage/Text.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTest>

namespace {
// `text` followed by blanks up to `width` characters.
QString pad(const QString& text, int width)
{
    return text + QString(width - text.size(), u' ');
}

QByteArray latin(const QString& text)
{
    return text.toLatin1();
}
} // namespace

class TestListLogic : public QObject {
    Q_OBJECT

private slots:
    void init() { m_folder = std::make_unique<ProgramFolderFixture>(); }
    void cleanup() { m_folder.reset(); }
    void resultLine_data();
    void resultLine();
    void containment_data();
    void containment();
    void criteriaInForceCombine();
    void listOrder();
    void columnSort_data();
    void columnSort();
    void longSharedBeginningsSortAsLinesCompare();
    void quickFind();
    void missingIssues_data();
    void missingIssues();
    void cardOfLine();
    void damagedOrVanishedArchives();

private:
    QString archive(const Kind& kind, const QList<StoredTexts>& cards)
    {
        const QString path = m_folder->file(QStringLiteral("Prova") + kind.extension);
        QByteArray bytes;
        for (const StoredTexts& card : cards)
            bytes += recordBytes(kind, card);
        writeFileBytes(path, bytes);
        return path;
    }

    std::unique_ptr<ProgramFolderFixture> m_folder;
};

void TestListLogic::resultLine_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<StoredTexts>("card");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("cells"); // what each column of the list shows

    struct Case {
        const char* what;
        StoredTexts card;
        QString line;
        QStringList cells;
    };
    const QString sixty = QStringLiteral("Storia di una lunga ricerca del titolo perfetto per un libro");
    QCOMPARE(sixty.size(), 60);
    const KindRows<QList<Case>> cases{
        "cases",
        {{"libri",
          {{"plain",
            {{"Titolo", "Il nome della rosa"},
             {"Autore", "Umberto Eco"},
             {"Editore", "Bompiani"},
             {"Anno", "1980"},
             {"Genere", "Giallo"}},
            pad("Il nome della rosa", 55) + "  Autore: " + pad("Umberto Eco", 30) +
                "  Editore: " + pad("Bompiani", 30) + "  Anno: 1980",
            {"Il nome della rosa", "Umberto Eco", "Bompiani", "1980"}},
           {"title of 60 cut to 55, fields trimmed, empty year",
            {{"Titolo", latin(sixty)}, {"Autore", "  Mario Rossi \t"}, {"Editore", " Einaudi"}},
            sixty.left(55) + "  Autore: " + pad("Mario Rossi", 30) + "  Editore: " + pad("Einaudi", 30) + "  Anno: ",
            {"Storia di una lunga ricerca del titolo perfetto per un", "Mario Rossi", "Einaudi", ""}},
           // A control character inside a field (written by another program) stands as a blank, so
           // the columns stay where they are, on screen and in print.
           {"controls inside fields are blanks",
            {{"Titolo", "Guerra\ne pace"},
             {"Autore", "Lev\tTolstoj"},
             {"Editore", "Ein\x01"
                         "a\x7F"
                         "udi\x81"},
             {"Anno", "18\r\n69"}},
            pad("Guerra e pace", 55) + "  Autore: " + pad("Lev Tolstoj", 30) + "  Editore: " + pad("Ein a udi", 30) +
                "  Anno: 18  69",
            {"Guerra e pace", "Lev Tolstoj", "Ein a udi", "18  69"}}}},
         // The number's field holds 20 characters: the longest fills its column.
         {"fumetti",
          {{"number of 20",
            {{"Titolo", "Tex"},
             {"Autore", "Bonelli"},
             {"Numero", "12345678901234567890"},
             {"Data", "giugno 1958"},
             {"Editore", "Bonelli Editore"}},
            pad("Tex", 55) + "  Autore: " + pad("Bonelli", 30) + "  Albo n. 12345678901234567890  Data: giugno 1958",
            {"Tex", "Bonelli", "12345678901234567890", "giugno 1958"}}}},
         {"dvd",
          {{"director and leading actor, accents decoded",
            {{"Titolo", "La dolce vita"},
             {"Regista", "Federico Fellini"},
             {"Protagonista", "Marcello Mastroianni"},
             {"Anno", "1960"},
             {"Nazione", "Italia"}},
            pad("La dolce vita", 55) + "  Regista: " + pad("Federico Fellini", 30) +
                "  Attore: " + pad("Marcello Mastroianni", 30) + "  Anno: 1960",
            {"La dolce vita", "Federico Fellini", "Marcello Mastroianni", "1960"}},
           {"director of 32 characters cut to 30",
            {{"Titolo", "Citt\xe0"}, {"Regista", "Abcdefghij Abcdefghij Abcdefghij"}},
            pad("Città", 55) + "  Regista: Abcdefghij Abcdefghij Abcdefgh" + "  Attore: " + pad("", 30) + "  Anno: ",
            {"Città", "Abcdefghij Abcdefghij Abcdefgh", "", ""}}}}},
    };
    for (const Kind* kind : Kind::all())
        for (const Case& each : cases.of(*kind))
            addKindRow(kind->id, each.what) << each.card << each.line << each.cells;
}

void TestListLogic::resultLine()
{
    QFETCH(KindId, kind);
    QFETCH(StoredTexts, card);
    QFETCH(QString, line);
    QFETCH(QStringList, cells);
    const Kind& k = Kind::of(kind);
    QCOMPARE(ResultLine(k).of(Record(k.layout, recordBytes(k, card))), line);

    // The columns a list shows the line in, each without the blanks that pad it.
    QStringList shown;
    for (const ResultLine::Span& span : ResultLine(k).spans())
        shown << ColumnSort::cell(line, span).toString();
    QCOMPARE(shown, cells);

    // The search lists the same line.
    const FoundCards found = CardSearch::find(k, archive(k, {card}), {});
    QCOMPARE(found.lines, QStringList{line});
    QCOMPARE(found.numbers, QList<int>{1});
}

// Each case holds for the search, which compares the stored bytes, and for the quick find, which
// compares the lines' text.
void TestListLogic::containment_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");

    QTest::newRow("leading blank: inside") << "Mario Rossi"
                                           << " rossi" << true;
    QTest::newRow("leading blank: at the start") << "Rossi Mario"
                                                 << " rossi" << false;
    QTest::newRow("capitals find small letters") << "rossi"
                                                 << "ROSSI" << true;
    QTest::newRow("small letters find capitals") << "ROSSI"
                                                 << "rossi" << true;
    QTest::newRow("accented capital does not find small") << "perché è così"
                                                          << "È così" << false;
    QTest::newRow("accented small finds itself") << "perché è così"
                                                 << "è così" << true;
    QTest::newRow("trailing blank is part of the key") << "Rossi"
                                                       << "rossi " << false;
    QTest::newRow("key longer than the text") << "Eco"
                                              << "Umberto Eco" << false;
    QTest::newRow("A-Z only: no folding of symbols") << "[a]"
                                                     << "{A}" << false;
    QTest::newRow("last characters") << "Dante Alighieri"
                                     << "IERI" << true;
    QTest::newRow("Windows-1252 letters") << "Citt\u00e0 \u20ac"
                                          << "\u00e0 \u20ac" << true;
}

void TestListLogic::containment()
{
    QFETCH(QString, stored);
    QFETCH(QString, key);
    QFETCH(bool, found);

    QCOMPARE(ListText::containsFolded(stored, key), found);

    const Kind& kind = Kind::libri();
    const QString path = archive(kind, {{{"Titolo", "Uno"}, {"Autore", Text::toWindows1252(stored)}}});
    QCOMPARE(CardSearch::find(kind, path, {{"Autore", key}}).lines.size(), found ? 1 : 0);
}

void TestListLogic::criteriaInForceCombine()
{
    QCOMPARE(CardSearch::inForce({{"Titolo", "   "}, {"Autore", ""}, {"Genere", " giallo "}, {"Note", "\t"}}).size(),
             1);
    QCOMPARE(CardSearch::inForce({{"Genere", " giallo "}}).constFirst().text, QStringLiteral(" giallo "));

    const Kind& kind = Kind::libri();
    const QString path = archive(kind, {{{"Titolo", "A"}, {"Genere", "Giallo classico"}, {"Anno", "1999"}},
                                        {{"Titolo", "B"}, {"Genere", "giallo"}, {"Anno", "2001"}},
                                        {{"Titolo", "C"}, {"Genere", "Saggio"}, {"Anno", "1999"}},
                                        {{"Titolo", "D"}, {"Genere", "Noir giallo"}, {"Anno", "maggio 1999"}}});
    const FoundCards found = CardSearch::find(kind, path, {{"Genere", "giallo"}, {"Anno", "1999"}});
    QCOMPARE(found.numbers, (QList<int>{1, 4}));
    QCOMPARE(CardSearch::find(kind, path, {}).numbers, (QList<int>{1, 2, 3, 4}));
    // A character that Windows-1252 lacks is stored as '?' and can be in no field.
    const QString pathQ = archive(kind, {{{"Titolo", "Wa?esa"}}});
    QCOMPARE(CardSearch::find(kind, pathQ, {{"Titolo", "Wa\u0142esa"}}).lines.size(), 0);
    QCOMPARE(CardSearch::find(kind, pathQ, {{"Titolo", "a?e"}}).lines.size(), 1);
}

void TestListLogic::listOrder()
{
    // Titles only: the rest of each line is blank.
    const Kind& kind = Kind::libri();
    const QString path = archive(kind, {{{"Titolo", "_Zeta"}},
                                        {{"Titolo", "abc"}},
                                        {{"Titolo", "Ab"}},
                                        {{"Titolo", "ABC"}},
                                        {{"Titolo", "b"}},
                                        {{"Titolo", "abc"}},
                                        {{"Titolo", "\xe0 rebours"}},
                                        {{"Titolo", "Zorro"}},
                                        {{"Titolo", "Zorro"}, {"Anno", "1990"}},
                                        {{"Titolo", "Zorro"}, {"Anno", "199"}}});
    const FoundCards found = CardSearch::find(kind, path, {});
    QStringList titles;
    for (const QString& line : found.lines)
        titles << Text::trimmed(line.left(55) + line.mid(144));
    // Letters fold to capitals, so '_' (after 'Z') follows every letter and 'à' comes last; a
    // prefix goes first; lines equal but for case stay in archive order, side by side.
    QCOMPARE(titles, (QStringList{"Ab", "abc", "ABC", "abc", "b", "Zorro", "Zorro" + QString(50, u' ') + "199",
                                  "Zorro" + QString(50, u' ') + "1990", "_Zeta", "à rebours"}));
    QCOMPARE(found.numbers, (QList<int>{3, 2, 4, 6, 5, 8, 10, 9, 1, 7}));

    QVERIFY(ListText::lessInListOrder(u"abc", u"abcd"));
    QVERIFY(!ListText::lessInListOrder(u"abcd", u"abc"));
    QVERIFY(!ListText::lessInListOrder(u"a", u"A"));
    QVERIFY(!ListText::lessInListOrder(u"A", u"a"));
    QVERIFY(ListText::lessInListOrder(u"z", u"_"));
}

// Sorting by a column heading, on comic lines in their first order. A column's cells compare as
// the lists compare, a run of digits by its value; equal cells keep the first order whichever way
// the column is sorted and whatever order was shown before.
void TestListLogic::columnSort_data()
{
    QTest::addColumn<QList<int>>("shown"); // the cards below in the order shown before the click
    QTest::addColumn<int>("column");
    QTest::addColumn<Qt::SortOrder>("order");
    QTest::addColumn<QStringList>("titles");

    const QList<int> first{0, 1, 2, 3, 4};
    QTest::newRow("title: the first order")
        << first << 0 << Qt::AscendingOrder << QStringList{"Alan Ford", "Dylan Dog", "Martin Mystère", "Tex", "Zagor"};
    QTest::newRow("title, reversed") << first << 0 << Qt::DescendingOrder
                                     << QStringList{"Zagor", "Tex", "Martin Mystère", "Dylan Dog", "Alan Ford"};
    QTest::newRow("number: by value, 2 and 002 tie")
        << first << 2 << Qt::AscendingOrder << QStringList{"Zagor", "Martin Mystère", "Tex", "Dylan Dog", "Alan Ford"};
    QTest::newRow("number, reversed: the tie keeps its order")
        << first << 2 << Qt::DescendingOrder << QStringList{"Alan Ford", "Dylan Dog", "Martin Mystère", "Tex", "Zagor"};
    QTest::newRow("author: bonelli and Bonelli tie")
        << first << 1 << Qt::AscendingOrder << QStringList{"Tex", "Zagor", "Martin Mystère", "Alan Ford", "Dylan Dog"};
    QTest::newRow("author, reversed") << first << 1 << Qt::DescendingOrder
                                      << QStringList{"Dylan Dog", "Alan Ford", "Martin Mystère", "Tex", "Zagor"};
    QTest::newRow("date: empty first") << first << 3 << Qt::AscendingOrder
                                       << QStringList{"Tex", "Zagor", "Alan Ford", "Martin Mystère", "Dylan Dog"};
    QTest::newRow("date, reversed: empty last")
        << first << 3 << Qt::DescendingOrder << QStringList{"Dylan Dog", "Martin Mystère", "Alan Ford", "Zagor", "Tex"};
    QTest::newRow("ties in the first order, not in the order shown")
        << QList<int>{4, 3, 2, 1, 0} << 1 << Qt::AscendingOrder
        << QStringList{"Tex", "Zagor", "Martin Mystère", "Alan Ford", "Dylan Dog"};
    QTest::newRow("reversed from another column's order")
        << QList<int>{2, 0, 4, 1, 3} << 2 << Qt::DescendingOrder
        << QStringList{"Alan Ford", "Dylan Dog", "Martin Mystère", "Tex", "Zagor"};
}

void TestListLogic::columnSort()
{
    QFETCH(QList<int>, shown);
    QFETCH(int, column);
    QFETCH(Qt::SortOrder, order);
    QFETCH(QStringList, titles);
    // Comic lines, in the order a search first lists them.
    const QStringList cards{
        pad("Alan Ford", 55) + "  Autore: " + pad("Magnus", 30) + "  Albo n. " + pad("10", 20) + "  Data: 1971",
        pad("Dylan Dog", 55) + "  Autore: " + pad("Sclavi", 30) + "  Albo n. " + pad("9", 20) + "  Data: 1986",
        pad("Martin Mystère", 55) + "  Autore: " + pad("Castelli", 30) + "  Albo n. " + pad("2", 20) + "  Data: 1982",
        pad("Tex", 55) + "  Autore: " + pad("bonelli", 30) + "  Albo n. " + pad("002", 20) + "  Data: ",
        pad("Zagor", 55) + "  Autore: " + pad("Bonelli", 30) + "  Albo n. " + pad("", 20) + "  Data: 1961",
    };
    const QList<ResultLine::Span> spans{{0, 55}, {65, 30}, {105, 20}, {133, 0}};

    QStringList lines;
    for (int card : shown)
        lines << cards.at(card);
    QList<int> firstOrder;
    for (int card = 0; card < cards.size(); ++card)
        firstOrder << int(shown.indexOf(card));

    QStringList sorted;
    for (int row : ColumnSort::sorted(lines, spans.at(column), order, firstOrder))
        sorted << lines.at(row).left(55).trimmed();
    QCOMPARE(sorted, titles);
}

void TestListLogic::longSharedBeginningsSortAsLinesCompare()
{
    // Lines of a series: long beginnings in common, ends at every length, case and accents mixed.
    QRandomGenerator random(21);
    FoundCards cards;
    const QString stems[] = {QString(), QStringLiteral("Le avventure di Tex Willer, volume "),
                             QStringLiteral("LE AVVENTURE DI TEX WILLER, VOLUME "),
                             QStringLiteral("Le avventure di T")};
    const QString tails = QStringLiteral("aAbB zZ_\u00e0\u20ac0");
    for (int n = 1; n <= 3000; ++n) {
        QString line = stems[random.bounded(4)];
        for (int i = int(random.bounded(12)); i > 0; --i)
            line += tails.at(random.bounded(int(tails.size())));
        cards.lines.append(line);
        cards.numbers.append(n);
    }
    QList<int> expected(cards.numbers);
    std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
        return ListText::lessInListOrder(cards.lines.at(a - 1), cards.lines.at(b - 1));
    });
    CardSearch::sortInListOrder(cards);
    QCOMPARE(cards.numbers, expected);
}

void TestListLogic::quickFind()
{
    const QStringList lines{"Uno", "Il Giallo", "Tre", "Quattro", "giallo fine", "Sei"};
    QuickFind find;
    QCOMPARE(find.press(lines, -1, "GIALLO"), 1);
    QCOMPARE(find.press(lines, 1, "GIALLO"), 4);
    QCOMPARE(find.press(lines, 4, "giallo"), 1); // the same key in another case
    // A changed key looks from the top, the first line included.
    QCOMPARE(find.press(lines, 1, "uno"), 0);
    QCOMPARE(find.press(lines, 0, "uno"), 0); // the only match, found again last
    QCOMPARE(find.press(lines, 3, "assente"), -1);
    QCOMPARE(find.press(lines, 3, ""), -1); // an empty key matches nothing
    QCOMPARE(find.press(lines, 3, "tr"), 2);
    find.forget();
    QCOMPARE(find.press(lines, 2, "tr"), 2); // forgotten: from the top again
}

void TestListLogic::missingIssues_data()
{
    QTest::addColumn<QByteArray>("mark");
    QTest::addColumn<bool>("listed");
    QTest::newRow("Sì") << QByteArray("S\xec") << true;
    QTest::newRow("No") << QByteArray("No") << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("si") << QByteArray("si") << false;
    QTest::newRow("SI") << QByteArray("SI") << false;
    QTest::newRow("SÌ") << QByteArray("S\xcc") << false;
    QTest::newRow("sì") << QByteArray("s\xec") << false;
}

void TestListLogic::missingIssues()
{
    QFETCH(QByteArray, mark);
    QFETCH(bool, listed);
    const Kind& kind = Kind::fumetti();
    const QString path = archive(kind, {{{"Titolo", "Zagor"}, {"Numero", "1"}, {"Mancante", "S\xec"}},
                                        {{"Titolo", "Tex"}, {"Numero", "2"}, {"Mancante", mark}},
                                        {{"Titolo", "Dylan Dog"}, {"Numero", "3"}, {"Mancante", "No"}}});
    const FoundCards found = CardSearch::missingIssues(kind, path);
    QCOMPARE(found.numbers, (listed ? QList<int>{2, 1} : QList<int>{1}));
    QCOMPARE(found.lines.constFirst(),
             listed ? pad("Tex", 55) + "  Autore: " + pad("", 30) + "  Albo n. " + pad("2", 20) + "  Data: "
                    : pad("Zagor", 55) + "  Autore: " + pad("", 30) + "  Albo n. " + pad("1", 20) + "  Data: ");
}

void TestListLogic::cardOfLine()
{
    const Kind& kind = Kind::libri();
    const StoredTexts same{{"Titolo", "Gemelli"}, {"Autore", "Uguale"}, {"Note", "primo"}};
    StoredTexts twin = same;
    twin["Note"] = "secondo";
    const QString path = archive(kind, {{{"Titolo", "Altro"}}, same, twin});
    const FoundCards found = CardSearch::find(kind, path, {{"Titolo", "gemelli"}});
    QCOMPARE(found.lines.size(), 2);
    QCOMPARE(found.lines.at(0), found.lines.at(1));

    // Each line opens its own card.
    for (int row : {0, 1}) {
        const auto card = CardSearch::cardOfLine(kind, path, found.lines.at(row), found.numbers.at(row));
        QVERIFY(card);
        QCOMPARE(card->number, row + 2);
        QCOMPARE(card->record.text(u"Note"), row ? QStringLiteral("secondo") : QStringLiteral("primo"));
    }

    // The archive changed behind the list: the number no longer gives the line, the last card that
    // gives it is opened; with none, nothing.
    archive(kind, {same, {{"Titolo", "Altro"}}, twin, {{"Titolo", "Ancora"}}});
    const auto moved = CardSearch::cardOfLine(kind, path, found.lines.at(0), 2);
    QVERIFY(moved);
    QCOMPARE(moved->number, 3);
    QVERIFY(!CardSearch::cardOfLine(kind, path, found.lines.at(0) + "x", 1));
    const auto pastTheEnd = CardSearch::cardOfLine(kind, path, found.lines.at(0), 9);
    QVERIFY(pastTheEnd);
    QCOMPARE(pastTheEnd->number, 3);
}

void TestListLogic::damagedOrVanishedArchives()
{
    const Kind& kind = Kind::fumetti();
    // An oversized length byte reads as the capacity; bytes after the last whole card are not read.
    QByteArray damaged = recordBytes(kind, {{"Titolo", "Intera"}, {"Mancante", "S\xec"}});
    damaged[0] = char(0xFF);
    damaged += recordBytes(kind, {{"Titolo", "Tronca"}, {"Mancante", "S\xec"}}).left(100);
    const QString path = m_folder->file(QStringLiteral("Rotta.fum"));
    writeFileBytes(path, damaged);
    const FoundCards found = CardSearch::find(kind, path, {});
    QCOMPARE(found.numbers, QList<int>{1});
    QCOMPARE(found.lines.constFirst().size(), 55 + 10 + 30 + 10 + 20 + 8);
    QCOMPARE(CardSearch::missingIssues(kind, path).numbers, QList<int>{1});

    // A folder where the archive should be: the search fails, the missing issues are none.
    const QString folder = m_folder->file(QStringLiteral("Cartella.fum"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, CardSearch::find(kind, folder, {}));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, CardSearch::cardOfLine(kind, folder, "x", 1));
    QCOMPARE(CardSearch::missingIssues(kind, folder).lines.size(), 0);

    // A missing archive is created empty.
    const QString missing = m_folder->file(QStringLiteral("Nuova.fum"));
    QCOMPARE(CardSearch::find(kind, missing, {}).lines.size(), 0);
    QVERIFY(QFile::exists(missing));
}

QTEST_GUILESS_MAIN(TestListLogic)
#include "tst_list_logic.moc"
