// Every reader and writer of the program meets, where its file should be, what a real disk may
// hold instead: a link to a file outside the program folder, a named pipe, a folder, a device, a
// socket. Nothing outside the program folder is read as program data or written at all, nothing
// waits for ever, and nothing passes for a success that is not one.
#include "CoreTestSupport.h"
#include "PipeWatch.h"
#include "SamplePicture.h"
#include "UserError.h"
#include "access/Crypt.h"
#include "access/PasswordFile.h"
#include "export/ExportRows.h"
#include "export/SpreadsheetWriter.h"
#include "folder/ArchiveFolder.h"
#include "folder/AttachmentFolder.h"
#include "folder/CoverPhotos.h"
#include "import/ImportFile.h"
#include "storage/CatalogueFile.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
enum class Use {
    ArchiveOpened,  // every action on an archive: read and written through one handle
    ArchiveCreated, // the create window
    PhotoLoaded,    // a card shown, a found card, the slide show
    PhotoSaved,     // Salva
    PhotoChosen,    // Carica: a picture the user picked, anywhere
    PhotoExported,  // Salva foto: a file the user named, anywhere
    PasswordRead,
    PasswordStored,
    DocumentHanded, // Apri in the attachment window
    DocumentChosen, // Sfoglia: the user's document, read to be copied
    DocumentStored, // Sfoglia: its copy in the attachment folder
    Exported,
    FileImported, // a file the user picked to import cards from, anywhere
};
enum class Fault { LinkOutside, Pipe, Folder, Device, Socket };
enum class Outcome {
    Refused,      // the use fails, and what stands in the place is left as it was
    LinkFollowed, // a file the user picked is read through the link
    LinkReplaced, // the written file takes the link's place; the file it pointed at is untouched
};

const QByteArray kOutsideText = "un file di un altro programma";

bool isReader(Use use)
{
    return use == Use::ArchiveOpened || use == Use::PhotoLoaded || use == Use::PasswordRead ||
           use == Use::DocumentHanded || use == Use::ArchiveCreated;
}

bool isUserChoice(Use use)
{
    return use == Use::PhotoChosen || use == Use::DocumentChosen || use == Use::FileImported;
}

QByteArray jpegBytes()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    samplePicture(QSize(60, 40)).save(&buffer, "jpeg");
    return bytes;
}

// Every entry below `folder`, hidden ones and pipes included, by relative path.
QStringList listing(const QString& folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries.append(QDir(folder).relativeFilePath(it.next()));
    entries.sort();
    return entries;
}

struct Entry {
    mode_t type = 0;
    QByteArray linkTarget;
    bool operator==(const Entry&) const = default;
};

Entry entryAt(const QString& path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {mode_t(info.st_mode & S_IFMT), QFile::encodeName(QFileInfo(path).symLinkTarget())};
}

} // namespace

Q_DECLARE_METATYPE(Use)
Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(Outcome)

class TestFileKinds : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyReaderAndWriter_data();
    void everyReaderAndWriter();

private:
    QString placeOf(Use use) const;
    QByteArray outsideBytesFor(Use use) const;
    // Puts the fault in the place; false when this system cannot make it.
    bool makeFault(Fault fault, const QString& place, const QString& outside);
    // Runs the use; true when it reports success.
    bool run(Use use, const QString& place);

    std::unique_ptr<ProgramFolderFixture> m_folder;
    std::unique_ptr<QTemporaryDir> m_user;    // the user's own folder
    std::unique_ptr<QTemporaryDir> m_outside; // where links lead: another program's files
    bool m_deviceIsLink = false;
};

void TestFileKinds::init()
{
    m_folder = std::make_unique<ProgramFolderFixture>();
    m_user = std::make_unique<QTemporaryDir>();
    m_outside = std::make_unique<QTemporaryDir>();
    for (const char* name : {"Catalogo_Libri", "Documenti_Allegati"})
        QDir().mkpath(m_folder->file(QLatin1String(name)));
}

void TestFileKinds::cleanup()
{
    m_outside.reset();
    m_user.reset();
    m_folder.reset();
}

