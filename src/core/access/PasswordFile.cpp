#include "PasswordFile.h"

#include "Crypt.h"
#include "IniFile.h"
#include "folder/ProgramFolder.h"
#include "storage/Text.h"

#include <algorithm>

namespace {
const QString kSection = QStringLiteral("Accesso");
const QString kKey = QStringLiteral("Valore");
} // namespace

QString PasswordFile::path()
{
    return ProgramFolder::file(ProgramFolder::kPasswordFile);
}

QString PasswordFile::stored(const QString& filePath)
{
    QString value;
    try {
        value = IniFile::readString(filePath, kSection, kKey);
    } catch (const IniFile::Error& error) {
        throw Error(error.what());
    }
    const std::optional<QString> password = Crypt::Unscramble(value);
    if (!password)
        throw Error("Il valore della password non è un testo esadecimale.");
    return Text::trimmed(*password);
}

void PasswordFile::store(const QString& password, const QString& filePath)
{
    try {
        IniFile::writeString(filePath, kSection, kKey, Crypt::Scramble(password));
    } catch (const IniFile::Error& error) {
        throw Error(error.what());
    }
}

QString PasswordFile::normalised(const QString& typed)
{
    return Text::trimmed(Text::upperAscii(typed));
}

bool PasswordFile::fitsStoredForm(const QString& password)
{
    return std::all_of(password.cbegin(), password.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
}
