// The printer's side of the report engine: the print dialog's answer, and the preview window.
#include "CardBoxes.h"
#include "PdfPages.h"
#include "TestSupport.h"
#include "folder/ProgramFolder.h"
#include "output/ReportPrinter.h"
#include "report/Report.h"
#include "shell/ProgramFormats.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace PdfPages;

class ReportPrinterTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void printDialogAnswer_data();
    void printDialogAnswer();
    void previewOpensAtFullSize();
    void thePreviewClosesByKeys();
    void previewKeysScrollThePage_data();
    void previewKeysScrollThePage();
    void printToFileIsProposedInTheProgramFolder_data();
    void printToFileIsProposedInTheProgramFolder();
    void thePrintDialogSpeaksItalian();

private:
    QString pdfPath(const QString& name) const { return m_dir.filePath(name + QStringLiteral(".pdf")); }
    QTemporaryDir m_dir;
};

void ReportPrinterTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    ProgramFormats::apply();
}

void ReportPrinterTest::printDialogAnswer_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("cancel") << false;
    QTest::newRow("accept") << true;
}

void ReportPrinterTest::printDialogAnswer()
{
    QFETCH(bool, accept);
    const QString pdf = pdfPath(QStringLiteral("printed-") + QTest::currentDataTag());
    int asked = 0;
    ReportPrinter::setPrintDialogResponder([&](QPrinter& printer) {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return accept ? ReportPrinter::DialogAnswer::Accept : ReportPrinter::DialogAnswer::Cancel;
    });
    const bool printed =
        ReportPrinter::printLines(nullptr, QStringLiteral("Riepilogo albi mancanti"), {QStringLiteral("Albo 12")});
    ReportPrinter::setPrintDialogResponder({});

    QCOMPARE(asked, 1);
    QCOMPARE(printed, accept);
    QCOMPARE(QFile::exists(pdf), accept);
    if (accept) {
        const QString text = pdfText(pdf);
        QVERIFY(text.contains(QStringLiteral("Riepilogo albi mancanti")));
        QVERIFY(text.contains(QStringLiteral("Albo 12")));
        QVERIFY(isPaper(pageSize(pdf), 297, 210));
    }
}

void ReportPrinterTest::previewOpensAtFullSize()
{
    Report report = Report::load(QStringLiteral(":/reports/scheda_libro.json"));
    report.text(QStringLiteral("txtTitolo")).setText(QStringLiteral("Titolo"));
    report.text(QStringLiteral("txtNome")).setText(QStringLiteral("Casa"));
    struct Seen {
        bool modal = false;
        int pages = 0;
        QPrintPreviewWidget::ZoomMode mode = QPrintPreviewWidget::FitInView;
        qreal zoom = 0;
        bool fullScreen = false;
        bool closed = false;
    } seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen.modal = dialog->isModal();
        if (auto* preview = dialog->findChild<QPrintPreviewWidget*>()) {
            seen.pages = preview->pageCount();
            seen.mode = preview->zoomMode();
            seen.zoom = preview->zoomFactor();
        }
        seen.fullScreen = dialog->findChild<QAction*>(QStringLiteral("actSchermoIntero")) != nullptr;
        if (auto* close = dialog->findChild<QAction*>(QStringLiteral("actChiudi"))) {
            close->trigger();
            seen.closed = !dialog->isVisible();
        }
        dialog->reject();
    });
    ReportPrinter::preview(nullptr, report, QStringLiteral("Titolo"));
    QVERIFY(seen.modal);
    QCOMPARE(seen.pages, 1);
    QCOMPARE(seen.mode, QPrintPreviewWidget::CustomZoom);
    QCOMPARE(seen.zoom, 1.0);
    QVERIFY(seen.fullScreen);
    QVERIFY(seen.closed);
}

void ReportPrinterTest::thePreviewClosesByKeys()
{
    Report report = Report::load(QStringLiteral(":/reports/scheda_libro.json"));
    QStringList road;
    bool closed = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        QApplication::setActiveWindow(dialog);
        if (!QTest::qWaitForWindowActive(dialog))
            return;
        // Tab, round the window, to the toolbar's Chiudi; Space presses it.
        for (int step = 0; step < 40 && road.value(road.size() - 1) != QLatin1String("Chiudi"); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const auto* button = qobject_cast<QToolButton*>(QApplication::focusWidget());
            road << (button && button->defaultAction() ? button->defaultAction()->text() : QString());
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        closed = !dialog->isVisible();
        dialog->reject();
    });
    ReportPrinter::preview(nullptr, report, QStringLiteral("Scheda"));
    QVERIFY2(road.contains(QStringLiteral("Chiudi")), qPrintable(road.join(u',')));
    QVERIFY(closed);
}

void ReportPrinterTest::previewKeysScrollThePage_data()
{
    QTest::addColumn<bool>("zoomBoxClicked");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::Orientation>("bar");
    QTest::addColumn<int>("direction");
    const struct {
        const char* name;
        Qt::Key key;
        Qt::Orientation bar;
        int direction;
    } keys[] = {
        {"PageDown", Qt::Key_PageDown, Qt::Vertical, 1}, {"PageUp", Qt::Key_PageUp, Qt::Vertical, -1},
        {"Down", Qt::Key_Down, Qt::Vertical, 1},         {"Up", Qt::Key_Up, Qt::Vertical, -1},
        {"Right", Qt::Key_Right, Qt::Horizontal, 1},     {"Left", Qt::Key_Left, Qt::Horizontal, -1},
    };
    for (bool clicked : {false, true})
        for (const auto& row : keys)
            QTest::addRow("%s, %s", row.name, clicked ? "zoom box clicked" : "as opened")
                << clicked << int(row.key) << row.bar << row.direction;
}

