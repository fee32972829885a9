// Salva, Nuovo and Duplica on the card windows of the three kinds, checked in the archive's bytes.
#include "CardArchiveBytes.h"
#include "OpenCard.h"
#include "TestSupport.h"
#include "cards/CardWindow.h"
#include "start/Windows.h"
#include "storage/CatalogueFile.h"
#include "widgets/PhotoBox.h"
#include "widgets/Picture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
const QString kInserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kDuplicated = QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente."
                                           "\n\r\n\rAl termine premere Salva per inserire la scheda in archivio.");
const QString kDuplicateRefused = QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo "
                                                 "che questa è stata inserita in archivio.");

using Card = OpenCard;
} // namespace

class TestCardSaving : public WindowTest {
    Q_OBJECT

private slots:
    void kinds_data();
    void appendsThenUpdates_data() { kinds_data(); }
    void appendsThenUpdates();
    void checksRequiredFieldsInOrder_data() { kinds_data(); }
    void checksRequiredFieldsInOrder();
    void rewritesOnlyItsOwnRecord_data() { kinds_data(); }
    void rewritesOnlyItsOwnRecord();
    void roundTripsEveryField_data() { kinds_data(); }
    void roundTripsEveryField();
    void storesTheMissingMarkAsItsConstantBytes();
    void duplicateBecomesANewCard_data() { kinds_data(); }
    void duplicateBecomesANewCard();
    void duplicateNeedsAStoredCard();
    void unreachableArchiveKeepsTheCard_data();
    void unreachableArchiveKeepsTheCard();

private:
    QString archivePath(KindId kind) const { return folder().file(QStringLiteral("Prova") + Kind::of(kind).extension); }
};

void TestCardSaving::kinds_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<int>("recordSize");
    QTest::addColumn<QString>("photoFolder");
    const KindRows<std::pair<int, const char*>> files{"files",
                                                      {{"libri", {3150, "Catalogo_Libri"}},
                                                       {"fumetti", {3651, "Raccolta_Fumetti"}},
                                                       {"dvd", {3816, "Collezione_DVD"}}}};
    for (const Kind* kind : Kind::all()) {
        const auto& [recordSize, photoFolder] = files.of(*kind);
        addKindRow(kind->id) << recordSize << QString::fromLatin1(photoFolder);
    }
}

void TestCardSaving::appendsThenUpdates()
{
    QFETCH(KindId, kind);
    QFETCH(int, recordSize);
    QFETCH(QString, photoFolder);
    const QString path = archivePath(kind);
    writeFileBytes(path, {});
    Card card(kind, path);

    card.fillRequired();
    card.field(QStringLiteral("Titolo"))->setText(QStringLiteral("  Prima versione  "));
    card.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(card.window));
    card.field(QStringLiteral("Titolo"))->setFocus();
    card.click("cmdSalva");
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
    QCOMPARE(messages().last().text, kInserted);
    QCOMPARE(card.position(), QStringLiteral("1"));
    // The focus was on btnFocus while the box was up, and is back in the field after it.
    QCOMPARE(messages().focusDuringLast(), QStringLiteral("btnFocus"));
    QCOMPARE(card.window->focusWidget(), card.field(QStringLiteral("Titolo")));
    QByteArray bytes = fileBytes(path);
    QCOMPARE(bytes.size(), recordSize);
    QCOMPARE(storedText(card.kind, bytes, QStringLiteral("Titolo")), QByteArray("Prima versione"));
    // Saving a card without a photo of its own stores the placeholder under the card's number.
    const QString photo = folder().file(photoFolder + QStringLiteral("/Prova_Foto_1.jpg"));
    QImageReader saved(photo);
    QCOMPARE(saved.format(), QByteArray("jpeg"));
    QCOMPARE(saved.size(), QSize(307, 409));

    card.field(QStringLiteral("Titolo"))->setText(QStringLiteral("Seconda versione"));
    card.click("cmdSalva");
    QCOMPARE(messages().count(), 2);
    QCOMPARE(messages().last().text, kUpdated);
    QCOMPARE(card.position(), QStringLiteral("1"));
    bytes = fileBytes(path);
    QCOMPARE(bytes.size(), recordSize);
    QCOMPARE(storedText(card.kind, bytes, QStringLiteral("Titolo")), QByteArray("Seconda versione"));
}

