// The menu, create and open windows of the three kinds, driven through their real controls.
#include "TestSupport.h"

#include "cards/CardWindow.h"
#include "folder/ArchiveFolder.h"
#include "folder/ArchiveName.h"
#include "folder/CoverPhotos.h"
#include "shell/ChainWindow.h"
#include "start/TfrmAvvio.h"
#include "start/Windows.h"
#include "storage/Kind.h"
#include "widgets/PictureButton.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The texts of each kind as the user reads them, typed here so that a slip in the program's own
// table shows up as a failure.
struct KindTexts {
    QString menuCaption;
    QString menuInstructions;
    QString createButton; // btnCrea
    QString openButton;   // btnCompila
    QString createCaption;
    QString openCaption;
    QString nameMissing;    // M1
    QString nameInUse;      // M2
    QString created;        // M3
    QString listEmpty;      // M4
    QString selectToOpen;   // M5
    QString selectToDelete; // M6
    QString confirmDelete;  // M7
    QString deleted;        // M8
    QString countPrefix;
    QString countSuffix;
};

const KindRows<KindTexts> kTexts{
    "kTexts",
    {{"libri",
      {
          " Cartavox - Catalogo Libri",
          "Premi il pulsante per creare un nuovo catalogo di libri o per aprirne uno esistente.",
          "Crea nuovo catalogo",
          "Apri catalogo esistente",
          " Cartavox - Creazione catalogo libri",
          " Cartavox - Apertura catalogo libri",
          "Attenzione: per creare il nuovo archivio è necessario indicare il nome del nuovo catalogo di libri.",
          "Attenzione: il nome del catalogo di libri indicato è già stato utilizzato in precedenza.\r\n\r\nInserire un "
          "nome diverso oppure, se si desidera aprire un catalogo di libri già creato, premere il pulsante Apri "
          "catalogo esistente.",
          "Il file di archivio relativo al nuovo catalogo di libri è stato creato con successo.\r\n\r\nE' ora "
          "possibile visualizzarlo nell'elenco dei cataloghi esistenti.",
          "Attenzione: l'elenco non contiene nessun catalogo di libri.",
          "Attenzione: selezionare il catalogo di libri dall'elenco prima di premere il pulsante Apri archivio.",
          "Attenzione: selezionare dall'elenco il catalogo di libri da eliminare prima di premere il pulsante del "
          "cestino.",
          "Si sta per eliminare il catalogo di libri selezionato. Si ricorda che il file eliminato non potrà essere "
          "recuperato.\r\n\r\nSi conferma l'eliminazione dell'archivio?",
          "Il catalogo di libri è stato eliminato con successo.",
          "Sono stati creati ",
          " cataloghi di libri.",
      }},
     {"fumetti",
      {
          " Cartavox - Raccolta Fumetti",
          "Premi il pulsante per creare una nuova raccolta di fumetti o per aprirne una esistente.",
          "Crea nuova raccolta",
          "Apri raccolta esistente",
          " Cartavox - Creazione raccolta fumetti",
          " Cartavox - Apertura raccolta fumetti",
          "Attenzione: per creare il nuovo archivio è necessario indicare il nome della nuova raccolta di fumetti.",
          "Attenzione: il nome della raccolta di fumetti indicato è già stato utilizzato in precedenza.\r\n\r\n"
          "Inserire un nome diverso oppure, se si desidera aprire una raccolta di fumetti già creata, premere il "
          "pulsante Apri raccolta esistente.",
          "Il file di archivio relativo alla nuova raccolta di fumetti è stato creato con successo.\r\n\r\nE' ora "
          "possibile visualizzarlo nell'elenco delle raccolte esistenti.",
          "Attenzione: l'elenco non contiene nessuna raccolta di fumetti.",
          "Attenzione: selezionare la raccolta di fumetti dall'elenco prima di premere il pulsante Apri archivio.",
          "Attenzione: selezionare dall'elenco la raccolta di fumetti da eliminare prima di premere il pulsante del "
          "cestino.",
          "Si sta per eliminare la raccolta di fumetti selezionata. Si ricorda che il file eliminato non potrà essere "
          "recuperato.\r\n\r\nSi conferma l'eliminazione dell'archivio?",
          "La raccolta di fumetti è stata eliminata con successo.",
          "Sono state create ",
          " raccolte di fumetti.",
      }},
     {"dvd",
      {
          " Cartavox - Collezione DVD",
          "Premi il pulsante per creare una nuova collezione di DVD o per aprirne una esistente.",
          "Crea nuova collezione",
          "Apri collezione esistente",
          " Cartavox - Creazione collezione DVD",
          " Cartavox - Apertura collezione DVD",
          "Attenzione: per creare il nuovo archivio è necessario indicare il nome della nuova collezione di DVD.",
          "Attenzione: il nome della collezione di DVD indicato è già stato utilizzato in precedenza.\r\n\r\nInserire "
          "un nome diverso oppure, se si desidera aprire una collezione di DVD già creata, premere il pulsante Apri "
          "collezione esistente.",
          "Il file di archivio relativo alla nuova collezione di DVD è stato creato con successo.\r\n\r\nE' ora "
          "possibile visualizzarlo nell'elenco delle collezioni esistenti.",
          "Attenzione: l'elenco non contiene nessuna collezione di DVD.",
          "Attenzione: selezionare la collezione di DVD dall'elenco prima di premere il pulsante Apri archivio.",
          "Attenzione: selezionare dall'elenco la collezione di DVD da eliminare prima di premere il pulsante del "
          "cestino.",
          "Si sta per eliminare la collezione di DVD selezionata. Si ricorda che il file eliminato non potrà essere "
          "recuperato.\r\n\r\nSi conferma l'eliminazione dell'archivio?",
          "La collezione di DVD è stata eliminata con successo.",
          "Sono state create ",
          " collezioni di DVD.",
      }}},
};

