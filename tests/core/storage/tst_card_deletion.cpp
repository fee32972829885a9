// Deleting a card: the cards after it move up one number with their photos, documents stay, and a
// deletion cut short at any moment, or stopped by a full disk, leaves the archive and its photos as
// before or as after, never a mix.
#include "CardArchiveBytes.h"
#include "CoreTestSupport.h"
#include "DiskFaults.h"
#include "folder/ProgramFolder.h"
#include "storage/CardDeletion.h"
#include "storage/CardSession.h"
#include "storage/CatalogueFile.h"

#include <QDir>
#include <QDirIterator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(CardDeletion::Step)

namespace {
using Photos = QMap<int, QByteArray>; // card number -> the photo file's bytes

// The photo folder of each kind, typed here.
const KindRows<QString> kPhotoFolders("photo folders", {{QStringLiteral("libri"), QStringLiteral("Catalogo_Libri")},
                                                        {QStringLiteral("fumetti"), QStringLiteral("Raccolta_Fumetti")},
                                                        {QStringLiteral("dvd"), QStringLiteral("Collezione_DVD")}});

QByteArray photoBytes(int card)
{
    return "foto della scheda " + QByteArray::number(card);
}

// The archive "Prova" of `cards` sample cards, photos on `withPhoto`, a photo of another archive
// and the document of card 2, in the program folder `folder`.
void layOut(const Kind& kind, const QString& folder, int cards, const QList<int>& withPhoto)
{
    writeFileBytes(folder + QStringLiteral("Prova") + kind.extension, sampleArchive(kind, cards));
    const QString photos = folder + kPhotoFolders.of(kind) + u'/';
    QDir().mkpath(photos);
    for (int card : withPhoto)
        writeFileBytes(photos + QStringLiteral("Prova_Foto_%1.jpg").arg(card), photoBytes(card));
    writeFileBytes(photos + QStringLiteral("Altro_Foto_2.jpg"), "foto di un altro archivio");
    QDir().mkpath(folder + QStringLiteral("Documenti_Allegati"));
    writeFileBytes(folder + QStringLiteral("Documenti_Allegati/doc2.pdf"), "documento");
}

// What the program folder must hold: the archive of the cards `titles` names by number, the photos
// given, and the rest of layOut untouched. Nothing else: no journal, no copy, no folder of photos
// set aside.
QMap<QString, QByteArray> expectedFolder(const Kind& kind, const QList<int>& cards, const Photos& photos)
{
    QByteArray archive;
    for (int card : cards)
        archive += recordBytes(kind, sampleCard(kind, card));
    QMap<QString, QByteArray> expected{
        {QStringLiteral("Prova") + kind.extension, archive},
        {kPhotoFolders.of(kind) + QStringLiteral("/Altro_Foto_2.jpg"), "foto di un altro archivio"},
        {QStringLiteral("Documenti_Allegati/doc2.pdf"), "documento"},
    };
    for (auto it = photos.cbegin(); it != photos.cend(); ++it)
        expected.insert(kPhotoFolders.of(kind) + QStringLiteral("/Prova_Foto_%1.jpg").arg(it.key()), it.value());
    return expected;
}

// Folders too, so that a folder left behind shows.
QStringList everyFolder(const QString& folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(QDir(folder).relativeFilePath(it.next()));
    found.sort();
    return found;
}

// The session on card `number` of "Prova", as a card window has it after showing the card.
void openOn(CardSession& session, const QString& folder, qint64 number)
{
    session.setArchive(folder + QStringLiteral("Prova") + session.kind().extension, QStringLiteral("Prova"));
    session.finishInterruptedDeletion();
    session.goTo(number);
    session.readPhoto();
}

// The test's stopping point, in the child that is stopped.
CardDeletion::Step stopAt;
int stopAtTime = 0;
void stopHere(CardDeletion::Step step)
{
    if (step == stopAt && --stopAtTime == 0)
        ::raise(SIGKILL);
}

// Runs `work` in a child process that the step hook kills at the `time`-th `step`; fails unless it
// was killed there.
void killedAt(CardDeletion::Step step, int time, const std::function<void()>& work)
{
    const pid_t child = fork();
    if (child == 0) {
        stopAt = step;
        stopAtTime = time;
        CardDeletion::setStepHook(&stopHere);
        try {
            work();
        } catch (...) {
        }
        _exit(0); // never reached the point
    }
    int status = 0;
    QVERIFY(child > 0 && waitpid(child, &status, 0) == child);
    QVERIFY2(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL, "the deletion never reached the point");
}
} // namespace

class TestCardDeletion : public QObject {
    Q_OBJECT
private slots:
    void init() { m_folder = std::make_unique<ProgramFolderFixture>(); }
    void cleanup() { m_folder.reset(); }

    void theCardsAfterMoveUpWithTheirPhotos_data();
    void theCardsAfterMoveUpWithTheirPhotos();
    void aCardChangedElsewhereIsNotDeleted();
    void aWriterThatWaitedWritesToTheNewArchive();
    void aDeletionCutShortEndsAsBeforeOrAsAfter_data();
    void aDeletionCutShortEndsAsBeforeOrAsAfter();
    void aFullDiskChangesNothing();

private:
    std::unique_ptr<ProgramFolderFixture> m_folder;
};

