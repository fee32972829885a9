// Two programs on one program folder: writes take turns under a lock, a write that cannot have it
// gives up without writing, reads never wait long, and two password changes at once cannot both
// pass. The other program is a real process: this test program run again with "--other" and a
// role (see runOther below).
#include "CoreTestSupport.h"
#include "access/PasswordFile.h"
#include "export/ExportRows.h"
#include "export/SpreadsheetWriter.h"
#include "folder/FileLock.h"
#include "folder/ProgramFolder.h"
#include "storage/CatalogueFile.h"
#include "storage/Kind.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {
const QString kArchive = QStringLiteral("Prova.lib");

const RecordLayout& books()
{
    return Kind::libri().layout;
}

// Card `n` of the program called `desk`: its title names both, its notes fill most of the record,
// so that a card half written over another shows.
Record deskCard(const QString& desk, int n)
{
    Record card(books());
    card.setText(u"Titolo", QStringLiteral("%1 %2").arg(desk).arg(n));
    card.setText(u"Note", QString(200, desk.at(0)));
    return card;
}

void say(const char* line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

// Until this program's standard input ends: the test lets the other program go by closing it.
void waitForTheTest()
{
    while (std::getchar() != EOF) {
    }
}

// The other program: `role` and its arguments, in a program folder `folder`.
int runOther(const QStringList& arguments)
{
    const QString& role = arguments.at(0);
    ProgramFolder::setOverride(arguments.at(1));
    const QString path = arguments.at(1) + u'/' + arguments.at(2);
    try {
        if (role == u"append") {
            const int cards = arguments.at(3).toInt();
            // As "Salva" does it: the archive opened for each card and closed after it.
            for (int n = 1; n <= cards; ++n) {
                CatalogueFile archive(books());
                archive.open(path);
                archive.appendCard(deskCard(arguments.at(4), n));
            }
            say("appended");
        } else if (role == u"write") {
            CatalogueFile archive(books());
            archive.open(path);
            say("writing");
            archive.writeCard(arguments.at(3).toLongLong(), deskCard(QStringLiteral("Altra"), 1));
            say("written");
        } else if (role == u"hold") {
            // Another copy of this program holds its lock; another program may lock the whole file.
            const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDWR);
            std::optional<FileLock> lock;
            struct flock whole {};
            whole.l_type = F_WRLCK;
            whole.l_whence = SEEK_SET;
            if (arguments.at(3) == u"program")
                lock.emplace(descriptor, FileLock::Access::Exclusive, FileLock::kWriterPatience);
            else if (::fcntl(descriptor, F_SETLK, &whole) != 0)
                return 1;
            say("held");
            waitForTheTest();
        } else if (role == u"probe") {
            const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDWR);
            try {
                const FileLock lock(descriptor, FileLock::Access::Exclusive, std::chrono::milliseconds(0));
                say("free");
            } catch (const FileLock::Busy&) {
                say("busy");
            }
        } else if (role == u"change") {
            say("changing");
            say(PasswordFile::change(arguments.at(3), arguments.at(4), path) ? "changed" : "refused");
        }
    } catch (const std::exception& error) {
        std::printf("%s\n", error.what());
        return 1;
    }
    return 0;
}

// Another program at work on the test's program folder.
class OtherProgram final {
public:
    explicit OtherProgram(const QStringList& arguments)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--other")} + arguments);
    }
    ~OtherProgram()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // The next line it says; empty when it ended or said nothing for a minute.
    QByteArray says()
    {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(60000))
                return {};
        return m_process.readLine().trimmed();
    }
    void letGo() { m_process.closeWriteChannel(); }
    // Whether it ended well; the appends of a loaded machine may take minutes.
    bool endsWell()
    {
        return (m_process.state() == QProcess::NotRunning || m_process.waitForFinished(600000)) &&
               m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }

private:
    QProcess m_process;
};
} // namespace

class TestFileLocks : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void twoProgramsAppendAtOnce();
    void aSaveWaitsForTheLock_data();
    void aSaveWaitsForTheLock();
    void aSaveGivesUpAndWritesNothing_data();
    void aSaveGivesUpAndWritesNothing();
    void aReadDoesNotWaitForAWriter();
    void aLockOutlivesAnotherDescriptorOfItsFile_data();
    void aLockOutlivesAnotherDescriptorOfItsFile();
    void twoPasswordChangesAtOnce();
    void anExportLeavesALockedFileAlone();

private:
    QStringList otherArguments(const QString& role, const QString& file, const QStringList& more = {}) const
    {
        return QStringList{role, QDir::cleanPath(m_folder->path()), file} + more;
    }
    QString archive() const { return m_folder->file(kArchive); }
    // Cards 1 to 3 of this desk.
    void layDownArchive();

    std::unique_ptr<ProgramFolderFixture> m_folder;
};

