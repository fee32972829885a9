#include "CardImport.h"

#include "ColumnNames.h"
#include "folder/ArchiveFolder.h"
#include "folder/CoverPhotos.h"
#include "folder/ProgramFolder.h"
#include "storage/CatalogueFile.h"
#include "storage/Text.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>

#include <sys/stat.h>

namespace {
// Cards are handed to the archive a megabyte at a time.
constexpr qsizetype kBlockBytes = 1 << 20;
// How many rows between two questions whether to go on.
constexpr int kRowsBetweenQuestions = 256;

const QString kYes = QStringLiteral("Sì");
const QString kNo = QStringLiteral("No");

UserError nameTaken()
{
    return UserError(QStringLiteral("Attenzione: mentre le schede venivano importate, un altro archivio ha preso il "
                                    "nome scelto.\r\n\r\nNessuna scheda è stata importata: riprovare con un altro "
                                    "nome."));
}

// The mark a cell gives, or nothing when it is none of the words for yes and no.
std::optional<bool> flagOf(const QString& text)
{
    static const QStringList yes{QStringLiteral("sì"), QStringLiteral("si"), QStringLiteral("yes"), QStringLiteral("1"),
                                 QStringLiteral("true")};
    static const QStringList no{QStringLiteral("no"), QStringLiteral("0"), QStringLiteral("false")};
    const QString word = text.toLower();
    if (yes.contains(word))
        return true;
    if (no.contains(word))
        return false;
    return std::nullopt;
}

// The characters of `text` that Windows-1252 lacks, each once.
QString missingFromCodePage(const QString& text)
{
    QString missing;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView character = QStringView(text).sliced(i, length);
        if (!Text::isWindows1252(character) && !missing.contains(character))
            missing += character;
        i += length - 1;
    }
    return missing;
}

// What an import leaves on the disk until it is complete: the cards appended to the archive and the
// cover photos written, all taken away again unless the import completes.
class Undo final {
public:
    explicit Undo(CatalogueFile& archive) : m_archive(archive) {}
    ~Undo()
    {
        if (m_kept)
            return;
        try {
            m_archive.takeBackAppended();
        } catch (const ArchiveError&) {
            // Nothing more can be done for the archive; the photos still go.
        }
        for (const QString& photo : std::as_const(m_photos))
            QFile::remove(photo);
    }
    Undo(const Undo&) = delete;
    Undo& operator=(const Undo&) = delete;

    void photoWritten(const QString& path) { m_photos.append(path); }
    void keep() { m_kept = true; }

private:
    CatalogueFile& m_archive;
    QStringList m_photos;
    bool m_kept = false;
};

// A new archive's file, made under a temporary name beside its place, with the permissions any
// new file of the program gets.
std::unique_ptr<QTemporaryFile> temporaryArchive()
{
    auto file = std::make_unique<QTemporaryFile>(ProgramFolder::path() + QStringLiteral(".importazione-XXXXXX"));
    if (!file->open())
        throw UserError(CatalogueFile::accessErrorText());
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(file->handle(), 0666 & ~mask);
    return file;
}
} // namespace

CardImport::CardImport(const Kind& kind, ImportSource& source, QList<int> fieldOfColumn)
    : m_kind(kind), m_source(source), m_fieldOfColumn(std::move(fieldOfColumn))
{
    for (int field = 0; field < kind.layout.fieldCount(); ++field)
        if (kind.layout.field(field).role == FieldSpec::Role::Flag)
            m_flagField = field;
}

bool CardImport::fill(Record& card, const SourceRow& row, qint64 number, ImportReport& report) const
{
    bool anyText = false;
    for (qsizetype column = 0; column < m_fieldOfColumn.size() && column < row.cells.size(); ++column) {
        const int field = m_fieldOfColumn.at(column);
        if (field < 0)
            continue;
        const FieldSpec& stored = m_kind.layout.field(field);
        const QString text = Text::trimmed(Text::withControlsAsBlanks(row.cells.at(column)));
        if (text.isEmpty())
            continue;
        anyText = true;
        if (stored.role == FieldSpec::Role::Flag) {
            const std::optional<bool> flag = flagOf(text);
            if (!flag)
                report.addNote(number, QStringLiteral("%1: \"%2\" non è né Sì né No, registrato come No")
                                           .arg(ColumnNames::fieldHeading(m_kind, field), text));
            card.setText(field, flag.value_or(false) ? kYes : kNo);
            continue;
        }
        // Text the code page holds whole is stored a byte a character; only other text is encoded here
        // to learn its length, as a character outside the basic plane becomes one "?".
        const bool whole = Text::isWindows1252(text);
        if (!whole)
            report.addReplaced(number, ColumnNames::fieldHeading(m_kind, field), missingFromCodePage(text));
        const qsizetype storedLength = whole ? text.size() : Text::toWindows1252(text).size();
        if (storedLength > stored.capacity)
            report.addCut(number, ColumnNames::fieldHeading(m_kind, field), storedLength - stored.capacity);
        card.setText(field, text);
    }
    // A card the program makes always holds the mark; one without it in the file is not missing.
    if (anyText && m_flagField >= 0 && card.text(m_flagField).isEmpty())
        card.setText(m_flagField, kNo);
    return anyText;
}

