// The printer's side of the report engine: the print dialog's answer, and the preview window.
#include "CardBoxes.h"
#include "PdfPages.h"
#include "TestSupport.h"
#include "output/ReportPrinter.h"
#include "report/Report.h"
#include "shell/ProgramFormats.h"

#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
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
    ReportPrinter::preview(nullptr, report);
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
    ReportPrinter::preview(nullptr, report);
    QVERIFY2(road.contains(QStringLiteral("Chiudi")), qPrintable(road.join(u',')));
    QVERIFY(closed);
}

CARTAVOX_TEST_MAIN(ReportPrinterTest)
#include "tst_report_printer.moc"
