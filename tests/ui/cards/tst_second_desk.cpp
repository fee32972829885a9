// Two desks on one program folder: what another program saved since a card was read is never
// written over unseen. The other desk is a real process of its own.
#include "CardArchiveBytes.h"
#include "OpenCard.h"
#include "SamplePicture.h"
#include "TestSupport.h"
#include "folder/FileLock.h"
#include "storage/CardSession.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const QString kChanged =
    QStringLiteral("Attenzione: dopo che questa scheda è stata letta, un altro programma l'ha modificata in archivio. "
                   "Le modifiche sullo schermo non sono ancora state salvate.\n\r\n\rSovrascrivi: salva le modifiche "
                   "sullo schermo al posto di quelle dell'altro programma.\n\rCarica l'altra versione: mostra la "
                   "scheda com'è ora in archivio; le modifiche sullo schermo andranno perse.\n\rAnnulla: lascia "
                   "tutto com'è.");

// Another program writes `bytes` at `offset` of `path`, in a process of its own: at its end for -1,
// as the whole file for 0.
void otherDeskWrites(const QString& path, qint64 offset, const QByteArray& bytes)
{
    const QByteArray name = QFile::encodeName(path);
    const pid_t child = fork();
    if (child == 0) {
        const int fd = ::open(name.constData(),
                              O_WRONLY | O_CREAT |
                                  (offset < 0    ? O_APPEND
                                   : offset == 0 ? O_TRUNC
                                                 : 0),
                              0644);
        const bool whole =
            fd >= 0 && (offset < 0 ? ::write(fd, bytes.constData(), size_t(bytes.size()))
                                   : ::pwrite(fd, bytes.constData(), size_t(bytes.size()), offset)) == bytes.size();
        _exit(whole && ::close(fd) == 0 ? 0 : 1);
    }
    int status = 0;
    QVERIFY(child > 0 && waitpid(child, &status, 0) == child);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// Another program holds the archive's write lock until it is ended.
class OtherDeskHoldsTheLock final {
public:
    explicit OtherDeskHoldsTheLock(const QString& path)
    {
        int ready[2];
        if (pipe(ready) != 0)
            qFatal("no pipe");
        m_child = fork();
        if (m_child == 0) {
            const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR);
            FileLock lock(fd, FileLock::Access::Exclusive, std::chrono::milliseconds(0));
            const char locked = 'L';
            if (::write(ready[1], &locked, 1) != 1)
                _exit(1);
            pause();
            _exit(0);
        }
        char answer = 0;
        if (::read(ready[0], &answer, 1) != 1 || answer != 'L')
            qFatal("the other desk could not lock the archive");
        ::close(ready[0]);
        ::close(ready[1]);
    }
    ~OtherDeskHoldsTheLock() { release(); }
    void release()
    {
        if (m_child <= 0)
            return;
        // SIGKILL: the child inherited the test library's SIGTERM handler, which would run a
        // debugger on it for a stack trace before it ended.
        kill(m_child, SIGKILL);
        waitpid(m_child, nullptr, 0);
        m_child = 0;
    }

private:
    pid_t m_child = 0;
};

enum class Change { Card, Photo };
} // namespace

Q_DECLARE_METATYPE(Change)

class TestSecondDesk : public WindowTest {
    Q_OBJECT

private slots:
    void aChangeElsewhereIsNeverOverwrittenUnseen_data();
    void aChangeElsewhereIsNeverOverwrittenUnseen();
    void aNewCardGoesWhereTheArchiveEndsWhenWritten();
    void aDeletionElsewhereNeverPutsTheCardOverAnother_data();
    void aDeletionElsewhereNeverPutsTheCardOverAnother();
    void anArchiveInUseKeepsTheCard_data();
    void anArchiveInUseKeepsTheCard();

private:
    QString archivePath() const { return folder().file(QStringLiteral("Prova.dvd")); }
    QString photoPath(int card) const
    {
        return folder().file(QStringLiteral("Collezione_DVD/Prova_Foto_%1.jpg").arg(card));
    }
    QByteArray storedTitle(int card) const
    {
        const int size = Kind::dvd().layout.recordSize();
        return storedText(Kind::dvd(), fileBytes(archivePath()).mid((card - 1) * size, size), "Titolo");
    }
};

void TestSecondDesk::aChangeElsewhereIsNeverOverwrittenUnseen_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    for (const auto& [what, change] : {std::pair{"card", Change::Card}, std::pair{"photo", Change::Photo}}) {
        QTest::addRow("%s, overwrite", what) << change << QMessageBox::Save;
        QTest::addRow("%s, load the other", what) << change << QMessageBox::Discard;
        QTest::addRow("%s, cancel", what) << change << QMessageBox::Cancel;
    }
}

