#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The scrambling of the access password: a 16-bit running key, started afresh at every call and
// fed with each scrambled byte, turns every character into two hexadecimal digits. The constants
// are fixed, so a password file written by one build is read by every other.
namespace Crypt {

// Two upper-case hexadecimal digits per character, from the low 8 bits of its code.
QString Scramble(QStringView text);

// The text back from its stored form: characters U+0000 to U+00FF. Lower-case digits are
// accepted and a final unpaired digit is ignored; a pair that is not hexadecimal gives nothing.
std::optional<QString> Unscramble(QStringView hex);

} // namespace Crypt
