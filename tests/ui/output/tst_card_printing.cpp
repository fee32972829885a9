// The print and preview windows of the card windows, driven from the card window's toolbar; what
// they print is read back from the PDF file the printer is pointed at.
#include "CardArchiveBytes.h"
#include "CardBoxes.h"
#include "OpenCard.h"
#include "PdfPages.h"
#include "TestSupport.h"

#include "output/CardPrintWindow.h"
#include "output/ReportPrinter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

using namespace PdfPages;

namespace {
constexpr double kMargin = 10; // mm, every card page

const QString kFailure = QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon "
                                        "fine.\n\r\n\rSi consiglia di ridurre le dimensioni della foto.");

QByteArray jpeg(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}
} // namespace

class TestCardPrinting : public WindowTest {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void windowsOfEachKind_data();
    void windowsOfEachKind();
    void printsTheCardAsOnScreen_data() { addKindRows(); }
    void printsTheCardAsOnScreen();
    void printsThePictureOfThePhotoBox_data();
    void printsThePictureOfThePhotoBox();
    void cancelledPrintDialogPrintsNothing();
    void keyboardPressesOnlyTheFocusedButton();
    void failureShowsTheWarningAndCloses_data();
    void failureShowsTheWarningAndCloses();
    void previewOpensAndCloses();
    void jobIsNamedAfterTheCard_data();
    void jobIsNamedAfterTheCard();

private:
    QString pdf() const { return folder().file(QStringLiteral("scheda.pdf")); }
    // Opens the card window of the kind on an archive of one stored card, shown on screen.
    std::unique_ptr<OpenCard> storedCard(KindId id);
    // Runs `action` on the print or preview window that the card window's command opens.
    void onPrintWindow(OpenCard& card, const char* command, const std::function<void(QDialog*)>& action);

    int m_dialogs = 0; // print dialogs the engine would have shown
    QString m_jobName; // the last job's name in the printer's queue
    ReportPrinter::DialogAnswer m_answer = ReportPrinter::DialogAnswer::Accept;
    QString m_output;
};

void TestCardPrinting::init()
{
    WindowTest::init();
    m_dialogs = 0;
    m_answer = ReportPrinter::DialogAnswer::Accept;
    m_output = pdf();
    m_jobName.clear();
    ReportPrinter::setPrintDialogResponder([this](QPrinter& printer) {
        ++m_dialogs;
        m_jobName = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_output);
        return m_answer;
    });
}

void TestCardPrinting::cleanup()
{
    ReportPrinter::setPrintDialogResponder({});
    CardPrintWindow::setTemplateOverride({});
    WindowTest::cleanup();
}

std::unique_ptr<OpenCard> TestCardPrinting::storedCard(KindId id)
{
    const Kind& kind = Kind::of(id);
    const QString path = folder().file(QStringLiteral("Prova") + kind.extension);
    writeFileBytes(path, sampleArchive(kind, 1));
    auto card = std::make_unique<OpenCard>(id, path);
    card->click("cmdPrimo");
    return card;
}

void TestCardPrinting::onPrintWindow(OpenCard& card, const char* command, const std::function<void(QDialog*)>& action)
{
    bool opened = false;
    whenModalOpens([&](QWidget* modal) {
        auto* window = qobject_cast<CardPrintWindow*>(modal);
        QVERIFY(window);
        opened = true;
        action(window);
        // Whatever the action did, the window must not stay open over the card window.
        if (window->isVisible()) {
            window->reject();
            QFAIL("the window stayed open");
        }
    });
    card.click(command);
    QVERIFY(opened);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(card.window->findChildren<CardPrintWindow*>().isEmpty()); // destroyed on closing
}

