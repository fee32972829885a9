// What a click or a key does when it reaches a window: the second click of a double-click that
// lands on the window the first click has just shown, and Enter on a focused push button.
#include "TestSupport.h"
#include "TimedClicks.h"

#include "cards/CardWindow.h"
#include "shell/ChainWindow.h"
#include "shell/FileDialog.h"
#include "shell/OpenURL.h"
#include "start/TfrmAvvio.h"
#include "start/TfrmCambiaPassword.h"
#include "start/TfrmInfo.h"
#include "start/TfrmPassword.h"
#include "start/Windows.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

namespace {
using namespace TimedClicks;

using WindowOf = std::function<ChainWindow*()>;
} // namespace

Q_DECLARE_METATYPE(WindowOf)

class ClicksAndKeysTest : public WindowTest {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void secondClickOfDoubleClickStaysOnTheFirstWindow_data();
    void secondClickOfDoubleClickStaysOnTheFirstWindow();
    void secondClickOfDoubleClickPicksNoFile();
    void secondClickOfDoubleClickClosingADialogStaysOffItsOpener();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();

private:
    // Whatever a stray click could set off besides a hand-over: a modal window, a web page.
    QStringList m_opened;
    QTimer m_modalCloser;
};

void ClicksAndKeysTest::init()
{
    WindowTest::init();
    m_opened.clear();
    TMisc::setResponder([this](const QString& target) { m_opened << target; });
    connect(&m_modalCloser, &QTimer::timeout, this, [this] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            m_opened << QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        }
    });
    m_modalCloser.start(10);
}

void ClicksAndKeysTest::cleanup()
{
    m_modalCloser.stop();
    m_modalCloser.disconnect();
    TMisc::setResponder({});
    WindowTest::cleanup();
}

void ClicksAndKeysTest::secondClickOfDoubleClickStaysOnTheFirstWindow_data()
{
    QTest::addColumn<WindowOf>("first");
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<WindowOf>("shown");
    QTest::addColumn<QString>("underThePointer");
    const WindowOf password = [] { return Windows::password(); };
    const WindowOf change = [] { return Windows::cambiaPassword(); };
    const WindowOf start = [] { return Windows::avvio(); };
    const WindowOf comicsMenu = [] { return Windows::menu(KindId::Fumetti); };
    const WindowOf bookCard = [] { return Windows::card(KindId::Libri); };
    QTest::newRow("Chiudi, then Esci") << change << "cmdEsci" << password << "cmdEsci";
    QTest::newRow("comics picture, then open") << start << "btnFumetti" << comicsMenu << "btnCompila";
    QTest::newRow("Annulla of create, then web site")
        << WindowOf([] { return Windows::create(KindId::DVD); }) << "btnAnnulla" << start << "imgSito";
    QTest::newRow("Annulla of open, then web site")
        << WindowOf([] { return Windows::open(KindId::Libri); }) << "btnAnnulla" << start << "imgSito";
    QTest::newRow("card exit, then help") << bookCard << "cmdEsci" << start << "imgGuida";
}

void ClicksAndKeysTest::secondClickOfDoubleClickStaysOnTheFirstWindow()
{
    QFETCH(WindowOf, first);
    QFETCH(QString, clicked);
    QFETCH(WindowOf, shown);
    QFETCH(QString, underThePointer);
    first()->present();
    const ulong interval = ulong(QApplication::doubleClickInterval());

    clickAt(child<QWidget>(first(), clicked), kStart);
    QCOMPARE(visibleWindows(), QList<QWidget*>{shown()});
    secondClickAt(child<QWidget>(shown(), underThePointer), kStart + interval - 20);
    QTest::qWait(50);
    QCOMPARE(visibleWindows(), QList<QWidget*>{shown()});
    QCOMPARE(m_opened, QStringList());

    // A click of its own, after the interval, is the user's and counts.
    clickAt(child<QWidget>(shown(), underThePointer), kStart + interval + 20);
    QTRY_VERIFY(visibleWindows() != QList<QWidget*>{shown()} || !m_opened.isEmpty());
}

