#include "Isbn.h"

namespace {
bool isGrouping(QChar c)
{
    return c == u' ' || c == u'-';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isTen(QChar c)
{
    return c == u'X' || c == u'x';
}

QChar checkDigit10(QStringView first9)
{
    int sum = 0;
    for (int i = 0; i < 9; ++i)
        sum += (10 - i) * first9[i].digitValue();
    const int digit = (11 - sum % 11) % 11;
    return digit == 10 ? QChar(u'X') : QChar(char16_t(u'0' + digit));
}

QChar checkDigit13(QStringView first12)
{
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += (i % 2 ? 3 : 1) * first12[i].digitValue();
    return QChar(char16_t(u'0' + (10 - sum % 10) % 10));
}

// The ISBN-13 of a right ISBN-10: "978" before it and a new check digit in place of the old one,
// grouped as the user grouped the ISBN-10, so "0-13-110362-8" gives "978-0-13-110362-7".
QString isbn13Of(QStringView typed, QStringView first9)
{
    qsizetype begin = 0;
    qsizetype end = typed.size();
    while (begin < end && isGrouping(typed[begin]))
        ++begin;
    while (end > begin && isGrouping(typed[end - 1]))
        --end;
    const QStringView withoutCheck = typed.sliced(begin, end - begin - 1);
    QString separator;
    if (withoutCheck.contains(u'-'))
        separator = QStringLiteral("-");
    else if (withoutCheck.contains(u' '))
        separator = QStringLiteral(" ");
    const QChar check = checkDigit13(QString(QStringLiteral("978") + first9.toString()));
    return QStringLiteral("978") + separator + withoutCheck.toString() + check;
}
} // namespace

namespace Isbn {

Check check(QStringView typed)
{
    Check result;
    QString kept; // the digits and the "X", without grouping
    for (const QChar c : typed) {
        if (isGrouping(c))
            continue;
        if (isDigit(c) || isTen(c))
            kept += isTen(c) ? QChar(u'X') : c;
        else if (result.wrong.isNull())
            result.wrong = c;
    }
    result.length = int(kept.size());
    if (!result.wrong.isNull()) {
        result.verdict = Verdict::WrongCharacter;
        return result;
    }
    if (kept.isEmpty())
        return result;
    if (kept.size() != 10 && kept.size() != 13) {
        result.verdict = Verdict::WrongLength;
        return result;
    }
    const qsizetype ten = kept.indexOf(u'X');
    if (ten >= 0 && !(kept.size() == 10 && ten == 9)) {
        result.verdict = Verdict::WrongCharacter;
        result.wrong = QChar(u'X');
        return result;
    }
    if (kept.size() == 13 && !kept.startsWith(QLatin1String("978")) && !kept.startsWith(QLatin1String("979"))) {
        result.verdict = Verdict::WrongPrefix;
        return result;
    }
    const QStringView body = QStringView(kept).chopped(1);
    const QChar expected = kept.size() == 10 ? checkDigit10(body) : checkDigit13(body);
    if (kept.back() != expected) {
        result.verdict = Verdict::WrongCheckDigit;
        result.expected = expected;
        return result;
    }
    result.verdict = Verdict::Valid;
    if (kept.size() == 10)
        result.isbn13 = isbn13Of(typed, body);
    return result;
}

QString problem(const Check& check)
{
    switch (check.verdict) {
    case Verdict::Empty:
    case Verdict::Valid:
        return {};
    case Verdict::WrongCharacter:
        if (check.wrong == u'X')
            return QStringLiteral("ISBN non valido: la X può stare solo in fondo a un ISBN di 10 cifre");
        return QStringLiteral("ISBN non valido: contiene «%1», ma sono ammessi solo cifre, spazi e trattini")
            .arg(check.wrong);
    case Verdict::WrongLength:
        return check.length == 1 ? QStringLiteral("ISBN non valido: ha 1 cifra invece di 10 o 13")
                                 : QStringLiteral("ISBN non valido: ha %1 cifre invece di 10 o 13").arg(check.length);
    case Verdict::WrongPrefix:
        return QStringLiteral("ISBN non valido: un ISBN di 13 cifre comincia con 978 o 979");
    case Verdict::WrongCheckDigit:
        return QStringLiteral("ISBN non valido: la cifra di controllo dovrebbe essere %1").arg(check.expected);
    }
    return {};
}

} // namespace Isbn
