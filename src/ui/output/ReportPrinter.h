#pragma once

#include "report/Report.h"

#include <QString>
#include <QStringList>

#include <functional>

class QPrinter;
class QWidget;

// The windows of printing: the print dialog in front of the printer, and the preview window. The
// pages come from the report's one painting routine, as in a PDF file.
namespace ReportPrinter {

// Shows the print dialog (printer, copies, pages), starting from the printer the template names
// (the system's default printer when it names none), and prints the prepared report on the
// printer chosen. The job bears `jobName` in the printer's queue; printed to a file, the file
// proposed is that name in the program folder. Returns false, having printed nothing, when the
// dialog is cancelled. A report not prepared yet is prepared first. Throws ReportError when
// printing fails: a printer that refuses, a PDF file that cannot be written whole (which is then
// not made, or left as it was).
bool print(QWidget* parent, Report& report, const QString& jobName);

// Shows the prepared report in a modal preview window, at the zoom and with the buttons the
// template asks for; returns when the window is closed. Its print button prints as print() does.
void preview(QWidget* parent, Report& report, const QString& jobName);

// Prints a list: the list template with `title` in its title bar and `lines`, one printed line
// each, in a job named by the title. Returns false when the print dialog is cancelled.
bool printLines(QWidget* parent, const QString& title, const QStringList& lines);

// While a responder is set the print dialog is not shown: the responder gets the printer the
// dialog would have shown (a test may point it at a PDF file) and answers for the user. Tests
// only; an empty responder restores the real dialog.
enum class DialogAnswer { Accept, Cancel };
using PrintDialogResponder = std::function<DialogAnswer(QPrinter&)>;
void setPrintDialogResponder(PrintDialogResponder responder);

} // namespace ReportPrinter
