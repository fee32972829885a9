// The archive format, checked against records written byte by byte here, independently of the
// code under test, so a fault cannot hide behind a matching reader and writer.
#include "CoreTestSupport.h"
#include "FailingDevice.h"
#include "HugeDevice.h"
#include "export/ExportRows.h"
#include "lists/CardSearch.h"
#include "storage/CatalogueFile.h"
#include "storage/Kind.h"
#include "storage/Navigation.h"
#include "storage/Text.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

Q_DECLARE_METATYPE(const Kind*)

namespace {
// One field as it lies on disk: the length byte, the text, then filler up to the capacity.
QByteArray storedField(const QByteArray& text, int capacity, char filler = '\x7f')
{
    QByteArray bytes(1, char(text.size()));
    bytes += text;
    bytes += QByteArray(capacity - text.size(), filler);
    return bytes;
}

QString archivePath(const ProgramFolderFixture& folder, const Kind& kind)
{
    return folder.file(QStringLiteral("Prova") + kind.extension);
}
} // namespace

class TestArchiveFormat : public QObject {
    Q_OBJECT

private slots:
    void kinds_data();
    void kinds();
    void fieldsRoundTripAtTheirOffsets_data() { kinds_data(); }
    void fieldsRoundTripAtTheirOffsets();
    void fieldConversion_data();
    void fieldConversion();
    void missingIssueFlagBytes();
    void damagedFilesReadSafely_data() { kinds_data(); }
    void damagedFilesReadSafely();
    void openCreatesOnlyWhatIsMissing();
    void unreachableArchivesFail_data();
    void unreachableArchivesFail();
    void writesReplaceExactlyOneRecord();
    void writesCutShortFail();
    void recordsOfAnotherLayoutAreRefused();
    void cardNumbersAndPositionsAre64Bit();
    void archivesTooLargeToListAreRefused_data();
    void archivesTooLargeToListAreRefused();
    void accessErrorText();
};

void TestArchiveFormat::kinds_data()
{
    QTest::addColumn<const Kind*>("kind");
    QTest::addColumn<int>("recordSize");
    QTest::addColumn<QString>("lastField");
    QTest::addColumn<int>("lastOffset");
    QTest::newRow("libri") << &Kind::libri() << 3150 << "Desc03" << 2899;
    QTest::newRow("fumetti") << &Kind::fumetti() << 3651 << "Desc03" << 3400;
    QTest::newRow("dvd") << &Kind::dvd() << 3816 << "Desc03" << 3565;
}

void TestArchiveFormat::kinds()
{
    QFETCH(const Kind*, kind);
    QFETCH(int, recordSize);
    QFETCH(QString, lastField);
    QFETCH(int, lastOffset);
    const RecordLayout& layout = kind->layout;
    QCOMPARE(layout.recordSize(), recordSize);
    QCOMPARE(layout.offset(layout.indexOf(lastField)), lastOffset);
    QCOMPARE(layout.offset(layout.indexOf(lastField)) + 251, recordSize);
}

void TestArchiveFormat::fieldsRoundTripAtTheirOffsets()
{
    QFETCH(const Kind*, kind);
    const RecordLayout& layout = kind->layout;
    // Every field holds its own name, so a field read from the wrong offset shows.
    QByteArray bytes;
    for (const FieldSpec& field : layout.fields())
        bytes += storedField(field.name.left(field.capacity).toLatin1(), field.capacity);
    QCOMPARE(bytes.size(), layout.recordSize());

    ProgramFolderFixture folder;
    writeFileBytes(archivePath(folder, *kind), bytes + bytes);
    CatalogueFile file(layout);
    file.open(archivePath(folder, *kind));
    QCOMPARE(file.recordCount(), 2);
    const Record second = file.readCard(2);
    for (const FieldSpec& field : layout.fields())
        QCOMPARE(second.text(field.name), field.name.left(field.capacity));

    // Writing the same texts back yields the same meaningful bytes.
    Record rewritten(layout);
    for (const FieldSpec& field : layout.fields())
        rewritten.setText(field.name, field.name);
    for (int i = 0; i < layout.fieldCount(); ++i) {
        const int offset = layout.offset(i);
        const int length = uchar(bytes.at(offset));
        QCOMPARE(rewritten.bytes().mid(offset, length + 1), bytes.mid(offset, length + 1));
    }
}

