// The program where it cannot write: installed under /usr, or a portable copy on a stick that is
// locked against writing and carries archives of its own. Everything the user writes lands in the
// user's own data folder while the program's folder stays as it was; the archives found there
// are listed, copied once into the user's folder when opened, and their names stay taken; and the
// user is told once a run where the data goes.
#include "CardArchiveBytes.h"
#include "OpenCard.h"
#include "ReadOnlyFolder.h"
#include "SamplePicture.h"
#include "TestSupport.h"
#include "folder/ProgramFolder.h"
#include "help/HelpTopics.h"
#include "start/TfrmAvvio.h"
#include "start/TfrmPassword.h"
#include "start/Windows.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

class TestUserFolder : public WindowTest {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everythingLandsInTheUsersFolder();
    void toldOnceARunWhereTheDataGoes();
    void listsTheArchivesOfBothFolders();
    void openingCopiesTheArchiveOnce();
    void aFailedCopyLeavesNothing();
    void deletingAReadOnlyArchiveIsRefused();
    void aNameOfTheProgramFolderIsTaken();
    void anImportCannotTakeANameOfTheProgramFolder();
    void helpNamesTheUsersFolder();

private:
    QString installed() const { return m_root->filePath(QStringLiteral("usr/lib/cartavox/")); }
    QString user() const { return m_root->filePath(QStringLiteral("dati/Cartavox/")); }
    // The windows show a folder without its closing separator.
    QString userShown() const { return m_root->filePath(QStringLiteral("dati/Cartavox")); }
    QString installedShown() const { return m_root->filePath(QStringLiteral("usr/lib/cartavox")); }
    QListWidget* openList(ChainWindow* open) const { return child<QListWidget>(open, QStringLiteral("lstFiles")); }
    // Selects the line of `fileName` in the book open window, which is shown.
    void select(ChainWindow* open, const QString& fileName) const;
    // Answers the box that the start window shows once it is on screen.
    void letTheStartWindowSpeak() const { QCoreApplication::sendPostedEvents(); }

    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<ReadOnlyFolder> m_readOnly;
    QByteArray m_dataHome;
    QStringList m_installedFiles;
};

namespace {
const Kind& books = Kind::libri();

QByteArray photoBytes(int shade)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    samplePicture(QSize(60 + shade, 80)).save(&buffer, "JPG");
    return bytes;
}

// Every file under `folder`, with its path inside it, sorted.
QStringList filesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}
} // namespace

void TestUserFolder::init()
{
    WindowTest::init();
    m_root = std::make_unique<QTemporaryDir>();
    // A copy on a stick: the program, a catalogue of three cards with photos and documents, an
    // empty one, and a comic collection.
    QVERIFY(QDir().mkpath(installed() + books.photoFolder));
    QVERIFY(QDir().mkpath(installed() + QStringLiteral("Documenti_Allegati")));
    writeFileBytes(installed() + QStringLiteral("unins000.dll"), kShippedPasswordFile);
    writeFileBytes(installed() + QStringLiteral("Guida.pdf"), "%PDF-1.4 la guida");
    writeFileBytes(installed() + QStringLiteral("Casa.lib"), sampleArchive(books, 3)); // doc1.pdf, doc2.pdf, doc3.pdf
    writeFileBytes(installed() + QStringLiteral("Scuola.lib"), QByteArray());
    writeFileBytes(installed() + QStringLiteral("Fumetti.fum"), QByteArray());
    int shade = 0;
    // Cards 1 and 3 have a photo; card 4 does not exist, and "01" is no name the program writes.
    for (const char* photo : {"Casa_Foto_1.jpg", "Casa_Foto_3.jpg", "Casa_Foto_4.jpg", "Casa_Foto_01.jpg",
                              "Scuola_Foto_1.jpg", "Casa bis_Foto_1.jpg"})
        writeFileBytes(installed() + books.photoFolder + u'/' + QLatin1String(photo), photoBytes(++shade));
    // doc2.pdf went missing; altro.txt belongs to no card of the archive.
    for (const char* document : {"doc1.pdf", "doc3.pdf", "altro.txt"})
        writeFileBytes(installed() + QStringLiteral("Documenti_Allegati/") + QLatin1String(document),
                       QByteArray("sulla chiavetta: ") + document);
    m_installedFiles = filesUnder(installed());
    m_readOnly = std::make_unique<ReadOnlyFolder>(installed());
    if (m_readOnly->how().isEmpty())
        QSKIP("this system lets no test make a folder unwritable");
    m_dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_root->filePath(QStringLiteral("dati"))));
    ProgramFolder::setOverride(installed());
}

