// The Dewey table window opened from the book card: loading after it is on screen, picking a
// number into txtDewey, closing, the keyboard, and the quick find whose key outlives the window.
#include "TestSupport.h"
#include "cards/CardWindow.h"
#include "output/ReportPrinter.h"
#include "search/ResultList.h"
#include "search/TfrmCodici_Dewey.h"
#include "start/Windows.h"
#include "widgets/Picture.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
const QString kEmptyList = QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");

CardWindow* bookCard()
{
    return Windows::card(KindId::Libri);
}

QLineEdit* txtDewey()
{
    return bookCard()->field(QStringLiteral("Dewey"));
}

// Opens the table with the book card's btnDewey and runs `act` in it; whatever `act` leaves open
// is closed, so a failing check cannot hang the test.
void withTable(const std::function<void(TfrmCodici_Dewey*)>& act)
{
    bool opened = false;
    whenModalOpens([&](QWidget* modal) {
        auto* table = qobject_cast<TfrmCodici_Dewey*>(modal);
        if (!table)
            return;
        opened = true;
        QVERIFY(QTest::qWaitForWindowActive(table));
        act(table);
        if (table->isVisible())
            table->reject();
    });
    click(bookCard(), QStringLiteral("btnDewey"));
    QVERIFY(opened);
}

// Lets the loading timer fire now instead of a second later, through its own connection.
void load(TfrmCodici_Dewey* table)
{
    auto* timer = child<QTimer>(table, QStringLiteral("timCarica"));
    QVERIFY(timer->isActive());
    timer->start(0);
    QTRY_COMPARE(child<ResultList>(table, QStringLiteral("lstRecords"))->count(), 3721);
}

// A double-click as the mouse gives it: the first click, then the second press as a double-click.
void doubleClick(ResultList* list, QPoint at)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

QRect rowRect(ResultList* list, int row)
{
    return list->visualRect(list->model()->index(row, 0));
}

void doubleClickRow(ResultList* list, int row)
{
    list->scrollTo(list->model()->index(row, 0));
    doubleClick(list, rowRect(list, row).center());
}

QString selectedText(ResultList* list)
{
    const int row = list->selectedRow();
    return row >= 0 ? list->lines().at(row) : QString();
}
} // namespace

class TestDeweyWindow : public WindowTest {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensWithThePictureThenLoadsTheTable();
    void trovaBeforeLoadingSaysTheListIsEmpty();
    void doubleClickCopiesTheNumber_data();
    void doubleClickCopiesTheNumber();
    void closingLeavesTheNumberAndFocusesIt_data();
    void closingLeavesTheNumberAndFocusesIt();
    void enterMovesToTrovaAndPressesOnlyAFocusedButton();
    void trovaWalksTheMatchesAndWraps();
    void rememberedKeyOutlivesTheWindow();
    void stampaShowsTheWaitingTextWhilePressed();
};

void TestDeweyWindow::init()
{
    WindowTest::init();
    bookCard()->present();
    txtDewey()->setText(QStringLiteral("123"));
    bookCard()->field(QStringLiteral("Titolo"))->setFocus();
}

void TestDeweyWindow::cleanup()
{
    bookCard()->hide();
    WindowTest::cleanup();
}

