// The search windows of the three kinds, opened from their card window on a real archive.
#include "PdfPages.h"
#include "SearchTestSupport.h"
#include "TimedClicks.h"
#include "output/ReportPrinter.h"
#include "search/SearchWindow.h"
#include "storage/CatalogueFile.h"

#include <QCheckBox>
#include <QDir>
#include <QFontInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QToolTip>

namespace {
const QString kAccessError = QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                                            "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                            "installazione del programma.");
const QString kEmptyList = QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");

QString count(int n)
{
    return QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(n);
}

// What the search window of each kind shows, typed here.
struct SearchTexts {
    QString className;
    QString caption;
    QStringList ring;     // the criteria's fields, in the order Enter walks them
    QStringList captions; // their captions, in the same order
    QString listTitle;    // the title of the printed list
};

const KindRows<SearchTexts> kTexts{
    "kTexts",
    {{"libri",
      {"TfrmTrovaLibri",
       " Trova libri in archivio",
       {"txtTitolo", "txtAutore", "txtGenere", "txtAnno", "txtEditore", "txtDewey", "txtISBN", "txtEtichetta",
        "txtCuratore", "txtNote"},
       {"Titolo libro:", "Autore:", "Genere:", "Anno pubblicazione:", "Casa editrice:", "Codice Dewey:", "ISBN:",
        "Codice su etichetta:", "Curatore:", "Note:"},
       "Riepilogo libri in archivio"}},
     {"fumetti",
      {"TfrmTrovaFumetti",
       " Trova fumetti in archivio",
       {"txtTitolo", "txtNumero", "txtAutore", "txtData", "txtEditore", "txtDisegnatore", "txtStoria", "txtEtichetta",
        "txtPersonaggi", "txtNote"},
       {"Titolo fumetto:", "Numero albo:", "Autore:", "Data pubblicazione:", "Casa editrice:", "Disegnatore:",
        "Storia narrata (sintesi):", "Codice su etichetta:", "Personaggi:", "Note:"},
       "Riepilogo fumetti in archivio"}},
     {"dvd",
      {"TfrmTrovaDVD",
       " Trova DVD in archivio",
       {"txtTitolo", "txtRegista", "txtGenere", "txtAnno", "txtNazione", "txtProtagonista", "txtCast", "txtEtichetta",
        "txtPremi", "txtNote"},
       {"Titolo DVD:", "Regista:", "Genere:", "Anno produzione:", "Nazione:", "Protagonista:", "Cast:",
        "Codice su etichetta:", "Premi e riconoscimenti:", "Note:"},
       "Riepilogo DVD in archivio"}}},
};
} // namespace

class TestSearchWindow : public WindowTest {
    Q_OBJECT

private slots:
    void opensOnItsCriteriaPanel_data();
    void opensOnItsCriteriaPanel();
    void searchesWithTheCriteriaInForce_data();
    void searchesWithTheCriteriaInForce();
    void emptyOrMissingArchive_data();
    void emptyOrMissingArchive();
    void accessErrorKeepsTheCriteriaPanel();
    void enterInTheLastFieldSearches_data();
    void enterInTheLastFieldSearches();
    void doubleClickOrEnterOpensItsOwnCard_data() { addKindRows(); }
    void doubleClickOrEnterOpensItsOwnCard();
    void quickFindStepsThroughTheLines();
    void longLinesScrollIntoView();
    void doubleClickOnCercaDoesNotPrint();
    void stampaPrintsUnderTheListsTitle_data();
    void stampaPrintsUnderTheListsTitle();

private:
    QString path(KindId kind) const { return folder().file(QStringLiteral("Prova") + Kind::of(kind).extension); }

    bool withSearch(OpenCard& card, const std::function<void(SearchWindow*)>& act)
    {
        return withListWindow<SearchWindow>(card, "cmdTrova", act);
    }
};