void TestUserFolder::cleanup()
{
    // Whatever happened, the stick is as it was.
    QCOMPARE(filesUnder(installed()), m_installedFiles);
    QCOMPARE(fileBytes(installed() + QStringLiteral("Casa.lib")), sampleArchive(books, 3));
    if (m_dataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", m_dataHome);
    m_readOnly.reset();
    m_root.reset();
    WindowTest::cleanup();
}

void TestUserFolder::select(ChainWindow* open, const QString& fileName) const
{
    const QList<QListWidgetItem*> lines = openList(open)->findItems(fileName, Qt::MatchExactly);
    QCOMPARE(lines.size(), 1);
    openList(open)->setCurrentItem(lines.first());
}

void TestUserFolder::everythingLandsInTheUsersFolder()
{
    TfrmPassword* password = Windows::password();
    password->present();
    type(password->txtPassword, QStringLiteral("pergamenaverde"));
    QTest::mouseClick(password->cmdOK, Qt::LeftButton);
    letTheStartWindowSpeak();
    QCOMPARE(messages().count(), 1); // where the data goes
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
}

void TestUserFolder::toldOnceARunWhereTheDataGoes()
{
    TfrmPassword* password = Windows::password();
    password->present();
    type(password->txtPassword, QStringLiteral("pergamenaverde"));
    QTest::mouseClick(password->cmdOK, Qt::LeftButton);
    letTheStartWindowSpeak();
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
    QCOMPARE(messages().last().text,
             "Il programma non può scrivere nella propria cartella:\r\n" + installedShown() +
                 "\r\n\r\nI nuovi archivi, le modifiche alle schede con le foto e i documenti allegati, le "
                 "esportazioni e la password vengono quindi salvati nella cartella:\r\n" +
                 userShown() +
                 "\r\n\r\nPer una copia di sicurezza dei dati è questa la cartella da copiare. Gli archivi della "
                 "cartella del programma restano nell'elenco, e ciascuno viene copiato qui la prima volta che lo "
                 "si apre.");

    // Back on the start window from a menu: nothing more is said.
    click(Windows::avvio(), QStringLiteral("imgLibri"));
    click(Windows::menu(KindId::Libri), QStringLiteral("imgEsci"));
    QVERIFY(Windows::avvio()->isVisible());
    letTheStartWindowSpeak();
    QCOMPARE(messages().count(), 1);
}

void TestUserFolder::listsTheArchivesOfBothFolders()
{
    // The user's own archive, and the user's copy of the stick's "Scuola", in other letters.
    QVERIFY(QDir().mkpath(user()));
    writeFileBytes(user() + QStringLiteral("Mia.lib"), QByteArray());
    writeFileBytes(user() + QStringLiteral("scuola.LIB"), QByteArray());
    ChainWindow* open = Windows::open(KindId::Libri);
    open->present();

    QStringList lines;
    for (int row = 0; row < openList(open)->count(); ++row)
        lines.append(openList(open)->item(row)->text());
    QCOMPARE(lines, QStringList({"Casa.lib", "Mia.lib", "scuola.LIB"}));
    QCOMPARE(child<QLabel>(open, QStringLiteral("lblCreati"))->text(),
             QStringLiteral("Sono stati creati 3 cataloghi di libri."));
}

void TestUserFolder::openingCopiesTheArchiveOnce()
{
    QVERIFY(QDir().mkpath(user() + QStringLiteral("Documenti_Allegati")));
    writeFileBytes(user() + QStringLiteral("Documenti_Allegati/doc3.pdf"), "il documento dell'utente");
    ChainWindow* open = Windows::open(KindId::Libri);
    open->present();
    select(open, QStringLiteral("Casa.lib"));
    click(open, QStringLiteral("btnApri"));

    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
    QCOMPARE(messages().last().text,
             "L'archivio \"Casa.lib\" si trova in una cartella in cui il programma non può scrivere, perciò ne è "
             "stata fatta una copia, con le foto delle copertine e i documenti allegati, nella cartella:\r\n" +
                 userShown() +
                 "\r\n\r\nLe modifiche verranno salvate nella copia; l'archivio originale resta com'era.");
    CardWindow* card = Windows::card(KindId::Libri);
    QVERIFY(card->isVisible());
    QCOMPARE(child<QLabel>(card, QStringLiteral("lblFile"))->text(), user() + QStringLiteral("Casa.lib"));
    QCOMPARE(child<QLabel>(card, QStringLiteral("lblNome"))->text(), QStringLiteral("Casa"));

    // The archive whole, the photos of its cards, the documents its cards name; a document of
    // the user's under a name the stick also has stays the user's.
    QCOMPARE(fileBytes(user() + QStringLiteral("Casa.lib")), sampleArchive(books, 3));
    QCOMPARE(folderEntries(user() + QStringLiteral("Catalogo_Libri")),
             QStringList({"Casa_Foto_1.jpg", "Casa_Foto_3.jpg"}));
    QCOMPARE(fileBytes(user() + QStringLiteral("Catalogo_Libri/Casa_Foto_3.jpg")), photoBytes(2));
    QCOMPARE(folderEntries(user() + QStringLiteral("Documenti_Allegati")), QStringList({"doc1.pdf", "doc3.pdf"}));
    QCOMPARE(fileBytes(user() + QStringLiteral("Documenti_Allegati/doc1.pdf")),
             QByteArray("sulla chiavetta: doc1.pdf"));
    QCOMPARE(fileBytes(user() + QStringLiteral("Documenti_Allegati/doc3.pdf")), QByteArray("il documento dell'utente"));

    // The copy is the archive now: a card shows its photo and is saved into it.
    click(card, QStringLiteral("cmdUltimo"));
    QCOMPARE(child<QLineEdit>(card, QStringLiteral("txtTitolo"))->text(), QStringLiteral("Scheda 3"));
    type(card, QStringLiteral("txtTitolo"), QStringLiteral("Scheda 3 rivista"));
    click(card, QStringLiteral("cmdSalva"));
    QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
    QCOMPARE(
        storedText(books, fileBytes(user() + QStringLiteral("Casa.lib")).mid(2 * 3150, 3150), QStringLiteral("Titolo")),
        QByteArray("Scheda 3 rivista"));
    click(card, QStringLiteral("cmdEsci"));
    letTheStartWindowSpeak();

    // Opened again, it is the user's copy, listed once, and nothing is copied or said.
    const int said = messages().count();
    open->present();
    QCOMPARE(openList(open)->findItems(QStringLiteral("Casa.lib"), Qt::MatchExactly).size(), 1);
    select(open, QStringLiteral("Casa.lib"));
    click(open, QStringLiteral("btnApri"));
    QCOMPARE(messages().count(), said);
    QCOMPARE(child<QLabel>(card, QStringLiteral("lblFile"))->text(), user() + QStringLiteral("Casa.lib"));
    QCOMPARE(
        storedText(books, fileBytes(user() + QStringLiteral("Casa.lib")).mid(2 * 3150, 3150), QStringLiteral("Titolo")),
        QByteArray("Scheda 3 rivista"));
}

void TestUserFolder::aFailedCopyLeavesNothing()
{
    // The photos go in, then the documents cannot.
    QVERIFY(QDir().mkpath(user() + QStringLiteral("Documenti_Allegati")));
    const ReadOnlyFolder closed(user() + QStringLiteral("Documenti_Allegati"));
    if (closed.how().isEmpty())
        QSKIP("this system lets no test make a folder unwritable");
    ChainWindow* open = Windows::open(KindId::Libri);
    open->present();
    select(open, QStringLiteral("Casa.lib"));
    click(open, QStringLiteral("btnApri"));

    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().text,
             "Attenzione: non è stato possibile copiare l'archivio \"Casa.lib\" nella cartella " + userShown() +
                 ".\r\n\r\nL'archivio si trova in una cartella in cui il programma non può scrivere, e per essere "
                 "aperto deve esserne fatta una copia. Accertarsi che nella cartella ci sia spazio libero e di "
                 "possedere i privilegi di scrittura.");
    QVERIFY(open->isVisible());
    QVERIFY(!Windows::card(KindId::Libri)->isVisible());
    QVERIFY(!QFile::exists(user() + QStringLiteral("Casa.lib")));
    QCOMPARE(folderEntries(user() + QStringLiteral("Catalogo_Libri")), QStringList());
}

