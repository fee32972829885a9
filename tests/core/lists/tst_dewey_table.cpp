// The built-in Dewey table held to its published shape: which numbers occur and how many rows
// each has, the rows that mark the main classes, the order, the form of every row and the way
// its sub-headings carry their section heading.
#include "lists/DeweyTable.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <algorithm>

namespace {
// The numbers without a row: single numbers and ranges.
const char* const kAbsent = "000, 007-009, 024, 029, 040-049, 104, 112, 125, 132, 134, 136, 151, 159, 163-164, 217, "
                            "237, 244, 256-258, 298, 308-309, 311-313, 329, 396-397, 401-409, 416, 424, 426, 434, "
                            "436, 444, 446, 454, 456, 464, 466, 474, 476, 484, 486, 504, 517-518, 524, 571, 626, "
                            "654-656, 689, 699, 744, 762, 768, 775-777, 804, 819, 908, 921-928, 974-979, 991-992";

// The numbers with more than one row, each with its count; every other number that occurs has one.
const char* const kCounts =
    "001 12, 002 2, 004 7, 005 10, 006 5, 016 12, 021 5, 025 10, 027 7, 028 4, 060 2, 069 4, 070 4, 128 2, 133 8, "
    "150 3, 152 6, 153 9, 154 6, 155 10, 158 3, 200 9, 220 9, 221 9, 225 9, 231 2, 232 3, 241 2, 248 6, 253 3, "
    "254 4, 261 6, 262 2, 270 9, 274 37, 281 2, 282 43, 284 2, 285 3, 286 3, 291 10, 294 5, 296 7, 300 9, 302 5, "
    "303 4, 304 5, 305 8, 306 4, 307 2, 314 2, 320 17, 321 13, 322 2, 323 8, 324 5, 327 2, 330 65, 331 16, 332 15, "
    "333 18, 335 6, 336 8, 337 2, 338 11, 339 5, 340 11, 341 11, 343 4, 346 5, 351 33, 352 13, 353 4, 354 2, 355 9, "
    "358 2, 359 4, 361 8, 362 9, 363 10, 364 7, 368 9, 369 4, 370 6, 371 17, 372 9, 373 4, 379 3, 380 4, 382 4, "
    "384 7, 387 6, 388 5, 394 3, 398 2, 439 4, 491 4, 492 2, 495 5, 500 3, 511 2, 512 2, 515 6, 516 3, 519 7, "
    "523 12, 526 4, 530 4, 534 2, 535 4, 537 3, 539 3, 541 3, 547 5, 549 2, 551 17, 552 2, 553 8, 554 37, 567 2, "
    "572 2, 573 3, 574 12, 575 3, 580 3, 581 10, 582 4, 589 6, 590 3, 591 10, 593 7, 595 11, 597 9, 598 6, 599 17, "
    "604 4, 610 6, 613 6, 614 4, 615 4, 616 20, 617 4, 618 12, 620 6, 621 31, 623 7, 624 2, 625 5, 628 6, 629 15, "
    "630 2, 631 8, 633 8, 634 2, 635 2, 636 11, 639 3, 640 2, 641 9, 646 5, 650 2, 651 5, 652 2, 658 9, 659 3, "
    "660 2, 662 2, 665 4, 668 3, 670 3, 671 7, 681 2, 683 2, 684 2, 686 5, 688 4, 692 2, 693 2, 697 2, 702 2, "
    "704 2, 707 2, 709 53, 720 46, 728 4, 730 51, 731 2, 737 2, 738 8, 739 4, 741 55, 745 18, 746 14, 747 2, "
    "748 6, 749 2, 750 3, 751 8, 759 46, 760 5, 769 47, 770 3, 771 2, 778 9, 780 68, 781 7, 782 17, 783 18, "
    "784 15, 785 17, 786 16, 787 3, 790 3, 791 8, 792 9, 793 7, 794 7, 795 2, 796 8, 797 4, 798 3, 799 4, 808 17, "
    "809 8, 810 9, 811 8, 812 8, 813 8, 814 8, 815 8, 816 8, 817 8, 818 8, 820 14, 821 13, 822 13, 823 13, 824 13, "
    "825 13, 826 13, 827 13, 828 13, 830 14, 831 13, 832 13, 833 13, 834 13, 835 13, 836 13, 837 13, 838 13, "
    "839 4, 840 14, 841 13, 842 13, 843 13, 844 13, 845 13, 846 13, 847 13, 848 13, 850 14, 851 13, 852 13, "
    "853 13, 854 13, 855 13, 856 13, 857 13, 858 13, 860 10, 861 9, 862 9, 863 9, 864 9, 865 9, 866 9, 867 9, "
    "868 9, 869 16, 870 6, 871 5, 872 5, 873 5, 874 5, 875 5, 876 5, 877 5, 878 5, 880 5, 881 4, 882 4, 883 4, "
    "884 4, 885 4, 886 4, 887 4, 888 4, 891 19, 892 2, 895 5, 907 3, 909 15, 910 4, 914 166, 920 3, 929 10, "
    "930 8, 940 26, 941 4, 942 2, 943 10, 944 2, 945 139, 946 3, 947 2, 948 4, 949 17, 951 3, 953 2, 954 3, "
    "956 10, 958 2, 959 8, 961 3, 962 2, 964 2, 966 10, 967 12, 968 8, 969 3, 970 3, 972 3, 980 3, 986 3, 989 3, "
    "993 2, 996 2";

QSet<int> absentNumbers()
{
    QSet<int> absent;
    for (const QString& part : QString::fromLatin1(kAbsent).split(QStringLiteral(", "))) {
        const QStringList ends = part.split(u'-');
        for (int n = ends.first().toInt(); n <= ends.last().toInt(); ++n)
            absent.insert(n);
    }
    return absent;
}

// Rows per number, for every number from 0 to 999.
QMap<int, int> expectedCounts()
{
    QMap<int, int> counts;
    const QSet<int> absent = absentNumbers();
    for (int n = 0; n <= 999; ++n)
        counts[n] = absent.contains(n) ? 0 : 1;
    for (const QString& pair : QString::fromLatin1(kCounts).split(QStringLiteral(", "))) {
        const QStringList parts = pair.split(u' ');
        counts[parts.at(0).toInt()] = parts.at(1).toInt();
    }
    return counts;
}
} // namespace