void TestCardDeletion::theCardsAfterMoveUpWithTheirPhotos_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<int>("cards");
    QTest::addColumn<QList<int>>("withPhoto");
    QTest::addColumn<int>("deleted");
    QTest::addColumn<QList<int>>("left");  // the sample cards left, in their order
    QTest::addColumn<Photos>("photos");    // the photos then, by the number of their card
    QTest::addColumn<QString>("shownNow"); // the number of the card on screen then, empty for a new card
    for (const Kind* kind : Kind::all()) {
        addKindRow(kind->id, "first card") << 4 << QList<int>{1, 2, 4} << 1 << QList<int>{2, 3, 4}
                                           << Photos{{1, photoBytes(2)}, {3, photoBytes(4)}} << "1";
        addKindRow(kind->id, "middle card")
            << 4 << QList<int>{2, 3} << 2 << QList<int>{1, 3, 4} << Photos{{2, photoBytes(3)}} << "2";
        addKindRow(kind->id, "last card")
            << 3 << QList<int>{1, 3} << 3 << QList<int>{1, 2} << Photos{{1, photoBytes(1)}} << "";
        addKindRow(kind->id, "only card") << 1 << QList<int>{1} << 1 << QList<int>{} << Photos{} << "";
        addKindRow(kind->id, "no photos") << 3 << QList<int>{} << 2 << QList<int>{1, 3} << Photos{} << "2";
        // A photo file of a card the archive does not hold stays where it is.
        addKindRow(kind->id, "a photo beyond the last card")
            << 2 << QList<int>{2, 5} << 1 << QList<int>{2} << Photos{{1, photoBytes(2)}, {5, photoBytes(5)}} << "1";
    }
}

void TestCardDeletion::theCardsAfterMoveUpWithTheirPhotos()
{
    QFETCH(KindId, kind);
    QFETCH(int, cards);
    QFETCH(QList<int>, withPhoto);
    QFETCH(int, deleted);
    QFETCH(QList<int>, left);
    QFETCH(Photos, photos);
    QFETCH(QString, shownNow);
    const Kind& of = Kind::of(kind);
    layOut(of, m_folder->path(), cards, withPhoto);
    CardSession session(of);
    openOn(session, m_folder->path(), deleted);

    QCOMPARE(session.remove(), CardSession::Deleted::Removed);
    QCOMPARE(folderContents(m_folder->path()), expectedFolder(of, left, photos));
    QStringList folders{QStringLiteral("Documenti_Allegati"), kPhotoFolders.of(of)};
    folders.sort();
    QCOMPARE(everyFolder(m_folder->path()), folders);
    QCOMPARE(session.numberText(), shownNow);
    if (!shownNow.isEmpty())
        QCOMPARE(session.cardAsRead().text(u"Titolo"), QStringLiteral("Scheda %1").arg(deleted + 1));
}

void TestCardDeletion::aCardChangedElsewhereIsNotDeleted()
{
    const Kind& kind = Kind::libri();
    layOut(kind, m_folder->path(), 3, {2});
    CardSession session(kind);
    openOn(session, m_folder->path(), 2);
    // Another program saved card 2 meanwhile.
    const QString archive = m_folder->file(QStringLiteral("Prova.lib"));
    const int size = kind.layout.recordSize();
    writeFileBytes(archive,
                   fileBytes(archive).replace(size, size, recordBytes(kind, {{"Titolo", "Cambiata altrove"}})));
    const QMap<QString, QByteArray> before = folderContents(m_folder->path());

    QCOMPARE(session.remove(), CardSession::Deleted::ChangedElsewhere);
    QCOMPARE(folderContents(m_folder->path()), before);
}

void TestCardDeletion::aWriterThatWaitedWritesToTheNewArchive()
{
    const Kind& kind = Kind::dvd();
    layOut(kind, m_folder->path(), 3, {});
    // Another program opened the archive before the deletion and takes its lock after it.
    CatalogueFile other(kind.layout);
    other.open(m_folder->file(QStringLiteral("Prova.dvd")));
    CardSession session(kind);
    openOn(session, m_folder->path(), 1);
    QCOMPARE(session.remove(), CardSession::Deleted::Removed);

    other.lockForWriting();
    QCOMPARE(other.recordCount(), 2);
    Record changed(kind.layout);
    changed.setText(u"Titolo", QStringLiteral("Scritta dopo"));
    other.writeCard(2, changed);
    other.close();
    const QByteArray bytes = fileBytes(m_folder->file(QStringLiteral("Prova.dvd")));
    QCOMPARE(bytes.size(), 2 * kind.layout.recordSize());
    QCOMPARE(storedText(kind, bytes.left(kind.layout.recordSize()), QStringLiteral("Titolo")), QByteArray("Scheda 2"));
    QCOMPARE(storedText(kind, bytes.mid(kind.layout.recordSize()), QStringLiteral("Titolo")),
             QByteArray("Scritta dopo"));
}

