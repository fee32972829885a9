// The program worked with the keys alone: from the start window to a saved card, every key sent to
// the widget that has the focus; the mark that shows which picture has it; the mouse, which leaves
// the focus where it was.
#include "TestSupport.h"
#include "cards/CardWindow.h"
#include "start/TfrmAvvio.h"
#include "start/TfrmPassword.h"
#include "start/Windows.h"
#include "storage/CatalogueFile.h"
#include "widgets/FocusMark.h"
#include "widgets/PictureButton.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {
QString focused()
{
    QWidget* widget = QApplication::focusWidget();
    return widget ? widget->objectName() : QString();
}

// A key pressed and released where the focus is, as the keyboard sends it.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* widget = QApplication::focusWidget();
    QVERIFY2(widget, "no widget has the focus");
    QTest::keyClick(widget, key, modifiers);
}

// Key by key, a blank with the space bar.
void typeHere(const QString& text)
{
    QWidget* widget = QApplication::focusWidget();
    QVERIFY2(widget, "no widget has the focus");
    QTest::keyClicks(widget, text);
}

// The names of the widgets that Tab reaches, one press after the other, `presses` times.
QStringList tabRoad(int presses)
{
    QStringList road;
    for (int i = 0; i < presses; ++i) {
        press(Qt::Key_Tab);
        road << focused();
    }
    return road;
}

// The marks of a window that are on screen, by the name of the picture each one marks.
QStringList shownMarks(QWidget* window)
{
    QStringList marked;
    for (FocusMark* mark : window->findChildren<FocusMark*>())
        if (mark->isVisible())
            marked << mark->button()->objectName();
    return marked;
}
} // namespace

class KeyboardOnlyTest : public WindowTest {
    Q_OBJECT

private slots:
    void fromTheStartWindowToASavedCard();
    void theMarkShowsWhileTheKeysAreInUse();
    void tabWalksTheCardThenItsPictures_data();
    void tabWalksTheCardThenItsPictures();
    void aClickOnAPictureLeavesTheFocusInTheField();
    void theArchiveListShowsItsFocusWhileTheKeysAreInUse();
    void theOpenWindowOpensOnItsList();
    void thePasswordWindowTabsInReadingOrder();

private:
    // The window comes to the front, and the keys go to it.
    static bool comesUp(QWidget* window) { return window->isVisible() && QTest::qWaitForWindowActive(window); }
};

