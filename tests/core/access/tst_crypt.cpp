// The scrambling of the access password: known values worked out by hand from the routine, the
// round trip over every 8-bit character, and what Unscramble accepts and refuses.
#include "access/Crypt.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

class TestCrypt : public QObject {
    Q_OBJECT
private slots:
    void scrambleKnownValues_data();
    void scrambleKnownValues();
    void roundTripOfAnyText();
    void unscrambleAccepts_data();
    void unscrambleAccepts();
    void unscrambleRefusesNonHexPairs_data();
    void unscrambleRefusesNonHexPairs();
};

void TestCrypt::scrambleKnownValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hex");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("one letter") << QStringLiteral("A") << QStringLiteral("3D");
    QTest::newRow("initial password") << QStringLiteral("PERGAMENAVERDE")
                                      << QStringLiteral("2C0B7B9CC8B2FAA471958C8C6AFF");
    QTest::newRow("control, top and accented characters")
        << QStringLiteral("\u0000\u00FF é") << QStringLiteral("7CC39EDD");
    // Only the low 8 bits of a code are kept: the euro sign is stored as U+00AC would be, and a
    // character beyond U+FFFF counts as one character.
    QTest::newRow("euro sign") << QStringLiteral("€") << QStringLiteral("D0");
    QTest::newRow("outside the basic plane") << QString::fromUcs4(U"\U0001F600", 1) << QStringLiteral("7C");
}

void TestCrypt::scrambleKnownValues()
{
    QFETCH(QString, text);
    QFETCH(QString, hex);
    QCOMPARE(Crypt::Scramble(text), hex);
}

void TestCrypt::roundTripOfAnyText()
{
    QRandomGenerator random(4);
    const QRegularExpression upperHex(QStringLiteral("^[0-9A-F]*$"));
    for (int round = 0; round < 400; ++round) {
        const int length = round == 0 ? 4000 : int(random.bounded(0, 200));
        QString text(length, Qt::Uninitialized);
        for (QChar& c : text)
            c = QChar(char16_t(random.bounded(0, 256)));
        const QString hex = Crypt::Scramble(text);
        QCOMPARE(hex.size(), 2 * text.size());
        QVERIFY2(upperHex.match(hex).hasMatch(), qPrintable(hex));
        const std::optional<QString> back = Crypt::Unscramble(hex);
        QVERIFY(back.has_value());
        QCOMPARE(*back, text);
    }
}

void TestCrypt::unscrambleAccepts_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("lower-case digits") << QStringLiteral("2c0b7b9cc8b2faa471958c8c6aff")
                                       << QStringLiteral("PERGAMENAVERDE");
    QTest::newRow("mixed-case digits") << QStringLiteral("2c0B7b9Cc8B2fAa471958C8c6aFf")
                                       << QStringLiteral("PERGAMENAVERDE");
    QTest::newRow("odd final digit ignored")
        << QStringLiteral("2C0B7B9CC8B2FAA471958C8C6AFF7") << QStringLiteral("PERGAMENAVERDE");
    QTest::newRow("odd final non-digit ignored") << QStringLiteral("3DZ") << QStringLiteral("A");
    QTest::newRow("one digit only") << QStringLiteral("3") << QString();
}

void TestCrypt::unscrambleAccepts()
{
    QFETCH(QString, hex);
    QFETCH(QString, text);
    const std::optional<QString> result = Crypt::Unscramble(hex);
    QVERIFY(result.has_value());
    QCOMPARE(*result, text);
}

void TestCrypt::unscrambleRefusesNonHexPairs_data()
{
    QTest::addColumn<QString>("hex");
    QTest::newRow("letter beyond F") << QStringLiteral("3G");
    QTest::newRow("bad pair after good ones") << QStringLiteral("2C0B7B9CZZ");
    QTest::newRow("blank inside a pair") << QStringLiteral("3 ");
    QTest::newRow("sign") << QStringLiteral("+1");
    QTest::newRow("prefix") << QStringLiteral("0x3D");
    QTest::newRow("full-width digit") << QStringLiteral("３D");
}

void TestCrypt::unscrambleRefusesNonHexPairs()
{
    QFETCH(QString, hex);
    QVERIFY(!Crypt::Unscramble(hex).has_value());
}

QTEST_MAIN(TestCrypt)
#include "tst_crypt.moc"
