#include "ProgramFormats.h"

#include <QLocale>

namespace {
struct Formats {
    QString shortDate = QLocale::system().dateFormat(QLocale::ShortFormat);
    QChar decimal = QLocale::system().decimalPoint().at(0);
};

Formats& formats()
{
    static Formats value;
    return value;
}
} // namespace

void ProgramFormats::apply()
{
    formats().shortDate = QStringLiteral("dd/MM/yyyy");
    formats().decimal = u',';
}

QString ProgramFormats::shortDateFormat()
{
    return formats().shortDate;
}

QChar ProgramFormats::decimalSeparator()
{
    return formats().decimal;
}
