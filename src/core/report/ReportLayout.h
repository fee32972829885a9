#pragma once

#include "Report.h"

#include <QFont>

// Laying a template out in pages, and painting a laid-out page: the two halves of the engine that
// every output (printer, preview, PDF) shares. No window is involved.
namespace ReportLayout {

// The pages of the template with the contents set now; `date` replaces "[DATE]" in texts that
// allow expressions.
std::vector<PreparedPage> layOut(const std::vector<std::unique_ptr<ReportPage>>& pages, const QString& date);

// The font of a text object, asked for by family name and size in points.
QFont fontOf(const TextObject& text);

// Millimetres from the top of one line of a text object to the top of the next.
double lineHeight(const TextObject& text);

void paintPage(QPainter& painter, const PreparedPage& page, double dotsPerInch);

// Pictures are embedded at this resolution for their box, whatever their own size.
constexpr double kPictureDotsPerInch = 300;

} // namespace ReportLayout