const KindTexts& textsOf(KindId id)
{
    return kTexts.of(id);
}

QString countTextOf(KindId id, int count)
{
    return textsOf(id).countPrefix + QString::number(count) + textsOf(id).countSuffix;
}

QString label(QWidget* window, const QString& name)
{
    return child<QLabel>(window, name)->text();
}

void paste(QLineEdit* field, const QString& text)
{
    QApplication::clipboard()->setText(text);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

// Everything in a folder, hidden entries included: what a refused action must leave alone.
QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void touch(const QString& path, const QByteArray& bytes = {})
{
    writeFileBytes(path, bytes);
}

// Makes the file system refuse to delete `path`: an immutable file, or, for a user who is not
// root, a folder without write permission. Returns how to undo it, or nothing when neither works.
std::function<void()> refuseDeletion(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY);
    if (fd >= 0) {
        int flags = 0;
        const bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                          (flags |= FS_IMMUTABLE_FL, ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
        ::close(fd);
        if (done)
            return [name] {
                const int undo = ::open(name.constData(), O_RDONLY);
                int current = 0;
                ::ioctl(undo, FS_IOC_GETFLAGS, &current);
                current &= ~FS_IMMUTABLE_FL;
                ::ioctl(undo, FS_IOC_SETFLAGS, &current);
                ::close(undo);
            };
    }
    if (::geteuid() != 0) {
        const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
        ::chmod(folder.constData(), 0500);
        return [folder] { ::chmod(folder.constData(), 0700); };
    }
    return {};
}
} // namespace

class CatalogueWindowsTest : public WindowTest {
    Q_OBJECT

private slots:
    void menuLeadsToOneWindowAtATime_data();
    void menuLeadsToOneWindowAtATime();
    void helpButtonsOpenHelpOverTheWindow_data();
    void helpButtonsOpenHelpOverTheWindow();

    void createMakesEmptyArchiveAndReturnsToStart_data();
    void createMakesEmptyArchiveAndReturnsToStart();
    void createRefusesName_data();
    void createRefusesName();
    void typedCharactersAreFilteredPastedAreNot_data();
    void typedCharactersAreFilteredPastedAreNot();
    void nameRefusedByFileSystemReachesGeneralHandler_data();
    void nameRefusedByFileSystemReachesGeneralHandler();
    void namesTooLongForTheirFilesAreRefused_data();
    void namesTooLongForTheirFilesAreRefused();

    void listShowsArchivesOfKindOnly_data();
    void listShowsArchivesOfKindOnly();
    void buttonsNeedListAndSelection_data();
    void buttonsNeedListAndSelection();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void deletionRefusedIsReportedNotClaimed_data();
    void deletionRefusedIsReportedNotClaimed();
    void openHandsArchiveToBlankCard_data();
    void openHandsArchiveToBlankCard();

    void nameInUseInAnyLetterCase_data();
    void nameInUseInAnyLetterCase();
    void composedCharactersAreFilteredToo_data();
    void composedCharactersAreFilteredToo();
};

void CatalogueWindowsTest::menuLeadsToOneWindowAtATime_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("instructions");
    QTest::addColumn<QString>("createText");
    QTest::addColumn<QString>("openText");
    for (const Kind* kind : Kind::all()) {
        const KindTexts& texts = textsOf(kind->id);
        addKindRow(kind->id) << texts.menuCaption << texts.menuInstructions << texts.createButton << texts.openButton;
    }
}

