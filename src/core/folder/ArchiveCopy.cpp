#include "ArchiveCopy.h"

#include "ArchiveFolder.h"
#include "AttachmentFolder.h"
#include "CoverPhotos.h"
#include "ProgramFolder.h"
#include "SafeOpen.h"
#include "SafeSave.h"
#include "UserError.h"
#include "storage/CatalogueFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <sys/stat.h>

namespace {
QString failedText(const QString& fileName)
{
    return QStringLiteral("Attenzione: non è stato possibile copiare l'archivio \"%1\" nella cartella %2.\r\n\r\n"
                          "L'archivio si trova in una cartella in cui il programma non può scrivere, e per "
                          "essere aperto deve esserne fatta una copia. Accertarsi che nella cartella ci sia "
                          "spazio libero e di possedere i privilegi di scrittura.")
        .arg(fileName, ProgramFolder::asShown(ProgramFolder::path()));
}

bool anythingAt(const QString& path)
{
    struct stat entry {};
    return ::lstat(QFile::encodeName(path).constData(), &entry) == 0;
}

// The number of the card whose photo `photoName` is, in an archive named `archiveName`; 0 when it
// is no such photo ("Casa_Foto_07.jpg" is none: the program never writes such a name).
qint64 photoNumber(const QString& photoName, const QString& archiveName)
{
    const QString prefix = archiveName + QStringLiteral("_Foto_");
    const QString suffix = QStringLiteral(".jpg");
    if (!photoName.startsWith(prefix) || !photoName.endsWith(suffix))
        return 0;
    const QString digits = photoName.mid(prefix.size(), photoName.size() - prefix.size() - suffix.size());
    bool isNumber = false;
    const qint64 number = digits.toLongLong(&isNumber);
    return isNumber && QString::number(number) == digits ? number : 0;
}

class Copy final {
public:
    Copy(const Kind& kind, const QString& fileName)
        : m_kind(kind), m_fileName(fileName), m_archiveName(ArchiveFolder::archiveName(fileName)),
          m_from(ProgramFolder::readOnlyFolder())
    {
    }

    ~Copy()
    {
        // Whatever was written of a copy that did not end stays nowhere.
        for (const QString& path : m_written)
            QFile::remove(path);
    }

    QString run()
    {
        const QString target = ProgramFolder::file(m_fileName);
        // Copied meanwhile, by another program on the same folder: that copy is the user's now.
        if (QFileInfo(target).isFile())
            return target;
        QFile archive;
        if (m_from.isEmpty() || ArchiveFolder::isNameInUse(ProgramFolder::path(), m_archiveName, m_kind) ||
            !SafeOpen::forReading(archive, m_from + m_fileName, FileScope::ReadOnlyData))
            throw UserError(failedText(m_fileName));
        const auto [cards, documents] = cardsAndDocuments(archive);
        copyPhotos(cards);
        for (const QString& document : documents)
            copyDocument(document);
        if (!archive.seek(0) || !SafeSave::copy(archive, target, FileScope::ProgramData))
            throw UserError(failedText(m_fileName));
        m_written.clear();
        return target;
    }

private:
    struct Contents {
        qint64 cards;
        QStringList documents;
    };

    Contents cardsAndDocuments(QFile& file) const
    {
        const RecordLayout& layout = m_kind.layout;
        QList<int> documentFields;
        for (const QStringView name : {u"File01", u"File02", u"File03"})
            documentFields.append(layout.indexOf(name));
        Contents contents{0, {}};
        QSet<QString> named;
        try {
            CatalogueFile archive(layout, file);
            contents.cards = archive.recordCount();
            for (qint64 number = 1; number <= contents.cards; ++number) {
                const Record card = archive.readCard(number);
                for (const int field : documentFields) {
                    const QString name = card.text(field);
                    if (!name.isEmpty() && !named.contains(name)) {
                        named.insert(name);
                        contents.documents.append(name);
                    }
                }
            }
        } catch (const ArchiveError&) {
            throw UserError(failedText(m_fileName));
        }
        return contents;
    }

    // The photos of the archive's cards; a photo the program would not read either (a link, a
    // named pipe) is left behind, as the card would show none.
    void copyPhotos(qint64 cards)
    {
        const QString from = m_from + m_kind.photoFolder + u'/';
        const QStringList names = QDir(from).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& name : names) {
            const qint64 number = photoNumber(name, m_archiveName);
            QFile photo;
            if (number < 1 || number > cards || !SafeOpen::forReading(photo, from + name, FileScope::ReadOnlyData))
                continue;
            write(photo, CoverPhotos::filePath(m_kind, m_archiveName, QString::number(number)),
                  CoverPhotos::ensureFolder(m_kind));
        }
    }

    // A document the program folder has under the name already stays as it is: every archive
    // shares the folder, and the card that named it may be the user's.
    void copyDocument(const QString& name)
    {
        const QString target = AttachmentFolder::document(name).path;
        QFile document;
        if (target.isEmpty() || anythingAt(target) ||
            !SafeOpen::forReading(document, m_from + AttachmentFolder::kFolderName + u'/' + name,
                                  FileScope::ReadOnlyData))
            return;
        write(document, target, QDir().mkpath(AttachmentFolder::path()));
    }

    void write(QFile& source, const QString& target, bool folderReady)
    {
        if (!folderReady || !SafeSave::copy(source, target, FileScope::ProgramData))
            throw UserError(failedText(m_fileName));
        m_written.append(target);
    }

    const Kind& m_kind;
    QString m_fileName;
    QString m_archiveName;
    QString m_from;
    QStringList m_written; // until the copy is whole
};
} // namespace

QString ArchiveCopy::intoProgramFolder(const Kind& kind, const QString& fileName)
{
    return Copy(kind, fileName).run();
}

QString ArchiveCopy::copiedText(const QString& fileName)
{
    return QStringLiteral("L'archivio \"%1\" si trova in una cartella in cui il programma non può scrivere, perciò "
                          "ne è stata fatta una copia, con le foto delle copertine e i documenti allegati, nella "
                          "cartella:\r\n%2\r\n\r\nLe modifiche verranno salvate nella copia; l'archivio originale "
                          "resta com'era.")
        .arg(fileName, ProgramFolder::asShown(ProgramFolder::path()));
}