class TestDeweyTable : public QObject {
    Q_OBJECT

private slots:
    void numbersAndRowCounts();
    void tellingRows_data();
    void tellingRows();
    void everyRowHasTheTableForm();
    void rowsAreUniqueButForTheRepeatedKeyboardRow();
    void subHeadingsCarryTheHeadingOfTheirNumber();
    void romanianIsSpelledOneWay();
};

void TestDeweyTable::numbersAndRowCounts()
{
    const QStringList& rows = DeweyTable::rows();
    QCOMPARE(rows.size(), 3721);

    const QMap<int, int> expected = expectedCounts();
    QCOMPARE(absentNumbers().size(), 101);
    QCOMPARE(std::count_if(expected.cbegin(), expected.cend(), [](int c) { return c > 0; }), 899);
    QCOMPARE(std::count_if(expected.cbegin(), expected.cend(), [](int c) { return c == 1; }), 561);

    QMap<int, int> actual;
    for (int n = 0; n <= 999; ++n)
        actual[n] = 0;
    int previous = -1;
    for (const QString& row : rows) {
        const int number = row.left(3).toInt();
        // Ascending by number: the rows of one number stand together.
        QVERIFY2(number >= previous, qPrintable(row));
        previous = number;
        ++actual[number];
    }
    for (int n = 0; n <= 999; ++n)
        QVERIFY2(actual.value(n) == expected.value(n), qPrintable(QStringLiteral("%1: %2 rows, expected %3")
                                                                      .arg(n, 3, 10, QLatin1Char('0'))
                                                                      .arg(actual.value(n))
                                                                      .arg(expected.value(n))));
}

