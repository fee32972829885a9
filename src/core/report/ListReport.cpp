#include "ListReport.h"

namespace {
// Engine units (1/96 inch): one line of the memo's 8-point font, and the band's room below the memo.
constexpr double kLineHeight = 12.822;
constexpr double kBandBelowMemo = 10;
} // namespace

Report ListReport::make(const QString& title, const QStringList& lines, const QString& dateFormat)
{
    Report report = Report::load(kTemplate);
    report.text(QStringLiteral("txtTitolo")).setText(title);
    TextObject& memo = report.text(QStringLiteral("txtRiepilogo"));
    memo.clearLines();
    for (const QString& line : lines)
        memo.appendLine(line);
    Band& data = report.band(QStringLiteral("MasterData"));
    memo.setHeight(memo.lineCount() * kLineHeight);
    data.setHeight(memo.height() + kBandBelowMemo);
    report.prepare(dateFormat);
    return report;
}