void TestCardDeletion::aDeletionCutShortEndsAsBeforeOrAsAfter_data()
{
    using Step = CardDeletion::Step;
    QTest::addColumn<Step>("step");
    QTest::addColumn<int>("time");
    QTest::addColumn<Step>("recoveryStep"); // where the next opening is cut short too, at its `recoveryTime`-th
    QTest::addColumn<int>("recoveryTime");  // 0: it is not
    QTest::addColumn<bool>("deleted");
    // Card 2 of 4 goes; cards 2, 3 and 4 have photos.
    const auto row = [](const char* name, Step step, int time, bool deleted) {
        QTest::newRow(name) << step << time << Step::PhotoPlaced << 0 << deleted;
    };
    row("the archive copied in part", Step::ArchiveHalfCopied, 1, false);
    row("the archive copied", Step::ArchiveCopied, 1, false);
    row("the journal written", Step::JournalWritten, 1, false);
    row("one photo set aside", Step::PhotoSetAside, 1, false);
    row("every photo set aside", Step::PhotoSetAside, 3, false);
    row("the archive replaced", Step::ArchiveReplaced, 1, true);
    row("one photo in its new place", Step::PhotoPlaced, 1, true);
    row("two photos in their new places", Step::PhotoPlaced, 2, true);
    row("every photo in its new place", Step::PhotoPlaced, 3, true);
    row("the journal removed", Step::JournalRemoved, 1, true);
    // The opening that finishes or undoes it is cut short in turn.
    QTest::newRow("finishing: one photo placed") << Step::ArchiveReplaced << 1 << Step::PhotoPlaced << 1 << true;
    QTest::newRow("undoing: one photo back") << Step::PhotoSetAside << 3 << Step::PhotoPlaced << 1 << false;
    QTest::newRow("undoing: every photo back") << Step::PhotoSetAside << 3 << Step::PhotoPlaced << 3 << false;
    QTest::newRow("undoing: the journal removed") << Step::PhotoSetAside << 2 << Step::JournalRemoved << 1 << false;
}

void TestCardDeletion::aDeletionCutShortEndsAsBeforeOrAsAfter()
{
    QFETCH(CardDeletion::Step, step);
    QFETCH(int, time);
    QFETCH(CardDeletion::Step, recoveryStep);
    QFETCH(int, recoveryTime);
    QFETCH(bool, deleted);
    const Kind& kind = Kind::fumetti();
    layOut(kind, m_folder->path(), 4, {2, 3, 4});
    const QMap<QString, QByteArray> before =
        expectedFolder(kind, {1, 2, 3, 4}, {{2, photoBytes(2)}, {3, photoBytes(3)}, {4, photoBytes(4)}});
    const QMap<QString, QByteArray> after = expectedFolder(kind, {1, 3, 4}, {{2, photoBytes(3)}, {3, photoBytes(4)}});
    QCOMPARE(folderContents(m_folder->path()), before);

    killedAt(step, time, [&] {
        CardSession session(kind);
        openOn(session, m_folder->path(), 2);
        session.remove();
    });
    if (recoveryTime > 0)
        killedAt(recoveryStep, recoveryTime, [&] {
            CardSession session(kind);
            openOn(session, m_folder->path(), 1);
        });
    // The next opening of the archive finishes or undoes it.
    CardSession session(kind);
    openOn(session, m_folder->path(), 1);
    QCOMPARE(folderContents(m_folder->path()), deleted ? after : before);
    QCOMPARE(everyFolder(m_folder->path()),
             QStringList({QStringLiteral("Documenti_Allegati"), QStringLiteral("Raccolta_Fumetti")}));
}

void TestCardDeletion::aFullDiskChangesNothing()
{
    // A real full disk: a small file system of its own, which only root may mount.
    QTemporaryDir disk;
    if (::mount("tmpfs", QFile::encodeName(disk.path()).constData(), "tmpfs", 0, "size=256k") != 0)
        QSKIP("a full disk needs a small file system of its own, and mounting one needs root");
    const auto unmount = qScopeGuard([&] {
        ProgramFolder::setOverride(m_folder->path());
        ::umount(QFile::encodeName(disk.path()).constData());
    });
    ProgramFolder::setOverride(disk.path());
    const QString folder = ProgramFolder::path();
    // 60 book cards take 189,000 bytes: the disk holds them, but not a second copy beside them.
    const Kind& kind = Kind::libri();
    layOut(kind, folder, 60, {1, 2, 3});
    const QMap<QString, QByteArray> before = folderContents(folder);
    CardSession session(kind);
    openOn(session, folder, 1);

    QVERIFY_THROWS_EXCEPTION(NoRoomToDelete, session.remove());
    QCOMPARE(folderContents(folder), before);
    QCOMPARE(everyFolder(folder),
             QStringList({QStringLiteral("Catalogo_Libri"), QStringLiteral("Documenti_Allegati")}));
    QCOMPARE(session.numberText(), QStringLiteral("1"));
}

QTEST_GUILESS_MAIN(TestCardDeletion)
#include "tst_card_deletion.moc"