void TestDeweyWindow::opensWithThePictureThenLoadsTheTable()
{
    withTable([](TfrmCodici_Dewey* table) {
        QCOMPARE(table->windowTitle(), QStringLiteral(" Tabella Codici Dewey"));
        QCOMPARE(table->size(), QSize(861, 561));
        QCOMPARE(child<QLabel>(table, QStringLiteral("lblMemory"))->text(), QStringLiteral("libri"));
        const struct {
            const char* name;
            const char* text;
        } texts[] = {
            {"lblRigo01", "Immettere una o più parole consecutive presenti nella voce in elenco da cercare e premere "
                          "il pulsante Trova."},
            {"lblRigo02", "Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di nuovo "
                          "clic su Trova."},
            {"lblRigo03", "Per importare un codice Dewey dall'elenco, selezionarlo con un doppio clic."},
            {"lblAttendere", "Stampa in corso. Attendere..."},
        };
        for (const auto& [name, text] : texts)
            QCOMPARE(child<QLabel>(table, QLatin1String(name))->text(), QString::fromUtf8(text));
        for (const char* name : {"btnTrova", "btnStampa", "btnChiudi"})
            QVERIFY(!child<QPushButton>(table, QLatin1String(name))->autoDefault());
        QCOMPARE(child<QPushButton>(table, QStringLiteral("btnTrova"))->text(), QStringLiteral("&Trova"));
        QCOMPARE(child<QPushButton>(table, QStringLiteral("btnStampa"))->text(), QStringLiteral("&Stampa"));
        QCOMPARE(child<QPushButton>(table, QStringLiteral("btnChiudi"))->text(), QStringLiteral("&Chiudi"));

        // On screen and waiting: the list is empty under the loading picture, the key field has
        // the focus, and the timer will load once, a second after the show.
        auto* list = child<ResultList>(table, QStringLiteral("lstRecords"));
        auto* picture = child<Picture>(table, QStringLiteral("panDewey"));
        auto* timer = child<QTimer>(table, QStringLiteral("timCarica"));
        QCOMPARE(list->count(), 0);
        QVERIFY(picture->isVisible());
        QVERIFY(list->geometry().contains(picture->geometry()));
        QVERIFY(!child<QLabel>(table, QStringLiteral("lblAttendere"))->isVisible());
        QVERIFY(child<QLineEdit>(table, QStringLiteral("txtTrova"))->hasFocus());
        QVERIFY(timer->isSingleShot());
        QCOMPARE(timer->interval(), 1000);
        QTest::qWait(50);
        QCOMPARE(list->count(), 0);
        // The second click of a double-click on btnDewey lands here without a first click of its
        // own: it must not close the window.
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(table->isVisible());

        load(table);
        QVERIFY(!timer->isActive());
        QVERIFY(!picture->isVisible());
        QCOMPARE(list->lines().at(0), QStringLiteral("001 CONOSCENZA"));
        QCOMPARE(list->lines().at(1917), QStringLiteral("741 VIGNETTE, CARICATURE, FUMETTI"));
        QCOMPARE(list->lines().at(3720), QStringLiteral("999 STORIA DI MONDI EXTRATERRESTRI"));
        QCOMPARE(list->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(list->font().pixelSize(), 12);
        QCOMPARE(list->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(list->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(list->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        // A caption is never cut: the widest row fits in the scrolled width.
        const QFontMetrics metrics(list->font());
        int widest = 760;
        for (int row = 0; row < list->count(); ++row)
            widest = std::max(widest, metrics.horizontalAdvance(list->lines().at(row)));
        QVERIFY(rowRect(list, 0).width() >= widest);
    });
    QCOMPARE(txtDewey()->text(), QStringLiteral("123"));
}

void TestDeweyWindow::trovaBeforeLoadingSaysTheListIsEmpty()
{
    withTable([this](TfrmCodici_Dewey* table) {
        type(table, QStringLiteral("txtTrova"), QStringLiteral("musica"));
        click(table, QStringLiteral("btnTrova"));
        QCOMPARE(messages().count(), 1);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Plain);
        QCOMPARE(messages().last().text, kEmptyList);
        QVERIFY(table->isVisible());
        QVERIFY(child<Picture>(table, QStringLiteral("panDewey"))->isVisible());
        QCOMPARE(child<QLineEdit>(table, QStringLiteral("txtTrova"))->text(), QStringLiteral("musica"));
    });
}

void TestDeweyWindow::doubleClickCopiesTheNumber_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("741") << 1918 << "741 VIGNETTE, CARICATURE, FUMETTI"
                         << "741" << false;
    QTest::newRow("leading zeros") << 1 << "001 CONOSCENZA"
                                   << "001" << false;
    QTest::newRow("Enter on a row") << 1918 << "741 VIGNETTE, CARICATURE, FUMETTI"
                                    << "741" << true;
}

void TestDeweyWindow::doubleClickCopiesTheNumber()
{
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(QString, number);
    QFETCH(bool, byEnter);
    bool closed = false;
    withTable([&](TfrmCodici_Dewey* table) {
        load(table);
        auto* list = child<ResultList>(table, QStringLiteral("lstRecords"));
        QCOMPARE(list->lines().at(row - 1), text);
        if (byEnter) {
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Return); // nothing selected yet: nothing happens
            QVERIFY(table->isVisible());
            list->selectRow(row - 1);
            QTest::keyClick(list, Qt::Key_Enter);
        } else {
            doubleClickRow(list, row - 1);
        }
        closed = !table->isVisible();
    });
    QVERIFY(closed);
    QCOMPARE(txtDewey()->text(), number);
    QCOMPARE(bookCard()->focusWidget(), txtDewey());
}

void TestDeweyWindow::closingLeavesTheNumberAndFocusesIt_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("how");
    QTest::newRow("Chiudi while loading") << false << "Chiudi";
    QTest::newRow("Chiudi when loaded") << true << "Chiudi";
    QTest::newRow("Enter on Chiudi") << true << "Enter";
    QTest::newRow("Escape") << true << "Escape";
    QTest::newRow("double-click on the empty list") << false << "double-click";
}

