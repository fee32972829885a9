// A fourth kind, magazines, added in this test alone: its layout, Kind and KindLook are written
// here and its resources come from tests/data/riviste. Nothing in the program names it, so every
// window it gets is its family's, and each does its work on the kind's own archive.
#include "CardArchiveBytes.h"
#include "OpenCard.h"
#include "PdfPages.h"
#include "SamplePicture.h"
#include "TestSupport.h"
#include "kinds/KindLook.h"
#include "output/CardPrintWindow.h"
#include "output/ExportWindow.h"
#include "output/ReportPrinter.h"
#include "output/SlideShowWindow.h"
#include "search/ResultList.h"
#include "search/SearchWindow.h"
#include "start/TfrmAvvio.h"
#include "start/WindowClasses.h"
#include "start/Windows.h"
#include "widgets/PhotoBox.h"
#include "widgets/PictureButton.h"

#include <QDir>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {
const KindId kMagazines{3};

const RecordLayout& magazineLayout()
{
    using Role = FieldSpec::Role;
    static const RecordLayout layout({
        {"Titolo", 120, "Titolo rivista:"},
        {"Numero", 20, "Numero:"},
        {"Editore", 50, "Casa editrice:"},
        {"Direttore", 50, "Direttore:"},
        {"Data", 20, "Data uscita:"},
        {"Periodicita", 50, "Periodicità:"},
        {"Argomento", 50, "Argomento:"},
        {"Lingua", 50, "Lingua:"},
        {"ISSN", 20, "ISSN:"},
        {"Articoli", 250, "Articoli principali:"},
        {"Allegati", 120, "Allegati:"},
        {"Posizione", 120, "Posizione su scaffale:"},
        {"Etichetta", 50, "Codice su etichetta:"},
        {"Formato", 50, "Formato:"},
        {"Pagine", 20, "Pagine:"},
        {"Prezzo", 20, "Prezzo:"},
        {"Giudizio", 250, "Giudizio:"},
        {"Note", 250, {}},
        {"File01", 250, {}, Role::Attachment},
        {"File02", 250, {}, Role::Attachment},
        {"File03", 250, {}, Role::Attachment},
        {"Desc01", 250, {}, Role::Attachment},
        {"Desc02", 250, {}, Role::Attachment},
        {"Desc03", 250, {}, Role::Attachment},
    });
    return layout;
}

const Kind& magazines()
{
    static const Kind kind{
        .id = kMagazines,
        .tag = "riviste",
        .extension = ".riv",
        .pattern = "*.riv",
        .photoFolder = "Emeroteca",
        .layout = magazineLayout(),
        .helpTopic = "Applicazione Emeroteca.",
        .exportHelpTopic = "Esportazione emeroteca in Microsoft Excel.",
        .resultLine = {{"", "Titolo", 55}, {"  N. ", "Numero", 10}, {"  ISSN: ", "ISSN", 0}},
        .spreadsheet =
            {
                .fileName = "Emeroteca.xls",
                .worksheet = "Emeroteca",
                .columns = {{"Titolo", "Titolo rivista", 350, false},
                            {"Numero", "Numero", 200, true},
                            {"Editore", "Casa editrice", 250, false},
                            {"ISSN", "ISSN", 250, false},
                            {"Note", "Note", 400, true}},
            },
        .importFrom =
            {
                .tellicoCollection = 0, // Tellico keeps no magazines
                .archiveWords = "un'emeroteca",
                .names = {{"Titolo", {"Title"}}, {"Numero", {"Issue"}}, {"Editore", {"Publisher"}}},
            },
    };
    return kind;
}

