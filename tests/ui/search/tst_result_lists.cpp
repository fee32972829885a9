// The result lists of the search and missing-issues windows as people use them: the columns of a
// line side by side under their headings, all within the list, a click on a heading that sorts
// and the quick find, printout and opening that follow the order shown; and the list used from the
// keys alone.
#include "PdfPages.h"
#include "SearchTestSupport.h"
#include "output/ReportPrinter.h"
#include "search/CardListWindow.h"
#include "search/SearchWindow.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>

namespace {
// The list window that `button` of the card window opens, on its result panel.
bool withResults(OpenCard& card, const char* button, const std::function<void(CardListWindow*)>& act)
{
    return withListWindow<CardListWindow>(card, button, [&](CardListWindow* window) {
        if (auto* search = qobject_cast<SearchWindow*>(window))
            click(search, "btnCerca");
        act(window);
    });
}

QStringList titles(const CardListWindow* window)
{
    QStringList shown;
    for (const QString& line : window->lines())
        shown << line.left(55).trimmed();
    return shown;
}

void clickHeading(ResultList* list, int column)
{
    QHeaderView* headings = list->horizontalHeader();
    const QPoint centre(headings->sectionViewportPosition(column) + headings->sectionSize(column) / 2,
                        headings->height() / 2);
    QTest::mouseClick(headings->viewport(), Qt::LeftButton, {}, centre);
}

} // namespace

class TestResultLists : public WindowTest {
    Q_OBJECT

private slots:
    void everyColumnShowsUnderItsHeading_data();
    void everyColumnShowsUnderItsHeading();
    void aClickOnAHeadingSorts_data();
    void aClickOnAHeadingSorts();
    void tabSelectsALineAndEnterOpensIt_data();
    void tabSelectsALineAndEnterOpensIt();

private:
    QString path(KindId kind) const { return folder().file(QStringLiteral("Prova") + Kind::of(kind).extension); }

    // Comics, every one missing, so the search and the missing issues list them alike: Tex, Dylan
    // Dog, Alan Ford and Zagor in the archive, listed by title.
    void writeComics()
    {
        archiveOf(path(KindId::Fumetti), Kind::fumetti(),
                  {{{"Titolo", "Tex"}, {"Autore", "Bonelli"}, {"Numero", "10"}, {"Mancante", "S\xec"}},
                   {{"Titolo", "Dylan Dog"}, {"Autore", "Sclavi"}, {"Numero", "9"}, {"Mancante", "S\xec"}},
                   {{"Titolo", "Alan Ford"}, {"Autore", "Magnus"}, {"Numero", "12"}, {"Mancante", "S\xec"}},
                   {{"Titolo", "Zagor"}, {"Autore", "bonelli"}, {"Numero", "9"}, {"Mancante", "S\xec"}}});
    }
};

