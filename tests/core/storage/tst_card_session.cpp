// The card session without a window: which card is on screen, how it moves through the archive,
// how it is stored, and what counts as a change of the card on screen.
#include "CardArchiveBytes.h"
#include "CoreTestSupport.h"
#include "SamplePicture.h"
#include "folder/CoverPhotos.h"
#include "storage/CardSession.h"
#include "storage/CatalogueFile.h"

#include <QFileInfo>
#include <QTest>

namespace {
Record card(const Kind& kind, const QString& title)
{
    Record record(kind.layout);
    record.setText(u"Titolo", title);
    return record;
}

CoverPicture jpegPicture(const QString& path, QSize size)
{
    samplePicture(size).save(path, "JPEG");
    return CoverPicture::fromFile(path, FileScope::UserChoice);
}
} // namespace

class TestCardSession : public QObject {
    Q_OBJECT
private slots:
    void init() { m_folder = std::make_unique<ProgramFolderFixture>(); }
    void cleanup() { m_folder.reset(); }

    void storesNewCardsAtTheEndAndOthersInPlace_data() { addKindRows(); }
    void storesNewCardsAtTheEndAndOthersInPlace();
    void movesThroughTheArchive_data() { addKindRows(); }
    void movesThroughTheArchive();
    void anArchiveEmptiedBehindItMakesTheCardNew();
    void anUnreachableArchiveChangesNothing();
    void thePhotoFollowsTheCardNumber();
    void thePhotoGoesWhereADeletionMovedItsCard();
    void tellsAChangeFromWhatWasShown_data();
    void tellsAChangeFromWhatWasShown();

private:
    QString archive(const Kind& kind) const { return m_folder->file(QStringLiteral("Prova") + kind.extension); }
    std::unique_ptr<ProgramFolderFixture> m_folder;
};

void TestCardSession::storesNewCardsAtTheEndAndOthersInPlace()
{
    QFETCH(KindId, kind);
    const Kind& of = Kind::of(kind);
    writeFileBytes(archive(of), sampleArchive(of, 2));
    CardSession session(of);
    session.setArchive(archive(of), QStringLiteral("Prova"));
    QVERIFY(session.isNew());
    QCOMPARE(session.numberText(), QString());

    QCOMPARE(session.save(card(of, QStringLiteral("Terza"))), CardSession::Saved::Appended);
    QCOMPARE(session.number(), 3);
    QCOMPARE(session.numberText(), QStringLiteral("3"));
    QCOMPARE(session.cardAsRead().text(u"Titolo"), QStringLiteral("Terza"));

    QCOMPARE(session.save(card(of, QStringLiteral("Terza, corretta"))), CardSession::Saved::Replaced);
    QCOMPARE(session.number(), 3);
    const QByteArray bytes = fileBytes(archive(of));
    const int size = of.layout.recordSize();
    QCOMPARE(bytes.size(), 3 * size);
    QCOMPARE(bytes.left(2 * size), sampleArchive(of, 2));
    QCOMPARE(storedText(of, bytes.mid(2 * size), QStringLiteral("Titolo")), QByteArray("Terza, corretta"));
}

void TestCardSession::movesThroughTheArchive()
{
    QFETCH(KindId, kind);
    const Kind& of = Kind::of(kind);
    writeFileBytes(archive(of), sampleArchive(of, 3));
    CardSession session(of);
    session.setArchive(archive(of), QStringLiteral("Prova"));
    using Button = Navigation::Button;
    using Action = Navigation::Step::Action;
    struct Step {
        Button button;
        Action action;
        qint64 number;
    };
    // From a new card: forward to 1, on to the last, past it nowhere, then back and to the ends.
    const QList<Step> steps{
        {Button::Forward, Action::ShowCard, 1}, {Button::Forward, Action::ShowCard, 2},
        {Button::Last, Action::ShowCard, 3},    {Button::Forward, Action::StayPut, 3},
        {Button::Back, Action::ShowCard, 2},    {Button::First, Action::ShowCard, 1},
        {Button::Back, Action::StayPut, 1},
    };
    for (const Step& step : steps) {
        const CardSession::Move move = session.move(step.button);
        QCOMPARE(move.action, step.action);
        QCOMPARE(session.number(), step.number);
        const QString title = QStringLiteral("Scheda %1").arg(step.number);
        QCOMPARE(session.cardAsRead().text(u"Titolo"), title);
        if (step.action == Action::ShowCard)
            QCOMPARE(move.card.bytes(), session.cardAsRead().bytes());
    }
}

