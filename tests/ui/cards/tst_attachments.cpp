// The attached documents of a card: the TfrmAllegaCartella window opened from each card window,
// the attachment folder, and what reaches the card and the archive.
#include "CardArchiveBytes.h"
#include "OpenCard.h"
#include "TestSupport.h"
#include "cards/CardWindow.h"
#include "cards/TfrmAllegaCartella.h"
#include "shell/OpenURL.h"
#include "start/Windows.h"
#include "widgets/PictureButton.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {
const QString kReplace = QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo "
                                        "stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?");

class Card : public OpenCard {
public:
    using OpenCard::OpenCard;

    // Opens the attachment window with cmdFile and runs `act` in it; whatever `act` leaves open
    // is cancelled, so a failing check cannot hang the test.
    void withAttachments(const std::function<void(TfrmAllegaCartella*)>& act)
    {
        bool opened = false;
        whenModalOpens([&](QWidget* modal) {
            auto* attachments = qobject_cast<TfrmAllegaCartella*>(modal);
            if (!attachments)
                return;
            opened = true;
            act(attachments);
            if (attachments->isVisible())
                attachments->reject();
        });
        click("cmdFile");
        QVERIFY(opened);
    }
};

QLineEdit* nameField(QWidget* window, int slot)
{
    return child<QLineEdit>(window, QStringLiteral("txtFile0%1").arg(slot));
}

QPushButton* openButton(QWidget* window, int slot)
{
    return child<QPushButton>(window, QStringLiteral("btnApri0%1").arg(slot));
}

} // namespace

class TestAttachments : public WindowTest {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensOnTheCardsDocuments_data();
    void opensOnTheCardsDocuments();
    void browseCopiesIntoTheFolder_data();
    void browseCopiesIntoTheFolder();
    void sameNameAsksBeforeReplacing_data();
    void sameNameAsksBeforeReplacing();
    void browseCancelledChangesNothing();
    void choosingTheFoldersOwnFileKeepsIt();
    void appliedDocumentsReachTheCardUntilNuovo_data() { addKindRows(); }
    void appliedDocumentsReachTheCardUntilNuovo();
    void clearingKeepsTheDescriptionAndAnnullaKeepsTheCard();
    void openHandsOnlyFolderDocumentsToTheDesktop_data();
    void openHandsOnlyFolderDocumentsToTheDesktop();
    void enterMovesThroughTheFieldsAndPressesNoButton();
    void descriptionsKeepToTheCodePage_data() { addCodePageEntryRows(); }
    void descriptionsKeepToTheCodePage();

private:
    QString archivePath(KindId kind) const { return folder().file(QStringLiteral("Prova") + Kind::of(kind).extension); }
    QString attachment(const QString& name) const
    {
        return folder().file(QStringLiteral("Documenti_Allegati/") + name);
    }
    QString elsewhere(const QString& name, const QByteArray& content)
    {
        const QString path = m_elsewhere.filePath(name);
        writeFileBytes(path, content);
        return path;
    }

    std::unique_ptr<QTemporaryDir> m_elsewhereDir;
    QDir m_elsewhere;
    QStringList m_opened;
};

void TestAttachments::init()
{
    WindowTest::init();
    m_elsewhereDir = std::make_unique<QTemporaryDir>();
    m_elsewhere = QDir(m_elsewhereDir->path());
    m_opened.clear();
    TMisc::setResponder([this](const QString& target) { m_opened.append(target); });
}

void TestAttachments::cleanup()
{
    TMisc::setResponder({});
    m_elsewhereDir.reset();
    WindowTest::cleanup();
}

void TestAttachments::opensOnTheCardsDocuments_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QString>("tag");
    // The tag names the kind: it is the key of every table of literals.
    for (const Kind* kind : Kind::all())
        addKindRow(kind->id) << kind->tag;
}