void KeyboardOnlyTest::fromTheStartWindowToASavedCard()
{
    TfrmAvvio* start = Windows::avvio();
    start->present();
    QVERIFY(comesUp(start));
    // The first of the three catalogue pictures has the focus.
    QCOMPARE(focused(), QStringLiteral("imgLibri"));

    // Space presses a picture: the books menu, with the focus on its first button.
    press(Qt::Key_Space);
    ChainWindow* menu = Windows::menu(KindId::Libri);
    QVERIFY(comesUp(menu));
    QCOMPARE(focused(), QStringLiteral("btnCrea"));
    press(Qt::Key_Return);

    // The name is typed with its blank; Enter in the name does nothing, the bar's pictures follow.
    ChainWindow* create = Windows::create(KindId::Libri);
    QVERIFY(comesUp(create));
    QCOMPARE(focused(), QStringLiteral("txtFile"));
    typeHere(QStringLiteral("Casa mia"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), QStringLiteral("txtFile"));
    QCOMPARE(child<QLineEdit>(create, QStringLiteral("txtFile"))->text(), QStringLiteral("Casa mia"));
    QCOMPARE(messages().count(), 0);
    QCOMPARE(tabRoad(3), QStringList({"imgGuida", "btnAnnulla", "btnApplica"}));
    QCOMPARE(shownMarks(create), QStringList{QStringLiteral("btnApplica")});
    press(Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(messages().count(), 1);
    QVERIFY(QFile::exists(folder().file(QStringLiteral("Casa mia.lib"))));

    // Back on the start window the focus is where it was; on to the archive just made.
    QVERIFY(comesUp(start));
    QCOMPARE(focused(), QStringLiteral("imgLibri"));
    press(Qt::Key_Return);
    QVERIFY(comesUp(menu));
    press(Qt::Key_Tab);
    QCOMPARE(focused(), QStringLiteral("btnCompila"));
    press(Qt::Key_Space);
    ChainWindow* open = Windows::open(KindId::Libri);
    QVERIFY(comesUp(open));
    QCOMPARE(focused(), QStringLiteral("lstFiles"));
    // The list's first line is the current one; Space selects it, as in any list.
    press(Qt::Key_Space);
    QCOMPARE(child<QListWidget>(open, QStringLiteral("lstFiles"))->selectedItems().size(), 1);
    QCOMPARE(tabRoad(4), QStringList({"imgGuida", "btnElimina", "btnAnnulla", "btnApri"}));
    press(Qt::Key_Return);

    // The card: Space types a blank, Enter walks the ring, Tab goes on past the last field to
    // the hidden focus button and then to the toolbar.
    CardWindow* card = Windows::card(KindId::Libri);
    QVERIFY(comesUp(card));
    QCOMPARE(focused(), QStringLiteral("txtTitolo"));
    typeHere(QStringLiteral("I promessi sposi"));
    press(Qt::Key_Return);
    QCOMPARE(focused(), QStringLiteral("txtAutore"));
    typeHere(QStringLiteral("Manzoni"));
    QStringList road;
    while (road.size() < 40 && focused() != QLatin1String("cmdSalva")) {
        press(Qt::Key_Tab);
        road << focused();
    }
    QCOMPARE(road.mid(road.indexOf(QStringLiteral("txtNote"))),
             QStringList({"txtNote", "cmdNuovo", "cmdDuplica", "cmdSalva"}));
    QCOMPARE(road.first(), QStringLiteral("txtNazione"));
    QCOMPARE(shownMarks(card), QStringList{QStringLiteral("cmdSalva")});
    // The arrows walk along the toolbar too.
    press(Qt::Key_Left);
    QCOMPARE(focused(), QStringLiteral("cmdDuplica"));
    press(Qt::Key_Right);
    QCOMPARE(focused(), QStringLiteral("cmdSalva"));

    press(Qt::Key_Space);
    QCOMPARE(messages().count(), 2);
    QCOMPARE(messages().last().text, QStringLiteral("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(child<QLabel>(card, QStringLiteral("lblPosizione"))->text(), QStringLiteral("1"));
    CatalogueFile archive(Kind::libri().layout);
    archive.open(folder().file(QStringLiteral("Casa mia.lib")));
    QCOMPARE(archive.recordCount(), 1);
    const Record saved = archive.readCard(1);
    QCOMPARE(saved.text(QStringLiteral("Titolo")), QStringLiteral("I promessi sposi"));
    QCOMPARE(saved.text(QStringLiteral("Autore")), QStringLiteral("Manzoni"));
    archive.close();
}

void KeyboardOnlyTest::theMarkShowsWhileTheKeysAreInUse()
{
    TfrmAvvio* start = Windows::avvio();
    start->present();
    QVERIFY(comesUp(start));
    // A click first: whoever uses the mouse sees no mark, though the picture has the focus.
    QTest::mouseClick(start->imgTitolo, Qt::LeftButton);
    QCOMPARE(focused(), QStringLiteral("imgLibri"));
    QCOMPARE(shownMarks(start), QStringList());

    press(Qt::Key_Tab);
    QCOMPARE(focused(), QStringLiteral("imgFumetti"));
    QCOMPARE(shownMarks(start), QStringList{QStringLiteral("imgFumetti")});
    // Around the picture, covering nothing of it.
    auto* mark = start->findChildren<FocusMark*>().constFirst();
    for (FocusMark* each : start->findChildren<FocusMark*>())
        if (each->isVisible())
            mark = each;
    QCOMPARE(mark->geometry(), start->imgFumetti->geometry().adjusted(-5, -5, 5, 5));

    // The mouse takes the mark away, a key brings it back.
    QTest::mouseClick(start->imgTitolo, Qt::LeftButton);
    QCOMPARE(focused(), QStringLiteral("imgFumetti"));
    QCOMPARE(shownMarks(start), QStringList());
    press(Qt::Key_Shift);
    QCOMPARE(shownMarks(start), QStringList{QStringLiteral("imgFumetti")});

    // Shift+Tab goes back; the pictures that repeat a choice are passed over.
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focused(), QStringLiteral("imgLibri"));
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focused(), QStringLiteral("imgEsci"));
}

void KeyboardOnlyTest::tabWalksTheCardThenItsPictures_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QStringList>("road");

    // The fields in the order of their ring, the check box and the focus button as ever; then the
    // toolbar left to right, the photo buttons and, on the books, the Dewey picture.
    const QStringList toolbar{"cmdNuovo",     "cmdDuplica", "cmdSalva", "cmdTrova",    "cmdFile",   "cmdElimina",
                              "cmdAnteprima", "cmdStampa",  "cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"};
    const QStringList toolbarEnd{"cmdEsporta", "cmdSlideshow", "cmdGuida", "cmdEsci"};
    const QStringList photo{"btnCaricaFoto", "btnSalvaFoto", "btnCancFoto", "btnZoomFoto"};
    const KindRows<QStringList> roads{
        "roads",
        {{"libri",
          QStringList{"txtTitolo",  "txtAutore",   "txtNazione",   "txtAnno",      "txtEditore",   "txtCitta",
                      "txtDewey",   "txtGenere",   "txtISBN",      "txtLingua",    "txtOriginale", "txtTraduttore",
                      "txtCollana", "txtCuratore", "txtPosizione", "txtEtichetta", "txtFormato",   "txtVolumi",
                      "txtPagine",  "txtPrezzo",   "txtGiudizio",  "txtNote"} +
              toolbar + toolbarEnd + photo + QStringList{"btnDewey"}},
         {"fumetti",
          QStringList{"txtTitolo",     "txtNumero",    "txtAutore",    "txtNazione",     "txtData",    "txtEditore",
                      "txtCitta",      "txtDirettore", "txtGenere",    "txtDisegnatore", "txtLingua",  "txtStoria",
                      "txtPersonaggi", "txtContenuti", "txtPosizione", "txtEtichetta",   "txtFormato", "txtStato",
                      "txtPagine",     "txtPrezzo",    "txtGiudizio",  "txtNote",        "chkMancante"} +
              toolbar + QStringList{"cmdMancanti"} + toolbarEnd + photo},
         {"dvd", QStringList{"txtTitolo",      "txtRegista", "txtNazione",       "txtAnno",      "txtProtagonista",
                             "txtCast",        "txtGenere",  "txtDistribuzione", "txtLingua",    "txtOriginale",
                             "txtAltreLingue", "txtCollana", "txtSottotitoli",   "txtPosizione", "txtEtichetta",
                             "txtPremi",       "txtDurata",  "txtPrezzo",        "txtGiudizio",  "txtNote"} +
                     toolbar + toolbarEnd + photo}},
    };
    for (const Kind* kind : Kind::all())
        addKindRow(kind->id) << roads.of(*kind);
}