void TestCardPrinting::windowsOfEachKind_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("instruction");
    const QString print = QStringLiteral("Questa operazione provvederà a stampare la scheda corrente su carta con i "
                                         "dati immessi dall'utente.");
    const QString printHow = QStringLiteral("Premere il pulsante Stampa per dare avvio alla stampa oppure premere "
                                            "Annulla per annullare l'operazione.");
    const QString preview = QStringLiteral("Questa operazione consente di visualizzare in anteprima i dati che "
                                           "appariranno in stampa.");
    const QString previewHow = QStringLiteral("Fare clic su Mostra anteprima per visualizzare il documento sullo "
                                              "schermo prima di eseguire la stampa su carta.");
    // The print and preview window classes of each kind.
    const KindRows<std::pair<const char*, const char*>> classes{
        "classes",
        {{"libri", {"TfrmStampaLibri", "TfrmAnteprimaLibri"}},
         {"fumetti", {"TfrmStampaFumetti", "TfrmAnteprimaFumetti"}},
         {"dvd", {"TfrmStampaDVD", "TfrmAnteprimaDVD"}}},
    };
    for (const Kind* kind : Kind::all()) {
        const auto& [printClass, previewClass] = classes.of(*kind);
        addKindRow(kind->id, "print") << "cmdStampa" << printClass << " Stampa scheda"
                                      << "Stampa"
                                      << "Stampa scheda" << print << printHow;
        addKindRow(kind->id, "preview") << "cmdAnteprima" << previewClass << " Anteprima di stampa"
                                        << "Mostra anteprima"
                                        << "Anteprima di stampa" << preview << previewHow;
    }
}

void TestCardPrinting::windowsOfEachKind()
{
    QFETCH(KindId, kind);
    QFETCH(QString, command);
    QFETCH(QString, className);
    QFETCH(QString, caption);
    QFETCH(QString, button);
    QFETCH(QString, heading);
    QFETCH(QString, sentence);
    QFETCH(QString, instruction);

    auto card = storedCard(kind);
    onPrintWindow(*card, qPrintable(command), [&](QDialog* window) {
        QCOMPARE(QLatin1String(window->metaObject()->className()), className);
        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(window->size(), QSize(364, 287));
        QVERIFY((window->geometry().center() - card->window->geometry().center()).manhattanLength() <= 2);
        QVERIFY(!(window->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));

        QCOMPARE(child<QWidget>(window, QStringLiteral("icoInf01"))->accessibleName(), heading);
        QCOMPARE(child<QWidget>(window, QStringLiteral("icoInf01"))->accessibleDescription(), sentence);
        QCOMPARE(child<QWidget>(window, QStringLiteral("icoInf02"))->accessibleName(), instruction);
        for (const char* name : {"icoInf01", "icoInf02", "imgSezione04", "imgLogo01", "shpSfondo", "shpSepara"})
            QVERIFY2(child<QWidget>(window, QLatin1String(name))->isVisible(), name);
        for (const char* name : {"imgLogo", "imgTemp"}) {
            QVERIFY2(!child<QWidget>(window, QLatin1String(name))->isVisible(), name);
            QCOMPARE(child<QWidget>(window, QLatin1String(name))->size(), QSize(297, 184));
        }

        auto* annulla = child<QPushButton>(window, QStringLiteral("btnAnnulla"));
        auto* stampa = child<QPushButton>(window, QStringLiteral("btnStampa"));
        QCOMPARE(annulla->text(), QStringLiteral("Annulla"));
        QCOMPARE(stampa->text(), button);
        // Both buttons in the window, side by side, not overlapping.
        QVERIFY(window->rect().contains(QRect(annulla->mapTo(window, QPoint()), annulla->size())));
        QVERIFY(window->rect().contains(QRect(stampa->mapTo(window, QPoint()), stampa->size())));
        QVERIFY(!annulla->geometry().intersects(stampa->geometry()));

        QTest::mouseClick(annulla, Qt::LeftButton);
    });
    QCOMPARE(m_dialogs, 0);
    QCOMPARE(messages().count(), 0);
}

