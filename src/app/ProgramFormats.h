#pragma once

#include <QChar>
#include <QString>

// The program-wide short date format and decimal separator. Windows set them when they are
// created; the report engine reads them to print the date of a list.
namespace ProgramFormats {

void apply();
QString shortDateFormat();
QChar decimalSeparator();

} // namespace ProgramFormats