void TestAttachments::opensOnTheCardsDocuments()
{
    QFETCH(KindId, kind);
    QFETCH(QString, tag);
    StoredTexts stored = sampleCard(Kind::of(kind), 1);
    stored[QStringLiteral("File03")] = "ultimo.odt";
    writeFileBytes(archivePath(kind), recordBytes(Kind::of(kind), stored));
    Card card(kind, archivePath(kind));

    // A new card: three empty slots that cannot be opened.
    card.withAttachments([&](TfrmAllegaCartella* window) {
        QCOMPARE(window->windowTitle(), QStringLiteral(" Allega file"));
        QCOMPARE(window->lblMemory->text(), tag);
        QVERIFY(window->lblMemory->isHidden());
        for (int slot = 1; slot <= 3; ++slot) {
            QCOMPARE(nameField(window, slot)->text(), QString());
            QVERIFY(nameField(window, slot)->isReadOnly());
            QVERIFY(!openButton(window, slot)->isEnabled());
        }
    });

    card.click("cmdPrimo");
    card.withAttachments([&](TfrmAllegaCartella* window) {
        QCOMPARE(nameField(window, 1)->text(), QStringLiteral("doc1.pdf"));
        QCOMPARE(child<QLineEdit>(window, QStringLiteral("txtDesc01"))->text(), QStringLiteral("Documento 1"));
        QCOMPARE(nameField(window, 3)->text(), QStringLiteral("ultimo.odt"));
        QVERIFY(openButton(window, 1)->isEnabled());
        QVERIFY(!openButton(window, 2)->isEnabled());
        QVERIFY(openButton(window, 3)->isEnabled());
    });

    // After Duplica the copy has no documents.
    card.click("cmdDuplica");
    card.withAttachments([&](TfrmAllegaCartella* window) {
        for (int slot = 1; slot <= 3; ++slot)
            QCOMPARE(nameField(window, slot)->text(), QString());
    });
}

void TestAttachments::browseCopiesIntoTheFolder_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("kept");
    QTest::newRow("plain name") << "Manuale.pdf"
                                << "Manuale.pdf";
    QTest::newRow("accents of the code page") << "Perché è così.odt"
                                              << "Perché è così.odt";
    // The card could not store these names as they are; the copy bears the name it stores.
    QTest::newRow("letter outside the code page") << "Fattura №5 ✓.pdf"
                                                  << "Fattura _5 _.pdf";
    // Cut before the extension, so the document still opens in its program.
    QTest::newRow("longer than a card holds")
        << QString(249, u'x') + QStringLiteral(" a.pdf") << QString(246, u'x') + QStringLiteral(".pdf");
    QTest::newRow("longer, cut at a blank")
        << QString(245, u'x') + QStringLiteral(" yyyy.pdf") << QString(245, u'x') + QStringLiteral(".pdf");
    QTest::newRow("longer, last dot ends the stem")
        << QString(248, u'x') + QStringLiteral(".tar.gz") << QString(247, u'x') + QStringLiteral(".gz");
    QTest::newRow("longer, without extension") << QString(254, u'z') << QString(250, u'z');
}

void TestAttachments::browseCopiesIntoTheFolder()
{
    QFETCH(QString, chosen);
    QFETCH(QString, kept);
    const QString source = elsewhere(chosen, "il documento");
    Card card(KindId::Libri, archivePath(KindId::Libri));
    fileDialogs().answerNext(source);
    card.withAttachments([&](TfrmAllegaCartella* window) {
        click(window, QStringLiteral("btnSfoglia02"));
        QCOMPARE(nameField(window, 2)->text(), kept);
        QVERIFY(openButton(window, 2)->isEnabled());
        click(window, QStringLiteral("btnApplica"));
    });
    QCOMPARE(fileDialogs().requests().size(), 1);
    QCOMPARE(fileDialogs().requests().constFirst().title, QStringLiteral("Selezionare il file da allegare:"));
    QCOMPARE(fileDialogs().requests().constFirst().filters, QStringList{QStringLiteral("Tutti i file (*)")});
    QCOMPARE(fileBytes(attachment(kept)), QByteArray("il documento"));
    QCOMPARE(fileBytes(source), QByteArray("il documento"));
    QCOMPARE(messages().count(), 0);

    // Saved and shown again, the card's name still opens the copy.
    for (const KindLook::RequiredField& required : KindLook::of(card.kind).card.required)
        card.window->field(required.field)->setText(QStringLiteral("presente"));
    card.click("cmdSalva");
    card.click("cmdNuovo");
    card.click("cmdPrimo");
    card.withAttachments([&](TfrmAllegaCartella* window) { click(window, QStringLiteral("btnApri02")); });
    QCOMPARE(m_opened, QStringList{attachment(kept)});
    QVERIFY(QFile::exists(m_opened.constFirst()));
}