void TestSecondDesk::aChangeElsewhereIsNeverOverwrittenUnseen()
{
    QFETCH(Change, change);
    QFETCH(QMessageBox::StandardButton, answer);
    const Kind& dvd = Kind::dvd();
    writeFileBytes(archivePath(), sampleArchive(dvd, 3));
    QDir().mkpath(QFileInfo(photoPath(2)).path());
    QVERIFY(samplePicture(QSize(90, 120)).save(photoPath(2), "JPEG"));
    OpenCard card(KindId::DVD, archivePath());
    card.click("cmdPrimo");
    card.click("cmdAvanti");
    type(card.field(QStringLiteral("Titolo")), QStringLiteral("Da questa scrivania"));

    // Meanwhile the other desk saves card 2, or only gives it another photo.
    StoredTexts theirs = sampleCard(dvd, 2);
    theirs[QStringLiteral("Titolo")] = "Dall'altra scrivania";
    if (change == Change::Card)
        otherDeskWrites(archivePath(), dvd.layout.recordSize(), recordBytes(dvd, theirs));
    QByteArray theirPhoto;
    QBuffer buffer(&theirPhoto);
    samplePicture(QSize(60, 60)).save(&buffer, "JPEG");
    if (change == Change::Photo)
        otherDeskWrites(photoPath(2), 0, theirPhoto);
    const QByteArray archiveBefore = fileBytes(archivePath());
    const QByteArray photoBefore = fileBytes(photoPath(2));

    messages().answerNext(answer);
    card.click("cmdSalva");
    const MessageBox::Shown& asked = messages().shown().constFirst();
    QCOMPARE(asked.kind, MessageBox::Kind::Choice);
    QCOMPARE(asked.text, kChanged);
    QCOMPARE(asked.captions, QStringList({"Sovrascrivi", "Carica l'altra versione", "Annulla"}));

    switch (answer) {
    case QMessageBox::Save:
        QCOMPARE(storedTitle(2), QByteArray("Da questa scrivania"));
        QCOMPARE(messages().count(), 2);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
        // From now on this desk's card is the one read: a second Salva asks nothing.
        card.click("cmdSalva");
        QCOMPARE(messages().count(), 3);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
        return;
    case QMessageBox::Discard:
        QCOMPARE(fileBytes(archivePath()), archiveBefore);
        QCOMPARE(fileBytes(photoPath(2)), photoBefore);
        QCOMPARE(card.title(), change == Change::Card ? QStringLiteral("Dall'altra scrivania") : "Scheda 2");
        QCOMPARE(card.photo()->pictureArea().size(), change == Change::Photo ? QSize(60, 60) : QSize(90, 120));
        QCOMPARE(card.position(), QStringLiteral("2"));
        QCOMPARE(messages().count(), 1);
        return;
    default:
        QCOMPARE(fileBytes(archivePath()), archiveBefore);
        QCOMPARE(fileBytes(photoPath(2)), photoBefore);
        QCOMPARE(card.title(), QStringLiteral("Da questa scrivania"));
        QCOMPARE(messages().count(), 1);
        return;
    }
}

void TestSecondDesk::aNewCardGoesWhereTheArchiveEndsWhenWritten()
{
    const Kind& dvd = Kind::dvd();
    writeFileBytes(archivePath(), sampleArchive(dvd, 2));
    OpenCard card(KindId::DVD, archivePath());
    card.click("cmdUltimo");
    card.click("cmdNuovo");
    card.fillRequired();
    card.field(QStringLiteral("Titolo"))->setText(QStringLiteral("Da questa scrivania"));

    StoredTexts theirs = sampleCard(dvd, 3);
    theirs[QStringLiteral("Titolo")] = "Dall'altra scrivania";
    otherDeskWrites(archivePath(), -1, recordBytes(dvd, theirs));
    card.click("cmdSalva");
    QCOMPARE(card.position(), QStringLiteral("4"));
    QCOMPARE(storedTitle(3), QByteArray("Dall'altra scrivania"));
    QCOMPARE(storedTitle(4), QByteArray("Da questa scrivania"));
    QCOMPARE(messages().count(), 1);
}

void TestSecondDesk::aDeletionElsewhereNeverPutsTheCardOverAnother_data()
{
    QTest::addColumn<int>("shown");   // of five cards
    QTest::addColumn<int>("deleted"); // by the other desk meanwhile
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QMessageBox::StandardButton>("answer"); // NoButton: nothing is asked
    QTest::addColumn<QList<QByteArray>>("titles");           // stored afterwards
    QTest::addColumn<QString>("position");
    const QByteArray mine = "Da questa scrivania";
    // The card moved up one number, unchanged: it is saved or deleted in its new place.
    QTest::newRow("Salva, an earlier card deleted")
        << 4 << 2 << QByteArray("cmdSalva") << QMessageBox::NoButton
        << QList<QByteArray>{"Scheda 1", "Scheda 3", mine, "Scheda 5"} << "3";
    QTest::newRow("Salva, the last card, the first deleted")
        << 5 << 1 << QByteArray("cmdSalva") << QMessageBox::NoButton
        << QList<QByteArray>{"Scheda 2", "Scheda 3", "Scheda 4", mine} << "4";
    QTest::newRow("Elimina scheda, an earlier card deleted")
        << 4 << 2 << QByteArray("cmdElimina") << QMessageBox::Yes
        << QList<QByteArray>{"Scheda 1", "Scheda 3", "Scheda 5"} << "3";
    // The card itself is gone: its number names the next card, which is never written over.
    QTest::newRow("Salva, the card deleted, added as new")
        << 4 << 4 << QByteArray("cmdSalva") << QMessageBox::Save
        << QList<QByteArray>{"Scheda 1", "Scheda 2", "Scheda 3", "Scheda 5", mine} << "5";
    QTest::newRow("Salva, the card deleted, cancelled")
        << 4 << 4 << QByteArray("cmdSalva") << QMessageBox::Cancel
        << QList<QByteArray>{"Scheda 1", "Scheda 2", "Scheda 3", "Scheda 5"} << "4";
}