void TestArchiveFormat::fieldConversion_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("trimmed both sides") << " \t Il Gattopardo  " << QByteArray("Il Gattopardo") << "Il Gattopardo";
    QTest::newRow("blanks only") << "   " << QByteArray() << "";
    QTest::newRow("inner blanks kept") << "Dieci  piccoli" << QByteArray("Dieci  piccoli") << "Dieci  piccoli";
    QTest::newRow("Windows-1252 letters")
        << "Città € “così”" << QByteArray("Citt\xe0 \x80 \x93\x63os\xec\x94") << "Città € “così”";
    QTest::newRow("outside the code page") << "Ł日本" << QByteArray("???") << "???";
    QTest::newRow("astral character is one substitute") << "a😀b" << QByteArray("a?b") << "a?b";
    QTest::newRow("no-break space is not a blank") << "\u00a0x" << QByteArray("\xa0x") << "\u00a0x";
    QTest::newRow("cut to capacity, trailing blank dropped on read")
        << QString(19, u'a') + QStringLiteral(" bcdef") << QByteArray(19, 'a') + " " << QString(19, u'a');
}

void TestArchiveFormat::fieldConversion()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    // A layout with one 20-character field, to show the cut.
    const RecordLayout layout({{"Campo", 20, "Campo:"}});
    Record record(layout);
    record.setText(0, typed);
    QCOMPARE(uchar(record.bytes().at(0)), uchar(stored.size()));
    QCOMPARE(record.bytes().mid(1, stored.size()), stored);
    QCOMPARE(record.text(0), shown);
}

void TestArchiveFormat::missingIssueFlagBytes()
{
    const RecordLayout& layout = Kind::fumetti().layout;
    const int offset = layout.offset(layout.indexOf(u"Mancante"));
    QCOMPARE(offset, 2142);
    Record record(layout);
    record.setText(u"Mancante", QStringLiteral("Sì"));
    QCOMPARE(record.bytes().mid(offset, 3), QByteArray("\x02\x53\xec", 3));
    record.setText(u"Mancante", QStringLiteral("No"));
    QCOMPARE(record.bytes().mid(offset, 3), QByteArray("\x02\x4e\x6f", 3));
}

void TestArchiveFormat::damagedFilesReadSafely()
{
    QFETCH(const Kind*, kind);
    const RecordLayout& layout = kind->layout;
    ProgramFolderFixture folder;
    const QString path = archivePath(folder, *kind);

    // Length bytes above the capacity are read as the capacity; a partial record is no card.
    QByteArray oversized(layout.recordSize(), 'x');
    for (int i = 0; i < layout.fieldCount(); ++i)
        oversized[layout.offset(i)] = char(0xff);
    writeFileBytes(path, oversized + QByteArray(100, 'y'));
    CatalogueFile file(layout);
    file.open(path);
    QCOMPARE(file.recordCount(), 1);
    const Record card = file.readCard(1);
    for (int i = 0; i < layout.fieldCount(); ++i)
        QCOMPARE(card.text(i).size(), qsizetype(layout.field(i).capacity));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, file.readCard(2));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, file.readCard(0));
    file.close();

    // Random bytes: any card reads, nothing crashes.
    QByteArray noise(layout.recordSize() * 3 + 7, Qt::Uninitialized);
    QRandomGenerator random(20261210);
    for (char& byte : noise)
        byte = char(random.bounded(256));
    writeFileBytes(path, noise);
    file.open(path);
    QCOMPARE(file.recordCount(), 3);
    for (int n = 1; n <= 3; ++n)
        for (int i = 0; i < layout.fieldCount(); ++i)
            QVERIFY(file.readCard(n).text(i).size() <= layout.field(i).capacity);
}

void TestArchiveFormat::openCreatesOnlyWhatIsMissing()
{
    ProgramFolderFixture folder;
    const RecordLayout& layout = Kind::libri().layout;
    const QString path = archivePath(folder, Kind::libri());

    CatalogueFile file(layout);
    file.open(path);
    QVERIFY(QFile::exists(path));
    QCOMPARE(file.recordCount(), 0);
    file.close();

    // An existing archive is opened as it is, never emptied.
    const QByteArray card(layout.recordSize(), '\0');
    writeFileBytes(path, card + card + QByteArray(3, 'z'));
    file.open(path);
    QCOMPARE(file.recordCount(), 2);
    file.close();
    QCOMPARE(fileBytes(path).size(), 2 * layout.recordSize() + 3);
}

