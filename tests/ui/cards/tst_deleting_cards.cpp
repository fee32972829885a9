// "Elimina scheda" in a card window: the question that names the card, the card that takes its
// place on screen, Ctrl+Delete, a new card, and an edit not saved.
#include "CardArchiveBytes.h"
#include "OpenCard.h"
#include "SamplePicture.h"
#include "TestSupport.h"

#include <QDir>
#include <QLineEdit>
#include <QTest>

namespace {
const QString kDone = QStringLiteral("La scheda è stata eliminata dall'archivio.");
const QString kUnsaved = QStringLiteral("La scheda corrente contiene modifiche non salvate. Salvarle in archivio?");

QString question(int card, const QString& title)
{
    return QStringLiteral("Eliminare dall'archivio la scheda %1 «%2»? Le schede che la seguono scaleranno di un "
                          "numero.")
        .arg(card)
        .arg(title);
}
} // namespace

class TestDeletingCards : public WindowTest {
    Q_OBJECT

private slots:
    void theButtonAsksAndShowsTheCardThatTookThePlace_data();
    void theButtonAsksAndShowsTheCardThatTookThePlace();
    void ctrlDeleteDeletesUnlessAFieldHasTheFocus();
    void aNewCardHasNothingToDelete();
    void anEditNotSavedIsAskedAboutFirst();

private:
    // The DVD archive "Prova" of `cards` sample cards, a photo on card 3.
    QString layOut(int cards)
    {
        const QString path = folder().file(QStringLiteral("Prova.dvd"));
        writeFileBytes(path, sampleArchive(Kind::dvd(), cards));
        QDir().mkpath(folder().file(QStringLiteral("Collezione_DVD")));
        samplePicture(QSize(60, 80)).save(folder().file(QStringLiteral("Collezione_DVD/Prova_Foto_3.jpg")), "JPEG");
        return path;
    }
    int storedCards() const
    {
        return int(fileBytes(folder().file(QStringLiteral("Prova.dvd"))).size() / Kind::dvd().layout.recordSize());
    }
    void goToCard(OpenCard& card, int number)
    {
        card.click("cmdPrimo");
        for (int n = 1; n < number; ++n)
            card.click("cmdAvanti");
        QCOMPARE(card.position(), QString::number(number));
    }
};

void TestDeletingCards::theButtonAsksAndShowsTheCardThatTookThePlace_data()
{
    QTest::addColumn<int>("cards");
    QTest::addColumn<int>("deleted");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<int>("cardsAfter");
    QTest::addColumn<QString>("positionAfter");
    QTest::addColumn<QString>("titleAfter");
    QTest::addColumn<bool>("photoAfter"); // the photo box shows a photo, not the placeholder
    QTest::newRow("middle card") << 3 << 2 << QMessageBox::Yes << 2 << "2"
                                 << "Scheda 3" << true;
    QTest::newRow("first card") << 3 << 1 << QMessageBox::Yes << 2 << "1"
                                << "Scheda 2" << false;
    QTest::newRow("last card") << 3 << 3 << QMessageBox::Yes << 2 << ""
                               << "" << false;
    QTest::newRow("only card") << 1 << 1 << QMessageBox::Yes << 0 << ""
                               << "" << false;
    QTest::newRow("answered No") << 3 << 2 << QMessageBox::No << 3 << "2"
                                 << "Scheda 2" << false;
}

void TestDeletingCards::theButtonAsksAndShowsTheCardThatTookThePlace()
{
    QFETCH(int, cards);
    QFETCH(int, deleted);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(int, cardsAfter);
    QFETCH(QString, positionAfter);
    QFETCH(QString, titleAfter);
    QFETCH(bool, photoAfter);
    OpenCard card(KindId::DVD, layOut(cards));
    goToCard(card, deleted);
    messages().answerNext(answer);

    card.click("cmdElimina");
    QCOMPARE(messages().shown().first().kind, MessageBox::Kind::Confirmation);
    QCOMPARE(messages().shown().first().text, question(deleted, QStringLiteral("Scheda %1").arg(deleted)));
    if (answer == QMessageBox::Yes) {
        QCOMPARE(messages().count(), 2);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
        QCOMPARE(messages().last().text, kDone);
    } else {
        QCOMPARE(messages().count(), 1);
    }
    QCOMPARE(storedCards(), cardsAfter);
    QCOMPARE(card.position(), positionAfter);
    QCOMPARE(card.title(), titleAfter);
    QCOMPARE(!card.showsPlaceholder(), photoAfter);
}

void TestDeletingCards::ctrlDeleteDeletesUnlessAFieldHasTheFocus()
{
    OpenCard card(KindId::DVD, layOut(3));
    goToCard(card, 1);
    card.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(card.window));

    // In a field Ctrl+Delete deletes a word, and nothing else.
    QLineEdit* title = card.field(QStringLiteral("Titolo"));
    title->setFocus();
    title->setCursorPosition(0);
    QTest::keyClick(title, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(title->text(), QStringLiteral("1"));
    QCOMPARE(messages().count(), 0);
    title->setText(QStringLiteral("Scheda 1"));

    // Anywhere else it is the command's.
    QWidget* save = child<QWidget>(card.window, QStringLiteral("cmdSalva"));
    save->setFocus();
    QTest::keyClick(save, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(messages().count(), 2);
    QCOMPARE(messages().shown().first().text, question(1, QStringLiteral("Scheda 1")));
    QCOMPARE(storedCards(), 2);
    QCOMPARE(card.title(), QStringLiteral("Scheda 2"));
    QCOMPARE(child<QWidget>(card.window, QStringLiteral("cmdElimina"))->toolTip(),
             QStringLiteral("Elimina scheda (Ctrl+Canc)"));
}

void TestDeletingCards::aNewCardHasNothingToDelete()
{
    OpenCard card(KindId::DVD, layOut(2));
    card.field(QStringLiteral("Titolo"))->setText(QStringLiteral("Non ancora salvata"));

    card.click("cmdElimina");
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Warning);
    QCOMPARE(messages().last().text, QStringLiteral("Attenzione: l'eliminazione di una scheda può avvenire soltanto "
                                                    "dopo che questa è stata inserita in archivio."));
    QCOMPARE(storedCards(), 2);
    QCOMPARE(card.title(), QStringLiteral("Non ancora salvata"));
}

void TestDeletingCards::anEditNotSavedIsAskedAboutFirst()
{
    OpenCard card(KindId::DVD, layOut(3));
    goToCard(card, 2);
    type(card.field(QStringLiteral("Titolo")), QStringLiteral("Scheda 2 corretta"));

    // Cancel: the card and its edit stay.
    messages().answerNext(QMessageBox::Cancel);
    card.click("cmdElimina");
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().text, kUnsaved);
    QCOMPARE(card.title(), QStringLiteral("Scheda 2 corretta"));
    QCOMPARE(storedCards(), 3);

    // No: the edit is not saved, and the question names the card as the archive holds it.
    messages().clear();
    messages().answerNext(QMessageBox::No);
    messages().answerNext(QMessageBox::Yes);
    card.click("cmdElimina");
    QCOMPARE(messages().count(), 3);
    QCOMPARE(messages().shown().at(0).text, kUnsaved);
    QCOMPARE(messages().shown().at(1).text, question(2, QStringLiteral("Scheda 2")));
    QCOMPARE(messages().shown().at(2).text, kDone);
    QCOMPARE(storedCards(), 2);
    QCOMPARE(card.title(), QStringLiteral("Scheda 3"));
}

CARTAVOX_TEST_MAIN(TestDeletingCards)
#include "tst_deleting_cards.moc"