void CatalogueWindowsTest::menuLeadsToOneWindowAtATime()
{
    QFETCH(KindId, kind);
    QFETCH(QString, caption);
    QFETCH(QString, instructions);
    QFETCH(QString, createText);
    QFETCH(QString, openText);
    MessageProbe& messages = this->messages();
    const KindId id = kind;
    ChainWindow* menu = Windows::menu(id);
    ChainWindow* start = Windows::avvio();

    start->present();
    start->handOverTo(menu);
    QCOMPARE(visibleWindows(), QList<QWidget*>{menu});
    QCOMPARE(menu->windowTitle(), caption);
    QCOMPARE(label(menu, "lblIstruzioni"), instructions);
    QCOMPARE(child<QPushButton>(menu, "btnCrea")->text(), createText);
    QCOMPARE(child<QPushButton>(menu, "btnCompila")->text(), openText);
    QCOMPARE(child<QPushButton>(menu, "btnCrea")->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(child<QPushButton>(menu, "btnCrea")->font().pixelSize(), 14);
    QCOMPARE(label(menu, "lblMemory"), QStringLiteral("avvio"));

    // Create, then cancel: back on the start window, not on the menu.
    click(menu, "btnCrea");
    QCOMPARE(visibleWindows(), QList<QWidget*>{Windows::create(id)});
    click(Windows::create(id), "btnAnnulla");
    QCOMPARE(visibleWindows(), QList<QWidget*>{start});

    // The tag left by the last visit is reset on showing: the close box goes back to the start.
    QCOMPARE(label(menu, "lblMemory"), QStringLiteral("crea"));
    start->handOverTo(menu);
    QCOMPARE(label(menu, "lblMemory"), QStringLiteral("avvio"));
    menu->close();
    QCOMPARE(visibleWindows(), QList<QWidget*>{start});

    start->handOverTo(menu);
    click(menu, "btnCompila");
    QCOMPARE(visibleWindows(), QList<QWidget*>{Windows::open(id)});
    click(Windows::open(id), "btnAnnulla");
    QCOMPARE(visibleWindows(), QList<QWidget*>{start});

    start->handOverTo(menu);
    click(menu, "imgEsci");
    QCOMPARE(visibleWindows(), QList<QWidget*>{start});
    QCOMPARE(messages.count(), 0);
}

void CatalogueWindowsTest::helpButtonsOpenHelpOverTheWindow_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<int>("family"); // 0 menu, 1 create, 2 open
    for (const Kind* kind : Kind::all()) {
        addKindRow(kind->id, "menu") << 0;
        addKindRow(kind->id, "create") << 1;
        addKindRow(kind->id, "open") << 2;
    }
}

void CatalogueWindowsTest::helpButtonsOpenHelpOverTheWindow()
{
    QFETCH(KindId, kind);
    QFETCH(int, family);
    const KindId id = kind;
    ChainWindow* window = family == 0 ? Windows::menu(id) : family == 1 ? Windows::create(id) : Windows::open(id);
    window->present();

    // The help window lives only while it is open: note its opener from inside its loop.
    bool opened = false;
    QWidget* opener = nullptr;
    whenModalOpens([&](QWidget* modal) {
        opened = modal != nullptr;
        if (modal) {
            opener = modal->parentWidget();
            modal->close();
        }
    });
    click(window, "imgGuida");
    QVERIFY(opened);
    QCOMPARE(opener, window);
    QVERIFY(window->isVisible());
}

void CatalogueWindowsTest::createMakesEmptyArchiveAndReturnsToStart_data()
{
    addKindRows();
}

void CatalogueWindowsTest::createMakesEmptyArchiveAndReturnsToStart()
{
    QFETCH(KindId, kind);
    const Kind& k = Kind::of(kind);
    const ProgramFolderFixture& folder = this->folder();
    MessageProbe& messages = this->messages();
    ChainWindow* create = Windows::create(k.id);
    auto* txtFile = child<QLineEdit>(create, "txtFile");

    create->present();
    QCOMPARE(create->windowTitle(), textsOf(kind).createCaption);
    QCOMPARE(txtFile->maxLength(), 250);
    QTRY_VERIFY(txtFile->hasFocus());
    type(txtFile, QStringLiteral("  Biblioteca di casa  "));
    click(create, "btnApplica");

    const QString path = folder.file("Biblioteca di casa" + k.extension);
    QCOMPARE(entries(folder.path()), QStringList{"Biblioteca di casa" + k.extension});
    QCOMPARE(QFileInfo(path).size(), 0);
    QCOMPARE(label(create, "lblFile"), path);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().kind, MessageBox::Kind::Information);
    QCOMPARE(messages.last().text, textsOf(kind).created);
    QCOMPARE(visibleWindows(), QList<QWidget*>{Windows::avvio()});

    // The next showing starts with an empty name, and the open window lists the new archive.
    create->present();
    QVERIFY(txtFile->text().isEmpty());
    create->hide();
    Windows::open(k.id)->present();
    QCOMPARE(child<QListWidget>(Windows::open(k.id), "lstFiles")->count(), 1);
    QCOMPARE(label(Windows::open(k.id), "lblCreati"), countTextOf(kind, 1));
}