void TestSearchWindow::opensOnItsCriteriaPanel_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("ring");
    QTest::addColumn<QStringList>("captions");

    for (const Kind* kind : Kind::all()) {
        const SearchTexts& texts = kTexts.of(*kind);
        addKindRow(kind->id) << texts.className << texts.caption << texts.ring << texts.captions;
    }
}

void TestSearchWindow::opensOnItsCriteriaPanel()
{
    QFETCH(KindId, kind);
    QFETCH(QString, className);
    QFETCH(QString, caption);
    QFETCH(QStringList, ring);
    QFETCH(QStringList, captions);
    // The caption and frame of each field, in ring order.
    const QStringList numbers{"01", "02", "09", "10", "05", "06", "07", "08", "03", "04"};
    OpenCard card(kind, path(kind));

    const bool opened = withSearch(card, [&](SearchWindow* search) {
        QCOMPARE(QString::fromLatin1(search->metaObject()->className()), className);
        QCOMPARE(search->windowTitle(), caption);
        QCOMPARE(search->size(), QSize(862, 560));
        QCOMPARE(search->lblMemory->text(), Kind::of(kind).tag);
        QVERIFY(search->panAvvio->isVisible());
        QVERIFY(!search->panContainer->isVisible());
        QVERIFY(!search->lblAttendere->isVisible());
        QCOMPARE(search->lblConta->text(), QStringLiteral("0"));
        QCOMPARE(search->lblRigo04->text(), QStringLiteral("Immettere nei campi prescelti una o più parole "
                                                           "consecutive presenti nelle schede da trovare e premere il "
                                                           "pulsante Cerca."));
        QCOMPARE(search->lblRigo05->text(), QStringLiteral("Lasciare in bianco tutti gli altri campi."));
        QCOMPARE(search->lblRigo06->text(),
                 QStringLiteral("Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente."));
        QCOMPARE(search->btnCerca->text(), QStringLiteral("Cerca"));
        QCOMPARE(search->btnAnnulla->text(), QStringLiteral("Chiudi"));
        QCOMPARE(search->lblAttendere->text(), QStringLiteral("Ricerca schede in corso. Attendere..."));
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(search, "txtTitolo"));

        // Enter walks the fields in order, each field with its frame, up to the last one (where it
        // starts the search: enterInTheLastFieldSearches).
        for (int i = 0; i < ring.size(); ++i) {
            auto* field = child<QLineEdit>(search, ring.at(i));
            QCOMPARE(QApplication::focusWidget(), field);
            QCOMPARE(child<QLabel>(search, "lblCampo" + numbers.at(i))->text(), captions.at(i));
            for (const QString& number : numbers)
                QCOMPARE(child<QWidget>(search, "effCampo" + number)->isVisible(), number == numbers.at(i));
            QTest::keyClicks(field, "x");
            if (i + 1 < ring.size())
                QTest::keyClick(field, i % 2 ? Qt::Key_Return : Qt::Key_Enter);
        }
        QVERIFY(search->panAvvio->isVisible());
        QTest::mouseClick(child<QWidget>(search, "txtTitolo"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(search, "txtTitolo"));

        // Tab takes the same road, then the two buttons.
        for (int i = 1; i < ring.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), ring.at(i));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), search->btnCerca);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), search->btnAnnulla);
        for (const QString& number : numbers)
            QVERIFY(!child<QWidget>(search, "effCampo" + number)->isVisible());
        // Enter on the focused Chiudi presses it.
        QTest::keyClick(search->btnAnnulla, Qt::Key_Return);
        QVERIFY(!search->isVisible());
    });
    QVERIFY(opened);

    // Each opening is a fresh window.
    QVERIFY(withSearch(card, [&](SearchWindow* search) {
        QCOMPARE(search->criterion("Titolo")->text(), QString());
        QVERIFY(search->panAvvio->isVisible());
    }));
}

