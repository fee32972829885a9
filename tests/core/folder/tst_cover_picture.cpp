// A cover photo as a disk may hold it: cut short, damaged, or far larger than any photo. Each of
// these counts as unreadable, so that the windows show their placeholder instead of a picture
// with a grey part or a program that runs out of memory.
#include "CoreTestSupport.h"
#include "DamagedPictures.h"
#include "folder/CoverPicture.h"

#include <QFile>
#include <QTest>

namespace {
constexpr QSize kPicture(300, 200);
} // namespace

class TestCoverPicture : public QObject {
    Q_OBJECT

private slots:
    void init() { m_folder = std::make_unique<ProgramFolderFixture>(); }
    void cleanup() { m_folder.reset(); }
    void damagedJpegsAreUnreadable_data();
    void damagedJpegsAreUnreadable();
    void photosBeyondTheCeilingsAreUnreadable_data();
    void photosBeyondTheCeilingsAreUnreadable();

private:
    QString path() const { return m_folder->file(QStringLiteral("Prova_Foto_1.jpg")); }

    std::unique_ptr<ProgramFolderFixture> m_folder;
};

void TestCoverPicture::damagedJpegsAreUnreadable_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("readable");
    const QByteArray whole = jpegOf(kPicture);
    QTest::newRow("whole") << whole << true;
    QTest::newRow("whole, progressive") << jpegOf(kPicture, true) << true;
    QTest::newRow("without its end marker") << whole.chopped(2) << true;
    QTest::newRow("with bytes after its end") << whole + QByteArray(1000, 'x') << true;
    QTest::newRow("cut short") << cutShortJpeg(kPicture) << false;
    QTest::newRow("progressive, cut short") << cutShortJpeg(kPicture, true) << false;
    QTest::newRow("an end marker in its scan") << brokenScanJpeg(kPicture) << false;
}

void TestCoverPicture::damagedJpegsAreUnreadable()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, readable);
    writeFileBytes(path(), file);
    const CoverPicture picture = CoverPicture::fromFile(path(), FileScope::ProgramData);
    // Reduced while decoding, as in the photo box, and at its own size, as when printed or saved.
    QCOMPARE(picture.fitted(QSize(30, 20)).isNull(), !readable);
    QCOMPARE(picture.fitted(kPicture).isNull(), !readable);
    QCOMPARE(picture.full().isNull(), !readable);
}

void TestCoverPicture::photosBeyondTheCeilingsAreUnreadable_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<qint64>("size"); // the file is made this long, its end sparse; 0: as it is
    QTest::addColumn<bool>("readable");
    // 100 megapixels and 64 MiB: a camera photo fits, a header that claims billions of pixels or a
    // file of gigabytes does not.
    const QByteArray small = jpegOf(QSize(16, 16));
    QTest::newRow("100 megapixels") << jpegClaiming(small, QSize(10000, 10000)) << qint64(0) << true;
    QTest::newRow("100,010,000 pixels") << jpegClaiming(small, QSize(10001, 10000)) << qint64(0) << false;
    QTest::newRow("4 gigapixels") << jpegClaiming(small, QSize(65000, 65000)) << qint64(0) << false;
    QTest::newRow("64 MiB") << jpegOf(kPicture) << qint64(64 * 1024 * 1024) << true;
    QTest::newRow("64 MiB and a byte") << jpegOf(kPicture) << qint64(64 * 1024 * 1024 + 1) << false;
    QTest::newRow("3 GB") << jpegOf(kPicture) << qint64(3'000'000'000) << false;
}

void TestCoverPicture::photosBeyondTheCeilingsAreUnreadable()
{
    QFETCH(QByteArray, file);
    QFETCH(qint64, size);
    QFETCH(bool, readable);
    writeFileBytes(path(), file);
    if (size > 0 && !QFile(path()).resize(size))
        QSKIP("no sparse file of that size can be made here");
    QCOMPARE(CoverPicture::fromFile(path(), FileScope::ProgramData).isNull(), !readable);
}

QTEST_MAIN(TestCoverPicture)
#include "tst_cover_picture.moc"