void CatalogueWindowsTest::createRefusesName_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("warning");
    for (const Kind* kind : Kind::all()) {
        addKindRow(kind->id, "blanks only") << "  \t  " << textsOf(kind->id).nameMissing;
        addKindRow(kind->id, "empty") << "" << textsOf(kind->id).nameMissing;
        addKindRow(kind->id, "in use") << " Casa " << textsOf(kind->id).nameInUse;
        const QString outside = ArchiveName::outsideFolderWarning();
        addKindRow(kind->id, "parent folder") << "../Fuori" << outside;
        addKindRow(kind->id, "sub-folder") << "sotto/Casa" << outside;
        addKindRow(kind->id, "backslash") << "a\\b" << outside;
        addKindRow(kind->id, "dot") << "." << outside;
        addKindRow(kind->id, "dot dot") << " .. " << outside;
        // Pasted from several lines or from a table: the file's name would hold the control itself.
        const QString control = QStringLiteral(
            "Attenzione: il nome indicato contiene un a capo, una tabulazione o un altro carattere di controllo, che "
            "non possono far parte del nome di un file.\r\n\r\nScrivere il nome su una sola riga, senza questi "
            "caratteri.");
        addKindRow(kind->id, "line break") << "riga1\nriga2" << control;
        addKindRow(kind->id, "carriage return and line break") << "riga1\r\nriga2" << control;
        addKindRow(kind->id, "tab") << "Titolo\tAutore" << control;
        addKindRow(kind->id, "bell") << "Casa\amia" << control;
        addKindRow(kind->id, "next line, U+0085") << QStringLiteral("Casa\u0085mia") << control;
        addKindRow(kind->id, "line separator, U+2028") << QStringLiteral("Casa\u2028mia") << control;
    }
}

void CatalogueWindowsTest::createRefusesName()
{
    QFETCH(KindId, kind);
    QFETCH(QString, name);
    QFETCH(QString, warning);
    const Kind& k = Kind::of(kind);
    const ProgramFolderFixture& folder = this->folder();
    MessageProbe& messages = this->messages();
    QDir(folder.path()).mkdir(QStringLiteral("sotto"));
    touch(folder.file("Casa" + k.extension), "scheda gia' salvata");
    const QStringList before = entries(folder.path());
    const QStringList parentBefore = entries(folder.path() + "..");
    ChainWindow* create = Windows::create(k.id);
    auto* txtFile = child<QLineEdit>(create, "txtFile");

    create->present();
    paste(txtFile, name);
    click(create, "btnApplica");

    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().kind, MessageBox::Kind::Warning);
    QCOMPARE(messages.last().text, warning);
    QVERIFY(warning.startsWith(QLatin1String("Attenzione:")));
    QCOMPARE(entries(folder.path()), before);
    QVERIFY(entries(folder.path() + "sotto").isEmpty());
    QCOMPARE(entries(folder.path() + ".."), parentBefore);
    QCOMPARE(fileBytes(folder.file("Casa" + k.extension)), QByteArray("scheda gia' salvata"));
    // The window stays, with the name as it was given.
    QCOMPARE(visibleWindows(), QList<QWidget*>{create});
    QCOMPARE(txtFile->text(), name);
}

void CatalogueWindowsTest::typedCharactersAreFilteredPastedAreNot_data()
{
    addKindRows();
}

void CatalogueWindowsTest::typedCharactersAreFilteredPastedAreNot()
{
    QFETCH(KindId, kind);
    const Kind& k = Kind::of(kind);
    const ProgramFolderFixture& folder = this->folder();
    MessageProbe& messages = this->messages();
    ChainWindow* create = Windows::create(k.id);
    auto* txtFile = child<QLineEdit>(create, "txtFile");
    create->present();

    // The 13 refused characters among accepted ones; the vertical bar is a legal name here.
    type(txtFile, QStringLiteral("A\"*/:<>?\\°ÇÑçñ|b è"));
    QCOMPARE(txtFile->text(), QStringLiteral("A|b è"));

    txtFile->clear();
    const QString pasted = QStringLiteral("Serie: \"Çiao\"? <1°>*|ñ");
    paste(txtFile, pasted);
    QCOMPARE(txtFile->text(), pasted);
    click(create, "btnApplica");
    QVERIFY(QFileInfo::exists(folder.file(pasted + k.extension)));
    QCOMPARE(messages.last().text, textsOf(kind).created);
}