void TestSearchWindow::searchesWithTheCriteriaInForce_data()
{
    QTest::addColumn<QStringList>("typed"); // field, text, field, text...
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("inForce");

    QTest::newRow("none: every card") << QStringList{} << QStringList{"Alfa", "Beta", "Delta", "Gamma"} << "0";
    QTest::newRow("blanks only are not in force")
        << QStringList{"txtGenere", "   "} << QStringList{"Alfa", "Beta", "Delta", "Gamma"} << "0";
    QTest::newRow("two criteria combine")
        << QStringList{"txtGenere", "giallo", "txtAnno", "1999"} << QStringList{"Alfa", "Delta"} << "2";
    QTest::newRow("leading blank") << QStringList{"txtAutore", " rossi"} << QStringList{"Alfa"} << "1";
    QTest::newRow("capitals find small letters")
        << QStringList{"txtAutore", "ROSSI"} << QStringList{"Alfa", "Beta"} << "1";
    QTest::newRow("one blank criterion, one in force")
        << QStringList{"txtTitolo", " ", "txtNote", "rara"} << QStringList{"Gamma"} << "1";
    QTest::newRow("nothing found") << QStringList{"txtTitolo", "Omega"} << QStringList{} << "1";
}

void TestSearchWindow::searchesWithTheCriteriaInForce()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, titles);
    QFETCH(QString, inForce);
    const Kind& kind = Kind::libri();
    archiveOf(path(KindId::Libri), kind,
              {{{"Titolo", "Gamma"},
                {"Autore", "Anna Verdi"},
                {"Genere", "Saggio"},
                {"Anno", "1999"},
                {"Note", "Edizione rara"}},
               {{"Titolo", "Alfa"}, {"Autore", "Mario Rossi"}, {"Genere", "Giallo"}, {"Anno", "1999"}},
               {{"Titolo", "Beta"}, {"Autore", "Rossi Mario"}, {"Genere", "giallo"}, {"Anno", "2001"}},
               {{"Titolo", "Delta"}, {"Autore", "Luigi Bianchi"}, {"Genere", "Noir giallo"}, {"Anno", "marzo 1999"}}});
    OpenCard card(KindId::Libri, path(KindId::Libri));

    QVERIFY(withSearch(card, [&](SearchWindow* search) {
        for (int i = 0; i + 1 < typed.size(); i += 2)
            type(search, typed.at(i), typed.at(i + 1));
        click(search, "btnCerca");
        QCOMPARE(messages().count(), 0);
        QCOMPARE(search->lblConta->text(), inForce);
        QVERIFY(search->panContainer->isVisible());
        QVERIFY(!search->panAvvio->isVisible());
        QCOMPARE(QApplication::focusWidget(), search->txtTrova);
        QStringList listed;
        for (const QString& line : search->lines())
            listed << line.left(55).trimmed();
        QCOMPARE(listed, titles);
        QCOMPARE(search->lstRecords->count(), titles.size());
        QCOMPARE(search->lblTrovate->text(), count(int(titles.size())));
    }));
}

void TestSearchWindow::emptyOrMissingArchive_data()
{
    QTest::addColumn<bool>("exists");
    QTest::newRow("empty archive") << true;
    QTest::newRow("missing archive") << false;
}

void TestSearchWindow::emptyOrMissingArchive()
{
    QFETCH(bool, exists);
    const QString archive = path(KindId::DVD);
    if (exists)
        writeFileBytes(archive, {});
    OpenCard card(KindId::DVD, archive);
    QVERIFY(withSearch(card, [&](SearchWindow* search) {
        QCOMPARE(search->lblTrovate->text(), QStringLiteral("Il presente elenco contiene 0 schede."));
        click(search, "btnCerca");
        QVERIFY(search->panContainer->isVisible());
        QCOMPARE(search->lblTrovate->text(), count(0));
        QCOMPARE(search->lines(), QStringList());

        click(search, "btnTrova");
        QCOMPARE(messages().count(), 1);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Plain);
        QCOMPARE(messages().last().text, kEmptyList);

        // A double-click with no line closes the window and loads nothing.
        QTest::mouseClick(search->lstRecords->viewport(), Qt::LeftButton);
        QTest::mouseDClick(search->lstRecords->viewport(), Qt::LeftButton);
        QVERIFY(!search->isVisible());
    }));
    QVERIFY(QFile::exists(archive));
    QCOMPARE(card.position(), QString());
}

