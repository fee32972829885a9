// Reading and writing one key of an INI file: what is found where, and that writing a key leaves
// every other byte of the file as it was.
#include "access/IniFile.h"

#include "CoreTestSupport.h"

#include <QDir>
#include <QTest>

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void readString_data();
    void readString();
    void writeStringKeepsOtherLines_data();
    void writeStringKeepsOtherLines();
    void unusableFilesAreReported();

private:
    QString path() const { return m_dir->file(QStringLiteral("unins000.dll")); }

    std::unique_ptr<ProgramFolderFixture> m_dir;
};

void TestIniFile::init()
{
    m_dir.reset(); // one program folder at a time
    m_dir = std::make_unique<ProgramFolderFixture>();
}

void TestIniFile::readString_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << QByteArray("[Accesso]\r\nValore=ABCD\r\n") << QStringLiteral("ABCD");
    QTest::newRow("line feeds only, no final break") << QByteArray("[Accesso]\nValore=ABCD") << QStringLiteral("ABCD");
    QTest::newRow("names in other case, blanks around")
        << QByteArray("  [ ACCESSO ]  \r\n\tvalore  =  ABCD  \r\n") << QStringLiteral("ABCD");
    QTest::newRow("quoted value") << QByteArray("[Accesso]\r\nValore=\"AB CD\"\r\n") << QStringLiteral("AB CD");
    QTest::newRow("after other sections and comments")
        << QByteArray("; installazione\r\n[Altro]\r\nValore=0000\r\n\r\n[Accesso]\r\n; x\r\nValore=ABCD\r\n")
        << QStringLiteral("ABCD");
    QTest::newRow("UTF-8 mark before the first section")
        << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=ABCD\r\n") << QStringLiteral("ABCD");
    QTest::newRow("first of two keys") << QByteArray("[Accesso]\r\nValore=AAAA\r\nValore=BBBB\r\n")
                                       << QStringLiteral("AAAA");
    QTest::newRow("Windows-1252 text") << QByteArray("[Accesso]\r\nValore=citt\xE0 \x80\r\n")
                                       << QStringLiteral("città €");
    QTest::newRow("key only in another section")
        << QByteArray("[Accesso]\r\nAltro=1\r\n[Dopo]\r\nValore=ABCD\r\n") << QStringLiteral("fallback");
    QTest::newRow("section missing") << QByteArray("[Altro]\r\nValore=ABCD\r\n") << QStringLiteral("fallback");
    QTest::newRow("key commented out") << QByteArray("[Accesso]\r\n;Valore=ABCD\r\n") << QStringLiteral("fallback");
    QTest::newRow("empty file") << QByteArray() << QStringLiteral("fallback");
}

void TestIniFile::readString()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, value);
    writeFileBytes(path(), file);
    QCOMPARE(
        IniFile::readString(path(), QStringLiteral("Accesso"), QStringLiteral("Valore"), QStringLiteral("fallback")),
        value);
}

void TestIniFile::writeStringKeepsOtherLines_data()
{
    QTest::addColumn<QByteArray>("before"); // empty: no file at all
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("new file") << QByteArray() << QByteArray("[Accesso]\r\nValore=NEW\r\n");
    QTest::newRow("value replaced, everything else kept")
        << QByteArray("; Cartavox\r\n[Altro]\r\nChiave = 1\r\n\r\n[accesso]\r\n  Valore = OLD\r\nDopo=2\r\n")
        << QByteArray("; Cartavox\r\n[Altro]\r\nChiave = 1\r\n\r\n[accesso]\r\n  Valore = NEW\r\nDopo=2\r\n");
    QTest::newRow("line feeds stay line feeds")
        << QByteArray("[Accesso]\nValore=OLD\n[Altro]\nX=1") << QByteArray("[Accesso]\nValore=NEW\n[Altro]\nX=1");
    QTest::newRow("key added at the end of its section")
        << QByteArray("[Accesso]\r\nAltro=1\r\n\r\n[Dopo]\r\nValore=OLD\r\n")
        << QByteArray("[Accesso]\r\nAltro=1\r\nValore=NEW\r\n\r\n[Dopo]\r\nValore=OLD\r\n");
    QTest::newRow("section added after a last line without break")
        << QByteArray("[Altro]\r\nX=1") << QByteArray("[Altro]\r\nX=1\r\n[Accesso]\r\nValore=NEW\r\n");
    QTest::newRow("UTF-8 mark kept") << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=OLD\r\n")
                                     << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=NEW\r\n");
}

void TestIniFile::writeStringKeepsOtherLines()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    if (!before.isEmpty())
        writeFileBytes(path(), before);
    IniFile::writeString(path(), QStringLiteral("Accesso"), QStringLiteral("Valore"), QStringLiteral("NEW"));
    QCOMPARE(fileBytes(path()), after);
    QCOMPARE(IniFile::readString(path(), QStringLiteral("Accesso"), QStringLiteral("Valore")), QStringLiteral("NEW"));
}

void TestIniFile::unusableFilesAreReported()
{
    const QString section = QStringLiteral("Accesso");
    const QString key = QStringLiteral("Valore");

    // A missing file is no failure when reading: it simply holds nothing.
    QCOMPARE(IniFile::readString(path(), section, key, QStringLiteral("fallback")), QStringLiteral("fallback"));

    // A file that is there but cannot be read or written is.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("unins000.dll")));
    QVERIFY_THROWS_EXCEPTION(IniFile::Error, IniFile::readString(path(), section, key));
    QVERIFY_THROWS_EXCEPTION(IniFile::Error, IniFile::writeString(path(), section, key, QStringLiteral("X")));

    const QString inMissingFolder = m_dir->file(QStringLiteral("manca/unins000.dll"));
    QVERIFY_THROWS_EXCEPTION(IniFile::Error, IniFile::writeString(inMissingFolder, section, key, QStringLiteral("X")));
    QVERIFY(!QFile::exists(inMissingFolder));
}

QTEST_MAIN(TestIniFile)
#include "tst_ini_file.moc"
