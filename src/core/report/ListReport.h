#pragma once

#include "Report.h"

#include <QString>
#include <QStringList>

// The printout of a list window: a title bar, the list's lines in a fixed-pitch font continuing
// over as many landscape pages as they need, and the date of printing after the last line.
namespace ListReport {

inline const QString kTemplate = QStringLiteral(":/reports/riepilogo.json");

// The list template filled with the title and the lines, and prepared with the date of printing in
// `dateFormat`. Throws ReportError.
Report make(const QString& title, const QStringList& lines, const QString& dateFormat);

} // namespace ListReport