void TestUserFolder::deletingAReadOnlyArchiveIsRefused()
{
    ChainWindow* open = Windows::open(KindId::Libri);
    open->present();
    select(open, QStringLiteral("Scuola.lib"));
    messages().answerNext(QMessageBox::Yes);
    click(open, QStringLiteral("btnElimina"));

    QCOMPARE(messages().count(), 2);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Error);
    QCOMPARE(messages().last().text,
             QStringLiteral("Attenzione: il sistema non permette di eliminare l'archivio selezionato.\r\n\r\n"
                            "Il file potrebbe essere in uso da un altro programma, oppure mancano i privilegi di "
                            "scrittura nella cartella di installazione del programma."));
    QCOMPARE(openList(open)->count(), 2);
}

void TestUserFolder::aNameOfTheProgramFolderIsTaken()
{
    ChainWindow* create = Windows::create(KindId::Libri);
    create->present();
    type(create, QStringLiteral("txtFile"), QStringLiteral("casa"));
    click(create, QStringLiteral("btnApplica"));

    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Warning);
    QCOMPARE(messages().last().text,
             QStringLiteral("Attenzione: il nome del catalogo di libri indicato è già stato utilizzato in "
                            "precedenza.\r\n\r\nInserire un nome diverso oppure, se si desidera aprire un catalogo "
                            "di libri già creato, premere il pulsante Apri catalogo esistente."));
    QVERIFY(create->isVisible());
    QVERIFY(!QFile::exists(user() + QStringLiteral("casa.lib")));
}