void TestSearchWindow::accessErrorKeepsTheCriteriaPanel()
{
    const QString archive = path(KindId::Fumetti);
    QVERIFY(QDir().mkpath(archive)); // a folder where the archive should be
    OpenCard card(KindId::Fumetti, archive);
    QVERIFY(withSearch(card, [&](SearchWindow* search) {
        type(search, "txtNumero", "42");
        // From the keyboard: the message, and no waiting text.
        search->btnCerca->setFocus();
        QTest::keyClick(search->btnCerca, Qt::Key_Return);
        QCOMPARE(messages().count(), 1);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Plain);
        QCOMPARE(messages().last().icon, QMessageBox::NoIcon);
        QCOMPARE(messages().last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(messages().last().text, kAccessError);
        QVERIFY(!search->lblAttendere->isVisible());

        // With the mouse the waiting text shows as the button goes down, and stays after the failure.
        QTest::mousePress(search->btnCerca, Qt::LeftButton);
        QVERIFY(search->lblAttendere->isVisible());
        QTest::mouseRelease(search->btnCerca, Qt::LeftButton);
        QCOMPARE(messages().count(), 2);
        QCOMPARE(messages().last().text, kAccessError);
        QVERIFY(search->lblAttendere->isVisible());
        QVERIFY(search->panAvvio->isVisible());
        QVERIFY(!search->panContainer->isVisible());
        QCOMPARE(search->criterion("Numero")->text(), QStringLiteral("42"));
        QCOMPARE(search->lblConta->text(), QStringLiteral("1"));
    }));
}

void TestSearchWindow::enterInTheLastFieldSearches_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter of the keypad") << int(Qt::Key_Enter);
}

void TestSearchWindow::enterInTheLastFieldSearches()
{
    QFETCH(int, key);
    archiveOf(path(KindId::Libri), Kind::libri(),
              {{{"Titolo", "Alfa"}, {"Note", "Prima edizione"}}, {{"Titolo", "Beta"}, {"Note", "Ristampa"}}});
    OpenCard card(KindId::Libri, path(KindId::Libri));
    QVERIFY(withSearch(card, [&](SearchWindow* search) {
        type(search, "txtNote", "edizione");
        // Enter in the notes, the last field, searches as Cerca does, without the mouse's waiting
        // text.
        QTest::keyClick(search->criterion("Note"), Qt::Key(key));
        QCOMPARE(messages().count(), 0);
        QVERIFY(search->panContainer->isVisible());
        QVERIFY(!search->panAvvio->isVisible());
        QVERIFY(!search->lblAttendere->isVisible());
        QCOMPARE(search->lblConta->text(), QStringLiteral("1"));
        QCOMPARE(search->lines().size(), 1);
        QVERIFY(search->lines().constFirst().startsWith(QStringLiteral("Alfa ")));
        QCOMPARE(search->lblTrovate->text(), count(1));
        QCOMPARE(QApplication::focusWidget(), search->txtTrova);
    }));
}