void TestArchiveFormat::unreachableArchivesFail_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::newRow("a folder") << "Cartella.lib";
    QTest::newRow("a folder that does not exist") << "Manca/Prova.lib";
}

void TestArchiveFormat::unreachableArchivesFail()
{
    QFETCH(QString, relativePath);
    ProgramFolderFixture folder;
    QDir(folder.path()).mkdir(QStringLiteral("Cartella.lib"));
    CatalogueFile file(Kind::libri().layout);
    QVERIFY_THROWS_EXCEPTION(ArchiveError, file.open(folder.file(relativePath)));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, file.recordCount());
    QVERIFY(QFileInfo(folder.file(QStringLiteral("Cartella.lib"))).isDir());
}

void TestArchiveFormat::writesReplaceExactlyOneRecord()
{
    ProgramFolderFixture folder;
    const RecordLayout& layout = Kind::dvd().layout;
    const QString path = archivePath(folder, Kind::dvd());
    QByteArray original;
    for (int n = 0; n < 3; ++n)
        original += QByteArray(layout.recordSize(), char('a' + n));
    writeFileBytes(path, original);

    Record record(layout);
    record.setText(u"Titolo", QStringLiteral("Nuovo titolo"));
    CatalogueFile file(layout);
    file.open(path);
    file.writeCard(2, record);
    QCOMPARE(file.appendCard(record), 4);
    QVERIFY_THROWS_EXCEPTION(ArchiveError, file.writeCard(6, record));
    file.close();

    const QByteArray after = fileBytes(path);
    QCOMPARE(after.size(), 4 * layout.recordSize());
    QCOMPARE(after.left(layout.recordSize()), original.left(layout.recordSize()));
    QCOMPARE(after.mid(layout.recordSize(), layout.recordSize()), record.bytes());
    QCOMPARE(after.mid(2 * layout.recordSize(), layout.recordSize()), original.mid(2 * layout.recordSize()));
    QCOMPARE(after.mid(3 * layout.recordSize()), record.bytes());
}

void TestArchiveFormat::writesCutShortFail()
{
    const RecordLayout& layout = Kind::libri().layout;
    // Room for one card and a little more, as on a disk that is almost full.
    FailingDevice device(layout.recordSize() + 100, QByteArray(layout.recordSize(), 'a'));
    CatalogueFile file(layout, device);
    QCOMPARE(file.recordCount(), 1);
    Record record(layout);
    record.setText(u"Titolo", QStringLiteral("Nuovo titolo"));

    file.writeCard(1, record);
    QVERIFY_THROWS_EXCEPTION(ArchiveError, file.appendCard(record));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, file.writeCard(1, record));
    // What did get through is no card.
    QCOMPARE(file.recordCount(), 1);
    QCOMPARE(file.readCard(1).bytes(), record.bytes());
}

void TestArchiveFormat::recordsOfAnotherLayoutAreRefused()
{
    const RecordLayout& books = Kind::libri().layout;
    // As long as a book record, and a book record in no other way.
    const RecordLayout other({{"Campo", books.recordSize() - 1, "Campo:"}});
    QCOMPARE(other.recordSize(), books.recordSize());
    QByteArray bytes(books.recordSize(), 'a');
    QBuffer device(&bytes);
    device.open(QIODevice::ReadWrite);
    CatalogueFile file(books, device);

    QVERIFY_THROWS_EXCEPTION(ArchiveError, file.writeCard(1, Record(other)));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, file.appendCard(Record(other)));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, file.appendCard(Record(Kind::fumetti().layout)));
    QCOMPARE(bytes, QByteArray(books.recordSize(), 'a'));
    // A book record goes in.
    file.writeCard(1, Record(books));
    QCOMPARE(bytes, Record(books).bytes());
}