void TestAttachments::sameNameAsksBeforeReplacing_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QByteArray>("kept");
    QTest::newRow("yes replaces") << QMessageBox::Yes << QByteArray("nuovo");
    QTest::newRow("no keeps the folder's file") << QMessageBox::No << QByteArray("vecchio");
}

void TestAttachments::sameNameAsksBeforeReplacing()
{
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QByteArray, kept);
    QDir().mkpath(folder().file(QStringLiteral("Documenti_Allegati")));
    writeFileBytes(attachment(QStringLiteral("Manuale.pdf")), "vecchio");
    Card card(KindId::DVD, archivePath(KindId::DVD));
    fileDialogs().answerNext(elsewhere(QStringLiteral("Manuale.pdf"), "nuovo"));
    messages().answerNext(answer);
    card.withAttachments([&](TfrmAllegaCartella* window) {
        click(window, QStringLiteral("btnSfoglia01"));
        QCOMPARE(nameField(window, 1)->text(), QStringLiteral("Manuale.pdf"));
    });
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Confirmation);
    QCOMPARE(messages().last().text, kReplace);
    QCOMPARE(fileBytes(attachment(QStringLiteral("Manuale.pdf"))), kept);
}

void TestAttachments::browseCancelledChangesNothing()
{
    Card card(KindId::Fumetti, archivePath(KindId::Fumetti));
    card.window->attachmentLabel(QStringLiteral("File01"))->setText(QStringLiteral("prima.pdf"));
    card.withAttachments([&](TfrmAllegaCartella* window) {
        click(window, QStringLiteral("btnSfoglia01"));
        QCOMPARE(nameField(window, 1)->text(), QStringLiteral("prima.pdf"));
    });
    QCOMPARE(fileDialogs().requests().size(), 1);
    QCOMPARE(messages().count(), 0);
    QVERIFY(!QFile::exists(folder().file(QStringLiteral("Documenti_Allegati"))));
}

void TestAttachments::choosingTheFoldersOwnFileKeepsIt()
{
    QDir().mkpath(folder().file(QStringLiteral("Documenti_Allegati")));
    writeFileBytes(attachment(QStringLiteral("Elenco.txt")), "già allegato");
    Card card(KindId::Libri, archivePath(KindId::Libri));
    fileDialogs().answerNext(attachment(QStringLiteral("Elenco.txt")));
    card.withAttachments([&](TfrmAllegaCartella* window) {
        click(window, QStringLiteral("btnSfoglia01"));
        QCOMPARE(nameField(window, 1)->text(), QStringLiteral("Elenco.txt"));
    });
    QCOMPARE(messages().count(), 0);
    QCOMPARE(fileBytes(attachment(QStringLiteral("Elenco.txt"))), QByteArray("già allegato"));
}

void TestAttachments::appliedDocumentsReachTheCardUntilNuovo()
{
    QFETCH(KindId, kind);
    Card card(kind, archivePath(kind));
    fileDialogs().answerNext(elsewhere(QStringLiteral("Ricevuta.pdf"), "ricevuta"));
    card.withAttachments([&](TfrmAllegaCartella* window) {
        click(window, QStringLiteral("btnSfoglia02"));
        child<QLineEdit>(window, QStringLiteral("txtDesc02"))->setText(QStringLiteral("  Ricevuta d'acquisto  "));
        click(window, QStringLiteral("btnApplica"));
        QVERIFY(!window->isVisible());
        QCOMPARE(window->result(), int(QDialog::Accepted));
    });
    QCOMPARE(card.label("File02"), QStringLiteral("Ricevuta.pdf"));
    QCOMPARE(card.label("Desc02"), QStringLiteral("Ricevuta d'acquisto"));
    QCOMPARE(card.label("File01"), QString());

    messages().answerNext(QMessageBox::No); // not saved
    card.click("cmdNuovo");
    QCOMPARE(card.label("File02"), QString());
    QCOMPARE(card.label("Desc02"), QString());
    QCOMPARE(fileBytes(attachment(QStringLiteral("Ricevuta.pdf"))), QByteArray("ricevuta"));

    // Applied and saved, the documents reach the archive.
    fileDialogs().answerNext(elsewhere(QStringLiteral("Ricevuta.pdf"), "ricevuta"));
    card.withAttachments([&](TfrmAllegaCartella* window) {
        click(window, QStringLiteral("btnSfoglia03"));
        child<QLineEdit>(window, QStringLiteral("txtDesc03"))->setText(QStringLiteral("Scontrino"));
        click(window, QStringLiteral("btnApplica"));
    });
    for (const KindLook::RequiredField& required : KindLook::of(card.kind).card.required)
        card.window->field(required.field)->setText(QStringLiteral("presente"));
    card.click("cmdSalva");
    const QByteArray record = fileBytes(archivePath(kind));
    QCOMPARE(storedText(card.kind, record, QStringLiteral("File03")), QByteArray("Ricevuta.pdf"));
    QCOMPARE(storedText(card.kind, record, QStringLiteral("Desc03")), QByteArray("Scontrino"));
}