const KindLook& magazinesLook()
{
    static const KindLook look{
        .kind = magazines(),
        .name = "Riviste",
        .card =
            {
                .caption = " Cartavox - Emeroteca",
                .nameBarText = "Nome emeroteca",
                .rowSizes = {1, 3, 3, 2, 1, 2, 2, 3},
                .positionLabelWidth = 50,
                .required = {{"Titolo", "Attenzione: per salvare la scheda è necessario indicare il titolo della "
                                        "rivista."}},
                .slideshowHint = "Esegui lo slide show dell'emeroteca.",
                .placeholderImage = ":/images/segnaposto_riviste.svg",
                .printTemplate = ":/reports/scheda_rivista.json",
            },
        .catalogue =
            {
                .menuCaption = " Cartavox - Emeroteca",
                .menuInstructions = "Premi il pulsante per creare una nuova emeroteca o per aprirne una esistente.",
                .createButton = "Crea nuova emeroteca",
                .openButton = "Apri emeroteca esistente",
                .createCaption = " Cartavox - Creazione emeroteca",
                .openCaption = " Cartavox - Apertura emeroteca",
                .countPrefix = "Sono state create ",
                .countSuffix = " emeroteche.",
                .msgNameMissing = "Attenzione: indicare il nome della nuova emeroteca.",
                .msgNameInUse = "Attenzione: il nome dell'emeroteca indicato è già stato utilizzato in precedenza.",
                .msgCreated = "L'emeroteca è stata creata con successo.",
                .msgListEmpty = "Attenzione: l'elenco non contiene nessuna emeroteca.",
                .msgSelectToOpen = "Attenzione: selezionare l'emeroteca dall'elenco.",
                .msgSelectToDelete = "Attenzione: selezionare dall'elenco l'emeroteca da eliminare.",
                .msgConfirmDelete = "Si conferma l'eliminazione dell'emeroteca?",
                .msgDeleted = "L'emeroteca è stata eliminata con successo.",
            },
        .search =
            {
                .caption = " Trova riviste in archivio",
                .criteria = {{"Titolo", "Titolo rivista:", 1},
                             {"Numero", "Numero:", 2},
                             {"ISSN", "ISSN:", 3},
                             {"Note", "Note:", 4}},
                .listTitle = "Riepilogo riviste in archivio",
                .listHeadings = {"Titolo", "N.", "ISSN"},
            },
        .spreadsheet =
            {
                .caption = " Esporta emeroteca in Microsoft Excel",
                .gridWidths = {300, 160, 250, 180, 300},
            },
        .slideShow =
            {
                .caption = " Slide Show Emeroteca",
                .startImage = ":/images/slideshow_riviste.svg",
            },
        .startColumn =
            {
                .choice = "Emeroteca",
                .note = "Conserva le schede delle tue riviste, numero per numero.",
            },
        .importing =
            {
                .caption = " Cartavox - Importazione emeroteca",
                .newArchive = "In una nuova emeroteca, di nome:",
                .existingArchive = "In fondo a un'emeroteca esistente:",
                .msgNameInUse = "Attenzione: il nome dell'emeroteca indicato è già stato utilizzato in precedenza.",
                .msgChooseArchive = "Attenzione: scegliere dall'elenco l'emeroteca in fondo alla quale aggiungere le "
                                    "schede.",
            },
    };
    return look;
}

// Runs `action` on the modal window that `command` of the card window opens; false when none did.
template <typename Window>
bool onDialog(OpenCard& card, const char* command, const std::function<void(Window*)>& action)
{
    bool opened = false;
    whenModalOpens([&](QWidget* modal) {
        auto* window = qobject_cast<Window*>(modal);
        if (!window)
            return;
        opened = true;
        action(window);
        if (window->isVisible())
            window->close();
    });
    card.click(command);
    return opened;
}
} // namespace

class TestNewKind : public WindowTest {
    Q_OBJECT

private slots:
    void initTestCase();
    void aKindIsAddedOnce();
    void itsWindowsAreMadeAfterAllOthers();
    void startMenuCreateAndOpen();
    void itsMenuOpensItsImport();
    void cardSavesAndSearchFinds();
    void printAndPreview_data();
    void printAndPreview();
    void exportWritesTheSpreadsheet();
    void slideShowShowsTheCover();

private:
    QString archive() const { return folder().file(QStringLiteral("Prova.riv")); }
    // An archive of two magazines, opened in the card window on the first.
    std::unique_ptr<OpenCard> storedCards() const;
};