void TestCardPrinting::printsTheCardAsOnScreen()
{
    QFETCH(KindId, kind);
    auto card = storedCard(kind);
    // Edits not saved, with blanks around them and square brackets in them.
    card->field(QStringLiteral("Titolo"))->setText(QStringLiteral("  Il nome [della] rosa\t"));
    for (const QString& name : card->kind.textFields())
        if (name != QLatin1String("Titolo"))
            card->field(name)->setText(QStringLiteral("  %1 [x] ").arg(name));

    onPrintWindow(*card, "cmdStampa", [](QDialog* window) { click(window, QStringLiteral("btnStampa")); });
    QCOMPARE(m_dialogs, 1);
    QCOMPARE(messages().count(), 0);
    QVERIFY(QFile::exists(pdf()));
    QCOMPARE(pageCount(pdf()), 1);
    QVERIFY(isPaper(pageSize(pdf()), 210, 297));

    const QList<Word> page = words(pdf(), 1);
    const QRectF name = phraseBox(page, QStringLiteral("Prova"));
    QVERIFY(!name.isNull());
    QVERIFY(qAbs(name.left() - (kMargin + 1)) < 0.6);
    QVERIFY(name.top() >= kMargin + 0.5 - 0.3 && name.bottom() <= kMargin + 4.5 + 0.3);
    const QRectF title = phraseBox(page, QStringLiteral("Il nome [della] rosa"));
    QVERIFY(!title.isNull());
    QVERIFY2(qAbs(title.center().x() - (kMargin + 95)) < 1, qPrintable(QString::number(title.center().x())));
    QVERIFY(title.top() >= kMargin + 5 && title.bottom() <= kMargin + 13);

    for (const CardBox& box : kCardBoxes.of(kind)) {
        const QString value = QLatin1String(box.object + 3) + QStringLiteral(" [x]");
        const QRectF found = phraseBox(page, value);
        QVERIFY2(!found.isNull(), box.object);
        QVERIFY2(qAbs(found.left() - (kMargin + box.left + 1)) < 0.6, box.object);
        QVERIFY2(found.top() >= kMargin + box.top + 5 && found.bottom() <= kMargin + box.top + 11, box.object);
    }
    // What is stored, and not on screen, is not printed.
    const QString printed = pdfText(pdf());
    QVERIFY2(!printed.contains(QLatin1String("Scheda 1")), qPrintable(printed));
    QVERIFY2(!printed.contains(QLatin1String("Autore 1")), qPrintable(printed));
    // The card window shows what it showed.
    QCOMPARE(card->title(), QStringLiteral("  Il nome [della] rosa\t"));
    QCOMPARE(card->position(), QStringLiteral("1"));
}

void TestCardPrinting::printsThePictureOfThePhotoBox_data()
{
    QTest::addColumn<bool>("withPhoto");
    QTest::newRow("photo of 3000 x 2000") << true;
    QTest::newRow("no photo: the placeholder") << false;
}

void TestCardPrinting::printsThePictureOfThePhotoBox()
{
    QFETCH(bool, withPhoto);
    const QColor photoColour(200, 40, 40);
    if (withPhoto) {
        QImage photo(3000, 2000, QImage::Format_RGB32);
        photo.fill(photoColour);
        QDir().mkpath(folder().file(QStringLiteral("Catalogo_Libri")));
        writeFileBytes(folder().file(QStringLiteral("Catalogo_Libri/Prova_Foto_1.jpg")), jpeg(photo));
    }
    auto card = storedCard(KindId::Libri);
    QCOMPARE(card->showsPlaceholder(), !withPhoto);

    onPrintWindow(*card, "cmdStampa", [](QDialog* window) { click(window, QStringLiteral("btnStampa")); });
    QCOMPARE(messages().count(), 0);
    const QList<QSize> pictures = embeddedPictures(pdf());
    QCOMPARE(pictures.size(), 1);
    const QImage image = renderPage(pdf(), 1);
    const double boxTop = kMargin + 16;
    if (withPhoto) {
        // 3:2 in a box of 188 x 106 mm: 159 mm wide, the box's full height, at about 300 dpi.
        const double dpi = pictures.first().height() / (106 / 25.4);
        QVERIFY2(dpi > 290 && dpi < 310, qPrintable(QString::number(dpi)));
        QVERIFY(qAbs(pictures.first().width() * 2 - pictures.first().height() * 3) <= 3);
        QVERIFY(near(pixelAt(image, kMargin + 95, boxTop + 53), photoColour));
        QVERIFY(near(pixelAt(image, kMargin + 1 + 14.5 + 2, boxTop + 2), photoColour));
        QVERIFY(near(pixelAt(image, kMargin + 1 + 14.5 - 2, boxTop + 53), Qt::white, 8));
    } else {
        // The picture the card window shows in its photo box, which is 307 x 409.
        QCOMPARE(pictures.first(), QSize(307, 409));
        // Upright in the box: 106 mm tall, about 80 mm wide, centred; blank beside it.
        QVERIFY(near(pixelAt(image, kMargin + 1 + 20, boxTop + 53), Qt::white, 8));
        QVERIFY(near(pixelAt(image, kMargin + 189 - 20, boxTop + 53), Qt::white, 8));
    }
}

