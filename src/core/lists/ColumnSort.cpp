#include "ColumnSort.h"

#include "ListText.h"

#include <algorithm>
#include <vector>

namespace {
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The run of digits at `at`, without its leading zeros; `at` moves past the run.
QStringView digitRun(QStringView text, qsizetype& at)
{
    while (at < text.size() && text[at] == u'0')
        ++at;
    const qsizetype begin = at;
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return text.sliced(begin, at - begin);
}
} // namespace

namespace ColumnSort {

QStringView cell(QStringView line, ResultLine::Span span)
{
    if (span.offset >= line.size())
        return {};
    QStringView text = span.width == 0 ? line.sliced(span.offset) : line.sliced(span.offset).left(span.width);
    while (!text.isEmpty() && text.back() == u' ')
        text.chop(1);
    return text;
}

int compare(QStringView a, QStringView b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const QStringView runA = digitRun(a, i);
            const QStringView runB = digitRun(b, j);
            if (runA.size() != runB.size())
                return runA.size() < runB.size() ? -1 : 1;
            if (const int digits = runA.compare(runB); digits != 0)
                return digits;
            continue;
        }
        const char16_t ca = ListText::upperAZ(a[i]).unicode();
        const char16_t cb = ListText::upperAZ(b[j]).unicode();
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    return int(i < a.size()) - int(j < b.size());
}

QList<int> sorted(const QStringList& lines, ResultLine::Span span, Qt::SortOrder order, const QList<int>& firstOrder)
{
    std::vector<QStringView> cells(lines.size());
    for (qsizetype row = 0; row < lines.size(); ++row)
        cells[row] = cell(lines.at(row), span);
    QList<int> rows = firstOrder;
    const bool ascending = order == Qt::AscendingOrder;
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const int c = compare(cells[a], cells[b]);
        return ascending ? c < 0 : c > 0;
    });
    return rows;
}

} // namespace ColumnSort