void ClicksAndKeysTest::secondClickOfDoubleClickPicksNoFile()
{
    // The real file chooser over a folder full enough that the middle of its list is a file.
    QTemporaryDir folder;
    for (int i = 0; i < 80; ++i)
        writeFileBytes(folder.filePath(QStringLiteral("documento%1.pdf").arg(i, 2, 10, QChar(u'0'))), "x");
    FileDialog::setResponder({});
    QPushButton button(QStringLiteral("Sfoglia..."));
    QObject::connect(&button, &QPushButton::clicked, &button, [&button] {
        FileDialog::Request request;
        request.title = QStringLiteral("Scegli");
        FileDialog::run(&button, request);
    });
    button.show();
    const ulong interval = ulong(QApplication::doubleClickInterval());

    QList<int> selected; // files selected in the list after each click
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->setDirectory(folder.path());
        // The detailed list, as the dialog shows it.
        auto* files = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        QVERIFY(files && files->isVisible());
        QTRY_COMPARE(files->model()->rowCount(files->rootIndex()), 80);
        QVERIFY(files->indexAt(files->viewport()->rect().center()).isValid());
        QCOMPARE(files->selectionModel()->selectedRows().size(), 0);
        // The second click of the double-click on Sfoglia, on the file now under the pointer.
        sendMouse(files->viewport(), QEvent::MouseButtonPress, kStart + interval - 20);
        secondClickAt(files->viewport(), kStart + interval - 20);
        selected << files->selectionModel()->selectedRows().size();
        // A click of its own, after the interval, picks the file.
        clickAt(files->viewport(), kStart + interval + 20);
        selected << files->selectionModel()->selectedRows().size();
        dialog->reject();
    });
    clickAt(&button, kStart);
    QCOMPARE(selected, QList<int>({0, 1}));
}

void ClicksAndKeysTest::secondClickOfDoubleClickClosingADialogStaysOffItsOpener()
{
    m_modalCloser.stop(); // the information window is closed by its own button here
    TfrmAvvio* start = Windows::avvio();
    start->present();
    QWidget* help = child<QWidget>(start, QStringLiteral("imgGuida"));
    const ulong interval = ulong(QApplication::doubleClickInterval());

    bool closedByChiudi = false;
    QTimer::singleShot(0, this, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* info = qobject_cast<TfrmInfo*>(modal);
        if (!info) {
            if (modal)
                modal->close();
            return;
        }
        clickAt(child<QWidget>(info, QStringLiteral("btnChiudi")), kStart);
        closedByChiudi = !info->isVisible();
    });
    clickAt(child<QWidget>(start, QStringLiteral("imgInfo")), kStart - 5000);
    QVERIFY(closedByChiudi);

    // The second click of the double-click on Chiudi, on the help picture of the window beneath.
    m_modalCloser.start(10);
    sendMouse(help, QEvent::MouseButtonPress, kStart + 200);
    secondClickAt(help, kStart + 200);
    QTest::qWait(50);
    QCOMPARE(m_opened, QStringList());

    // A click of its own, after the interval, opens the help.
    clickAt(help, kStart + interval + 20);
    QTRY_COMPARE(m_opened, QStringList{QStringLiteral("TfrmGuida")});
}

void ClicksAndKeysTest::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<bool>("changeWindow");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("shownAfter"); // the window on screen afterwards, "" for none
    for (const auto& [name, key] : {std::pair{"Return", int(Qt::Key_Return)}, std::pair{"Enter", int(Qt::Key_Enter)}}) {
        QTest::addRow("password, Cambia password, %s", name)
            << false << "btnCambiaPassword" << key << "TfrmCambiaPassword";
        QTest::addRow("password, Esci, %s", name) << false << "cmdEsci" << key << "";
        QTest::addRow("change, OK, %s", name) << true << "cmdOK" << key << "TfrmCambiaPassword";
        QTest::addRow("change, Chiudi, %s", name) << true << "cmdEsci" << key << "TfrmPassword";
    }
}

void ClicksAndKeysTest::enterPressesTheFocusedButton()
{
    QFETCH(bool, changeWindow);
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(QString, shownAfter);
    ChainWindow* window = changeWindow ? static_cast<ChainWindow*>(Windows::cambiaPassword()) : Windows::password();
    window->present();
    if (changeWindow) {
        // OK works once the three fields are filled; the old password is wrong, so it answers.
        for (const char* field : {"txtPasswordOld", "txtPasswordNew", "txtConferma"})
            child<QLineEdit>(window, field)->setText(QStringLiteral("prova"));
    }
    auto* target = child<QPushButton>(window, button);
    QVERIFY(target->isEnabled());
    target->setFocus();
    const Qt::KeyboardModifiers modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyClick(target, Qt::Key(key), modifiers);

    QStringList visible;
    for (QWidget* shown : visibleWindows())
        visible << shown->objectName();
    QCOMPARE(visible, shownAfter.isEmpty() ? QStringList() : QStringList{shownAfter});
    if (button == QLatin1String("cmdOK"))
        QCOMPARE(messages().count(), 1);
}

CARTAVOX_TEST_MAIN(ClicksAndKeysTest)
#include "tst_clicks_and_keys.moc"
