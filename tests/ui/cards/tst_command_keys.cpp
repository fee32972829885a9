// The keys people expect for the card windows' commands, F1 in every window with a help picture,
// and the keys a text field keeps for itself.
#include "CardArchiveBytes.h"
#include "OpenCard.h"
#include "TestSupport.h"
#include "shell/ChainWindow.h"
#include "start/TfrmAvvio.h"
#include "start/TfrmCambiaPassword.h"
#include "start/TfrmGuida.h"
#include "start/TfrmPassword.h"
#include "start/Windows.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
// What a key did: the card it went to, the message it showed, or the window it opened.
QString className(QWidget* window)
{
    return window ? QString::fromLatin1(window->metaObject()->className()) : QString();
}

// The card window as the one the user works in: the active window, which its keys reach.
void activate(const OpenCard& card)
{
    card.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(card.window));
}
} // namespace

class TestCommandKeys : public WindowTest {
    Q_OBJECT

private slots:
    void keysMoveThroughTheCards_data();
    void keysMoveThroughTheCards();
    void keysOpenTheCommandsWindows_data();
    void keysOpenTheCommandsWindows();
    void ctrlSSavesAndCtrlNStartsANewCard();
    void fieldsKeepTheirOwnKeys();
    void f1OpensTheHelpOfEveryWindowWithAHelpPicture_data();
    void f1OpensTheHelpOfEveryWindowWithAHelpPicture();
    void textButtonsTakeAltAndALetter_data();
    void textButtonsTakeAltAndALetter();
    void altAndTheLetterPressesTheButton();

private:
    QString archivePath(KindId kind) const { return folder().file(QStringLiteral("Prova") + Kind::of(kind).extension); }
};

void TestCommandKeys::keysMoveThroughTheCards_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<QString>("position"); // from card 2 of 4
    const QList<std::tuple<const char*, QKeyCombination, const char*>> keys{
        {"Page Down", Qt::Key_PageDown, "3"},
        {"Page Up", Qt::Key_PageUp, "1"},
        {"Ctrl+Home", Qt::ControlModifier | Qt::Key_Home, "1"},
        {"Ctrl+End", Qt::ControlModifier | Qt::Key_End, "4"},
    };
    for (const Kind* kind : Kind::all())
        for (const auto& [name, key, position] : keys)
            QTest::addRow("%s, %s", qPrintable(kind->tag), name) << kind->id << key << QString::fromLatin1(position);
}

void TestCommandKeys::keysMoveThroughTheCards()
{
    QFETCH(KindId, kind);
    QFETCH(QKeyCombination, key);
    QFETCH(QString, position);
    writeFileBytes(archivePath(kind), sampleArchive(Kind::of(kind), 4));
    OpenCard card(kind, archivePath(kind));
    card.click("cmdPrimo");
    card.click("cmdAvanti");
    activate(card);
    // From the field being typed in, as from anywhere in the window.
    QLineEdit* field = card.field(Kind::of(kind).textFields().at(1));
    field->setFocus();
    QTest::keyClick(field, key.key(), key.keyboardModifiers());
    QCOMPARE(card.position(), position);
    QCOMPARE(card.title(), QStringLiteral("Scheda ") + position);
    QCOMPARE(messages().count(), 0);
}

void TestCommandKeys::keysOpenTheCommandsWindows_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<QString>("opened");
    for (const Kind* kind : Kind::all()) {
        const QString tag = kind->tag;
        // The end of the kind's window class names.
        const QMap<QString, QString> suffixes{{"libri", "Libri"}, {"fumetti", "Fumetti"}, {"dvd", "DVD"}};
        if (!suffixes.contains(tag))
            qFatal("no window class names for the kind %s", qPrintable(tag));
        const QString suffix = suffixes.value(tag);
        QTest::addRow("%s, Ctrl+F", qPrintable(tag))
            << kind->id << (Qt::ControlModifier | Qt::Key_F) << QStringLiteral("TfrmTrova") + suffix;
        QTest::addRow("%s, Ctrl+P", qPrintable(tag))
            << kind->id << (Qt::ControlModifier | Qt::Key_P) << QStringLiteral("TfrmStampa") + suffix;
        QTest::addRow("%s, Ctrl+Shift+P", qPrintable(tag))
            << kind->id << (Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_P)
            << QStringLiteral("TfrmAnteprima") + suffix;
        QTest::addRow("%s, Ctrl+E", qPrintable(tag))
            << kind->id << (Qt::ControlModifier | Qt::Key_E) << QStringLiteral("TfrmExp") + suffix;
        QTest::addRow("%s, F1", qPrintable(tag)) << kind->id << QKeyCombination(Qt::Key_F1) << "TfrmGuida";
    }
}