void CatalogueWindowsTest::nameRefusedByFileSystemReachesGeneralHandler_data()
{
    addKindRows();
}

void CatalogueWindowsTest::nameRefusedByFileSystemReachesGeneralHandler()
{
    QFETCH(KindId, kind);
    const ProgramFolderFixture& folder = this->folder();
    MessageProbe& messages = this->messages();
    ChainWindow* create = Windows::create(kind);
    create->present();
    // A program folder where no file may be made: the name is fine, the file system refuses it.
    const std::function<void()> undo = refuseDeletion(folder.path());
    if (!undo)
        QSKIP("this file system can make no folder refuse a new file");
    const auto restore = qScopeGuard(undo);
    paste(child<QLineEdit>(create, "txtFile"), QStringLiteral("Casa"));

    click(create, "btnApplica");
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().kind, MessageBox::Kind::Plain);
    QCOMPARE(messages.last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    const QString error = messages.last().text;
    QVERIFY2(error.startsWith(QLatin1String("Impossibile creare il file di archivio")), qPrintable(error));
    QVERIFY(entries(folder.path()).isEmpty());
    QCOMPARE(visibleWindows(), QList<QWidget*>{create});
}

void CatalogueWindowsTest::namesTooLongForTheirFilesAreRefused_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("created");
    // A file name takes 255 bytes; card 9999999999's photo adds "_Foto_9999999999.jpg", 20 more.
    // In UTF-8 an accented letter takes two bytes, the euro sign three.
    for (const Kind* kind : Kind::all()) {
        addKindRow(kind->id, "235 plain letters") << QString(235, u'a') << true;
        addKindRow(kind->id, "236 plain letters") << QString(236, u'a') << false;
        addKindRow(kind->id, "117 accented letters and a plain one")
            << QString(117, u'è') + QStringLiteral("a") << true;
        addKindRow(kind->id, "118 accented letters") << QString(118, u'è') << false;
        addKindRow(kind->id, "78 euro signs and two plain letters")
            << QString(78, u'€') + QStringLiteral("ab") << false;
    }
}

void CatalogueWindowsTest::namesTooLongForTheirFilesAreRefused()
{
    QFETCH(KindId, kind);
    QFETCH(QString, name);
    QFETCH(bool, created);
    const Kind& k = Kind::of(kind);
    ChainWindow* create = Windows::create(k.id);
    create->present();
    paste(child<QLineEdit>(create, "txtFile"), name);

    click(create, "btnApplica");
    QCOMPARE(messages().count(), 1);
    if (created) {
        QCOMPARE(messages().last().text, textsOf(kind).created);
        QCOMPARE(entries(folder().path()), QStringList{name + k.extension});
        // Every card of it can have its photo.
        QVERIFY(
            CoverPhotos::save(k, name, QStringLiteral("9999999999"), CoverPicture(QImage(4, 4, QImage::Format_RGB32))));
        return;
    }
    QCOMPARE(messages().last().kind, MessageBox::Kind::Warning);
    QCOMPARE(messages().last().text,
             QStringLiteral("Attenzione: il nome indicato è troppo lungo per i file dell'archivio e delle sue foto."
                            "\r\n\r\nInserire un nome più breve: al massimo 235 lettere senza accento; le lettere "
                            "accentate e gli altri segni speciali contano per due o per tre."));
    QVERIFY(entries(folder().path()).isEmpty());
    QCOMPARE(visibleWindows(), QList<QWidget*>{create});
}

void CatalogueWindowsTest::listShowsArchivesOfKindOnly_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QStringList>("archives");
    QTest::addColumn<QString>("countText");
    const QStringList none;
    const QStringList one{"Casa"};
    const QStringList several{"zeta", "Alfa", "beta", ".Nascosto"};
    for (const Kind* kind : Kind::all()) {
        addKindRow(kind->id, "0") << none << countTextOf(kind->id, 0);
        addKindRow(kind->id, "1") << one << countTextOf(kind->id, 1);
        addKindRow(kind->id, "4") << several << countTextOf(kind->id, 4);
    }
}

