// The folder work behind the create and open windows, without any window.
#include "CoreTestSupport.h"

#include "folder/ArchiveFolder.h"

#include <QTest>

#include <stdexcept>

class ArchiveFolderTest : public QObject {
    Q_OBJECT

private slots:
    void createNeverEmptiesAnExistingArchive();
};

void ArchiveFolderTest::createNeverEmptiesAnExistingArchive()
{
    // Between the name check and the creation another program may have made the file: its cards
    // must survive.
    ProgramFolderFixture folder;
    const QString path = folder.file(QStringLiteral("Casa.lib"));
    writeFileBytes(path, QByteArray(3150, 'x'));

    QVERIFY_THROWS_EXCEPTION(std::runtime_error, ArchiveFolder::createEmpty(path));
    QCOMPARE(fileBytes(path), QByteArray(3150, 'x'));
}

QTEST_MAIN(ArchiveFolderTest)
#include "tst_archive_folder.moc"
