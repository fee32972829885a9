#include "ImportFile.h"

#include "CsvReader.h"
#include "HtmlTableReader.h"
#include "TellicoReader.h"
#include "folder/SafeOpen.h"

namespace {
// How much of the file's start tells its format.
constexpr qint64 kSniffBytes = 4096;

QByteArrayView withoutLeadingBlanks(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    while (!bytes.isEmpty() && static_cast<unsigned char>(bytes.front()) <= 32)
        bytes = bytes.sliced(1);
    return bytes;
}
} // namespace

UserError ImportFile::unknownFormat()
{
    return importRefused(QStringLiteral(
        "Il programma sa importare:\r\n"
        "- i file CSV o di testo, con le colonne separate da virgola, punto e virgola o tabulazione e i nomi delle "
        "colonne nella prima riga;\r\n"
        "- i file esportati in Excel da Cartavox (Catalogo_Libri.xls, Raccolta_Fumetti.xls, Collezione_DVD.xls), "
        "anche dopo averli salvati di nuovo come pagina web;\r\n"
        "- le collezioni di Tellico (file .tc o tellico.xml).\r\n\r\n"
        "Un foglio di calcolo di altro tipo si può salvare come file CSV dal programma che lo ha creato."));
}

std::unique_ptr<ImportSource> ImportFile::open(const QString& path, const Kind& kind)
{
    auto file = std::make_unique<QFile>();
    if (!SafeOpen::forReading(*file, path, FileScope::UserChoice))
        throw importRefused(QStringLiteral("Il file non si può leggere: deve essere un file vero e proprio, non una "
                                           "cartella o un dispositivo, e bisogna avere il permesso di leggerlo."));
    const QByteArray start = file->peek(kSniffBytes);
    if (start.isEmpty())
        throw importRefused(QStringLiteral("Il file è vuoto."));
    if (start.startsWith("PK\x03\x04"))
        return std::make_unique<TellicoReader>(std::move(file), path, true, kind);
    // Text in UTF-16 has a zero byte in every other place: its mark says what it is.
    if (start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF"))
        return std::make_unique<CsvReader>(std::move(file));
    if (start.contains('\0'))
        throw unknownFormat();
    const QByteArray lower = start.toLower(); // ASCII letters only, as Qt 6 folds bytes
    if (withoutLeadingBlanks(lower).startsWith('<')) {
        if (lower.contains("<tellico"))
            return std::make_unique<TellicoReader>(std::move(file), path, false, kind);
        if (lower.contains("<html") || lower.contains("<table"))
            return std::make_unique<HtmlTableReader>(std::move(file));
    }
    return std::make_unique<CsvReader>(std::move(file));
}