void TestNewKind::initTestCase()
{
    // Before the fixture creates the windows of every kind, for each test function.
    Kind::add(magazines());
    KindLook::add(magazinesLook());
}

void TestNewKind::aKindIsAddedOnce()
{
    QCOMPARE(Kind::all().size(), 4);
    QCOMPARE(Kind::all().last(), &magazines());
    QCOMPARE(&Kind::of(kMagazines), &magazines());
    QCOMPARE(&KindLook::of(magazines()), &magazinesLook());
    QVERIFY_THROWS_EXCEPTION(std::logic_error, Kind::add(magazines()));
    QVERIFY_THROWS_EXCEPTION(std::logic_error, KindLook::add(magazinesLook()));
    QVERIFY_THROWS_EXCEPTION(std::logic_error, Kind::of(KindId{4}));
    QCOMPARE(Kind::all().size(), 4);
}

void TestNewKind::itsWindowsAreMadeAfterAllOthers()
{
    QStringList classes;
    const QList<WindowClasses::StartUpStep> order = WindowClasses::startUpOrder();
    for (const WindowClasses::StartUpStep& step : order.mid(order.size() - 9)) {
        const std::unique_ptr<QWidget> window(WindowClasses::make(step));
        classes.append(window->objectName());
    }
    QCOMPARE(classes, (QStringList{"TfrmMenuRiviste", "TfrmCreaRiviste", "TfrmApriRiviste", "TfrmRiviste",
                                   "TfrmSlideshow_Riviste", "TfrmTrovaRiviste", "TfrmExpRiviste",
                                   "TfrmAnteprimaRiviste", "TfrmStampaRiviste"}));
    QCOMPARE(order.size(), 37 + 9);

    // Start-up makes its chain windows, last.
    QStringList last;
    for (QWidget* window : Windows::all().mid(Windows::all().size() - 4))
        last.append(window->objectName());
    QCOMPARE(last, (QStringList{"TfrmMenuRiviste", "TfrmCreaRiviste", "TfrmApriRiviste", "TfrmRiviste"}));
    QCOMPARE(Windows::all().size(), 15 + 4);
    QCOMPARE(Windows::card(kMagazines)->windowTitle(), QStringLiteral(" Cartavox - Emeroteca"));
}

void TestNewKind::itsMenuOpensItsImport()
{
    ChainWindow* menu = Windows::menu(kMagazines);
    menu->present();
    QString opened;
    whenModalOpens([&opened](QWidget* window) {
        opened = window->objectName() + u'|' + window->windowTitle();
        window->close();
    });
    click(menu, QStringLiteral("btnImporta"));
    QCOMPARE(opened, QStringLiteral("TfrmImportaRiviste| Cartavox - Importazione emeroteca"));
}

