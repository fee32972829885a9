#include "ArchiveName.h"

#include <QFile>

#include <algorithm>

#include <unistd.h>

bool ArchiveName::isRefusedTypedCharacter(QChar character)
{
    static const QString refused = QStringLiteral("\"*/:<>?\\°ÇÑçñ");
    return refused.contains(character);
}

bool ArchiveName::staysInFolder(const QString& name)
{
    // Without a separator ".." can only be the whole name. Both "." and ".." would still give a
    // file inside the folder once the extension is added, but they are folder names, never
    // archive names, and a dot file would be hidden from other programs.
    return !name.contains(u'/') && !name.contains(u'\\') && name != QLatin1String(".") && name != QLatin1String("..");
}

QString ArchiveName::outsideFolderWarning()
{
    return QStringLiteral("Attenzione: per creare il nuovo archivio è necessario indicare un nome senza i caratteri "
                          "/ e \\, diverso da \".\" e da \"..\".\r\n\r\nL'archivio viene sempre creato nella "
                          "cartella di installazione del programma.");
}

bool ArchiveName::hasControlCharacters(const QString& name)
{
    return std::any_of(name.cbegin(), name.cend(), [](QChar c) {
        return c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
               c.category() == QChar::Separator_Paragraph;
    });
}

QString ArchiveName::controlCharactersWarning()
{
    return QStringLiteral("Attenzione: il nome indicato contiene un a capo, una tabulazione o un altro carattere "
                          "di controllo, che non possono far parte del nome di un file.\r\n\r\nScrivere il nome "
                          "su una sola riga, senza questi caratteri.");
}

int ArchiveName::mostNameBytes(const QString& folder)
{
    // The longest photo file name is the longest of all: "_Foto_", ten digits and ".jpg".
    constexpr int kPhotoNameAdds = 6 + 10 + 4;
    constexpr long kCommonNameMax = 255;
    const long nameMax = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    return int(nameMax > 0 ? nameMax : kCommonNameMax) - kPhotoNameAdds;
}

bool ArchiveName::fitsFileSystem(const QString& name, const QString& folder)
{
    return QFile::encodeName(name).size() <= mostNameBytes(folder);
}

QString ArchiveName::tooLongWarning(const QString& folder)
{
    return QStringLiteral("Attenzione: il nome indicato è troppo lungo per i file dell'archivio e delle sue "
                          "foto.\r\n\r\nInserire un nome più breve: al massimo %1 lettere senza accento; le "
                          "lettere accentate e gli altri segni speciali contano per due o per tre.")
        .arg(mostNameBytes(folder));
}
