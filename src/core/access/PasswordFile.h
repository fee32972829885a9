#pragma once

#include <QString>

#include <stdexcept>

// The access password, kept scrambled in the INI file "unins000.dll" of the program folder
// (section "Accesso", key "Valore"). Each login and each change reads the file anew.
namespace PasswordFile {

class Error final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The password of a new installation; the password window's picture and the help name it.
inline const QString kInitialPassword = QStringLiteral("pergamenaverde");

QString path();

// The stored password, unscrambled and without surrounding blanks; empty when the file, its
// section or its key is missing. Throws Error when the file cannot be read or its value is not
// hexadecimal text.
QString stored(const QString& filePath = path());

// Stores a password that has already been normalised, creating the file when it is missing.
// Throws Error when it cannot be written; the old value then stays.
void store(const QString& password, const QString& filePath = path());

// Stores `newPassword` (already normalised) when `oldTyped`, normalised, is the stored password at
// the moment of storing: the check and the store are made under one lock on the file, so that of
// two changes at once the second checks its old password against what the first stored. False,
// with nothing stored, when the old password is not the stored one. Throws Error as stored() and
// store() do, and when the file stays locked by another change for about five seconds.
bool change(const QString& oldTyped, const QString& newPassword, const QString& filePath = path());

// What is compared and stored of a typed password: the letters a to z folded to capitals, then
// blanks and control characters trimmed from both ends.
QString normalised(const QString& typed);

// Whether every character survives the stored form, which keeps 8 bits of each.
bool fitsStoredForm(const QString& password);

} // namespace PasswordFile