QString TestFileKinds::placeOf(Use use) const
{
    switch (use) {
    case Use::ArchiveOpened:
    case Use::ArchiveCreated:
        return m_folder->file(QStringLiteral("Prova.lib"));
    case Use::PhotoLoaded:
    case Use::PhotoSaved:
        return m_folder->file(QStringLiteral("Catalogo_Libri/Prova_Foto_1.jpg"));
    case Use::PhotoChosen:
    case Use::PhotoExported:
        return m_user->filePath(QStringLiteral("Foto.jpg"));
    case Use::PasswordRead:
    case Use::PasswordStored:
        return m_folder->file(QStringLiteral("unins000.dll"));
    case Use::DocumentHanded:
    case Use::DocumentStored:
        return m_folder->file(QStringLiteral("Documenti_Allegati/scheda.pdf"));
    case Use::DocumentChosen:
        return m_user->filePath(QStringLiteral("scheda.pdf"));
    case Use::Exported:
        return m_folder->file(QStringLiteral("Catalogo_Libri.xls"));
    case Use::FileImported:
        return m_user->filePath(QStringLiteral("catalogo.csv"));
    }
    return {};
}

QByteArray TestFileKinds::outsideBytesFor(Use use) const
{
    // What a reader would take for its own, were it to follow the link.
    switch (use) {
    case Use::PhotoLoaded:
    case Use::PhotoSaved:
    case Use::PhotoChosen:
    case Use::PhotoExported:
        return jpegBytes();
    case Use::PasswordRead:
    case Use::PasswordStored:
        return "[Accesso]\r\nValore=" + Crypt::Scramble(u"ESTERNA").toLatin1() + "\r\n";
    case Use::ArchiveOpened:
    case Use::ArchiveCreated:
        return QByteArray(3 * 3150, 'x');
    case Use::FileImported:
        return "Titolo;Autore\nUn titolo;Un autore\n";
    default:
        return kOutsideText;
    }
}

bool TestFileKinds::makeFault(Fault fault, const QString& place, const QString& outside)
{
    const QByteArray name = QFile::encodeName(place);
    switch (fault) {
    case Fault::LinkOutside:
        return ::symlink(QFile::encodeName(outside).constData(), name.constData()) == 0;
    case Fault::Pipe:
        return ::mkfifo(name.constData(), 0666) == 0;
    case Fault::Folder:
        return QDir().mkdir(place);
    case Fault::Device:
        // A device that never ends, like /dev/zero; where no device may be made, a link to it.
        m_deviceIsLink = ::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 5)) != 0;
        return !m_deviceIsLink || ::symlink("/dev/zero", name.constData()) == 0;
    case Fault::Socket: {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (std::size_t(name.size()) >= sizeof address.sun_path)
            return false;
        std::copy(name.cbegin(), name.cend(), address.sun_path);
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool bound = ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(socket);
        return bound;
    }
    }
    return false;
}

bool TestFileKinds::run(Use use, const QString& place)
{
    const Kind& books = Kind::libri();
    const auto yes = [] { return true; };
    try {
        switch (use) {
        case Use::ArchiveOpened: {
            CatalogueFile archive(books.layout);
            archive.open(place);
            archive.appendCard(Record(books.layout));
            return true;
        }
        case Use::ArchiveCreated:
            ArchiveFolder::createEmpty(place);
            return true;
        case Use::PhotoLoaded:
            return !CoverPhotos::load(books, QStringLiteral("Prova"), QStringLiteral("1"))
                        .fitted(QSize(30, 40))
                        .isNull();
        case Use::PhotoSaved:
            return CoverPhotos::save(books, QStringLiteral("Prova"), QStringLiteral("1"),
                                     CoverPicture(samplePicture(QSize(30, 20))));
        case Use::PhotoChosen:
            return !CoverPicture::fromFile(place, FileScope::UserChoice).fitted(QSize(30, 40)).isNull();
        case Use::PhotoExported:
            return CoverPicture(samplePicture(QSize(30, 20))).saveJpeg(place, FileScope::UserChoice);
        case Use::PasswordRead:
            return !PasswordFile::stored().isEmpty();
        case Use::PasswordStored:
            PasswordFile::store(QStringLiteral("NUOVA"));
            return true;
        case Use::DocumentHanded:
            return !AttachmentFolder::document(QStringLiteral("scheda.pdf")).path.isEmpty();
        case Use::DocumentChosen:
            return AttachmentFolder::store(place, QStringLiteral("nuovo.pdf"), yes) &&
                   QFileInfo::exists(AttachmentFolder::path() + QStringLiteral("/nuovo.pdf"));
        case Use::DocumentStored: {
            const QString source = m_user->filePath(QStringLiteral("nuovo.pdf"));
            writeFileBytes(source, "il documento nuovo");
            return AttachmentFolder::store(source, QStringLiteral("scheda.pdf"), yes);
        }
        case Use::Exported:
            return SpreadsheetWriter::save(place, ExportRows(books));
        case Use::FileImported: {
            SourceRow row;
            return ImportFile::open(place, books)->next(row) && row.cells.value(0) == u"Un titolo";
        }
        }
    } catch (const ArchiveError&) {
    } catch (const PasswordFile::Error&) {
    } catch (const UserError&) {
    }
    return false;
}