void CatalogueWindowsTest::listShowsArchivesOfKindOnly()
{
    QFETCH(KindId, kind);
    QFETCH(QStringList, archives);
    QFETCH(QString, countText);
    const Kind& k = Kind::of(kind);
    const ProgramFolderFixture& folder = this->folder();
    for (const QString& name : archives)
        touch(folder.file(name + k.extension));
    // Not archives of this kind: other kinds, a look-alike name, a folder, a file in a sub-folder.
    for (const Kind* other : Kind::all())
        if (other != &k)
            touch(folder.file("Altro" + other->extension));
    touch(folder.file("Casa" + k.extension + ".bak"));
    QDir(folder.path()).mkpath("Cartella" + k.extension);
    QDir(folder.path()).mkpath("sotto");
    touch(folder.file("sotto/Annidato" + k.extension));

    ChainWindow* open = Windows::open(k.id);
    auto* lstFiles = child<QListWidget>(open, "lstFiles");
    open->present();
    QCOMPARE(open->windowTitle(), textsOf(kind).openCaption);

    QStringList expected;
    for (const QString& name : archives)
        expected.append(name + k.extension);
    expected.sort(Qt::CaseInsensitive);
    QStringList shown;
    for (int row = 0; row < lstFiles->count(); ++row) {
        const QListWidgetItem* line = lstFiles->item(row);
        shown.append(line->text());
        QCOMPARE(line->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(line->font().pixelSize(), 14);
        QCOMPARE(line->foreground().color(), QColor(Qt::black));
    }
    QCOMPARE(shown, expected);
    QCOMPARE(label(open, "lblCreati"), countText);
    QVERIFY(lstFiles->selectedItems().isEmpty());
    QCOMPARE(label(open, "lblFile"), folder.path());

    // The list is read again on every showing, and a line selected before is forgotten.
    if (lstFiles->count())
        lstFiles->setCurrentRow(0);
    touch(folder.file("Nuovo" + k.extension));
    open->hide();
    open->present();
    QCOMPARE(lstFiles->count(), archives.size() + 1);
    QCOMPARE(label(open, "lblCreati"), countTextOf(kind, int(archives.size()) + 1));
    QVERIFY(lstFiles->selectedItems().isEmpty());
}

void CatalogueWindowsTest::buttonsNeedListAndSelection_data()
{
    addKindRows();
}

void CatalogueWindowsTest::buttonsNeedListAndSelection()
{
    QFETCH(KindId, kind);
    const Kind& k = Kind::of(kind);
    const ProgramFolderFixture& folder = this->folder();
    MessageProbe& messages = this->messages();
    ChainWindow* open = Windows::open(k.id);

    open->present();
    click(open, "btnApri");
    click(open, "btnElimina");
    touch(folder.file("Casa" + k.extension));
    open->hide();
    open->present();
    click(open, "btnApri");
    click(open, "btnElimina");

    QCOMPARE(messages.count(), 4);
    const QString expected[] = {textsOf(kind).listEmpty, textsOf(kind).listEmpty, textsOf(kind).selectToOpen,
                                textsOf(kind).selectToDelete};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(messages.shown().at(i).kind, MessageBox::Kind::Warning);
        QCOMPARE(messages.shown().at(i).text, expected[i]);
    }
    QVERIFY(QFileInfo::exists(folder.file("Casa" + k.extension)));
    QCOMPARE(visibleWindows(), QList<QWidget*>{open});
}

void CatalogueWindowsTest::deleteAsksFirst_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<bool>("confirmed");
    for (const Kind* kind : Kind::all()) {
        addKindRow(kind->id, "no") << false;
        addKindRow(kind->id, "yes") << true;
    }
}

void CatalogueWindowsTest::deleteAsksFirst()
{
    QFETCH(KindId, kind);
    QFETCH(bool, confirmed);
    const Kind& k = Kind::of(kind);
    const ProgramFolderFixture& folder = this->folder();
    MessageProbe& messages = this->messages();
    touch(folder.file("Casa" + k.extension), "schede");
    touch(folder.file("Ufficio" + k.extension), "schede");
    // Deleting an archive leaves its cover photos where they are.
    QDir(folder.path()).mkpath(k.photoFolder);
    touch(folder.file(k.photoFolder + "/Ufficio_Foto_1.jpg"), "foto");
    ChainWindow* open = Windows::open(k.id);
    auto* lstFiles = child<QListWidget>(open, "lstFiles");
    open->present();

    lstFiles->setCurrentRow(1);
    messages.answerNext(confirmed ? QMessageBox::Yes : QMessageBox::No);
    click(open, "btnElimina");

    QCOMPARE(messages.shown().at(0).kind, MessageBox::Kind::Confirmation);
    QCOMPARE(messages.shown().at(0).text, textsOf(kind).confirmDelete);
    QVERIFY(QFileInfo::exists(folder.file("Casa" + k.extension)));
    QVERIFY(QFileInfo::exists(folder.file(k.photoFolder + "/Ufficio_Foto_1.jpg")));
    if (!confirmed) {
        QCOMPARE(messages.count(), 1);
        QCOMPARE(fileBytes(folder.file("Ufficio" + k.extension)), QByteArray("schede"));
        QCOMPARE(lstFiles->count(), 2);
        QCOMPARE(lstFiles->selectedItems().value(0)->text(), "Ufficio" + k.extension);
        return;
    }
    QCOMPARE(messages.count(), 2);
    QCOMPARE(messages.last().kind, MessageBox::Kind::Information);
    QCOMPARE(messages.last().text, textsOf(kind).deleted);
    QVERIFY(!QFileInfo::exists(folder.file("Ufficio" + k.extension)));
    QCOMPARE(lstFiles->count(), 1);
    QCOMPARE(lstFiles->item(0)->text(), "Casa" + k.extension);
    QVERIFY(lstFiles->selectedItems().isEmpty());
    QCOMPARE(label(open, "lblCreati"), countTextOf(kind, 1));
    QCOMPARE(label(open, "lblMemory"), QStringLiteral("avvio"));
    QVERIFY(label(open, "lblFile").isEmpty());

    // Deleting the last one leaves an empty list and a count of 0.
    lstFiles->setCurrentRow(0);
    click(open, "btnElimina");
    QCOMPARE(lstFiles->count(), 0);
    QCOMPARE(label(open, "lblCreati"), countTextOf(kind, 0));
    QCOMPARE(visibleWindows(), QList<QWidget*>{open});
}