void TestDeweyWindow::closingLeavesTheNumberAndFocusesIt()
{
    QFETCH(bool, loaded);
    QFETCH(QString, how);
    bool closed = false;
    withTable([&](TfrmCodici_Dewey* table) {
        if (loaded)
            load(table);
        auto* list = child<ResultList>(table, QStringLiteral("lstRecords"));
        if (how == QLatin1String("Chiudi")) {
            click(table, QStringLiteral("btnChiudi"));
        } else if (how == QLatin1String("Enter")) {
            auto* chiudi = child<QPushButton>(table, QStringLiteral("btnChiudi"));
            chiudi->setFocus();
            QTest::keyClick(chiudi, Qt::Key_Return);
        } else if (how == QLatin1String("Escape")) {
            QTest::keyClick(child<QLineEdit>(table, QStringLiteral("txtTrova")), Qt::Key_Escape);
        } else {
            doubleClick(list, QPoint(10, 10));
        }
        closed = !table->isVisible();
    });
    QVERIFY(closed);
    QCOMPARE(txtDewey()->text(), QStringLiteral("123"));
    QCOMPARE(bookCard()->focusWidget(), txtDewey());
}

void TestDeweyWindow::enterMovesToTrovaAndPressesOnlyAFocusedButton()
{
    withTable([this](TfrmCodici_Dewey* table) {
        auto* key = child<QLineEdit>(table, QStringLiteral("txtTrova"));
        auto* trova = child<QPushButton>(table, QStringLiteral("btnTrova"));
        auto* list = child<ResultList>(table, QStringLiteral("lstRecords"));

        // Before loading a press of Trova would say the list is empty: Enter in the key field
        // only moves on.
        QTest::keyClicks(key, QStringLiteral("vignette"));
        QTest::keyClick(key, Qt::Key_Return);
        QVERIFY(trova->hasFocus());
        QCOMPARE(messages().count(), 0);
        QTest::keyClick(trova, Qt::Key_Return);
        QCOMPARE(messages().count(), 1);
        QCOMPARE(messages().last().text, kEmptyList);

        load(table);
        key->setFocus();
        QTest::keyClick(key, Qt::Key_Enter);
        QVERIFY(trova->hasFocus());
        QVERIFY(list->selectedRow() < 0);
        QTest::keyClick(trova, Qt::Key_Enter);
        QCOMPARE(selectedText(list), QStringLiteral("741 VIGNETTE, CARICATURE, FUMETTI"));
        QVERIFY(table->isVisible());
    });
    QCOMPARE(txtDewey()->text(), QStringLiteral("123"));
}