void TestFileKinds::everyReaderAndWriter_data()
{
    QTest::addColumn<Use>("use");
    QTest::addColumn<Fault>("fault");
    const QList<std::pair<const char*, Use>> uses = {
        {"archive opened", Use::ArchiveOpened},
        {"archive created", Use::ArchiveCreated},
        {"cover photo loaded", Use::PhotoLoaded},
        {"cover photo saved", Use::PhotoSaved},
        {"photo chosen by the user", Use::PhotoChosen},
        {"photo exported by the user", Use::PhotoExported},
        {"password read", Use::PasswordRead},
        {"password stored", Use::PasswordStored},
        {"document handed to the desktop", Use::DocumentHanded},
        {"document chosen by the user", Use::DocumentChosen},
        {"document stored", Use::DocumentStored},
        {"archive exported", Use::Exported},
        {"file chosen to import", Use::FileImported},
    };
    const QList<std::pair<const char*, Fault>> faults = {
        {"a link to a file outside", Fault::LinkOutside},
        {"a named pipe", Fault::Pipe},
        {"a folder", Fault::Folder},
        {"a device", Fault::Device},
        {"a socket", Fault::Socket},
    };
    for (const auto& [useName, use] : uses)
        for (const auto& [faultName, fault] : faults)
            QTest::addRow("%s, %s in its place", useName, faultName) << use << fault;
}

void TestFileKinds::everyReaderAndWriter()
{
    QFETCH(Use, use);
    QFETCH(Fault, fault);
    const QString place = placeOf(use);
    const QString outside = m_outside->filePath(QStringLiteral("altro"));
    const QByteArray outsideBytes = outsideBytesFor(use);
    writeFileBytes(outside, outsideBytes);
    if (!makeFault(fault, place, outside))
        QSKIP("this system cannot make that kind of file here");

    // A link is what the user picked, and is followed there; anything the program writes takes the
    // place of a link, never the file it points at; everything else is refused.
    const bool link = fault == Fault::LinkOutside || (fault == Fault::Device && m_deviceIsLink);
    Outcome expected = Outcome::Refused;
    if (fault == Fault::LinkOutside && isUserChoice(use))
        expected = Outcome::LinkFollowed;
    else if (link && !isReader(use) && !isUserChoice(use))
        expected = Outcome::LinkReplaced;

    const Entry before = entryAt(place);
    QStringList expectedListing = listing(m_folder->path());
    if (use == Use::DocumentChosen && expected == Outcome::LinkFollowed)
        expectedListing = (expectedListing << QStringLiteral("Documenti_Allegati/nuovo.pdf"));
    expectedListing.sort();
    const QStringList userListing = listing(m_user->path());

    bool succeeded = false;
    QVERIFY2(finishesWithoutWaiting([&] { succeeded = run(use, place); }, place),
             "it waited on the named pipe until the test fed it");
    QCOMPARE(succeeded, expected != Outcome::Refused);
    QCOMPARE(fileBytes(outside), outsideBytes);
    QCOMPARE(listing(m_folder->path()), expectedListing);
    if (use != Use::DocumentStored)
        QCOMPARE(listing(m_user->path()), userListing);
    if (expected == Outcome::LinkReplaced) {
        QCOMPARE(entryAt(place).type, mode_t(S_IFREG));
        QVERIFY(!fileBytes(place).isEmpty());
    } else {
        QVERIFY(entryAt(place) == before);
    }
    if (use == Use::DocumentChosen && expected == Outcome::LinkFollowed)
        QCOMPARE(fileBytes(AttachmentFolder::path() + QStringLiteral("/nuovo.pdf")), outsideBytes);
}

QTEST_MAIN(TestFileKinds)
#include "tst_file_kinds.moc"