void TestCardSaving::checksRequiredFieldsInOrder()
{
    QFETCH(KindId, kind);
    const QString path = archivePath(kind);
    Card card(kind, path);
    const QList<KindLook::RequiredField>& required = KindLook::of(card.kind).card.required;
    // Blanks alone count as empty; each check sees the fields before it filled.
    for (qsizetype missing = 0; missing < required.size(); ++missing) {
        for (qsizetype i = 0; i < required.size(); ++i)
            card.field(required.at(i).field)->setText(i < missing ? QStringLiteral("presente") : QStringLiteral("   "));
        messages().clear();
        card.click("cmdSalva");
        QCOMPARE(messages().count(), 1);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Warning);
        QCOMPARE(messages().last().text, required.at(missing).message);
        QCOMPARE(card.window->focusWidget(), card.field(required.at(missing).field));
        QVERIFY2(!QFile::exists(path), "the archive must not be opened");
    }
    QCOMPARE(required.constFirst().field, QStringLiteral("Titolo"));
}

void TestCardSaving::rewritesOnlyItsOwnRecord()
{
    QFETCH(KindId, kind);
    QFETCH(int, recordSize);
    const QString path = archivePath(kind);
    // Five cards with leftovers after every text, and the start of a sixth that never got written.
    const QByteArray before = sampleArchive(Kind::of(kind), 5) + QByteArray(100, '\x55');
    writeFileBytes(path, before);
    Card card(kind, path);
    card.click("cmdPrimo");
    card.click("cmdAvanti");
    QCOMPARE(card.position(), QStringLiteral("2"));

    card.field(QStringLiteral("Note"))->setText(QStringLiteral("Nota cambiata"));
    card.click("cmdSalva");
    QCOMPARE(messages().last().text, kUpdated);
    const QByteArray after = fileBytes(path);
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after.left(recordSize), before.left(recordSize));
    QCOMPARE(after.mid(2 * recordSize), before.mid(2 * recordSize));
    const QByteArray card2 = after.mid(recordSize, recordSize);
    const StoredTexts expected = sampleCard(card.kind, 2);
    for (const FieldSpec& field : card.kind.layout.fields()) {
        const QByteArray want =
            field.name == QLatin1String("Note") ? QByteArray("Nota cambiata") : expected.value(field.name);
        QCOMPARE(storedText(card.kind, card2, field.name), want);
    }
}

void TestCardSaving::roundTripsEveryField()
{
    QFETCH(KindId, kind);
    const QString path = archivePath(kind);
    Card card(kind, path);
    // Blanks around, accents and the euro sign of the code page, and a letter it lacks (Ł).
    for (const QString& name : card.kind.textFields())
        card.field(name)->setText(QStringLiteral("  é€%1Łÿ  ").arg(name.left(3)));
    const QString longName = QString(300, u'a');
    card.window->attachmentLabel(QStringLiteral("File01"))->setText(longName);
    card.window->attachmentLabel(QStringLiteral("Desc03"))->setText(QStringLiteral(" Descrizione è "));
    card.click("cmdSalva");
    QCOMPARE(messages().last().text, kInserted);

    const QByteArray record = fileBytes(path);
    QCOMPARE(storedText(card.kind, record, QStringLiteral("Titolo")), QByteArray("\xE9\x80Tit?\xFF"));
    QCOMPARE(storedText(card.kind, record, QStringLiteral("File01")), QByteArray(250, 'a'));
    QCOMPARE(storedText(card.kind, record, QStringLiteral("Desc03")), QByteArray("Descrizione \xE8"));

    card.click("cmdNuovo");
    QCOMPARE(card.field(QStringLiteral("Titolo"))->text(), QString());
    card.click("cmdPrimo");
    for (const QString& name : card.kind.textFields())
        QCOMPARE(card.field(name)->text(), QStringLiteral("é€%1?ÿ").arg(name.left(3)));
    QCOMPARE(card.window->attachmentLabel(QStringLiteral("File01"))->text(), longName.left(250));
    QCOMPARE(card.window->attachmentLabel(QStringLiteral("Desc03"))->text(), QStringLiteral("Descrizione è"));
    QCOMPARE(card.window->attachmentLabel(QStringLiteral("File02"))->text(), QString());
}

void TestCardSaving::storesTheMissingMarkAsItsConstantBytes()
{
    const QString path = archivePath(KindId::Fumetti);
    Card card(KindId::Fumetti, path);
    auto* missing = child<QCheckBox>(card.window, QStringLiteral("chkMancante"));
    card.fillRequired();
    missing->setChecked(true);
    card.click("cmdSalva");
    QCOMPARE(fileBytes(path).mid(2142, 3), QByteArray("\x02\x53\xEC", 3));

    missing->setChecked(false);
    card.click("cmdSalva");
    QCOMPARE(fileBytes(path).mid(2142, 3), QByteArray("\x02\x4E\x6F", 3));
    QCOMPARE(fileBytes(path).size(), 3651);
}

