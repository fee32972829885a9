// The ISBN check of the book card, on ISBNs of real books as people type them: grouped with
// hyphens or blanks or not at all, right, mistyped, cut short, or pasted with a sign that is not
// part of an ISBN.
#include "storage/Isbn.h"

#include <QTest>

Q_DECLARE_METATYPE(Isbn::Verdict)

class TestIsbn : public QObject {
    Q_OBJECT

private slots:
    void check_data();
    void check();
};

void TestIsbn::check_data()
{
    using Isbn::Verdict;
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Verdict>("verdict");
    QTest::addColumn<QString>("problem"); // the status line's sentence
    QTest::addColumn<QString>("isbn13");  // offered for a right ISBN-10

    QTest::newRow("empty") << "" << Verdict::Empty << ""
                           << "";
    QTest::newRow("only grouping") << " - " << Verdict::Empty << ""
                                   << "";

    QTest::newRow("10, hyphens") << "0-13-110362-8" << Verdict::Valid << ""
                                 << "978-0-13-110362-7";
    QTest::newRow("10, no grouping") << "0131103628" << Verdict::Valid << ""
                                     << "9780131103627";
    QTest::newRow("10, blanks") << "0 19 852663 6" << Verdict::Valid << ""
                                << "978 0 19 852663 6";
    QTest::newRow("10, blanks around") << "  0-306-40615-2 " << Verdict::Valid << ""
                                       << "978-0-306-40615-7";
    QTest::newRow("10, Italian") << "88-04-66823-7" << Verdict::Valid << ""
                                 << "978-88-04-66823-7";
    QTest::newRow("10, check X") << "0-8044-2957-X" << Verdict::Valid << ""
                                 << "978-0-8044-2957-3";
    QTest::newRow("10, check small x") << "0-9752298-0-x" << Verdict::Valid << ""
                                       << "978-0-9752298-0-4";
    QTest::newRow("10, check 0 becomes 13's 0") << "0-201-63361-2" << Verdict::Valid << ""
                                                << "978-0-201-63361-0";
    QTest::newRow("13, 978") << "978-0-13-110362-7" << Verdict::Valid << ""
                             << "";
    QTest::newRow("13, no grouping") << "9783161484100" << Verdict::Valid << ""
                                     << "";
    QTest::newRow("13, Italian") << "978 88 04 66823 7" << Verdict::Valid << ""
                                 << "";
    QTest::newRow("13, 979") << "979-10-90636-07-1" << Verdict::Valid << ""
                             << "";

    QTest::newRow("10, last digit mistyped")
        << "0-13-110362-9" << Verdict::WrongCheckDigit << "ISBN non valido: la cifra di controllo dovrebbe essere 8"
        << "";
    QTest::newRow("10, two digits swapped")
        << "0-7475-3296-9" << Verdict::WrongCheckDigit << "ISBN non valido: la cifra di controllo dovrebbe essere 6"
        << "";
    QTest::newRow("10, should end in X") << "0-8044-2957-5" << Verdict::WrongCheckDigit
                                         << "ISBN non valido: la cifra di controllo dovrebbe essere X"
                                         << "";
    QTest::newRow("13, last digit mistyped")
        << "978-0-13-110362-5" << Verdict::WrongCheckDigit << "ISBN non valido: la cifra di controllo dovrebbe essere 7"
        << "";
    QTest::newRow("13, ISBN-10's check digit kept")
        << "978-0-8044-2957-X" << Verdict::WrongCharacter
        << "ISBN non valido: la X può stare solo in fondo a un ISBN di 10 cifre"
        << "";
    QTest::newRow("13, 979 mistyped") << "979-10-90636-07-2" << Verdict::WrongCheckDigit
                                      << "ISBN non valido: la cifra di controllo dovrebbe essere 1"
                                      << "";
    QTest::newRow("13, neither 978 nor 979")
        << "977-0-13-110362-7" << Verdict::WrongPrefix << "ISBN non valido: un ISBN di 13 cifre comincia con 978 o 979"
        << "";
    QTest::newRow("a digit short") << "0-13-11036-8" << Verdict::WrongLength
                                   << "ISBN non valido: ha 9 cifre invece di 10 o 13"
                                   << "";
    QTest::newRow("13 without its check digit")
        << "978-0-13-110362" << Verdict::WrongLength << "ISBN non valido: ha 12 cifre invece di 10 o 13"
        << "";
    QTest::newRow("one digit") << "8" << Verdict::WrongLength << "ISBN non valido: ha 1 cifra invece di 10 o 13"
                               << "";
    QTest::newRow("X inside") << "0-13-X10362-8" << Verdict::WrongCharacter
                              << "ISBN non valido: la X può stare solo in fondo a un ISBN di 10 cifre"
                              << "";
    QTest::newRow("the word ISBN typed too")
        << "ISBN 0-13-110362-8" << Verdict::WrongCharacter
        << "ISBN non valido: contiene «I», ma sono ammessi solo cifre, spazi e trattini"
        << "";
    QTest::newRow("dashes pasted from a web page")
        << "978–0–13–110362–7" << Verdict::WrongCharacter
        << "ISBN non valido: contiene «–», ma sono ammessi solo cifre, spazi e trattini"
        << "";
}

void TestIsbn::check()
{
    QFETCH(QString, typed);
    QFETCH(Isbn::Verdict, verdict);
    QFETCH(QString, problem);
    QFETCH(QString, isbn13);

    const Isbn::Check check = Isbn::check(typed);
    QCOMPARE(check.verdict, verdict);
    QCOMPARE(Isbn::problem(check), problem);
    QCOMPARE(check.isbn13, isbn13);
}

QTEST_GUILESS_MAIN(TestIsbn)
#include "tst_isbn.moc"
