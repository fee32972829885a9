#pragma once

#include "FoldedLines.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// How the list windows compare texts. Only the letters A to Z change case: an accented capital
// stays apart from its small letter, as the stored Windows-1252 texts are compared.
namespace ListText {

// "A".."Z" to "a".."z"; every other character as it is.
inline QChar lowerAZ(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') ? QChar(char16_t(u + 32)) : c;
}

// "a".."z" to "A".."Z"; every other character as it is.
inline QChar upperAZ(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? QChar(char16_t(u - 32)) : c;
}

QString lowerAZ(QStringView text);

// Whether `text` contains `key`, both with A to Z folded to small letters. An empty key is
// contained everywhere; callers that must match nothing on an empty key say so themselves.
bool containsFolded(QStringView text, QStringView key);

// The list order: character by character by code after folding a to z to capitals, a line that is
// a prefix of another first.
bool lessInListOrder(QStringView a, QStringView b);

} // namespace ListText

// The "Trova" button of a list window: steps through the lines that contain a key, one press at a
// time, remembering the key of the last press so that pressing again goes on after the selection.
class QuickFind final {
public:
    // The row to select after a press with `typedKey`, or -1 when no line matches (the selection
    // then stays). `selected` is the selected row, or -1 for none (the first row is then taken as
    // selected). `lines` must not be empty: an empty list is the caller's message.
    int press(const QStringList& lines, int selected, const QString& typedKey);
    // The same over `folded`, made from `lines` and kept with them, for lists long enough that
    // making it at each press would cost more than the search.
    int press(const QStringList& lines, const FoldedLines& folded, int selected, const QString& typedKey);

    void forget() { m_key.clear(); }
    const QString& rememberedKey() const { return m_key; }

private:
    QString m_key;
};