void TestAttachments::clearingKeepsTheDescriptionAndAnnullaKeepsTheCard()
{
    Card card(KindId::Libri, archivePath(KindId::Libri));
    card.window->attachmentLabel(QStringLiteral("File01"))->setText(QStringLiteral("contratto.pdf"));
    card.window->attachmentLabel(QStringLiteral("Desc01"))->setText(QStringLiteral("Contratto"));

    card.withAttachments([&](TfrmAllegaCartella* window) {
        click(window, QStringLiteral("imgCancella01"));
        click(window, QStringLiteral("btnAnnulla"));
        QVERIFY(!window->isVisible());
    });
    QCOMPARE(card.label("File01"), QStringLiteral("contratto.pdf"));

    card.withAttachments([&](TfrmAllegaCartella* window) {
        click(window, QStringLiteral("imgCancella01"));
        QCOMPARE(nameField(window, 1)->text(), QString());
        QVERIFY(!openButton(window, 1)->isEnabled());
        QCOMPARE(child<QLineEdit>(window, QStringLiteral("txtDesc01"))->text(), QStringLiteral("Contratto"));
        click(window, QStringLiteral("btnApplica"));
    });
    QCOMPARE(card.label("File01"), QString());
    QCOMPARE(card.label("Desc01"), QStringLiteral("Contratto"));
}

namespace {
// What lies under the document's name in the attachment folder, besides nothing at all.
enum class Under { Nothing, LinkOutside, FolderLinkedOutside, Pipe, Folder };
} // namespace
Q_DECLARE_METATYPE(Under)

void TestAttachments::openHandsOnlyFolderDocumentsToTheDesktop_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<Under>("under");
    QTest::addColumn<QString>("warning"); // empty: the document is handed to the desktop
    const auto outside = [](const char* name) {
        return QStringLiteral("Attenzione: il nome \"%1\" indica un file fuori dalla cartella dei documenti allegati: "
                              "il documento non viene aperto.")
            .arg(QString::fromUtf8(name));
    };
    QTest::newRow("plain name") << QByteArray("Manuale d'uso.pdf") << Under::Nothing << QString();
    QTest::newRow("dots inside a name") << QByteArray("Vol..2.pdf") << Under::Nothing << QString();
    QTest::newRow("parent folder") << QByteArray("../segreto.txt") << Under::Nothing << outside("../segreto.txt");
    QTest::newRow("windows parent folder")
        << QByteArray("..\\..\\programma.exe") << Under::Nothing << outside("..\\..\\programma.exe");
    QTest::newRow("absolute path") << QByteArray("/etc/passwd") << Under::Nothing << outside("/etc/passwd");
    QTest::newRow("sub folder") << QByteArray("altro/file.pdf") << Under::Nothing << outside("altro/file.pdf");
    QTest::newRow("the parent itself") << QByteArray("..") << Under::Nothing << outside("..");
    QTest::newRow("the document a link")
        << QByteArray("Manuale.pdf") << Under::LinkOutside
        << QStringLiteral("Attenzione: \"Manuale.pdf\" nella cartella dei documenti allegati è un collegamento a un "
                          "altro file: il documento non viene aperto.");
    QTest::newRow("the folder a link")
        << QByteArray("Manuale.pdf") << Under::FolderLinkedOutside
        << QStringLiteral("Attenzione: la cartella dei documenti allegati porta fuori dalla cartella del programma: i "
                          "documenti non vengono aperti.");
    QTest::newRow("the document a named pipe")
        << QByteArray("Manuale.pdf") << Under::Pipe
        << QStringLiteral("Attenzione: \"Manuale.pdf\" nella cartella dei documenti allegati non è un documento ma un "
                          "file speciale del sistema (una pipe, un dispositivo o un socket): non viene aperto.");
    QTest::newRow("the document a folder")
        << QByteArray("Manuale.pdf") << Under::Folder
        << QStringLiteral("Attenzione: \"Manuale.pdf\" nella cartella dei documenti allegati è una cartella, non un "
                          "documento.");
}