void TestCardPrinting::cancelledPrintDialogPrintsNothing()
{
    m_answer = ReportPrinter::DialogAnswer::Cancel;
    auto card = storedCard(KindId::DVD);
    onPrintWindow(*card, "cmdStampa", [](QDialog* window) { click(window, QStringLiteral("btnStampa")); });
    QCOMPARE(m_dialogs, 1);
    QCOMPARE(messages().count(), 0);
    QVERIFY(!QFile::exists(pdf()));
}

void TestCardPrinting::keyboardPressesOnlyTheFocusedButton()
{
    auto card = storedCard(KindId::Fumetti);
    onPrintWindow(*card, "cmdStampa", [](QDialog* window) {
        auto* annulla = child<QPushButton>(window, QStringLiteral("btnAnnulla"));
        auto* stampa = child<QPushButton>(window, QStringLiteral("btnStampa"));
        QVERIFY(!annulla->isDefault() && !annulla->autoDefault());
        QVERIFY(!stampa->isDefault() && !stampa->autoDefault());
        QCOMPARE(window->focusWidget(), stampa);
        QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
        QCOMPARE(window->focusWidget(), annulla);
        QTest::keyClick(annulla, Qt::Key_Return);
    });
    QCOMPARE(m_dialogs, 0);
    QVERIFY(!QFile::exists(pdf()));

    onPrintWindow(*card, "cmdStampa", [](QDialog* window) {
        QTest::keyClick(child<QPushButton>(window, QStringLiteral("btnStampa")), Qt::Key_Enter);
    });
    QCOMPARE(m_dialogs, 1);
    QVERIFY(QFile::exists(pdf()));
    QCOMPARE(messages().count(), 0);
}

void TestCardPrinting::failureShowsTheWarningAndCloses_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("command");
    QTest::newRow("object missing from the template") << "object"
                                                      << "cmdStampa";
    QTest::newRow("object missing, preview") << "object"
                                             << "cmdAnteprima";
    QTest::newRow("template unreadable") << "file"
                                         << "cmdAnteprima";
    QTest::newRow("printer cannot be written") << "printer"
                                               << "cmdStampa";
    QTest::newRow("printer cannot be written, print button of the preview") << "printer"
                                                                            << "cmdAnteprima";
}