void TestNewKind::startMenuCreateAndOpen()
{
    // The start window has a fourth column, at the right: four shares of 248 pixels, whose
    // pictures shrink to three quarters about their middles, so that no two columns touch.
    TfrmAvvio* start = Windows::avvio();
    start->present();
    auto* picture = child<PictureButton>(start, QStringLiteral("imgRiviste"));
    QCOMPARE(picture->geometry(), QRect(771, 201, 195, 150));
    QCOMPARE(picture->accessibleName(), QStringLiteral("Emeroteca"));
    const QStringList names{"Libri", "Fumetti", "DVD", "Riviste"};
    for (qsizetype c = 0; c < names.size(); ++c)
        for (const char* part : {"img", "btn", "app"}) {
            const QRect here = child<QWidget>(start, QLatin1String(part) + names.at(c))->geometry();
            QVERIFY(start->panContainer->rect().contains(here));
            if (c > 0)
                QVERIFY(child<QWidget>(start, QLatin1String(part) + names.at(c - 1))->geometry().right() < here.left());
        }
    QVERIFY(QTest::qWaitForWindowActive(start));
    start->imgDVD->setFocus();
    QTest::keyClick(start->imgDVD, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), picture);
    QTest::keyClick(picture, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), start->imgInfo);

    // Its note opens its menu, whose button leads to its create window.
    click(start, QStringLiteral("appRiviste"));
    ChainWindow* menu = Windows::menu(kMagazines);
    QCOMPARE(visibleWindows(), QList<QWidget*>{menu});
    QCOMPARE(menu->windowTitle(), QStringLiteral(" Cartavox - Emeroteca"));
    click(menu, QStringLiteral("btnCrea"));
    ChainWindow* create = Windows::create(kMagazines);
    QCOMPARE(visibleWindows(), QList<QWidget*>{create});

    // The create window makes an empty archive of the kind's extension.
    type(create, QStringLiteral("txtFile"), QStringLiteral("Periodici"));
    click(create, QStringLiteral("btnApplica"));
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().text, QStringLiteral("L'emeroteca è stata creata con successo."));
    const QString path = folder().file(QStringLiteral("Periodici.riv"));
    QCOMPARE(fileBytes(path), QByteArray());

    // The open window lists it and hands it to the kind's card window.
    Windows::avvio()->handOverTo(menu);
    click(menu, QStringLiteral("btnCompila"));
    ChainWindow* open = Windows::open(kMagazines);
    QCOMPARE(child<QLabel>(open, QStringLiteral("lblCreati"))->text(),
             QStringLiteral("Sono state create 1 emeroteche."));
    auto* files = child<QListWidget>(open, QStringLiteral("lstFiles"));
    QCOMPARE(files->count(), 1);
    files->item(0)->setSelected(true);
    click(open, QStringLiteral("btnApri"));
    CardWindow* card = Windows::card(kMagazines);
    QCOMPARE(visibleWindows(), QList<QWidget*>{card});
    QCOMPARE(child<QLabel>(card, QStringLiteral("lblFile"))->text(), path);
    QCOMPARE(child<QLabel>(card, QStringLiteral("lblNome"))->text(), QStringLiteral("Periodici"));
    QCOMPARE(messages().count(), 1);
}

std::unique_ptr<OpenCard> TestNewKind::storedCards() const
{
    writeFileBytes(archive(), sampleArchive(magazines(), 2));
    auto card = std::make_unique<OpenCard>(kMagazines, archive());
    card->click("cmdPrimo");
    return card;
}

void TestNewKind::cardSavesAndSearchFinds()
{
    writeFileBytes(archive(), QByteArray());
    OpenCard card(kMagazines, archive());
    // The form is the kind's layout: 18 fields, the last the notes row.
    QCOMPARE(card.window->findChildren<QLineEdit*>(QRegularExpression(QStringLiteral("^txt"))).size(), 18);
    QCOMPARE(card.field(QStringLiteral("Note"))->geometry(), QRect(112, 584, 870, 26));

    // A saved card is a record of the kind's layout.
    type(card.field(QStringLiteral("Titolo")), QStringLiteral("Le Scienze"));
    type(card.field(QStringLiteral("ISSN")), QStringLiteral("0036-8083"));
    type(card.field(QStringLiteral("Note")), QStringLiteral("Annata completa"));
    card.click("cmdSalva");
    const QByteArray saved = fileBytes(archive());
    QCOMPARE(saved.size(), 3084);
    QCOMPARE(storedText(magazines(), saved, QStringLiteral("Titolo")), "Le Scienze");
    QCOMPARE(storedText(magazines(), saved, QStringLiteral("ISSN")), "0036-8083");
    QCOMPARE(storedText(magazines(), saved, QStringLiteral("Note")), "Annata completa");
    QCOMPARE(card.position(), QStringLiteral("1"));

    // The search window finds it by a field of this kind alone, and brings it back to the card.
    card.click("cmdNuovo");
    QVERIFY(card.title().isEmpty());
    const bool opened = onDialog<SearchWindow>(card, "cmdTrova", [](SearchWindow* search) {
        QCOMPARE(search->objectName(), QStringLiteral("TfrmTrovaRiviste"));
        type(search->criterion(QStringLiteral("ISSN")), QStringLiteral("8083"));
        click(search, QStringLiteral("btnCerca"));
        auto* list = child<ResultList>(search, QStringLiteral("lstRecords"));
        QCOMPARE(list->count(), 1);
        list->selectRow(0);
        QTest::keyClick(list, Qt::Key_Return);
    });
    QVERIFY(opened);
    QCOMPARE(card.title(), QStringLiteral("Le Scienze"));
    QCOMPARE(card.position(), QStringLiteral("1"));
    QCOMPARE(messages().count(), 1); // the save's confirmation
}