void TestCommandKeys::keysOpenTheCommandsWindows()
{
    QFETCH(KindId, kind);
    QFETCH(QKeyCombination, key);
    QFETCH(QString, opened);
    writeFileBytes(archivePath(kind), sampleArchive(Kind::of(kind), 2));
    OpenCard card(kind, archivePath(kind));
    card.click("cmdPrimo");
    activate(card);
    QLineEdit* field = card.field(QStringLiteral("Titolo"));
    field->setFocus();
    QString seen;
    whenModalOpens([&](QWidget* modal) {
        seen = className(modal);
        modal->close();
    });
    QTest::keyClick(field, key.key(), key.keyboardModifiers());
    QCOMPARE(seen, opened);
    QCOMPARE(field->text(), QStringLiteral("Scheda 1"));
}

void TestCommandKeys::ctrlSSavesAndCtrlNStartsANewCard()
{
    writeFileBytes(archivePath(KindId::Libri), sampleArchive(Kind::libri(), 1));
    OpenCard card(KindId::Libri, archivePath(KindId::Libri));
    card.click("cmdPrimo");
    activate(card);
    QLineEdit* title = card.field(QStringLiteral("Titolo"));
    type(title, QStringLiteral("Titolo corretto"));
    QTest::keyClick(title, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().text,
             QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    QCOMPARE(storedText(Kind::libri(), fileBytes(archivePath(KindId::Libri)), QStringLiteral("Titolo")),
             QByteArray("Titolo corretto"));

    QTest::keyClick(card.window, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(card.position(), QString());
    QCOMPARE(card.title(), QString());
    QCOMPARE(messages().count(), 1);
}

void TestCommandKeys::fieldsKeepTheirOwnKeys()
{
    writeFileBytes(archivePath(KindId::DVD), sampleArchive(Kind::dvd(), 3));
    OpenCard card(KindId::DVD, archivePath(KindId::DVD));
    card.click("cmdPrimo");
    card.click("cmdAvanti");
    activate(card);
    QLineEdit* field = card.field(QStringLiteral("Regista"));
    field->setFocus();
    field->setCursorPosition(0);
    // Ctrl+Delete deletes a word in the field; the card stays where it is.
    QTest::keyClick(field, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(field->text(), QStringLiteral("2"));
    QCOMPARE(card.position(), QStringLiteral("2"));
    // Home and End stay the field's.
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClicks(field, QStringLiteral("P"));
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClicks(field, QStringLiteral("E"));
    QCOMPARE(field->text(), QStringLiteral("E2P"));
    QCOMPARE(card.position(), QStringLiteral("2"));
}

void TestCommandKeys::f1OpensTheHelpOfEveryWindowWithAHelpPicture_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("topic");
    QTest::newRow("start") << "avvio"
                           << "Uno sguardo a Cartavox.";
    QTest::newRow("book menu") << "menu"
                               << "Applicazione Catalogo Libri.";
    QTest::newRow("comics create") << "create"
                                   << "Applicazione Raccolta Fumetti.";
    QTest::newRow("DVD open") << "open"
                              << "Applicazione Collezione DVD.";
}

void TestCommandKeys::f1OpensTheHelpOfEveryWindowWithAHelpPicture()
{
    QFETCH(QString, window);
    QFETCH(QString, topic);
    QWidget* shown = window == QLatin1String("avvio")    ? static_cast<QWidget*>(Windows::avvio())
                     : window == QLatin1String("menu")   ? static_cast<QWidget*>(Windows::menu(KindId::Libri))
                     : window == QLatin1String("create") ? static_cast<QWidget*>(Windows::create(KindId::Fumetti))
                                                         : static_cast<QWidget*>(Windows::open(KindId::DVD));
    shown->show();
    shown->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(shown));
    QString title;
    whenModalOpens([&](QWidget* modal) {
        if (auto* help = qobject_cast<TfrmGuida*>(modal))
            title = help->lblTitolo->text();
        modal->close();
    });
    QWidget* focused = shown->focusWidget() ? shown->focusWidget() : shown;
    QTest::keyClick(focused, Qt::Key_F1);
    QCOMPARE(title, topic);
    shown->hide();
}

using ButtonTexts = QList<QPair<QString, QString>>; // object name, text with its letter marked
Q_DECLARE_METATYPE(ButtonTexts)

void TestCommandKeys::textButtonsTakeAltAndALetter_data()
{
    // A chain window, the command of a book card that opens it, or the books menu's import button.
    QTest::addColumn<QString>("window");
    QTest::addColumn<ButtonTexts>("buttons");
    QTest::newRow("password") << "password"
                              << ButtonTexts{
                                     {"btnCambiaPassword", "&Cambia password"}, {"cmdOK", "&OK"}, {"cmdEsci", "&Esci"}};
    // A word's first letter taken, the next free letter.
    QTest::newRow("change password") << "cambiaPassword" << ButtonTexts{{"cmdOK", "&OK"}, {"cmdEsci", "&Chiudi"}};
    QTest::newRow("Dewey") << "btnDewey"
                           << ButtonTexts{{"btnTrova", "&Trova"}, {"btnStampa", "&Stampa"}, {"btnChiudi", "&Chiudi"}};
    // Three buttons of one text could not tell which document: none of them takes a letter.
    QTest::newRow("attachments") << "cmdFile"
                                 << ButtonTexts{{"btnSfoglia01", "Sfoglia..."},
                                                {"btnApri02", "Apri"},
                                                {"btnSfoglia03", "Sfoglia..."}};
    // A button hidden until it is needed never takes the letter of a word on screen.
    QTest::newRow("import") << "btnImporta"
                            << ButtonTexts{{"btnScegli", "&Scegli il file..."},
                                           {"cmdImporta", "&Importa"},
                                           {"btnInterrompi", "I&nterrompi"}};
}

void TestCommandKeys::textButtonsTakeAltAndALetter()
{
    QFETCH(QString, window);
    QFETCH(ButtonTexts, buttons);
    const auto check = [&](QWidget* shown) {
        for (const auto& [name, text] : buttons)
            QCOMPARE(child<QPushButton>(shown, name)->text(), text);
    };
    if (window == QLatin1String("password") || window == QLatin1String("cambiaPassword")) {
        ChainWindow* shown = window == QLatin1String("password") ? static_cast<ChainWindow*>(Windows::password())
                                                                 : static_cast<ChainWindow*>(Windows::cambiaPassword());
        shown->present();
        check(shown);
        shown->hide();
        return;
    }
    bool reached = false;
    whenModalOpens([&](QWidget* modal) {
        reached = modal != nullptr;
        if (modal) {
            check(modal);
            modal->close();
        }
    });
    if (window == QLatin1String("btnImporta")) {
        ChainWindow* menu = Windows::menu(KindId::Libri);
        menu->present();
        click(menu, window);
        menu->hide();
    } else {
        OpenCard card(KindId::Libri, archivePath(KindId::Libri));
        click(card.window, window);
    }
    QVERIFY(reached);
}

void TestCommandKeys::altAndTheLetterPressesTheButton()
{
    TfrmPassword* password = Windows::password();
    password->present();
    QVERIFY(QTest::qWaitForWindowActive(password));
    QTest::keyClick(password, Qt::Key_C, Qt::AltModifier);
    QTRY_VERIFY(Windows::cambiaPassword()->isVisible());
    QVERIFY(!password->isVisible());
}

CARTAVOX_TEST_MAIN(TestCommandKeys)
#include "tst_command_keys.moc"
