// The password file as anyone may have edited it: any bytes read as the INI file, its value
// unscrambled, then a new password written into it and read back.
#include "FuzzFolder.h"

#include "access/Crypt.h"
#include "access/IniFile.h"
#include "access/PasswordFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    // The scrambling alone, on any text: what unscrambles scrambles back to the same digits.
    const QString hex = QString::fromLatin1(bytes);
    if (const std::optional<QString> plain = Crypt::Unscramble(hex)) {
        if (Crypt::Scramble(*plain) != hex.left(hex.size() / 2 * 2).toUpper())
            std::abort();
    }

    const QString path = Fuzz::fileWith(QStringLiteral("unins000.dll"), data, size);
    try {
        PasswordFile::stored(path);
    } catch (const PasswordFile::Error&) {
    }
    // A change of password must be read back whatever else the file holds.
    const QString password = QStringLiteral("NUOVA PAROLA \u00C8");
    PasswordFile::store(password, path);
    if (PasswordFile::stored(path) != password)
        std::abort();
    return 0;
}