void TestNewKind::printAndPreview_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("print") << "cmdStampa";
    QTest::newRow("preview") << "cmdAnteprima";
}

void TestNewKind::printAndPreview()
{
    QFETCH(QString, command);
    const QString pdf = folder().file(QStringLiteral("scheda.pdf"));
    ReportPrinter::setPrintDialogResponder([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return ReportPrinter::DialogAnswer::Accept;
    });
    const auto card = storedCards();
    const bool opened = onDialog<CardPrintWindow>(*card, command.toLatin1().constData(), [&](CardPrintWindow* window) {
        // A preview is painted into a PDF by the route it draws by.
        QTimer::singleShot(0, [&] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!preview)
                return;
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            emit preview->paintRequested(&printer);
            preview->reject();
        });
        click(window, QStringLiteral("btnStampa"));
    });
    ReportPrinter::setPrintDialogResponder({});
    QVERIFY(opened);
    QCOMPARE(messages().count(), 0);
    // Every field of the card is on the page, in the kind's own template.
    const QString text = PdfPages::pdfText(pdf);
    for (const QString& field : magazines().textFields())
        QVERIFY2(text.contains(field == u"Titolo" ? QStringLiteral("Scheda 1") : field + QStringLiteral(" 1"),
                               Qt::CaseInsensitive),
                 qPrintable(field));
}

void TestNewKind::exportWritesTheSpreadsheet()
{
    const auto card = storedCards();
    messages().answerNext(QMessageBox::Yes); // export now
    messages().answerNext(QMessageBox::No);  // and leave the file unopened
    const bool opened = onDialog<ExportWindow>(*card, "cmdEsporta", [](ExportWindow* window) {
        auto* grid = child<QTableView>(window, QStringLiteral("grdRecords"));
        QCOMPARE(grid->model()->rowCount(), 2);
        QCOMPARE(grid->model()->columnCount(), 6);
        QCOMPARE(grid->columnWidth(5), 300);
        click(window, QStringLiteral("cmdEsporta"));
    });
    QVERIFY(opened);
    QCOMPARE(messages().count(), 2); // asked first, then told it is done
    const QByteArray written = fileBytes(folder().file(QStringLiteral("Emeroteca.xls")));
    QVERIFY(written.contains("Titolo rivista"));
    QVERIFY(written.contains("ISSN 2"));
    QVERIFY(written.contains("Scheda 2"));
}

void TestNewKind::slideShowShowsTheCover()
{
    QDir(folder().path()).mkpath(QStringLiteral("Emeroteca"));
    QVERIFY(samplePicture({120, 160}).save(folder().file(QStringLiteral("Emeroteca/Prova_Foto_2.jpg")), "JPEG"));
    const auto card = storedCards();
    const bool opened = onDialog<SlideShowWindow>(*card, "cmdSlideshow", [](SlideShowWindow* show) {
        QCOMPARE(show->windowTitle(), QStringLiteral(" Slide Show Emeroteca"));
        // The first card has no photo and shows the start picture; the second shows its own.
        QVERIFY(QMetaObject::invokeMethod(show->Timer, "timeout"));
        QCOMPARE(show->lblPosizione->text(), QStringLiteral("1"));
        QCOMPARE(show->imgFoto->pictureArea().size(), QSize(689, 529));
        QVERIFY(QMetaObject::invokeMethod(show->Timer, "timeout"));
        QCOMPARE(show->lblPosizione->text(), QStringLiteral("2"));
        QCOMPARE(show->imgFoto->pictureArea().size(), QSize(120, 160));
    });
    QVERIFY(opened);
    QCOMPARE(messages().count(), 0);
}

CARTAVOX_TEST_MAIN(TestNewKind)
#include "tst_new_kind.moc"