void TestFileLocks::init()
{
    m_folder = std::make_unique<ProgramFolderFixture>();
}

void TestFileLocks::cleanup()
{
    FileLock::useClassicLocks(false);
    m_folder.reset();
}

void TestFileLocks::layDownArchive()
{
    CatalogueFile file(books());
    file.open(archive());
    for (int n = 1; n <= 3; ++n)
        file.appendCard(deskCard(QStringLiteral("Questa"), n));
}

void TestFileLocks::twoProgramsAppendAtOnce()
{
    constexpr int kEach = 10000;
    OtherProgram first(otherArguments(QStringLiteral("append"), kArchive, {QString::number(kEach), "Prima"}));
    OtherProgram second(otherArguments(QStringLiteral("append"), kArchive, {QString::number(kEach), "Seconda"}));
    QVERIFY(first.endsWell());
    QVERIFY(second.endsWell());

    CatalogueFile file(books());
    file.open(archive());
    QCOMPARE(file.recordCount(), 2 * kEach);
    QCOMPARE(QFileInfo(archive()).size(), 2 * kEach * books().recordSize());
    // Every card whole, and each program's cards all there, in the order it appended them.
    QMap<QString, int> lastOf;
    for (qint64 n = 1; n <= 2 * kEach; ++n) {
        const Record card = file.readCard(n);
        const QStringList title = card.text(u"Titolo").split(u' ');
        QCOMPARE(title.size(), 2);
        const int number = title.at(1).toInt();
        QCOMPARE(card.bytes(), deskCard(title.at(0), number).bytes());
        QCOMPARE(number, lastOf.value(title.at(0)) + 1);
        lastOf[title.at(0)] = number;
    }
    QCOMPARE(lastOf.value(QStringLiteral("Prima")), kEach);
    QCOMPARE(lastOf.value(QStringLiteral("Seconda")), kEach);
}

void TestFileLocks::aSaveWaitsForTheLock_data()
{
    QTest::addColumn<QString>("holder");
    QTest::newRow("another copy of the program holds it") << QStringLiteral("program");
    QTest::newRow("another program locks the whole file") << QStringLiteral("whole");
}

void TestFileLocks::aSaveWaitsForTheLock()
{
    QFETCH(QString, holder);
    layDownArchive();
    const QByteArray before = fileBytes(archive());
    OtherProgram holding(otherArguments(QStringLiteral("hold"), kArchive, {holder}));
    QCOMPARE(holding.says(), "held");
    OtherProgram writing(otherArguments(QStringLiteral("write"), kArchive, {QStringLiteral("2")}));
    QCOMPARE(writing.says(), "writing");
    // A moment for the write to meet the lock; nothing is written while it is held.
    QTest::qWait(300);
    QCOMPARE(fileBytes(archive()), before);

    holding.letGo();
    QVERIFY(holding.endsWell());
    QCOMPARE(writing.says(), "written");
    QVERIFY(writing.endsWell());
    CatalogueFile file(books());
    file.open(archive());
    QCOMPARE(file.recordCount(), 3);
    QCOMPARE(file.readCard(2).text(u"Titolo"), QStringLiteral("Altra 1"));
    QCOMPARE(file.readCard(3).text(u"Titolo"), QStringLiteral("Questa 3"));
}

void TestFileLocks::aSaveGivesUpAndWritesNothing_data()
{
    QTest::addColumn<QString>("holder");
    QTest::addColumn<bool>("append");
    QTest::newRow("card saved in place, another copy of the program holds the lock")
        << QStringLiteral("program") << false;
    QTest::newRow("card appended, another copy of the program holds the lock") << QStringLiteral("program") << true;
    QTest::newRow("card appended, another program locks the whole file") << QStringLiteral("whole") << true;
}

void TestFileLocks::aSaveGivesUpAndWritesNothing()
{
    QFETCH(QString, holder);
    QFETCH(bool, append);
    layDownArchive();
    const QByteArray before = fileBytes(archive());
    OtherProgram holding(otherArguments(QStringLiteral("hold"), kArchive, {holder}));
    QCOMPARE(holding.says(), "held");

    CatalogueFile file(books());
    file.open(archive());
    if (append)
        QVERIFY_THROWS_EXCEPTION(ArchiveInUse, file.appendCard(deskCard(QStringLiteral("Nuova"), 1)));
    else
        QVERIFY_THROWS_EXCEPTION(ArchiveInUse, file.writeCard(2, deskCard(QStringLiteral("Nuova"), 1)));
    QCOMPARE(fileBytes(archive()), before);

    // Once the other program has let go, the same save goes through.
    holding.letGo();
    QVERIFY(holding.endsWell());
    if (append)
        QCOMPARE(file.appendCard(deskCard(QStringLiteral("Nuova"), 1)), 4);
    else
        file.writeCard(2, deskCard(QStringLiteral("Nuova"), 1));
    QCOMPARE(file.readCard(append ? 4 : 2).text(u"Titolo"), QStringLiteral("Nuova 1"));
}