std::optional<ImportReport> CardImport::run(const ImportTarget& target, const Progress& progress)
{
    const std::unique_ptr<QTemporaryFile> temporary = target.isNew ? temporaryArchive() : nullptr;
    // An archive deleted meanwhile is not made again by the opening.
    if (!target.isNew && !QFileInfo(target.archivePath).isFile())
        throw UserError(CatalogueFile::accessErrorText());
    CatalogueFile archive(m_kind.layout);
    try {
        archive.open(temporary ? temporary->fileName() : target.archivePath);
        // Held to the end: another desk's save waits, or is told the archive is in use, rather than
        // put a card among the imported ones or after them, where taking the import back would cut it.
        archive.lockForWriting();
        Undo undo(archive);
        ImportReport report;
        const qint64 firstNumber = archive.recordCount() + 1;
        qint64 number = firstNumber;
        QHash<QString, QList<qint64>> cardsOfPicture;
        // One buffer for the whole import, filled and handed over again and again.
        const qsizetype recordSize = m_kind.layout.recordSize();
        QByteArray block(kBlockBytes / recordSize * recordSize + recordSize, Qt::Uninitialized);
        qsizetype filled = 0;
        SourceRow row;
        for (qint64 rows = 1; m_source.next(row); ++rows) {
            Record card(m_kind.layout);
            if (fill(card, row, number, report)) {
                std::copy(card.bytes().cbegin(), card.bytes().cend(), block.begin() + filled);
                filled += recordSize;
                if (!row.picture.isEmpty())
                    cardsOfPicture[row.picture].append(number);
                ++number;
            }
            if (filled == block.size()) {
                archive.appendRecords(block);
                filled = 0;
            }
            if (rows % kRowsBetweenQuestions == 0 && !progress(m_source.progress(), m_source.progressEnd()))
                return std::nullopt;
        }
        archive.appendRecords(QByteArrayView(block).first(filled));
        report.cardsAdded = number - firstNumber;

        const QList<QString> keys = cardsOfPicture.keys();
        QSet<QString> missing(keys.cbegin(), keys.cend());
        qint64 picturesRead = 0;
        struct Stopped {};
        try {
            m_source.readPictures(missing, [&](const QString& key, const CoverPicture& picture) {
                // The photos of an archive that took the new one's name meanwhile are never written over.
                if (target.isNew && QFileInfo::exists(target.archivePath))
                    throw nameTaken();
                for (const qint64 card : cardsOfPicture.value(key)) {
                    const QString cardNumber = QString::number(card);
                    undo.photoWritten(CoverPhotos::filePath(m_kind, target.archiveName, cardNumber));
                    if (!CoverPhotos::save(m_kind, target.archiveName, cardNumber, picture))
                        throw UserError(CatalogueFile::accessErrorText());
                }
                missing.remove(key);
                // A cover takes a moment to convert: the user may stop between two.
                if (!progress(++picturesRead, keys.size()))
                    throw Stopped();
            });
        } catch (const Stopped&) {
            return std::nullopt;
        }
        for (const QString& key : std::as_const(missing))
            for (const qint64 card : cardsOfPicture.value(key))
                report.addNote(card, QStringLiteral("la copertina \"%1\" non si trova o non si può leggere").arg(key));
        if (!progress(m_source.progressEnd(), m_source.progressEnd()))
            return std::nullopt;

        archive.commitAppended();
        archive.close();
        if (temporary) {
            if (!ArchiveFolder::putInFreePlace(temporary->fileName(), target.archivePath)) {
                if (QFileInfo::exists(target.archivePath))
                    throw nameTaken();
                throw UserError(CatalogueFile::accessErrorText());
            }
            temporary->setAutoRemove(false);
        }
        undo.keep();
        return report;
    } catch (const ArchiveInUse&) {
        throw UserError(QStringLiteral("Attenzione: l'archivio è in uso da parte di un altro programma. Nessuna scheda "
                                       "è stata importata.\r\n\r\nRiprovare tra qualche istante."));
    } catch (const ArchiveError&) {
        throw UserError(CatalogueFile::accessErrorText());
    }
}