void TestSearchWindow::doubleClickOrEnterOpensItsOwnCard()
{
    QFETCH(KindId, kind);
    const Kind& k = Kind::of(kind);
    // Two cards give the same line: only their notes differ.
    const StoredTexts twin{{"Titolo", "Gemelli"}, {"Note", "primo"}, {"Mancante", "No"}};
    StoredTexts other = twin;
    other["Note"] = "secondo";
    other["Mancante"] = "S\xec";
    archiveOf(path(kind), k, {{{"Titolo", "Altro"}, {"Mancante", "No"}}, twin, other});
    OpenCard card(kind, path(kind));
    card.click("cmdPrimo");
    QCOMPARE(card.position(), QStringLiteral("1"));

    for (int row : {2, 1, 0}) {
        QVERIFY(withSearch(card, [&](SearchWindow* search) {
            click(search, "btnCerca");
            QCOMPARE(search->lines().size(), 3);
            QCOMPARE(search->lines().at(1), search->lines().at(2));
            if (row == 1) {
                // By keys alone: Enter on a focused list with nothing selected does nothing; on a
                // selected line it does what the double-click does.
                search->lstRecords->setFocus();
                search->lstRecords->selectRow(-1);
                QTest::keyClick(search->lstRecords, Qt::Key_Return);
                QVERIFY(search->isVisible());
                search->lstRecords->selectRow(row);
                QTest::keyClick(search->lstRecords, Qt::Key_Return);
            } else {
                doubleClickRow(search->lstRecords, row);
            }
            QVERIFY(!search->isVisible());
        }));
        QCOMPARE(card.position(), QString::number(row + 1));
        QCOMPARE(card.field("Note")->text(), QStringList({"", "primo", "secondo"}).at(row));
        if (kind == KindId::Fumetti)
            QCOMPARE(child<QCheckBox>(card.window, "chkMancante")->isChecked(), row == 2);
    }
    QCOMPARE(messages().count(), 0);
}

void TestSearchWindow::quickFindStepsThroughTheLines()
{
    const Kind& kind = Kind::fumetti();
    archiveOf(path(KindId::Fumetti), kind,
              {{{"Titolo", "F sei"}},
               {{"Titolo", "E uno GIALLO"}},
               {{"Titolo", "A uno"}},
               {{"Titolo", "B giallo"}},
               {{"Titolo", "C tre"}},
               {{"Titolo", "D quattro"}}});
    OpenCard card(KindId::Fumetti, path(KindId::Fumetti));
    QVERIFY(withSearch(card, [&](SearchWindow* search) {
        click(search, "btnCerca");
        ResultList* list = search->lstRecords;
        QCOMPARE(list->selectedRow(), -1);
        type(search, "txtTrova", "Giallo");
        // Enter in the key moves to Trova without pressing it.
        QTest::keyClick(search->txtTrova, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), search->btnTrova);
        QCOMPARE(list->selectedRow(), -1);
        for (int expected : {1, 4, 1}) {
            QTest::keyClick(search->btnTrova, Qt::Key_Return); // Enter on the focused button presses it
            QCOMPARE(list->selectedRow(), expected);
        }
        // A changed key starts again from the top, the first line included.
        type(search, "txtTrova", "uno");
        click(search, "btnTrova");
        QCOMPARE(list->selectedRow(), 0);
        click(search, "btnTrova");
        QCOMPARE(list->selectedRow(), 4);
        // No match: the selection stays.
        type(search, "txtTrova", "assente");
        click(search, "btnTrova");
        QCOMPARE(list->selectedRow(), 4);
        QCOMPARE(messages().count(), 0);
    }));
}