void TestCardSaving::duplicateBecomesANewCard()
{
    QFETCH(KindId, kind);
    QFETCH(int, recordSize);
    QFETCH(QString, photoFolder);
    const QString path = archivePath(kind);
    const QByteArray before = sampleArchive(Kind::of(kind), 5);
    writeFileBytes(path, before);
    // Card 3 has a photo of its own.
    QDir().mkpath(folder().file(photoFolder));
    const QString photo3 = folder().file(photoFolder + QStringLiteral("/Prova_Foto_3.jpg"));
    QImage red(50, 40, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(photo3, "JPEG"));
    const QByteArray photo3Bytes = fileBytes(photo3);

    Card card(kind, path);
    for (const char* button : {"cmdPrimo", "cmdAvanti", "cmdAvanti"})
        card.click(button);
    QCOMPARE(card.position(), QStringLiteral("3"));
    QCOMPARE(card.photo()->pictureArea().size(), QSize(50, 40));

    card.click("cmdDuplica");
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
    QCOMPARE(messages().last().text, kDuplicated);
    QCOMPARE(card.position(), QString());
    for (const char* name : {"File01", "File02", "File03", "Desc01", "Desc02", "Desc03"})
        QCOMPARE(card.window->attachmentLabel(QLatin1String(name))->text(), QString());
    QCOMPARE(card.photo()->image(), card.placeholder());
    QCOMPARE(card.window->focusWidget(), card.field(QStringLiteral("Titolo")));
    QCOMPARE(card.field(QStringLiteral("Titolo"))->text(), QStringLiteral("Scheda 3"));
    QCOMPARE(fileBytes(path), before);

    card.click("cmdSalva");
    QCOMPARE(messages().last().text, kInserted);
    QCOMPARE(card.position(), QStringLiteral("6"));
    const QByteArray after = fileBytes(path);
    QCOMPARE(after.size(), 6 * recordSize);
    QCOMPARE(after.left(5 * recordSize), before);
    const QByteArray card6 = after.mid(5 * recordSize);
    StoredTexts expected = sampleCard(card.kind, 3);
    expected.remove(QStringLiteral("File01"));
    expected.remove(QStringLiteral("Desc01"));
    for (const FieldSpec& field : card.kind.layout.fields())
        QCOMPARE(storedText(card.kind, card6, field.name), expected.value(field.name));
    QCOMPARE(fileBytes(photo3), photo3Bytes);
    QCOMPARE(QImageReader(folder().file(photoFolder + QStringLiteral("/Prova_Foto_6.jpg"))).size(), QSize(307, 409));
}

void TestCardSaving::duplicateNeedsAStoredCard()
{
    Card card(KindId::Libri, archivePath(KindId::Libri));
    card.field(QStringLiteral("Titolo"))->setText(QStringLiteral("Non ancora salvata"));
    card.click("cmdDuplica");
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Warning);
    QCOMPARE(messages().last().text, kDuplicateRefused);
    QCOMPARE(card.field(QStringLiteral("Titolo"))->text(), QStringLiteral("Non ancora salvata"));
    QVERIFY(!QFile::exists(archivePath(KindId::Libri)));
}

void TestCardSaving::unreachableArchiveKeepsTheCard_data()
{
    QTest::addColumn<bool>("storedCard");
    QTest::newRow("new card, archive folder gone") << false;
    QTest::newRow("card 5, archive shortened to 3 cards") << true;
}

void TestCardSaving::unreachableArchiveKeepsTheCard()
{
    QFETCH(bool, storedCard);
    const Kind& kind = Kind::libri();
    QString path = archivePath(KindId::Libri);
    if (storedCard)
        writeFileBytes(path, sampleArchive(kind, 5));
    else
        path = folder().file(QStringLiteral("sparita/Prova.lib"));
    Card card(KindId::Libri, path);
    if (storedCard) {
        card.click("cmdUltimo");
        writeFileBytes(path, sampleArchive(kind, 3));
    }
    const QString position = card.position();
    card.fillRequired();
    card.field(QStringLiteral("Note"))->setText(QStringLiteral("Scritto a mano"));

    card.click("cmdSalva");
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Error);
    QCOMPARE(messages().last().text, CatalogueFile::accessErrorText());
    QCOMPARE(card.field(QStringLiteral("Note"))->text(), QStringLiteral("Scritto a mano"));
    QCOMPARE(card.position(), position);
    // Nothing written past the end, and no photo for a card that was not saved.
    QCOMPARE(fileBytes(path).size(), storedCard ? 3 * kind.layout.recordSize() : 0);
    QVERIFY(QDir(folder().file(kind.photoFolder)).entryList(QDir::Files).isEmpty());
}

CARTAVOX_TEST_MAIN(TestCardSaving)
#include "tst_card_saving.moc"