void TestCardSession::anArchiveEmptiedBehindItMakesTheCardNew()
{
    const Kind& books = Kind::libri();
    writeFileBytes(archive(books), sampleArchive(books, 2));
    CardSession session(books);
    session.setArchive(archive(books), QStringLiteral("Prova"));
    session.move(Navigation::Button::Last);
    QCOMPARE(session.number(), 2);

    writeFileBytes(archive(books), QByteArray());
    QCOMPARE(session.move(Navigation::Button::Forward).action, Navigation::Step::Action::ReportEmpty);
    QVERIFY(session.isNew());
    // Saved again, it is the archive's new first card, not a card 2 after a gap.
    QCOMPARE(session.save(card(books, QStringLiteral("Salvata di nuovo"))), CardSession::Saved::Appended);
    QCOMPARE(session.number(), 1);
    QCOMPARE(fileBytes(archive(books)).size(), books.layout.recordSize());
}

void TestCardSession::anUnreachableArchiveChangesNothing()
{
    const Kind& dvd = Kind::dvd();
    writeFileBytes(archive(dvd), sampleArchive(dvd, 2));
    CardSession session(dvd);
    session.setArchive(archive(dvd), QStringLiteral("Prova"));
    session.move(Navigation::Button::Last);
    const QByteArray asRead = session.cardAsRead().bytes();

    // A folder where the archive was: neither a read nor a write reaches it.
    QFile::remove(archive(dvd));
    QDir().mkdir(archive(dvd));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, session.move(Navigation::Button::First));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, session.save(card(dvd, QStringLiteral("Persa"))));
    QCOMPARE(session.number(), 2);
    QCOMPARE(session.cardAsRead().bytes(), asRead);

    // A new card is not given a number it never got.
    session.startNew();
    QVERIFY_THROWS_EXCEPTION(ArchiveError, session.save(card(dvd, QStringLiteral("Persa"))));
    QVERIFY(session.isNew());
}

void TestCardSession::thePhotoFollowsTheCardNumber()
{
    const Kind& comics = Kind::fumetti();
    CardSession session(comics);
    session.setArchive(archive(comics), QStringLiteral("Prova"));
    QVERIFY(session.readPhoto().isNull()); // a new card has no photo file

    session.save(card(comics, QStringLiteral("Con foto")));
    const CoverPicture photo = jpegPicture(m_folder->file(QStringLiteral("scelta.jpg")), QSize(120, 160));
    QVERIFY(session.savePhoto(photo));
    const QString file = m_folder->file(QStringLiteral("Raccolta_Fumetti/Prova_Foto_1.jpg"));
    QCOMPARE(fileBytes(file), fileBytes(m_folder->file(QStringLiteral("scelta.jpg"))));
    QVERIFY(session.photoAsRead().sameAs(photo));

    session.startNew();
    QVERIFY(session.photoAsRead().isNull());
    session.move(Navigation::Button::First);
    QVERIFY(session.readPhoto().sameAs(photo));

    // A photo that cannot be written leaves the file and the photo as read as they were.
    QFile::remove(file);
    QDir().mkdir(file);
    QVERIFY(!session.savePhoto(jpegPicture(m_folder->file(QStringLiteral("altra.jpg")), QSize(50, 50))));
    QVERIFY(session.photoAsRead().sameAs(photo));
}

