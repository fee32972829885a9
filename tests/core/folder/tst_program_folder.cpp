// Where the program keeps its files: beside the executable when it may write there, else in the
// user's own data folder, which starts with the shipped password file. The executable's folder is
// made unwritable for real (see ReadOnlyFolder), as a system installation's is.
#include "CoreTestSupport.h"
#include "ReadOnlyFolder.h"

#include "access/PasswordFile.h"
#include "folder/ProgramFolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {
const QByteArray kShippedManual = "%PDF-1.4 la guida";
} // namespace

class TestProgramFolder : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void writableFolderKeepsEverything();
    void unwritableFolderSendsTheDataToTheUser_data();
    void unwritableFolderSendsTheDataToTheUser();

private:
    QString root() const { return m_root->path() + u'/'; }
    QString installed() const { return root() + QStringLiteral("Cartavox/"); }

    std::unique_ptr<QTemporaryDir> m_root; // the executable's folder, a home and a data folder
    QByteArray m_home;
    QByteArray m_dataHome;
};

void TestProgramFolder::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir().mkpath(installed()));
    writeFileBytes(installed() + QStringLiteral("unins000.dll"), kShippedPasswordFile);
    writeFileBytes(installed() + QStringLiteral("Guida.pdf"), kShippedManual);
    m_home = qgetenv("HOME");
    m_dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("HOME", QFile::encodeName(root() + QStringLiteral("casa")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root() + QStringLiteral("dati")));
}

void TestProgramFolder::cleanup()
{
    ProgramFolder::setOverride({});
    qputenv("HOME", m_home);
    if (m_dataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", m_dataHome);
    m_root.reset();
}

void TestProgramFolder::writableFolderKeepsEverything()
{
    ProgramFolder::setOverride(installed());

    QCOMPARE(ProgramFolder::path(), installed());
    QCOMPARE(ProgramFolder::file(QStringLiteral("Casa.lib")), installed() + QStringLiteral("Casa.lib"));
    QCOMPARE(PasswordFile::path(), installed() + QStringLiteral("unins000.dll"));
    QCOMPARE(ProgramFolder::shippedFile(QStringLiteral("Guida.pdf")), installed() + QStringLiteral("Guida.pdf"));
    // Trying the folder leaves nothing behind, and nothing is made anywhere else.
    QCOMPARE(folderEntries(installed()), QStringList({"Guida.pdf", "unins000.dll"}));
    QCOMPARE(folderEntries(root()), QStringList{"Cartavox"});
}

void TestProgramFolder::unwritableFolderSendsTheDataToTheUser_data()
{
    QTest::addColumn<bool>("dataHomeSet");
    QTest::addColumn<QString>("expected"); // below the temporary root
    QTest::newRow("XDG_DATA_HOME set") << true << QStringLiteral("dati/Cartavox/");
    QTest::newRow("XDG_DATA_HOME unset") << false << QStringLiteral("casa/.local/share/Cartavox/");
}

void TestProgramFolder::unwritableFolderSendsTheDataToTheUser()
{
    QFETCH(bool, dataHomeSet);
    QFETCH(QString, expected);
    if (!dataHomeSet)
        qunsetenv("XDG_DATA_HOME");
    const QString user = root() + expected;
    ReadOnlyFolder readOnly(installed());
    if (readOnly.how().isEmpty())
        QSKIP("this system lets no test make a folder unwritable");
    qInfo("folder made unwritable by its %s", qPrintable(readOnly.how()));
    ProgramFolder::setOverride(installed());

    QCOMPARE(ProgramFolder::path(), user);
    QCOMPARE(ProgramFolder::file(QStringLiteral("Casa.lib")), user + QStringLiteral("Casa.lib"));
    QCOMPARE(ProgramFolder::shippedFile(QStringLiteral("Guida.pdf")), installed() + QStringLiteral("Guida.pdf"));
    // The user's folder is there at once, with the shipped password file, which logs in and
    // takes a new password.
    QCOMPARE(folderEntries(user), QStringList{"unins000.dll"});
    QCOMPARE(PasswordFile::path(), user + QStringLiteral("unins000.dll"));
    QCOMPARE(fileBytes(PasswordFile::path()), kShippedPasswordFile);
    QCOMPARE(PasswordFile::stored(), QStringLiteral("PERGAMENAVERDE"));
    PasswordFile::store(QStringLiteral("NUOVA"));

    // The next start keeps the user's own password, and the installation stays as shipped.
    ProgramFolder::setOverride({});
    ProgramFolder::setOverride(installed());
    QCOMPARE(ProgramFolder::path(), user);
    QCOMPARE(PasswordFile::stored(), QStringLiteral("NUOVA"));
    QCOMPARE(folderEntries(installed()), QStringList({"Guida.pdf", "unins000.dll"}));
    QCOMPARE(fileBytes(installed() + QStringLiteral("unins000.dll")), kShippedPasswordFile);
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_program_folder.moc"