void TestResultLists::everyColumnShowsUnderItsHeading_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QString>("button");
    QTest::addColumn<StoredTexts>("stored");
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<QStringList>("cells");

    // Fields as long as a line takes them, so each column is as full as it gets.
    const QByteArray title = "Storia di una lunga ricerca del titolo perfetto per un libro";
    const QByteArray name = "Giovanni Battista Montecastelli";
    QTest::newRow("books")
        << KindId::Libri << "cmdTrova"
        << StoredTexts{{"Titolo", title}, {"Autore", name}, {"Editore", "Arnoldo Mondadori Editore"}, {"Anno", "1999"}}
        << QStringList{"Titolo", "Autore", "Editore", "Anno"}
        << QStringList{QStringLiteral("Storia di una lunga ricerca del titolo perfetto per un"),
                       QStringLiteral("Giovanni Battista Montecastell"), "Arnoldo Mondadori Editore", "1999"};
    const StoredTexts comic{{"Titolo", title},
                            {"Autore", name},
                            {"Numero", "12345678901234567890"},
                            {"Data", "giugno 1958"},
                            {"Mancante", "S\xec"}};
    const QStringList comicCells{QStringLiteral("Storia di una lunga ricerca del titolo perfetto per un"),
                                 QStringLiteral("Giovanni Battista Montecastell"), "12345678901234567890",
                                 "giugno 1958"};
    QTest::newRow("comics") << KindId::Fumetti << "cmdTrova" << comic
                            << QStringList{"Titolo", "Autore", "Albo n.", "Data"} << comicCells;
    QTest::newRow("missing issues") << KindId::Fumetti << "cmdMancanti" << comic
                                    << QStringList{"Titolo", "Autore", "Albo n.", "Data"} << comicCells;
    QTest::newRow("DVDs")
        << KindId::DVD << "cmdTrova"
        << StoredTexts{{"Titolo", title}, {"Regista", name}, {"Protagonista", "Marcello Mastroianni"}, {"Anno", "1960"}}
        << QStringList{"Titolo", "Regista", "Attore", "Anno"}
        << QStringList{QStringLiteral("Storia di una lunga ricerca del titolo perfetto per un"),
                       QStringLiteral("Giovanni Battista Montecastell"), "Marcello Mastroianni", "1960"};
}

void TestResultLists::everyColumnShowsUnderItsHeading()
{
    QFETCH(KindId, kind);
    QFETCH(QString, button);
    QFETCH(StoredTexts, stored);
    QFETCH(QStringList, headings);
    QFETCH(QStringList, cells);
    archiveOf(path(kind), Kind::of(kind), {stored});
    OpenCard card(kind, path(kind));
    QVERIFY(withResults(card, qPrintable(button), [&](CardListWindow* window) {
        ResultList* list = window->lstRecords;
        QVERIFY(list->horizontalHeader()->isVisible());
        QCOMPARE(list->model()->columnCount(), headings.size());
        // On a screen of 1366 x 768 the window fits whole, and so does every column in the list.
        QVERIFY(list->screen()->availableGeometry().contains(window->frameGeometry()));
        for (int column = 0; column < headings.size(); ++column) {
            QCOMPARE(list->model()->headerData(column, Qt::Horizontal).toString(), headings.at(column));
            QCOMPARE(list->model()->index(0, column).data().toString(), cells.at(column));
            QVERIFY(list->columnViewportPosition(column) >= 0);
            QVERIFY2(list->columnViewportPosition(column) + list->columnWidth(column) <= list->viewport()->width(),
                     qPrintable(headings.at(column)));
            QVERIFY(list->columnWidth(column) >= 40);
        }
        QCOMPARE(list->horizontalScrollBar()->value(), 0);
        // The list still holds the lines themselves, which the quick find and the printout use.
        QVERIFY(window->lines().constFirst().startsWith(cells.constFirst()));
    }));
}

void TestResultLists::aClickOnAHeadingSorts_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("search") << "cmdTrova";
    QTest::newRow("missing issues") << "cmdMancanti";
}