void CatalogueWindowsTest::deletionRefusedIsReportedNotClaimed_data()
{
    addKindRows();
}

void CatalogueWindowsTest::deletionRefusedIsReportedNotClaimed()
{
    QFETCH(KindId, kind);
    const Kind& k = Kind::of(kind);
    const ProgramFolderFixture& folder = this->folder();
    MessageProbe& messages = this->messages();
    const QString path = folder.file("Casa" + k.extension);
    touch(path, "schede");
    const std::function<void()> undo = refuseDeletion(path);
    if (!undo)
        QSKIP("this file system cannot be made to refuse a deletion");
    const auto restore = qScopeGuard(undo);
    ChainWindow* open = Windows::open(k.id);
    auto* lstFiles = child<QListWidget>(open, "lstFiles");
    open->present();

    lstFiles->setCurrentRow(0);
    click(open, "btnElimina");

    QCOMPARE(messages.count(), 2);
    QCOMPARE(messages.last().kind, MessageBox::Kind::Error);
    QCOMPARE(messages.last().text, ArchiveFolder::removeRefusedText());
    QVERIFY(messages.last().text.startsWith(QLatin1String("Attenzione:")));
    QCOMPARE(fileBytes(path), QByteArray("schede"));
    QCOMPARE(lstFiles->count(), 1);
    QCOMPARE(label(open, "lblCreati"), countTextOf(kind, 1));
}

void CatalogueWindowsTest::openHandsArchiveToBlankCard_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QString>("how");
    for (const Kind* kind : Kind::all())
        for (const char* how : {"button", "double-click", "keys"})
            addKindRow(kind->id, how) << QString::fromLatin1(how);
}

void CatalogueWindowsTest::openHandsArchiveToBlankCard()
{
    QFETCH(KindId, kind);
    QFETCH(QString, how);
    const Kind& k = Kind::of(kind);
    const ProgramFolderFixture& folder = this->folder();
    MessageProbe& messages = this->messages();
    touch(folder.file("Altro" + k.extension));
    touch(folder.file("Biblioteca" + k.extension));
    CardWindow* card = Windows::card(k.id);
    // Whatever the card window showed last time must not survive the hand-over.
    card->field("Titolo")->setText(QStringLiteral("scheda precedente"));
    ChainWindow* menu = Windows::menu(k.id);
    menu->present();
    click(menu, "btnCompila");
    ChainWindow* open = Windows::open(k.id);
    auto* lstFiles = child<QListWidget>(open, "lstFiles");

    QListWidgetItem* line = lstFiles->findItems("Biblioteca" + k.extension, Qt::MatchExactly).value(0);
    QVERIFY(line);
    if (how == QLatin1String("double-click")) {
        const QPoint centre = lstFiles->visualItemRect(line).center();
        QTest::mouseClick(lstFiles->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(lstFiles->viewport(), Qt::LeftButton, {}, centre);
    } else if (how == QLatin1String("keys")) {
        // Back into the list from the picture after it: the line with the focus is selected, and
        // its mark stands out from the list's white by at least 3:1.
        QVERIFY(QTest::qWaitForWindowActive(open));
        auto* help = child<QWidget>(open, "imgGuida");
        help->setFocus(Qt::TabFocusReason);
        QTest::keyClick(help, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), lstFiles);
        QCOMPARE(lstFiles->selectedItems(), QList<QListWidgetItem*>{lstFiles->item(0)});
        const QImage shown = lstFiles->viewport()->grab().toImage();
        const QRect first = lstFiles->visualItemRect(lstFiles->item(0));
        const QColor mark = shown.pixelColor(first.right() - 3, first.center().y());
        const QColor background = shown.pixelColor(first.right() - 3, shown.height() - 3);
        QVERIFY2(contrastRatio(mark, background) >= 3.0,
                 qPrintable(QStringLiteral("%1 on %2").arg(mark.name(), background.name())));
        // The arrows move the selection; Enter opens the selected archive, as Apri archivio does.
        QTest::keyClick(lstFiles, Qt::Key_Down);
        QCOMPARE(lstFiles->selectedItems(), QList<QListWidgetItem*>{line});
        QTest::keyClick(lstFiles, Qt::Key_Return);
    } else {
        line->setSelected(true);
        click(open, "btnApri");
    }

    QCOMPARE(messages.count(), 0);
    QCOMPARE(visibleWindows(), QList<QWidget*>{card});
    QCOMPARE(label(open, "lblMemory"), k.tag);
    QCOMPARE(label(card, "lblFile"), folder.file("Biblioteca" + k.extension));
    QCOMPARE(label(card, "lblNome"), QStringLiteral("Biblioteca"));
    QVERIFY(card->field("Titolo")->text().isEmpty());
    QVERIFY(label(card, "lblPosizione").isEmpty());
    QCOMPARE(fileBytes(folder.file("Biblioteca" + k.extension)), QByteArray());
}