void TestArchiveFormat::cardNumbersAndPositionsAre64Bit()
{
    // 2^32 + 5 book cards, 13.5 TB: a 32-bit count sees 5 of them.
    const RecordLayout& layout = Kind::libri().layout;
    const qint64 cards = 4'294'967'301;
    const qint64 size = layout.recordSize();
    HugeDevice device(cards * size + 7);
    CatalogueFile file(layout, device);
    QCOMPARE(file.recordCount(), cards);

    Record first(layout);
    first.setText(u"Titolo", QStringLiteral("Prima scheda nuova"));
    Record second(layout);
    second.setText(u"Titolo", QStringLiteral("Seconda scheda nuova"));
    QCOMPARE(file.appendCard(first), cards + 1);
    QCOMPARE(file.appendCard(second), cards + 2);
    QCOMPARE(device.bytesAt(cards * size, size), first.bytes());
    QCOMPARE(device.bytesAt((cards + 1) * size, size), second.bytes());
    QCOMPARE(file.recordCount(), cards + 2);
    QCOMPARE(file.readCard(cards + 1).text(u"Titolo"), QStringLiteral("Prima scheda nuova"));

    // The last card of the old archive, rewritten in place; the one before it untouched.
    file.writeCard(cards, second);
    QCOMPARE(device.bytesAt((cards - 1) * size, size), second.bytes());
    QCOMPARE(device.bytesAt((cards - 2) * size, size), QByteArray(size, '\0'));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, file.writeCard(cards + 3, first));

    using Navigation::Button;
    QCOMPARE(Navigation::decide(Button::Last, file.recordCount(), 0).card, cards + 2);
    QCOMPARE(Navigation::decide(Button::Forward, file.recordCount(), 4'294'967'301).card, 4'294'967'302);
    QCOMPARE(Navigation::decide(Button::Back, file.recordCount(), 4'294'967'301).card, 4'294'967'300);
}

void TestArchiveFormat::archivesTooLargeToListAreRefused_data()
{
    QTest::addColumn<QString>("reader");
    QTest::addColumn<qint64>("cards");
    QTest::addColumn<int>("listed"); // -1: refused
    const QList<std::tuple<const char*, int>> readers = {{"search", 3}, {"missing issues", 2}, {"export", 3}};
    for (const auto& [reader, listed] : readers) {
        const QString name = QString::fromLatin1(reader);
        QTest::addRow("%s, 3 cards", reader) << name << qint64(3) << listed;
        QTest::addRow("%s, 10,000,001 cards", reader) << name << qint64(10'000'001) << -1;
        QTest::addRow("%s, 6.7 TB", reader) << name << qint64(6'700'000'000'000 / 3651) << -1;
        QTest::addRow("%s, 4,294,967,301 cards", reader) << name << qint64(4'294'967'301) << -1;
    }
}

void TestArchiveFormat::archivesTooLargeToListAreRefused()
{
    // A window that lists a whole archive refuses one larger than a list takes, rather than list a
    // part of it, or nothing, as if that were all.
    QFETCH(QString, reader);
    QFETCH(qint64, cards);
    QFETCH(int, listed);
    const Kind& kind = Kind::fumetti();
    HugeDevice device(cards * kind.layout.recordSize());
    // The first cards hold something to list: three cards, the first and third marked missing.
    for (int n = 1; n <= 3; ++n) {
        Record card(kind.layout);
        card.setText(u"Titolo", QStringLiteral("Scheda %1").arg(n));
        card.setText(u"Mancante", n % 2 ? QStringLiteral("Sì") : QStringLiteral("No"));
        device.write(card.bytes());
    }
    CatalogueFile archive(kind.layout, device);

    if (reader == QLatin1String("export")) {
        ExportRows rows(kind);
        QCOMPARE(rows.load(archive), listed >= 0);
        QCOMPARE(rows.rowCount(), listed >= 0 ? listed : 10);
        QCOMPARE(rows.holdsCard(0), listed >= 0);
        return;
    }
    const auto list = [&] {
        return reader == QLatin1String("search") ? CardSearch::find(kind, archive, {})
                                                 : CardSearch::missingIssues(kind, archive);
    };
    if (listed >= 0) {
        QCOMPARE(list().lines.size(), listed);
        return;
    }
    QVERIFY_THROWS_EXCEPTION(TooManyCards, list());
    if (reader == QLatin1String("search")) {
        // A search that can find nothing refuses it all the same.
        const QList<CardSearch::Criterion> nothing = {{QStringLiteral("Titolo"), QStringLiteral("\u4e00")}};
        QVERIFY_THROWS_EXCEPTION(TooManyCards, CardSearch::find(kind, archive, nothing));
    }
}

void TestArchiveFormat::accessErrorText()
{
    // Line feed then carriage return, twice, as the program has always shown it.
    const QString text = CatalogueFile::accessErrorText();
    QVERIFY(text.startsWith(QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r")));
    QVERIFY(text.endsWith(QStringLiteral("cartella di installazione del programma.")));
    QCOMPARE(text.count(u'\n'), 2);
    QCOMPARE(text.count(u'\r'), 2);
}

QTEST_GUILESS_MAIN(TestArchiveFormat)
#include "tst_archive_format.moc"