void ReportPrinterTest::previewKeysScrollThePage()
{
    QFETCH(bool, zoomBoxClicked);
    QFETCH(int, key);
    QFETCH(Qt::Orientation, bar);
    QFETCH(int, direction);
    Report report = Report::load(QStringLiteral(":/reports/scheda_libro.json"));
    struct Seen {
        bool scrollable = false;
        bool focusInZoomBox = false;
        qreal zoom = 0;
        int before = 0;
        int after = 0;
    } seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        auto* page = preview ? preview->findChild<QAbstractScrollArea*>() : nullptr;
        auto* zoomBox = dialog->findChild<QComboBox*>();
        if (page && zoomBox && QTest::qWaitForWindowActive(dialog)) {
            // A window smaller than the page, scrolled to the middle of the page: it can scroll
            // either way.
            dialog->resize(500, 500);
            QScrollBar* scroll = bar == Qt::Vertical ? page->verticalScrollBar() : page->horizontalScrollBar();
            seen.scrollable = QTest::qWaitFor([scroll] { return scroll->maximum() > 0; });
            scroll->setValue(scroll->maximum() / 2);
            if (zoomBoxClicked) {
                QTest::mouseClick(zoomBox->lineEdit(), Qt::LeftButton);
                seen.focusInZoomBox =
                    zoomBox->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == zoomBox;
            }
            seen.before = scroll->value();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            seen.after = scroll->value();
            seen.zoom = preview->zoomFactor();
        }
        dialog->reject();
    });
    ReportPrinter::preview(nullptr, report, QStringLiteral("Scheda Libro"));
    QVERIFY(seen.scrollable);
    QCOMPARE(seen.focusInZoomBox, zoomBoxClicked);
    QCOMPARE(seen.zoom, 1.0);
    QVERIFY2((seen.after - seen.before) * direction > 0,
             qPrintable(QStringLiteral("%1 -> %2").arg(seen.before).arg(seen.after)));
}

void ReportPrinterTest::printToFileIsProposedInTheProgramFolder_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("file");
    QTest::newRow("list title") << "Tabella Codici Dewey"
                                << "Tabella Codici Dewey.pdf";
    QTest::newRow("slash") << "AC/DC: Live"
                           << "AC-DC: Live.pdf";
    QTest::newRow("line break") << "Guerra\ne pace"
                                << "Guerra e pace.pdf";
}

void ReportPrinterTest::printToFileIsProposedInTheProgramFolder()
{
    QFETCH(QString, title);
    QFETCH(QString, file);
    QTemporaryDir programFolder;
    ProgramFolder::setOverride(programFolder.path());
    const auto restore = qScopeGuard([] { ProgramFolder::setOverride({}); });
    QString jobName;
    QString proposed;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        jobName = dialog->printer()->docName();
        // The user chooses to print to a file, the last printer of the list, and keeps the file
        // proposed.
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        if (!printers || !field) {
            dialog->reject();
            return;
        }
        printers->setCurrentIndex(printers->count() - 1);
        proposed = field->text();
        dialog->accept();
    });
    bool printed = false;
    try {
        printed = ReportPrinter::printLines(nullptr, title, {QStringLiteral("001 CONOSCENZA")});
    } catch (const std::exception&) {
        // A file proposed where it cannot be written fails the print: the comparisons tell why.
    }
    QCOMPARE(jobName, title);
    const QString inProgramFolder = QDir(programFolder.path()).filePath(file);
    QCOMPARE(proposed, inProgramFolder);
    QVERIFY(printed);
    QVERIFY(pdfText(inProgramFolder).contains(QStringLiteral("001 CONOSCENZA")));
}

void ReportPrinterTest::thePrintDialogSpeaksItalian()
{
    // The texts of Qt's own dialog, by the names Qt gives its controls, and what a screen reader
    // hears of its "..." button.
    QStringList read;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (auto* tabs = dialog->findChild<QTabWidget*>(QStringLiteral("tabs")))
            for (int i = 0; i < tabs->count(); ++i)
                read << tabs->tabText(i);
        for (const char* name : {"printAll", "pagesRadioButton", "collate", "noDuplex", "duplexLong", "duplexShort"})
            if (auto* button = dialog->findChild<QAbstractButton*>(QLatin1String(name)))
                read << button->text();
        for (const char* name : {"colorMode", "duplex"})
            if (auto* group = dialog->findChild<QGroupBox*>(QLatin1String(name)))
                read << group->title();
        if (auto* browse = dialog->findChild<QToolButton*>(QStringLiteral("fileBrowser")))
            read << browse->text() + QStringLiteral(" is ") + browse->accessibleName();
        dialog->reject();
    });
    QVERIFY(!ReportPrinter::printLines(nullptr, QStringLiteral("Tabella Codici Dewey"), {QStringLiteral("000")}));
    QCOMPARE(read, QStringList({"Copie", "Opzioni", "Stampa tutto", "Pagine", "Fascicola", "No",
                                "Rilegatura sul lato lungo", "Rilegatura sul lato corto", "Modalità colore",
                                "Stampa fronte-retro", "... is Scegli il file di stampa"}));
}

CARTAVOX_TEST_MAIN(ReportPrinterTest)
#include "tst_report_printer.moc"
