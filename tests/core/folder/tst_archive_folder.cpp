// The folder work behind the create and open windows, without any window.
#include "CoreTestSupport.h"
#include "FatFolder.h"
#include "ReadOnlyFolder.h"

#include "UserError.h"
#include "folder/ArchiveFolder.h"

#include <QFileInfo>
#include <QTest>

#include <memory>
#include <stdexcept>

class ArchiveFolderTest : public QObject {
    Q_OBJECT

private slots:
    void createNeverEmptiesAnExistingArchive();
    void aRefusedCreateSaysWhyInItalian_data();
    void aRefusedCreateSaysWhyInItalian();
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

namespace {
enum class Refusal { ReadOnlyFolder, NameTooLong, FatDisk };
}
Q_DECLARE_METATYPE(Refusal)

void ArchiveFolderTest::aRefusedCreateSaysWhyInItalian_data()
{
    QTest::addColumn<Refusal>("refusal");
    QTest::addColumn<QString>("name");
    QTest::newRow("read-only folder") << Refusal::ReadOnlyFolder << QStringLiteral("Casa");
    QTest::newRow("name longer than a file system takes") << Refusal::NameTooLong << QString(300, u'a');
    // On FAT, as on most USB sticks, a vertical bar is no part of a name.
    QTest::newRow("FAT disk, vertical bar") << Refusal::FatDisk << QStringLiteral("a|b");
}

void ArchiveFolderTest::aRefusedCreateSaysWhyInItalian()
{
    QFETCH(Refusal, refusal);
    QFETCH(QString, name);
    ProgramFolderFixture scratch;
    QString folder = scratch.path();
    QString reason;
    std::unique_ptr<ReadOnlyFolder> readOnly;
    std::unique_ptr<FatFolder> fat;
    switch (refusal) {
    case Refusal::ReadOnlyFolder:
        readOnly = std::make_unique<ReadOnlyFolder>(folder);
        if (readOnly->how().isEmpty())
            QSKIP("no folder can be made read-only here");
        reason = readOnly->how() == QLatin1String("read-only bind mount") ? "Il disco è protetto dalla scrittura."
                 : readOnly->how() == QLatin1String("immutable attribute")
                     ? "Il sistema non permette l'operazione (alcuni dischi, come molte chiavette USB, non accettano "
                       "nei nomi i caratteri \" * : < > ? |)."
                     : "Mancano i permessi per scrivere nella cartella.";
        break;
    case Refusal::NameTooLong:
        reason = QStringLiteral("Il nome è troppo lungo per questo disco.");
        break;
    case Refusal::FatDisk:
        fat = std::make_unique<FatFolder>();
        if (fat->path().isEmpty())
            QSKIP(qPrintable(fat->whyNot()));
        folder = fat->path() + u'/';
        reason = QStringLiteral("Il sistema non permette l'operazione (alcuni dischi, come molte chiavette USB, non "
                                "accettano nei nomi i caratteri \" * : < > ? |).");
        break;
    }
    QString text;
    try {
        ArchiveFolder::createEmpty(folder + name + QStringLiteral(".lib"));
    } catch (const UserError& error) {
        text = error.text();
    }
    QCOMPARE(text, QStringLiteral("Impossibile creare il file di archivio \"%1.lib\": il sistema non accetta questo "
                                  "nome oppure non permette di scrivere nella cartella di installazione del "
                                  "programma.\n\nDettagli: %2")
                       .arg(name, reason));
    QVERIFY(!QFileInfo::exists(folder + name + QStringLiteral(".lib")));
}

QTEST_MAIN(ArchiveFolderTest)
#include "tst_archive_folder.moc"
