#include "ReportPrinter.h"
#include "PreviewKeys.h"
#include "shell/ProgramFormats.h"

#include "folder/ProgramFolder.h"
#include "folder/SafeSave.h"
#include "report/ListReport.h"
#include "storage/Text.h"

#include <QAction>
#include <QActionGroup>
#include <QBuffer>
#include <QComboBox>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace {
ReportPrinter::PrintDialogResponder& responder()
{
    static ReportPrinter::PrintDialogResponder value;
    return value;
}

void setUpPrinter(QPrinter& printer, const Report& report, const QString& jobName)
{
    if (!report.options().printerName.isEmpty())
        printer.setPrinterName(report.options().printerName);
    printer.setDocName(jobName);
    printer.setFullPage(true);
    if (!report.preparedPages().empty()) {
        const PreparedPage& first = report.preparedPages().front();
        QPageLayout layout(first.paper, first.orientation, first.margins, QPageLayout::Millimeter);
        layout.setMode(QPageLayout::FullPageMode);
        printer.setPageLayout(layout);
    }
}

// Paints the pages and copies that the printer's settings ask for on `device`.
void paintRange(const QPrinter& printer, QPagedPaintDevice& device, const Report& report)
{
    int from = 1;
    int to = report.pageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = printer.fromPage();
        to = printer.toPage() > 0 ? printer.toPage() : to;
    }
    // Where the printing system makes no copies itself, the pages are sent as many times.
    report.paint(device, from, to, printer.supportsMultipleCopies() ? 1 : printer.copyCount());
}

// Prints on the printer chosen in its dialog. Throws ReportError when any of it fails; a file
// asked for is then left as it was before, or not made.
void output(QPrinter& printer, const Report& report)
{
    const QString file = printer.outputFileName();
    if (printer.outputFormat() != QPrinter::PdfFormat || file.isEmpty()) {
        paintRange(printer, printer, report);
        if (printer.printerState() == QPrinter::Error)
            throw ReportError(
                QStringLiteral("La stampante non ha accettato la stampa di \"%1\"").arg(printer.docName()));
        return;
    }
    // Qt's PDF writer looks at none of its writes: on a full disk it stops at the first write cut
    // short and the print looks done. The file is made in memory, then handed to the disk with
    // every write checked, whole or not at all, in the place of whatever stood there (see SafeSave).
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(printer.resolution());
        writer.setTitle(printer.docName());
        writer.setCreator(printer.creator());
        writer.setPdfVersion(printer.pdfVersion());
        paintRange(printer, writer, report);
    }
    SafeSave pdf(file, FileScope::UserChoice);
    if (!pdf.open())
        throw ReportError(QStringLiteral("Impossibile creare il file \"%1\"").arg(file));
    if (pdf.device().write(bytes) != bytes.size() || !pdf.commit())
        throw ReportError(QStringLiteral("Impossibile scrivere il file \"%1\"").arg(file));
}

