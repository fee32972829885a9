#include "ArchiveName.h"

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