void TestResultLists::aClickOnAHeadingSorts()
{
    QFETCH(QString, button);
    writeComics();
    OpenCard card(KindId::Fumetti, path(KindId::Fumetti));
    const QString pdf = folder().file(QStringLiteral("lista.pdf"));
    ReportPrinter::setPrintDialogResponder([&](QPrinter& printer) {
        printer.setOutputFileName(pdf);
        return ReportPrinter::DialogAnswer::Accept;
    });
    QVERIFY(withResults(card, qPrintable(button), [&](CardListWindow* window) {
        ResultList* list = window->lstRecords;
        // The first order is by the whole line, so by title.
        QCOMPARE(titles(window), (QStringList{"Alan Ford", "Dylan Dog", "Tex", "Zagor"}));
        QCOMPARE(list->horizontalHeader()->sortIndicatorSection(), -1);

        // By issue number, 9 before 10; Dylan Dog and Zagor, both 9, in the first order.
        clickHeading(list, 2);
        QCOMPARE(titles(window), (QStringList{"Dylan Dog", "Zagor", "Tex", "Alan Ford"}));
        QCOMPARE(list->horizontalHeader()->sortIndicatorSection(), 2);
        // Again: the other way round, the tie still in the first order.
        clickHeading(list, 2);
        QCOMPARE(titles(window), (QStringList{"Alan Ford", "Tex", "Dylan Dog", "Zagor"}));

        // The quick find goes down the list as shown: Tex, then Zagor, both by Bonelli.
        type(window, "txtTrova", "bonelli");
        click(window, "btnTrova");
        QCOMPARE(list->selectedRow(), 1);
        click(window, "btnTrova");
        QCOMPARE(list->selectedRow(), 3);

        // Another heading sorts from A to Z, whatever the last one did; the selection stays on
        // its card.
        clickHeading(list, 1);
        QCOMPARE(titles(window), (QStringList{"Tex", "Zagor", "Alan Ford", "Dylan Dog"}));
        QCOMPARE(list->selectedRow(), 1);

        // The printout follows the order shown.
        click(window, "btnStampa");
        const QString printed = PdfPages::pdfText(pdf);
        QVERIFY(printed.indexOf(QStringLiteral("Tex")) < printed.indexOf(QStringLiteral("Zagor")));
        QVERIFY(printed.indexOf(QStringLiteral("Zagor")) < printed.indexOf(QStringLiteral("Alan Ford")));
        QVERIFY(printed.indexOf(QStringLiteral("Alan Ford")) < printed.indexOf(QStringLiteral("Dylan Dog")));

        // A line opens its own card: Alan Ford is the third in the archive.
        doubleClickRow(list, 2);
        QVERIFY(!window->isVisible());
    }));
    ReportPrinter::setPrintDialogResponder({});
    QCOMPARE(card.title(), QStringLiteral("Alan Ford"));
    QCOMPARE(card.position(), QStringLiteral("3"));
}

void TestResultLists::tabSelectsALineAndEnterOpensIt_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("search") << "cmdTrova";
    QTest::newRow("missing issues") << "cmdMancanti";
}

void TestResultLists::tabSelectsALineAndEnterOpensIt()
{
    QFETCH(QString, button);
    writeComics();
    OpenCard card(KindId::Fumetti, path(KindId::Fumetti));
    QVERIFY(withResults(card, qPrintable(button), [&](CardListWindow* window) {
        ResultList* list = window->lstRecords;
        QCOMPARE(QApplication::focusWidget(), window->txtTrova);
        QCOMPARE(list->selectedRow(), -1);
        QTest::keyClick(window->txtTrova, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window->btnTrova);
        QTest::keyClick(window->btnTrova, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), list);
        // The line that has the focus is the selected line.
        QCOMPARE(list->selectedRow(), 0);
        QCOMPARE(list->currentIndex().row(), 0);

        // Its mark stands out from the list's white: at least 3:1, at the right end of the line,
        // where no text is.
        const QImage shown = list->viewport()->grab().toImage();
        const QRect line = list->visualRect(list->model()->index(0, 3));
        const QColor mark = shown.pixelColor(line.right() - 3, line.center().y());
        const QColor background = shown.pixelColor(line.right() - 3, shown.height() - 3);
        QVERIFY2(contrastRatio(mark, background) >= 3.0,
                 qPrintable(QStringLiteral("%1 on %2").arg(mark.name(), background.name())));

        // The arrows move the selection; Enter opens the selected line's card, as a double-click.
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->selectedRow(), 1);
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(!window->isVisible());
    }));
    QCOMPARE(card.title(), QStringLiteral("Dylan Dog"));
    QCOMPARE(card.position(), QStringLiteral("2"));
}

CARTAVOX_TEST_MAIN(TestResultLists)
#include "tst_result_lists.moc"