void TestCardSession::thePhotoGoesWhereADeletionMovedItsCard()
{
    const Kind& dvd = Kind::dvd();
    writeFileBytes(archive(dvd), sampleArchive(dvd, 4));
    CardSession session(dvd);
    session.setArchive(archive(dvd), QStringLiteral("Prova"));
    session.goTo(4);
    session.readPhoto();
    QCOMPARE(session.save(card(dvd, QStringLiteral("Mia"))), CardSession::Saved::Replaced);
    const QString folder = m_folder->file(QStringLiteral("Collezione_DVD/"));

    // While another program holds the archive, as a deletion does while it moves the photos,
    // no photo is written.
    const CoverPicture photo = jpegPicture(m_folder->file(QStringLiteral("scelta.jpg")), QSize(120, 160));
    {
        CatalogueFile other(dvd.layout);
        other.open(archive(dvd));
        other.lockForWriting();
        QVERIFY(!session.savePhoto(photo));
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("Prova_Foto_4.jpg")));
    }

    // Another program deleted card 2 between the card's save and its photo's: the photo goes with
    // the card, now number 3, and the card's old number names nothing.
    CardSession other(dvd);
    other.setArchive(archive(dvd), QStringLiteral("Prova"));
    other.goTo(2);
    QCOMPARE(other.remove(), CardSession::Deleted::Removed);
    QVERIFY(session.savePhoto(photo));
    QCOMPARE(session.number(), 3);
    QCOMPARE(fileBytes(folder + QStringLiteral("Prova_Foto_3.jpg")),
             fileBytes(m_folder->file(QStringLiteral("scelta.jpg"))));
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("Prova_Foto_4.jpg")));

    // A card that another program deleted gets no photo at all.
    other.goTo(3);
    other.readPhoto();
    QCOMPARE(other.remove(), CardSession::Deleted::Removed);
    QVERIFY(!session.savePhoto(jpegPicture(m_folder->file(QStringLiteral("altra.jpg")), QSize(50, 50))));
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("Prova_Foto_3.jpg")));
}

void TestCardSession::tellsAChangeFromWhatWasShown_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("changed");
    QTest::newRow("nothing typed") << QString() << QString() << false;
    QTest::newRow("title typed and typed back") << "Titolo"
                                                << "Scheda 1" << false;
    QTest::newRow("blanks around the title") << "Titolo"
                                             << "  Scheda 1 " << false;
    QTest::newRow("another title") << "Titolo"
                                   << "Scheda uno" << true;
    QTest::newRow("case of a letter") << "Titolo"
                                      << "scheda 1" << true;
    QTest::newRow("an emptied field") << "Autore"
                                      << "" << true;
    QTest::newRow("the missing mark") << "Mancante"
                                      << "No" << true;
    QTest::newRow("an attached document") << "File02"
                                          << "nuovo.pdf" << true;
    QTest::newRow("a description emptied") << "Desc01"
                                           << "" << true;
}

void TestCardSession::tellsAChangeFromWhatWasShown()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(bool, changed);
    const Kind& comics = Kind::fumetti();
    writeFileBytes(archive(comics), sampleArchive(comics, 1)); // card 1 is marked missing
    CardSession session(comics);
    session.setArchive(archive(comics), QStringLiteral("Prova"));
    const Record shown = session.move(Navigation::Button::First).card;
    const CoverPicture photo = jpegPicture(m_folder->file(QStringLiteral("foto.jpg")), QSize(40, 60));
    session.markShown(shown, photo);

    Record form = shown;
    if (!field.isEmpty())
        form.setText(field, typed);
    QCOMPARE(session.differsFrom(form, photo), changed);
    // Another photo is a change whatever the fields hold; the same picture read again is not.
    QVERIFY(session.differsFrom(form, CoverPicture(samplePicture(QSize(40, 60)))));
    QCOMPARE(session.differsFrom(
                 form, CoverPicture::fromFile(m_folder->file(QStringLiteral("foto.jpg")), FileScope::UserChoice)),
             changed);
}

QTEST_MAIN(TestCardSession)
#include "tst_card_session.moc"
