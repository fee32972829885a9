// The program installed where it cannot write, as under /usr: a user logs in with the initial
// password, creates an archive and saves a card with its cover, and all of it lands in the user's
// own data folder while the installation stays as shipped.
#include "OpenCard.h"
#include "ReadOnlyFolder.h"
#include "SamplePicture.h"
#include "TestSupport.h"
#include "folder/ProgramFolder.h"
#include "start/TfrmAvvio.h"
#include "start/TfrmPassword.h"
#include "start/Windows.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

class TestUserFolder : public WindowTest {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everythingLandsInTheUsersFolder();

private:
    QString installed() const { return m_root->filePath(QStringLiteral("usr/lib/cartavox/")); }
    QString user() const { return m_root->filePath(QStringLiteral("dati/Cartavox/")); }

    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<ReadOnlyFolder> m_readOnly;
    QByteArray m_dataHome;
};

void TestUserFolder::init()
{
    WindowTest::init();
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir().mkpath(installed()));
    writeFileBytes(installed() + QStringLiteral("unins000.dll"), kShippedPasswordFile);
    writeFileBytes(installed() + QStringLiteral("Guida.pdf"), "%PDF-1.4 la guida");
    m_readOnly = std::make_unique<ReadOnlyFolder>(installed());
    if (m_readOnly->how().isEmpty())
        QSKIP("this system lets no test make a folder unwritable");
    m_dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_root->filePath(QStringLiteral("dati"))));
    ProgramFolder::setOverride(installed());
}

void TestUserFolder::cleanup()
{
    if (m_dataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", m_dataHome);
    m_readOnly.reset();
    m_root.reset();
    WindowTest::cleanup();
}

void TestUserFolder::everythingLandsInTheUsersFolder()
{
    TfrmPassword* password = Windows::password();
    password->present();
    type(password->txtPassword, QStringLiteral("pergamenaverde"));
    QTest::mouseClick(password->cmdOK, Qt::LeftButton);
    QCOMPARE(messages().count(), 0);
    QVERIFY(Windows::avvio()->isVisible());

    ChainWindow* create = Windows::create(KindId::Libri);
    create->present();
    type(create, QStringLiteral("txtFile"), QStringLiteral("Biblioteca di casa"));
    click(create, QStringLiteral("btnApplica"));
    const QString archive = user() + QStringLiteral("Biblioteca di casa.lib");
    QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
    QCOMPARE(child<QLabel>(create, QStringLiteral("lblFile"))->text(), archive);
    QVERIFY(QFile::exists(archive));

    const QString cover = m_root->filePath(QStringLiteral("Copertina.jpg"));
    QVERIFY(samplePicture(QSize(300, 400)).save(cover));
    OpenCard card(KindId::Libri, archive);
    fileDialogs().answerNext(cover);
    card.click("btnCaricaFoto");
    card.fillRequired();
    card.click("cmdSalva");
    QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
    QCOMPARE(QFileInfo(archive).size(), 3150);
    QVERIFY(QFile::exists(user() + QStringLiteral("Catalogo_Libri/Prova_Foto_1.jpg")));

    QCOMPARE(folderEntries(user()), QStringList({"Biblioteca di casa.lib", "Catalogo_Libri", "unins000.dll"}));
    QCOMPARE(folderEntries(installed()), QStringList({"Guida.pdf", "unins000.dll"}));
}

CARTAVOX_TEST_MAIN(TestUserFolder)
#include "tst_user_folder.moc"