void TestFileLocks::aReadDoesNotWaitForAWriter()
{
    layDownArchive();
    OtherProgram holding(otherArguments(QStringLiteral("hold"), kArchive, {QStringLiteral("program")}));
    QCOMPARE(holding.says(), "held");
    CatalogueFile file(books());
    file.open(archive());
    QCOMPARE(file.recordCount(), 3);
    QCOMPARE(file.readCard(2).text(u"Titolo"), QStringLiteral("Questa 2"));
    ExportRows rows(Kind::libri());
    QVERIFY(rows.load(archive()));
    QCOMPARE(rows.rowCount(), 3);
}

void TestFileLocks::aLockOutlivesAnotherDescriptorOfItsFile_data()
{
    QTest::addColumn<bool>("classic");
    QTest::newRow("locks of an open file") << false;
    QTest::newRow("classic locks of the process") << true;
}

void TestFileLocks::aLockOutlivesAnotherDescriptorOfItsFile()
{
    QFETCH(bool, classic);
    FileLock::useClassicLocks(classic);
    layDownArchive();
    CatalogueFile saving(books());
    saving.open(archive());
    saving.lockForWriting();
    {
        // Another window of this program reads the same archive meanwhile, and closes it.
        CatalogueFile reading(books());
        reading.open(archive());
        QCOMPARE(reading.readCard(1).text(u"Titolo"), QStringLiteral("Questa 1"));
    }
    OtherProgram probe(otherArguments(QStringLiteral("probe"), kArchive));
    QCOMPARE(probe.says(), "busy");
    QVERIFY(probe.endsWell());

    saving.close();
    OtherProgram again(otherArguments(QStringLiteral("probe"), kArchive));
    QCOMPARE(again.says(), "free");
    QVERIFY(again.endsWell());
}

void TestFileLocks::twoPasswordChangesAtOnce()
{
    const QString passwordFile = m_folder->file(QStringLiteral("unins000.dll"));
    writeFileBytes(passwordFile, kShippedPasswordFile);
    // Both changes start while a third holds the file, so that they meet at its lock.
    OtherProgram holding(otherArguments(QStringLiteral("hold"), QStringLiteral("unins000.dll"), {"program"}));
    QCOMPARE(holding.says(), "held");
    OtherProgram first(
        otherArguments(QStringLiteral("change"), QStringLiteral("unins000.dll"), {"pergamenaverde", "PRIMA"}));
    OtherProgram second(
        otherArguments(QStringLiteral("change"), QStringLiteral("unins000.dll"), {"Pergamenaverde ", "SECONDA"}));
    QCOMPARE(first.says(), "changing");
    QCOMPARE(second.says(), "changing");
    QTest::qWait(300);
    holding.letGo();

    const QByteArray firstSaid = first.says();
    const QByteArray secondSaid = second.says();
    QVERIFY(first.endsWell());
    QVERIFY(second.endsWell());
    QCOMPARE(QSet<QByteArray>({firstSaid, secondSaid}), QSet<QByteArray>({"changed", "refused"}));
    QCOMPARE(PasswordFile::stored(passwordFile),
             firstSaid == "changed" ? QStringLiteral("PRIMA") : QStringLiteral("SECONDA"));
}

void TestFileLocks::anExportLeavesALockedFileAlone()
{
    layDownArchive();
    ExportRows rows(Kind::libri());
    QVERIFY(rows.load(archive()));
    const QString exported = m_folder->file(QStringLiteral("Catalogo_Libri.xls"));
    writeFileBytes(exported, "il foglio aperto nell'altro programma");
    // A spreadsheet program that has the file open locks all of it.
    OtherProgram holding(otherArguments(QStringLiteral("hold"), QStringLiteral("Catalogo_Libri.xls"), {"whole"}));
    QCOMPARE(holding.says(), "held");
    QVERIFY(!SpreadsheetWriter::save(exported, rows));
    QCOMPARE(fileBytes(exported), "il foglio aperto nell'altro programma");

    holding.letGo();
    QVERIFY(holding.endsWell());
    QVERIFY(SpreadsheetWriter::save(exported, rows));
    QVERIFY(fileBytes(exported).contains("Questa 3"));
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 2 && qstrcmp(argv[1], "--other") == 0)
        return runOther(app.arguments().mid(2));
    TestFileLocks test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_file_locks.moc"