void TestCardPrinting::failureShowsTheWarningAndCloses()
{
    QFETCH(QString, failure);
    QFETCH(QString, command);
    if (failure == QLatin1String("object")) {
        // The book template without the box of the genre.
        QFile resource(QStringLiteral(":/reports/scheda_libro.json"));
        QVERIFY(resource.open(QIODevice::ReadOnly));
        QJsonObject root = QJsonDocument::fromJson(resource.readAll()).object();
        QJsonArray pages = root.value(QStringLiteral("pages")).toArray();
        QJsonObject page = pages.at(0).toObject();
        QJsonArray objects;
        for (const QJsonValue& object : page.value(QStringLiteral("objects")).toArray())
            if (object.toObject().value(QStringLiteral("name")).toString() != QLatin1String("txtGenere"))
                objects.append(object);
        QCOMPARE(objects.size(), page.value(QStringLiteral("objects")).toArray().size() - 1);
        page.insert(QStringLiteral("objects"), objects);
        pages.replace(0, page);
        root.insert(QStringLiteral("pages"), pages);
        const QString path = folder().file(QStringLiteral("senza_genere.json"));
        writeFileBytes(path, QJsonDocument(root).toJson());
        CardPrintWindow::setTemplateOverride(path);
    } else if (failure == QLatin1String("file")) {
        CardPrintWindow::setTemplateOverride(folder().file(QStringLiteral("nessuno.json")));
    } else {
        m_output = folder().file(QStringLiteral("cartella che non c'è/scheda.pdf"));
    }

    bool previewShown = false;
    bool previewStayed = false;
    auto card = storedCard(KindId::Libri);
    onPrintWindow(*card, qPrintable(command), [&](QDialog* window) {
        QTimer::singleShot(0, [&] {
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
                previewShown = true;
                if (auto* print = preview->findChild<QAction*>(QStringLiteral("actStampa")))
                    print->trigger();
                previewStayed = preview->isVisible();
                preview->reject();
            }
        });
        click(window, QStringLiteral("btnStampa"));
    });
    // Only a template that loads gets as far as the preview; a print from it that fails closes it.
    QCOMPARE(previewShown, failure == QLatin1String("printer") && command == QLatin1String("cmdAnteprima"));
    QVERIFY(!previewStayed);
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Warning);
    QCOMPARE(messages().last().text, kFailure);
    QCOMPARE(messages().last().buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(m_dialogs, failure == QLatin1String("printer") ? 1 : 0);
    QVERIFY(!QFile::exists(pdf()));
}

void TestCardPrinting::previewOpensAndCloses()
{
    auto card = storedCard(KindId::Fumetti);
    card->field(QStringLiteral("Titolo"))->setText(QStringLiteral("Titolo in anteprima"));
    QString shownTitle;
    onPrintWindow(*card, "cmdAnteprima", [&](QDialog* window) {
        QTimer::singleShot(0, [&] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!preview)
                return;
            shownTitle = preview->windowTitle();
            // What the preview draws, painted into a PDF by the same route.
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf());
            emit preview->paintRequested(&printer);
            preview->reject();
        });
        click(window, QStringLiteral("btnStampa"));
    });
    QCOMPARE(shownTitle, QStringLiteral("Anteprima di stampa"));
    QCOMPARE(m_dialogs, 0); // a preview asks for no printer
    QCOMPARE(messages().count(), 0);
    QVERIFY(pdfText(pdf()).contains(QLatin1String("Titolo in anteprima")));
}

void TestCardPrinting::jobIsNamedAfterTheCard_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("jobName");
    QTest::newRow("print") << "cmdStampa"
                           << "  Il nome della rosa\t"
                           << "Il nome della rosa";
    QTest::newRow("print, no title") << "cmdStampa"
                                     << ""
                                     << "Scheda Libro";
    QTest::newRow("print button of the preview") << "cmdAnteprima"
                                                 << "Il pendolo di Foucault"
                                                 << "Il pendolo di Foucault";
}

void TestCardPrinting::jobIsNamedAfterTheCard()
{
    QFETCH(QString, command);
    QFETCH(QString, title);
    QFETCH(QString, jobName);
    auto card = storedCard(KindId::Libri);
    card->field(QStringLiteral("Titolo"))->setText(title);
    bool previewClosed = false;
    onPrintWindow(*card, qPrintable(command), [&](QDialog* window) {
        QTimer::singleShot(0, [&] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!preview)
                return;
            if (auto* print = preview->findChild<QAction*>(QStringLiteral("actStampa")))
                print->trigger();
            previewClosed = !preview->isVisible();
            preview->reject();
        });
        click(window, QStringLiteral("btnStampa"));
    });
    QCOMPARE(m_dialogs, 1);
    QCOMPARE(m_jobName, jobName);
    QVERIFY(pdfText(pdf()).contains(title.trimmed().isEmpty() ? QStringLiteral("AUTORE") : title.trimmed()));
    if (command == QLatin1String("cmdAnteprima"))
        QVERIFY(previewClosed);
}

CARTAVOX_TEST_MAIN(TestCardPrinting)
#include "tst_card_printing.moc"
