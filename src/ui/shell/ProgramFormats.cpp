#include "ProgramFormats.h"

#include <QLocale>

namespace {
struct Formats {
    QString shortDate = QLocale::system().dateFormat(QLocale::ShortFormat);
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
}

QString ProgramFormats::shortDateFormat()
{
    return formats().shortDate;
}