void TestAttachments::openHandsOnlyFolderDocumentsToTheDesktop()
{
    QFETCH(QByteArray, stored);
    QFETCH(Under, under);
    QFETCH(QString, warning);
    const QString name = QString::fromLatin1(stored);
    QTemporaryDir outside;
    QDir().mkpath(folder().file(QStringLiteral("Documenti_Allegati")));
    switch (under) {
    case Under::Nothing:
        break;
    case Under::LinkOutside:
        writeFileBytes(outside.filePath(name), "un documento di altri");
        QVERIFY(QFile::link(outside.filePath(name), attachment(name)));
        break;
    case Under::FolderLinkedOutside:
        writeFileBytes(outside.filePath(name), "un documento di altri");
        QVERIFY(QDir().rmdir(folder().file(QStringLiteral("Documenti_Allegati"))));
        QVERIFY(QFile::link(outside.path(), folder().file(QStringLiteral("Documenti_Allegati"))));
        break;
    case Under::Pipe:
        QCOMPARE(::mkfifo(QFile::encodeName(attachment(name)).constData(), 0600), 0);
        break;
    case Under::Folder:
        QVERIFY(QDir().mkdir(attachment(name)));
        break;
    }
    // The name comes from an archive that another program may have written.
    StoredTexts texts = sampleCard(Kind::libri(), 1);
    texts[QStringLiteral("File01")] = stored;
    writeFileBytes(archivePath(KindId::Libri), recordBytes(Kind::libri(), texts));
    Card card(KindId::Libri, archivePath(KindId::Libri));
    card.click("cmdPrimo");

    card.withAttachments([&](TfrmAllegaCartella* window) {
        QVERIFY(openButton(window, 1)->isEnabled());
        click(window, QStringLiteral("btnApri01"));
    });
    QCOMPARE(m_opened, warning.isEmpty() ? QStringList{attachment(name)} : QStringList());
    if (warning.isEmpty()) {
        QCOMPARE(messages().count(), 0);
    } else {
        QCOMPARE(messages().count(), 1);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Warning);
        QCOMPARE(messages().last().text, warning);
    }
}

void TestAttachments::enterMovesThroughTheFieldsAndPressesNoButton()
{
    Card card(KindId::Libri, archivePath(KindId::Libri));
    card.withAttachments([&](TfrmAllegaCartella* window) {
        for (QPushButton* button : window->findChildren<QPushButton*>())
            QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->objectName()));
        const QStringList order = {"txtFile01", "txtDesc01", "txtFile02", "txtDesc02", "txtFile03", "txtDesc03"};
        for (qsizetype i = 0; i < order.size(); ++i) {
            auto* field = child<QLineEdit>(window, order.at(i));
            field->setFocus();
            QTest::keyClick(field, i % 2 ? Qt::Key_Enter : Qt::Key_Return, i % 2 ? Qt::KeypadModifier : Qt::NoModifier);
            QCOMPARE(window->focusWidget(), child<QWidget>(window, order.at((i + 1) % order.size())));
        }
        QVERIFY(window->isVisible());
        QVERIFY(fileDialogs().requests().isEmpty());

        // Enter on a button that has the focus presses it.
        auto* browse = child<QPushButton>(window, QStringLiteral("btnSfoglia01"));
        browse->setFocus();
        QTest::keyClick(browse, Qt::Key_Return);
        QCOMPARE(fileDialogs().requests().size(), 1);
    });
}

void TestAttachments::descriptionsKeepToTheCodePage()
{
    QFETCH(TextEntry, how);
    QFETCH(QString, entered);
    QFETCH(QString, kept);
    writeFileBytes(archivePath(KindId::Fumetti), {});
    Card card(KindId::Fumetti, archivePath(KindId::Fumetti));
    card.withAttachments([&](TfrmAllegaCartella* window) {
        auto* description = child<QLineEdit>(window, QStringLiteral("txtDesc02"));
        description->setFocus();
        enter(description, how, entered);
        QCOMPARE(description->text(), kept);
    });
}

CARTAVOX_TEST_MAIN(TestAttachments)
#include "tst_attachments.moc"