void KeyboardOnlyTest::tabWalksTheCardThenItsPictures()
{
    QFETCH(KindId, kind);
    QFETCH(QStringList, road);
    CardWindow* card = Windows::card(kind);
    card->setArchive(folder().file(QStringLiteral("Prova") + Kind::of(kind).extension), QStringLiteral("Prova"));
    card->present();
    QVERIFY(comesUp(card));
    QCOMPARE(focused(), QStringLiteral("txtTitolo"));
    QCOMPARE(QStringList{QStringLiteral("txtTitolo")} + tabRoad(int(road.size()) - 1), road);
    // Round again to the title, and back with Shift+Tab.
    press(Qt::Key_Tab);
    QCOMPARE(focused(), QStringLiteral("txtTitolo"));
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focused(), road.constLast());
}

void KeyboardOnlyTest::aClickOnAPictureLeavesTheFocusInTheField()
{
    CardWindow* card = Windows::card(KindId::DVD);
    card->setArchive(folder().file(QStringLiteral("Prova.dvd")), QStringLiteral("Prova"));
    card->present();
    QVERIFY(comesUp(card));
    auto* director = child<QLineEdit>(card, QStringLiteral("txtRegista"));
    director->setFocus();
    // An empty archive answers the click with a message; the field keeps the focus and its yellow.
    click(card, QStringLiteral("cmdAvanti"));
    QCOMPARE(messages().count(), 1);
    QCOMPARE(QApplication::focusWidget(), director);
    QCOMPARE(shownMarks(card), QStringList());
}

void KeyboardOnlyTest::theArchiveListShowsItsFocusWhileTheKeysAreInUse()
{
    QFile archive(folder().file(QStringLiteral("Casa mia.lib")));
    QVERIFY(archive.open(QIODevice::WriteOnly));
    archive.close();
    ChainWindow* open = Windows::open(KindId::Libri);
    open->present();
    QVERIFY(comesUp(open));
    auto* list = child<QListWidget>(open, QStringLiteral("lstFiles"));
    QCOMPARE(focused(), QStringLiteral("lstFiles"));
    auto* instructions = child<QLabel>(open, QStringLiteral("lblIstruzioni"));

    // Whoever points and clicks sees the list as ever; whoever uses the keys sees that it has the
    // focus, and on which line Space acts.
    QTest::mouseClick(instructions, Qt::LeftButton);
    const QImage pointed = list->grab().toImage();
    press(Qt::Key_Shift);
    QVERIFY(list->grab().toImage() != pointed);
    QTest::mouseClick(instructions, Qt::LeftButton);
    QCOMPARE(list->grab().toImage(), pointed);
    QCOMPARE(list->selectedItems().size(), 0);
}

void KeyboardOnlyTest::theOpenWindowOpensOnItsList()
{
    ChainWindow* open = Windows::open(KindId::DVD);
    open->present();
    QVERIFY(comesUp(open));
    QCOMPARE(tabRoad(3), QStringList({"imgGuida", "btnElimina", "btnAnnulla"}));
    press(Qt::Key_Space);
    QVERIFY(!open->isVisible());

    open->present();
    QVERIFY(comesUp(open));
    QCOMPARE(focused(), QStringLiteral("lstFiles"));
}

void KeyboardOnlyTest::thePasswordWindowTabsInReadingOrder()
{
    // The field above, then the buttons below it from left to right, and round again.
    ChainWindow* password = Windows::password();
    password->present();
    QVERIFY(comesUp(password));
    QCOMPARE(focused(), QStringLiteral("txtPassword"));
    typeHere(QStringLiteral("prova"));
    QCOMPARE(tabRoad(4), QStringList({"btnCambiaPassword", "cmdOK", "cmdEsci", "txtPassword"}));
    press(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(focused(), QStringLiteral("cmdEsci"));
}

CARTAVOX_TEST_MAIN(KeyboardOnlyTest)
#include "tst_keyboard_only.moc"