void CatalogueWindowsTest::nameInUseInAnyLetterCase_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QString>("existing"); // the archive file already in the folder
    QTest::addColumn<QString>("typed");
    for (const Kind* kind : Kind::all()) {
        const QString extension = kind->extension;
        addKindRow(kind->id, "extension in capitals") << "MAIUSCOLO" + extension.toUpper() << "MAIUSCOLO";
        addKindRow(kind->id, "name in capitals") << "Casa" + extension << "CASA";
        addKindRow(kind->id, "both mixed") << "uFFicio" + extension.left(2) + extension.mid(2).toUpper() << "Ufficio";
    }
}

void CatalogueWindowsTest::nameInUseInAnyLetterCase()
{
    QFETCH(KindId, kind);
    QFETCH(QString, existing);
    QFETCH(QString, typed);
    touch(folder().file(existing), "schede");
    ChainWindow* create = Windows::create(kind);
    create->present();
    type(child<QLineEdit>(create, "txtFile"), typed);
    click(create, "btnApplica");

    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Warning);
    QCOMPARE(messages().last().text, textsOf(kind).nameInUse);
    QCOMPARE(entries(folder().path()), QStringList{existing});
    QCOMPARE(fileBytes(folder().file(existing)), QByteArray("schede"));
    QCOMPARE(visibleWindows(), QList<QWidget*>{create});
}

void CatalogueWindowsTest::composedCharactersAreFilteredToo_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QString>("composed"); // what a dead key or a compose sequence delivers
    QTest::addColumn<QString>("kept");
    for (const Kind* kind : Kind::all()) {
        addKindRow(kind->id, "ñ") << "ñ"
                                  << "";
        addKindRow(kind->id, "Ñ") << "Ñ"
                                  << "";
        addKindRow(kind->id, "ç") << "ç"
                                  << "";
        addKindRow(kind->id, "Ç") << "Ç"
                                  << "";
        addKindRow(kind->id, "°") << "°"
                                  << "";
        addKindRow(kind->id, "refused among accepted") << "añb°c"
                                                       << "abc";
        addKindRow(kind->id, "~ is accepted") << "~"
                                              << "~";
        addKindRow(kind->id, "è is accepted") << "è"
                                              << "è";
    }
}

void CatalogueWindowsTest::composedCharactersAreFilteredToo()
{
    QFETCH(KindId, kind);
    QFETCH(QString, composed);
    QFETCH(QString, kept);
    ChainWindow* create = Windows::create(kind);
    create->present();
    auto* txtFile = child<QLineEdit>(create, "txtFile");
    type(txtFile, QStringLiteral("Nome"));

    // A dead key first shows its accent as text being composed, then commits the character.
    QInputMethodEvent preedit(QStringLiteral("~"), {});
    QApplication::sendEvent(txtFile, &preedit);
    QInputMethodEvent commit;
    commit.setCommitString(composed);
    QApplication::sendEvent(txtFile, &commit);
    QCOMPARE(txtFile->text(), QStringLiteral("Nome") + kept);
}

CARTAVOX_TEST_MAIN(CatalogueWindowsTest)
#include "tst_catalogue_windows.moc"