void TestDeweyWindow::trovaWalksTheMatchesAndWraps()
{
    withTable([](TfrmCodici_Dewey* table) {
        load(table);
        auto* list = child<ResultList>(table, QStringLiteral("lstRecords"));
        QList<int> matches;
        for (int row = 0; row < list->count(); ++row)
            if (list->lines().at(row).contains(QStringLiteral("MUSICA")))
                matches.append(row);
        QVERIFY(matches.size() > 2);
        QCOMPARE(matches.first(), 2152); // "780 MUSICA", the 2153rd row

        type(table, QStringLiteral("txtTrova"), QStringLiteral("MuSiCa"));
        for (int row : matches) {
            click(table, QStringLiteral("btnTrova"));
            QCOMPARE(list->selectedRow(), row);
            QVERIFY(rowRect(list, row).intersects(list->viewport()->rect()));
        }
        click(table, QStringLiteral("btnTrova"));
        QCOMPARE(selectedText(list), QStringLiteral("780 MUSICA"));

        // A key found nowhere leaves the selection where it was.
        type(table, QStringLiteral("txtTrova"), QStringLiteral("xyzzy"));
        click(table, QStringLiteral("btnTrova"));
        QCOMPARE(selectedText(list), QStringLiteral("780 MUSICA"));
    });
}

void TestDeweyWindow::rememberedKeyOutlivesTheWindow()
{
    const QString key = QStringLiteral("001 conoscenza");
    withTable([&](TfrmCodici_Dewey* table) {
        load(table);
        type(table, QStringLiteral("txtTrova"), key);
        click(table, QStringLiteral("btnTrova"));
        QCOMPARE(child<ResultList>(table, QStringLiteral("lstRecords"))->selectedRow(), 0);
    });
    // A fresh window, the same key: the scan goes on after the first row and tests it last.
    withTable([&](TfrmCodici_Dewey* table) {
        QCOMPARE(child<QLineEdit>(table, QStringLiteral("txtTrova"))->text(), QString());
        load(table);
        auto* list = child<ResultList>(table, QStringLiteral("lstRecords"));
        type(table, QStringLiteral("txtTrova"), key);
        click(table, QStringLiteral("btnTrova"));
        QVERIFY(list->selectedRow() > 1 && list->selectedRow() < 12);
        QVERIFY(selectedText(list).startsWith(QStringLiteral("001 CONOSCENZA")));
    });
}

void TestDeweyWindow::stampaShowsTheWaitingTextWhilePressed()
{
    withTable([](TfrmCodici_Dewey* table) {
        load(table);
        auto* stampa = child<QPushButton>(table, QStringLiteral("btnStampa"));
        auto* waiting = child<QLabel>(table, QStringLiteral("lblAttendere"));
        // The table goes to a PDF file in place of the printer; the waiting text is up meanwhile.
        const QString pdf = QDir(QDir::tempPath()).filePath(QStringLiteral("dewey_stampa.pdf"));
        QFile::remove(pdf);
        bool waitingWhilePrinting = false;
        QString jobName;
        ReportPrinter::setPrintDialogResponder([&](QPrinter& printer) {
            waitingWhilePrinting = waiting->isVisible();
            jobName = printer.docName();
            printer.setOutputFileName(pdf);
            return ReportPrinter::DialogAnswer::Accept;
        });
        QTest::mousePress(stampa, Qt::LeftButton);
        QVERIFY(waiting->isVisible());
        QTest::mouseRelease(stampa, Qt::LeftButton);
        ReportPrinter::setPrintDialogResponder({});
        QVERIFY(waitingWhilePrinting);
        QCOMPARE(jobName, QStringLiteral("Tabella Codici Dewey"));
        QVERIFY(!waiting->isVisible());
        QVERIFY(QFileInfo(pdf).size() > 0);
        QFile::remove(pdf);

        // Let go outside the button: no click, no printing, no waiting text left behind.
        QTest::mousePress(stampa, Qt::LeftButton);
        QTest::mouseRelease(stampa, Qt::LeftButton, {}, QPoint(-20, -20));
        QVERIFY(!waiting->isVisible());
        QVERIFY(table->isVisible());
    });
}

CARTAVOX_TEST_MAIN(TestDeweyWindow)
#include "tst_dewey_window.moc"