void TestUserFolder::anImportCannotTakeANameOfTheProgramFolder()
{
    const QString csv = m_root->filePath(QStringLiteral("elenco.csv"));
    writeFileBytes(csv, "Titolo\nUno\n");
    fileDialogs().answerNext(csv);
    ChainWindow* menu = Windows::menu(KindId::Libri);
    menu->present();
    bool opened = false;
    whenModalOpens([&](QWidget* dialog) {
        opened = true;
        click(dialog, QStringLiteral("btnScegli"));
        type(dialog, QStringLiteral("txtNome"), QStringLiteral("casa"));
        click(dialog, QStringLiteral("cmdImporta"));
        dialog->close();
    });
    click(menu, QStringLiteral("btnImporta"));

    QVERIFY(opened);
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Warning);
    QCOMPARE(messages().last().text,
             QStringLiteral("Attenzione: il nome del catalogo di libri indicato è già stato utilizzato in "
                            "precedenza.\r\n\r\nInserire un nome diverso oppure scegliere di aggiungere le schede "
                            "in fondo al catalogo esistente."));
    QVERIFY(!QFile::exists(user() + QStringLiteral("casa.lib")));
}

void TestUserFolder::helpNamesTheUsersFolder()
{
    const QStringList start = HelpTopics::paragraphs(HelpTopics::kStartTitle);
    QVERIFY2(start.at(3).startsWith("Tutti i file di archivio, con le foto delle copertine e i documenti allegati, "
                                    "si trovano nella cartella dei tuoi dati (" +
                                    userShown() + "). Per questo motivo,"),
             qPrintable(start.at(3)));
    QVERIFY2(start.at(5).contains("con estensione LIB nella cartella dei tuoi dati (" + userShown() + ")."),
             qPrintable(start.at(5)));
}

CARTAVOX_TEST_MAIN(TestUserFolder)
#include "tst_user_folder.moc"
