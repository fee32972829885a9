#pragma once

#include <QString>

// The program-wide short date format. Windows set it when they are created; the printers hand it to
// the report engine for the date of a list. (The decimal separator that goes with it is read by
// nothing the program prints, so it is not kept.)
namespace ProgramFormats {

void apply();
QString shortDateFormat();

} // namespace ProgramFormats