void TestSecondDesk::aDeletionElsewhereNeverPutsTheCardOverAnother()
{
    QFETCH(int, shown);
    QFETCH(int, deleted);
    QFETCH(QByteArray, command);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QList<QByteArray>, titles);
    QFETCH(QString, position);
    const Kind& dvd = Kind::dvd();
    writeFileBytes(archivePath(), sampleArchive(dvd, 5));
    OpenCard card(KindId::DVD, archivePath());
    card.click("cmdPrimo");
    for (int n = 1; n < shown; ++n)
        card.click("cmdAvanti");
    const bool saving = command == "cmdSalva";
    if (saving)
        type(card.field(QStringLiteral("Titolo")), QStringLiteral("Da questa scrivania"));

    // The other desk deletes a card as this program does.
    CardSession other(dvd);
    other.setArchive(archivePath(), QStringLiteral("Prova"));
    other.goTo(deleted);
    QCOMPARE(other.remove(), CardSession::Deleted::Removed);

    if (answer != QMessageBox::NoButton)
        messages().answerNext(answer);
    card.click(command.constData());
    if (saving && answer != QMessageBox::NoButton) {
        const MessageBox::Shown& asked = messages().shown().constFirst();
        QCOMPARE(asked.kind, MessageBox::Kind::Choice);
        QCOMPARE(asked.text,
                 QStringLiteral("Attenzione: dopo che questa scheda è stata letta, un altro programma ha eliminato "
                                "schede da questo archivio, e il numero di questa scheda ora appartiene a un'altra "
                                "scheda. Le modifiche sullo schermo non sono ancora state salvate.\n\r\n\r"
                                "Aggiungi come nuova: aggiunge la scheda sullo schermo in fondo all'archivio.\n\r"
                                "Annulla: lascia tutto com'è."));
        QCOMPARE(asked.captions, QStringList({"Aggiungi come nuova", "Annulla"}));
    }
    QList<QByteArray> stored;
    for (int n = 1; n <= fileBytes(archivePath()).size() / dvd.layout.recordSize(); ++n)
        stored << storedTitle(n);
    QCOMPARE(stored, titles);
    QCOMPARE(card.position(), position);
    if (answer != QMessageBox::Cancel)
        QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
    else
        QCOMPARE(card.title(), QStringLiteral("Da questa scrivania"));
}

void TestSecondDesk::anArchiveInUseKeepsTheCard_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QString>("message");
    QTest::newRow("Salva") << QByteArray("cmdSalva")
                           << "Attenzione: l'archivio è in uso da parte di un altro programma. La scheda non è stata "
                              "salvata.\n\r\n\rRiprovare tra qualche istante.";
    QTest::newRow("Elimina scheda")
        << QByteArray("cmdElimina")
        << "Attenzione: l'archivio è in uso da parte di un altro programma. La scheda non è stata "
           "eliminata.\n\r\n\rRiprovare tra qualche istante.";
}

void TestSecondDesk::anArchiveInUseKeepsTheCard()
{
    QFETCH(QByteArray, command);
    QFETCH(QString, message);
    const Kind& dvd = Kind::dvd();
    writeFileBytes(archivePath(), sampleArchive(dvd, 2));
    OpenCard card(KindId::DVD, archivePath());
    card.click("cmdPrimo");
    const bool deleting = command == QLatin1String("cmdElimina");
    if (!deleting)
        type(card.field(QStringLiteral("Titolo")), QStringLiteral("Aspetta il suo turno"));
    const QString shown = card.title();

    OtherDeskHoldsTheLock other(archivePath());
    if (deleting)
        messages().answerNext(QMessageBox::Yes);
    card.click(command.constData());
    QCOMPARE(messages().last().kind, MessageBox::Kind::Error);
    QCOMPARE(messages().last().text, message);
    QCOMPARE(fileBytes(archivePath()), sampleArchive(dvd, 2));
    QCOMPARE(card.title(), shown);

    // The other desk done, the same command goes through.
    other.release();
    if (deleting)
        messages().answerNext(QMessageBox::Yes);
    card.click(command.constData());
    QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
    if (deleting)
        QCOMPARE(fileBytes(archivePath()).size(), sampleArchive(dvd, 1).size());
    else
        QCOMPARE(storedTitle(1), QByteArray("Aspetta il suo turno"));
}

CARTAVOX_TEST_MAIN(TestSecondDesk)
#include "tst_second_desk.moc"