// The preview's toolbar shows only what the template lists. Qt makes its actions in groups, in
// this order: navigation, fit, zoom, orientation, display mode, print and page setup.
void arrangeToolbar(QPrintPreviewDialog& dialog, const QStringList& buttons, const std::function<void()>& print)
{
    auto* toolbar = dialog.findChild<QToolBar*>();
    const QList<QActionGroup*> groups = dialog.findChildren<QActionGroup*>(Qt::FindDirectChildrenOnly);
    if (!toolbar || groups.size() != 6)
        return;
    const auto wants = [&buttons](const char* name) { return buttons.contains(QLatin1String(name)); };
    const auto show = [](QActionGroup* group, bool visible) {
        for (QAction* action : group->actions())
            action->setVisible(visible);
    };
    show(groups[0], wants("navigation"));
    show(groups[1], wants("zoom"));
    show(groups[2], wants("zoom"));
    show(groups[3], false); // the template fixes the orientation
    show(groups[4], wants("navigation"));
    // Qt's own print action goes to a print dialog of its own; the one added below goes through
    // the program's.
    groups[5]->actions().at(0)->setVisible(false);
    groups[5]->actions().at(1)->setVisible(false);
    // The zoom box and the page number are widgets in the toolbar, not in any group.
    for (QAction* action : toolbar->actions()) {
        QWidget* widget = toolbar->widgetForAction(action);
        if (qobject_cast<QComboBox*>(widget))
            action->setVisible(wants("zoom"));
        else if (widget && !qobject_cast<QToolButton*>(widget))
            action->setVisible(wants("navigation"));
    }

    if (wants("print")) {
        auto* printAction = new QAction(groups[5]->actions().at(0)->icon(), QStringLiteral("Stampa"), &dialog);
        printAction->setObjectName(QStringLiteral("actStampa"));
        QObject::connect(printAction, &QAction::triggered, &dialog, print);
        toolbar->insertAction(groups[5]->actions().at(0), printAction);
    }
    if (wants("fullScreen")) {
        auto* fullScreen = new QAction(dialog.style()->standardIcon(QStyle::SP_TitleBarMaxButton),
                                       QStringLiteral("Schermo intero"), &dialog);
        fullScreen->setObjectName(QStringLiteral("actSchermoIntero"));
        fullScreen->setCheckable(true);
        QObject::connect(fullScreen, &QAction::toggled, &dialog,
                         [&dialog](bool on) { on ? dialog.showFullScreen() : dialog.showNormal(); });
        toolbar->addSeparator();
        toolbar->addAction(fullScreen);
    }
    if (wants("close")) {
        auto* close =
            new QAction(dialog.style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Chiudi"), &dialog);
        close->setObjectName(QStringLiteral("actChiudi"));
        QObject::connect(close, &QAction::triggered, &dialog, &QDialog::reject);
        toolbar->addAction(close);
    }
    // Tab reaches the toolbar as it reaches the program's own pictures; a click still leaves the
    // focus where it was.
    for (QToolButton* button : toolbar->findChildren<QToolButton*>())
        button->setFocusPolicy(Qt::TabFocus);
}

// Printed to a file, a job is proposed in the program folder, where everything of the program lives,
// rather than in the home folder: the dialog has no setting for it, only its file field. A card's
// title may hold a slash or, from files written elsewhere, a line break: neither belongs in a name.
void proposeFileInProgramFolder(QPrintDialog& dialog, const QString& jobName)
{
    QString name = Text::withControlsAsBlanks(jobName);
    name.replace(u'/', u'-');
    if (auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
        file->setText(ProgramFolder::file(name + QStringLiteral(".pdf")));
}

// The button beside the file field shows only "...": it says what it does to a screen reader and
// to whoever points at it.
void nameFileButton(QPrintDialog& dialog)
{
    if (auto* browse = dialog.findChild<QToolButton*>(QStringLiteral("fileBrowser"))) {
        browse->setAccessibleName(QStringLiteral("Scegli il file di stampa"));
        browse->setToolTip(browse->accessibleName());
    }
}

void setZoom(QPrintPreviewDialog& dialog, int percent)
{
    // Through the zoom box, so that the dialog's own display agrees with the preview.
    auto* zoom = dialog.findChild<QComboBox*>();
    auto* preview = dialog.findChild<QPrintPreviewWidget*>();
    if (!zoom || !preview)
        return;
    const QString text = QStringLiteral("%1%").arg(percent);
    const int index = zoom->findText(text);
    if (index >= 0 && index != zoom->currentIndex()) {
        zoom->setCurrentIndex(index);
    } else {
        preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
        preview->setZoomFactor(percent / 100.0);
    }
}
} // namespace

bool ReportPrinter::print(QWidget* parent, Report& report, const QString& jobName)
{
    if (!report.isPrepared())
        report.prepare(ProgramFormats::shortDateFormat());
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, report, jobName);

    if (responder()) {
        if (responder()(printer) == DialogAnswer::Cancel)
            return false;
    } else {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("Stampa"));
        dialog.setMinMax(1, report.pageCount());
        proposeFileInProgramFolder(dialog, jobName);
        nameFileButton(dialog);
        if (dialog.exec() != QDialog::Accepted)
            return false;
    }
    output(printer, report);
    return true;
}

void ReportPrinter::preview(QWidget* parent, Report& report, const QString& jobName)
{
    if (!report.isPrepared())
        report.prepare(ProgramFormats::shortDateFormat());
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, report, jobName);

    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Anteprima di stampa"));
    dialog.setWindowModality(Qt::ApplicationModal);
    // An exception must not cross Qt's signal machinery: it is kept and thrown again after exec().
    std::exception_ptr failure;
    const auto keepingFailure = [&failure](const std::function<void()>& work) {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    };
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* target) { keepingFailure([&] { paintRange(*target, *target, report); }); });
    arrangeToolbar(dialog, report.options().previewButtons, [&] {
        keepingFailure([&] {
            if (print(&dialog, report, jobName))
                dialog.accept();
        });
        // A print that failed is told at once, not when the user gets round to closing the preview.
        if (failure)
            dialog.reject();
    });
    setZoom(dialog, report.options().previewZoomPercent);
    scrollPageFromKeys(dialog);
    dialog.exec();
    if (failure)
        std::rethrow_exception(failure);
}

bool ReportPrinter::printLines(QWidget* parent, const QString& title, const QStringList& lines)
{
    Report report = ListReport::make(title, lines, ProgramFormats::shortDateFormat());
    return print(parent, report, title);
}

void ReportPrinter::setPrintDialogResponder(PrintDialogResponder value)
{
    responder() = std::move(value);
}
