// The ISBN of the book card checked as the user leaves the field: a mark beside it and a sentence
// in the status line when it cannot be right, the ISBN-13 offered for a right ISBN-10, and the card
// saved as typed whatever the check says.
#include "CardArchiveBytes.h"
#include "OpenCard.h"
#include "cards/CardWindows.h"
#include "cards/IsbnMark.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

class TestIsbnMark : public WindowTest {
    Q_OBJECT

private slots:
    void leavingTheFieldChecksIt_data();
    void leavingTheFieldChecksIt();
    void wrongIsbnIsSavedAsTyped();
    void shownCardsGetTheirMarks();

private:
    QString path() const { return folder().file(QStringLiteral("Prova.lib")); }

    static QLabel* statusLine(const OpenCard& card) { return child<QLabel>(card.window, QStringLiteral("panInfo")); }
    static Picture* wrongMark(const OpenCard& card)
    {
        return child<Picture>(card.window, QStringLiteral("imgIsbnErrato"));
    }
    static Picture* thirteenMark(const OpenCard& card)
    {
        return child<Picture>(card.window, QStringLiteral("imgIsbn13"));
    }

    // Types `text` into the ISBN field and leaves it with Tab, as a user does.
    static void typeAndLeave(OpenCard& card, const QString& text)
    {
        QLineEdit* isbn = card.field(QStringLiteral("ISBN"));
        type(isbn, text);
        QTest::keyClick(isbn, Qt::Key_Tab);
        QVERIFY(!isbn->hasFocus());
    }
};

void TestIsbnMark::leavingTheFieldChecksIt_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("status");   // the status line's text after leaving; empty: as it was
    QTest::addColumn<QString>("thirteen"); // the hint of the ISBN-13 mark; empty: no such mark

    QTest::newRow("ISBN-10, wrong check digit") << "0-13-110362-9"
                                                << "ISBN non valido: la cifra di controllo dovrebbe essere 8"
                                                << "";
    QTest::newRow("ISBN-13, wrong check digit") << "978-88-04-66823-1"
                                                << "ISBN non valido: la cifra di controllo dovrebbe essere 7"
                                                << "";
    QTest::newRow("too short") << "88-04-668"
                               << "ISBN non valido: ha 7 cifre invece di 10 o 13"
                               << "";
    QTest::newRow("ISBN-13, right") << "978-0-13-110362-7"
                                    << ""
                                    << "";
    QTest::newRow("ISBN-10, right") << "0-13-110362-8"
                                    << ""
                                    << "ISBN corretto. Nella forma a 13 cifre: 978-0-13-110362-7";
    QTest::newRow("ISBN-10 ending in X, right") << "080442957X"
                                                << ""
                                                << "ISBN corretto. Nella forma a 13 cifre: 9780804429573";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TestIsbnMark::leavingTheFieldChecksIt()
{
    QFETCH(QString, typed);
    QFETCH(QString, status);
    QFETCH(QString, thirteen);
    OpenCard card(KindId::Libri, path());
    QVERIFY(QTest::qWaitForWindowActive(card.window));
    QLabel* line = statusLine(card);
    const QString before = line->text();
    QVERIFY(!wrongMark(card)->isVisible());
    QVERIFY(!thirteenMark(card)->isVisible());

    // Nothing is said while the user types.
    QLineEdit* isbn = card.field(QStringLiteral("ISBN"));
    type(isbn, typed);
    QVERIFY(!wrongMark(card)->isVisible());
    QCOMPARE(line->text(), before);

    typeAndLeave(card, typed);
    QCOMPARE(wrongMark(card)->isVisible(), !status.isEmpty());
    QCOMPARE(line->text(), status.isEmpty() ? before : status);
    if (!status.isEmpty()) {
        // The mark says the same to whoever points at it or reads it with a screen reader.
        QCOMPARE(wrongMark(card)->toolTip(), status);
        QCOMPARE(wrongMark(card)->accessibleDescription(), status);
        QCOMPARE(wrongMark(card)->accessibleName(), QStringLiteral("ISBN non valido"));
        // It stands beside the field, on the line of its caption, within the card.
        const QRect field = isbn->geometry();
        const QRect mark = wrongMark(card)->geometry();
        QCOMPARE(mark.right(), field.right());
        QVERIFY(mark.bottom() < field.top());
        QVERIFY(mark.top() > field.top() - 30);
    }
    QCOMPARE(thirteenMark(card)->isVisible(), !thirteen.isEmpty());
    if (!thirteen.isEmpty()) {
        QCOMPARE(thirteenMark(card)->toolTip(), thirteen);
        QCOMPARE(thirteenMark(card)->accessibleDescription(), thirteen);
    }
    // The field keeps what was typed.
    QCOMPARE(isbn->text(), typed);

    // Put right, the mark goes, and so does the sentence about it.
    typeAndLeave(card, QStringLiteral("9788804668237"));
    QVERIFY(!wrongMark(card)->isVisible());
    QVERIFY(!thirteenMark(card)->isVisible());
    QCOMPARE(line->text(), status.isEmpty() ? before : QString());
}

void TestIsbnMark::wrongIsbnIsSavedAsTyped()
{
    writeFileBytes(path(), {});
    OpenCard card(KindId::Libri, path());
    QVERIFY(QTest::qWaitForWindowActive(card.window));
    card.fillRequired();
    typeAndLeave(card, QStringLiteral("ISBN 88-04-66823-1"));
    QVERIFY(wrongMark(card)->isVisible());
    card.click("cmdSalva");
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
    QCOMPARE(messages().last().text, QStringLiteral("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(storedText(Kind::libri(), fileBytes(path()), QStringLiteral("ISBN")), QByteArray("ISBN 88-04-66823-1"));
}

void TestIsbnMark::shownCardsGetTheirMarks()
{
    const Kind& kind = Kind::libri();
    writeFileBytes(path(), recordBytes(kind, {{"Titolo", "Uno"}, {"ISBN", "0-13-110362-9"}}) +
                               recordBytes(kind, {{"Titolo", "Due"}, {"ISBN", "0-13-110362-8"}}) +
                               recordBytes(kind, {{"Titolo", "Tre"}}));
    OpenCard card(KindId::Libri, path());
    card.click("cmdPrimo");
    QVERIFY(wrongMark(card)->isVisible());
    QCOMPARE(wrongMark(card)->toolTip(), QStringLiteral("ISBN non valido: la cifra di controllo dovrebbe essere 8"));
    card.click("cmdAvanti");
    QVERIFY(!wrongMark(card)->isVisible());
    QVERIFY(thirteenMark(card)->isVisible());
    card.click("cmdAvanti");
    QVERIFY(!wrongMark(card)->isVisible());
    QVERIFY(!thirteenMark(card)->isVisible());
    card.click("cmdPrimo");
    QVERIFY(wrongMark(card)->isVisible());
    card.click("cmdNuovo");
    QVERIFY(!wrongMark(card)->isVisible());
}

CARTAVOX_TEST_MAIN(TestIsbnMark)
#include "tst_isbn_mark.moc"