void TestDeweyTable::tellingRows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << "001 CONOSCENZA";
    QTest::newRow("2") << 2 << "001 VITA INTELLETTUALE";
    QTest::newRow("13") << 13 << "002 IL LIBRO";
    QTest::newRow("156") << 156 << "100 FILOSOFIA E PSICOLOGIA";
    QTest::newRow("157") << 157 << "101 FILOSOFIA. TEORIA";
    QTest::newRow("285") << 285 << "200 RELIGIONE";
    QTest::newRow("286") << 286 << "200 RELIGIONE. FILOSOFIA E TEORIA";
    QTest::newRow("541") << 541 << "300 SCIENZE SOCIALI";
    QTest::newRow("1028") << 1028 << "400 SCIENZE DEL LINGUAGGIO";
    QTest::newRow("1115") << 1115 << "500 SCIENZE NATURALI E MATEMATICA (SCIENZE PURE)";
    QTest::newRow("1411") << 1411 << "600 TECNOLOGIA (SCIENZE APPLICATE)";
    QTest::newRow("1603") << 1603 << "641 CULINARIA";
    QTest::newRow("1708") << 1708 << "700 LE ARTI";
    QTest::newRow("1918") << 1918 << "741 VIGNETTE, CARICATURE, FUMETTI";
    QTest::newRow("2153") << 2153 << "780 MUSICA";
    QTest::newRow("2371") << 2371 << "800 LETTERATURA E RETORICA";
    QTest::newRow("2850") << 2850 << "851 POESIA ITALIANA";
    QTest::newRow("3171") << 3171 << "900 GEOGRAFIA E STORIA";
    QTest::newRow("3721") << 3721 << "999 STORIA DI MONDI EXTRATERRESTRI";
}

void TestDeweyTable::tellingRows()
{
    QFETCH(int, row);
    QFETCH(QString, text);
    QCOMPARE(DeweyTable::rows().value(row - 1), text);
}

void TestDeweyTable::everyRowHasTheTableForm()
{
    // Three digits, a blank, a caption in capitals without accents.
    static const QRegularExpression form(QStringLiteral("^[0-9]{3} [A-Z0-9(][ -Z]*$"));
    for (const QString& row : DeweyTable::rows()) {
        QVERIFY2(form.match(row).hasMatch(), qPrintable(row));
        QVERIFY2(row.size() >= 7 && row.size() <= 120, qPrintable(row));
        QVERIFY2(row == row.trimmed(), qPrintable(row));
    }
}

void TestDeweyTable::rowsAreUniqueButForTheRepeatedKeyboardRow()
{
    const QStringList& rows = DeweyTable::rows();
    const QString repeated = QStringLiteral("786 STRUMENTI A CORDA E TASTIERA");
    QCOMPARE(rows.count(repeated), 2);
    const qsizetype first = rows.indexOf(repeated);
    QCOMPARE(rows.value(first + 1), repeated);

    QSet<QString> seen;
    for (const QString& row : rows) {
        if (row != repeated)
            QVERIFY2(!seen.contains(row), qPrintable(row));
        seen.insert(row);
    }
}

void TestDeweyTable::subHeadingsCarryTheHeadingOfTheirNumber()
{
    // Within a number, every row after the first extends a heading of that number with ". " or
    // ", "; only these rows open a second section heading of their own. A row moved to another
    // number without being reworded, or a mistyped section heading, fails here.
    const QSet<QString> furtherHeadings = {QStringLiteral("001 VITA INTELLETTUALE"), QStringLiteral("641 CULINARIA"),
                                           QStringLiteral("741 VIGNETTE, CARICATURE, FUMETTI")};
    QStringList headings;
    for (const QString& row : DeweyTable::rows()) {
        if (headings.isEmpty() || !row.startsWith(headings.first().left(4))) {
            headings = {row};
            continue;
        }
        if (furtherHeadings.contains(row)) {
            headings.append(row);
            continue;
        }
        const bool extends = std::any_of(headings.cbegin(), headings.cend(), [&](const QString& heading) {
            return row == heading || row.startsWith(heading + QStringLiteral(". ")) ||
                   row.startsWith(heading + QStringLiteral(", "));
        });
        QVERIFY2(extends, qPrintable(row));
    }
}

void TestDeweyTable::romanianIsSpelledOneWay()
{
    static const QRegularExpression other(QStringLiteral("\\bRUMEN[AIOE]\\b"));
    static const QRegularExpression chosen(QStringLiteral("\\bROMEN[AIOE]\\b"));
    int chosenRows = 0;
    for (const QString& row : DeweyTable::rows()) {
        QVERIFY2(!other.match(row).hasMatch(), qPrintable(row));
        chosenRows += chosen.match(row).hasMatch() ? 1 : 0;
    }
    QVERIFY(chosenRows > 0);
}

QTEST_MAIN(TestDeweyTable)
#include "tst_dewey_table.moc"