void TestSearchWindow::longLinesScrollIntoView()
{
    const Kind& kind = Kind::libri();
    archiveOf(path(KindId::Libri), kind,
              {{{"Titolo", QByteArray(60, 'T')},
                {"Autore", QByteArray(30, 'A')},
                {"Editore", QByteArray(30, 'E')},
                {"Anno", "ristampa 1999 e 2005"}}});
    OpenCard card(KindId::Libri, path(KindId::Libri));
    QVERIFY(withSearch(card, [&](SearchWindow* search) {
        click(search, "btnCerca");
        ResultList* list = search->lstRecords;
        const QString line = search->lines().constFirst();
        QCOMPARE(line, QString(55, u'T') + "  Autore: " + QString(30, u'A') + "  Editore: " + QString(30, u'E') +
                           "  Anno: ristampa 1999 e 2005");
        QCOMPARE(QFontInfo(list->font()).family(), QFontInfo(QFont("Courier New")).family());
        QCOMPARE(list->font().pixelSize(), 12);
        QVERIFY(QFontInfo(list->font()).fixedPitch());
        QVERIFY(list->horizontalScrollBar()->isVisible());
        QVERIFY(list->verticalScrollBar()->isVisible());
        // Each column shows its whole text, cut short to fit the list and whole when pointed at.
        QCOMPARE(list->model()->index(0, 3).data().toString(), QStringLiteral("ristampa 1999 e 2005"));
        QCOMPARE(list->textElideMode(), Qt::ElideRight);
        for (const int column : {0, 3}) {
            const QPoint at = list->visualRect(list->model()->index(0, column)).center();
            QHelpEvent pointed(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
            QApplication::sendEvent(list->viewport(), &pointed);
            QTRY_VERIFY(QToolTip::isVisible());
            QCOMPARE(QToolTip::text(), list->model()->index(0, column).data().toString());
            QToolTip::hideText();
        }
    }));
}

void TestSearchWindow::doubleClickOnCercaDoesNotPrint()
{
    archiveOf(path(KindId::Libri), Kind::libri(), {{{"Titolo", "Uno"}}});
    OpenCard card(KindId::Libri, path(KindId::Libri));
    int printDialogs = 0;
    ReportPrinter::setPrintDialogResponder([&](QPrinter&) {
        ++printDialogs;
        return ReportPrinter::DialogAnswer::Cancel;
    });
    QVERIFY(withSearch(card, [&](SearchWindow* search) {
        QCOMPARE(search->btnStampa->geometry(), search->btnCerca->geometry());
        // The two clicks of a double-click: the first on Cerca, the second where Stampa now stands.
        using namespace TimedClicks;
        clickAt(search->btnCerca, kStart);
        QVERIFY(search->btnStampa->isVisible());
        sendMouse(search->btnStampa, QEvent::MouseButtonPress, kStart + 200);
        secondClickAt(search->btnStampa, kStart + 200);
        QCOMPARE(printDialogs, 0);
        // A click of its own, a double-click's time later, prints.
        clickAt(search->btnStampa, kStart + 200 + ulong(QApplication::doubleClickInterval()));
        QCOMPARE(printDialogs, 1);
    }));
    ReportPrinter::setPrintDialogResponder({});
}

void TestSearchWindow::stampaPrintsUnderTheListsTitle_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QString>("title");
    for (const Kind* kind : Kind::all())
        addKindRow(kind->id) << kTexts.of(*kind).listTitle;
}

void TestSearchWindow::stampaPrintsUnderTheListsTitle()
{
    QFETCH(KindId, kind);
    QFETCH(QString, title);
    archiveOf(path(kind), Kind::of(kind), {{{"Titolo", "Uno"}}});
    OpenCard card(kind, path(kind));
    const QString pdf = folder().file(QStringLiteral("lista.pdf"));
    QString jobName;
    ReportPrinter::setPrintDialogResponder([&](QPrinter& printer) {
        jobName = printer.docName();
        printer.setOutputFileName(pdf);
        return ReportPrinter::DialogAnswer::Accept;
    });
    QVERIFY(withSearch(card, [&](SearchWindow* search) {
        click(search, "btnCerca");
        click(search, "btnStampa");
    }));
    ReportPrinter::setPrintDialogResponder({});
    // The job bears, in the printer's queue, the title the page bears.
    QCOMPARE(jobName, title);
    QVERIFY(PdfPages::pdfText(pdf).contains(title));
}

CARTAVOX_TEST_MAIN(TestSearchWindow)
#include "tst_search_window.moc"
