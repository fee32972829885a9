#include "ListText.h"

namespace ListText {

QString lowerAZ(QStringView text)
{
    QString folded(text.size(), Qt::Uninitialized);
    QChar* out = folded.data();
    for (QChar c : text)
        *out++ = lowerAZ(c);
    return folded;
}

bool containsFolded(QStringView text, QStringView key)
{
    const qsizetype m = key.size();
    if (m == 0)
        return true;
    const qsizetype last = text.size() - m;
    if (last < 0)
        return false;
    // The quick find reads every line of long lists: the first character of the key is looked
    // for in its two forms with Qt's vectorised search, and only there is the rest compared.
    const QChar small = lowerAZ(key[0]);
    const QChar capital = upperAZ(small);
    qsizetype nextSmall = text.indexOf(small);
    qsizetype nextCapital = capital == small ? -1 : text.indexOf(capital);
    while (nextSmall >= 0 || nextCapital >= 0) {
        qsizetype i;
        if (nextCapital < 0 || (nextSmall >= 0 && nextSmall < nextCapital)) {
            i = nextSmall;
            nextSmall = text.indexOf(small, i + 1);
        } else {
            i = nextCapital;
            nextCapital = text.indexOf(capital, i + 1);
        }
        if (i > last)
            return false;
        qsizetype j = 1;
        while (j < m && lowerAZ(text[i + j]) == lowerAZ(key[j]))
            ++j;
        if (j == m)
            return true;
    }
    return false;
}

bool lessInListOrder(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = upperAZ(a[i]).unicode();
        const char16_t y = upperAZ(b[i]).unicode();
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

} // namespace ListText

int QuickFind::press(const QStringList& lines, int selected, const QString& typedKey)
{
    return press(lines, FoldedLines(lines), selected, typedKey);
}

int QuickFind::press(const QStringList& lines, const FoldedLines& folded, int selected, const QString& typedKey)
{
    const int count = int(lines.size());
    Q_ASSERT(count > 0);
    if (selected < 0 || selected >= count)
        selected = 0;
    const QString key = ListText::lowerAZ(typedKey);
    // A new key looks from the top, the first line included; the same key again goes on after the
    // selection and tests the selected line last.
    const int start = key == m_key ? (selected + 1) % count : 0;
    m_key = key;
    if (key.isEmpty())
        return -1;
    return folded.find(lines, start, key);
}
