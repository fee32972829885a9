// The windows without system buttons, under a window manager that draws the buttons all the same:
// a minimise brings the window back with the window beneath it, a maximise changes nothing, and a
// close from the window manager does what the window's own close command does.
#include "OpenCard.h"
#include "TestSupport.h"
#include "TimedClicks.h"

#include "shell/ChainWindow.h"
#include "start/TfrmAvvio.h"
#include "start/TfrmCambiaPassword.h"
#include "start/TfrmPassword.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

namespace {
// How to reach the window: a chain window shown as the program shows it, or a dialog opened by a
// click on a button of the window beneath it (a card window on an empty archive, or the start
// window).
struct Reach {
    std::function<ChainWindow*()> chain;
    KindId card = KindId::Libri;
    QString opener; // the button that opens the dialog; empty for a chain window
    bool fromStart = false;
};

Reach chain(std::function<ChainWindow*()> window)
{
    return {std::move(window), KindId::Libri, QString(), false};
}

Reach dialog(KindId card, const char* opener)
{
    return {{}, card, QLatin1String(opener), false};
}

Reach dialogOfStart(const char* opener)
{
    return {{}, KindId::Libri, QLatin1String(opener), true};
}

// What the window manager sends when its close box is pressed: a close request to the window.
void closeFromOutside(QWidget* window)
{
    QCloseEvent close;
    QCoreApplication::sendEvent(window->windowHandle(), &close);
}
} // namespace

Q_DECLARE_METATYPE(Reach)
using OpenOver = std::function<void(QWidget* card)>;
Q_DECLARE_METATYPE(OpenOver)

class SystemButtonsTest : public WindowTest {
    Q_OBJECT

private slots:
    void cleanup();
    void windowStaysOnScreen_data();
    void windowStaysOnScreen();
    void closeFromOutsideIsTheWindowsOwnClose_data();
    void closeFromOutsideIsTheWindowsOwnClose();
    void closeRequestRightAfterAWindowWentIsIgnored_data();
    void minimisedDialogComesBackWithItsCard_data();
    void minimisedDialogComesBackWithItsCard();
    void closeRequestRightAfterAWindowWentIsIgnored();

private:
    // Runs `body` on the window that `reach` leads to, with the window beneath it (none for a
    // chain window); closes whatever is left open afterwards. False when no window was reached.
    bool onWindow(const Reach& reach, const std::function<void(QWidget* window, QWidget* beneath)>& body);

    std::unique_ptr<OpenCard> m_card;
};

void SystemButtonsTest::cleanup()
{
    m_card.reset();
    WindowTest::cleanup();
    // A close request right after another one closed a window is taken for the rest of a
    // double-click: the next test's first one comes later, as a user's would.
    QTest::qWait(QApplication::doubleClickInterval());
}

bool SystemButtonsTest::onWindow(const Reach& reach, const std::function<void(QWidget*, QWidget*)>& body)
{
    if (reach.chain) {
        ChainWindow* window = reach.chain();
        window->present();
        body(window, nullptr);
        return true;
    }
    QWidget* beneath = nullptr;
    if (reach.fromStart) {
        beneath = Windows::avvio();
        Windows::avvio()->present();
    } else {
        m_card = std::make_unique<OpenCard>(reach.card,
                                            folder().file(QStringLiteral("Prova") + Kind::of(reach.card).extension));
        beneath = m_card->window;
    }
    bool reached = false;
    whenModalOpens([&](QWidget* modal) {
        if (modal && modal->parentWidget() == beneath) {
            reached = true;
            body(modal, beneath);
        }
        if (QWidget* left = QApplication::activeModalWidget())
            left->close();
    });
    QTest::mouseClick(child<QWidget>(beneath, reach.opener), Qt::LeftButton);
    QCoreApplication::sendPostedEvents();
    return reached;
}

namespace {
void addWindowRows()
{
    QTest::addColumn<Reach>("reach");
    QTest::newRow("password") << chain([] { return Windows::password(); });
    QTest::newRow("change password") << chain([] { return Windows::cambiaPassword(); });
    QTest::newRow("information") << dialogOfStart("imgInfo");
    QTest::newRow("about") << dialogOfStart("imgCopyright");
    QTest::newRow("help") << dialog(KindId::DVD, "cmdGuida");
    QTest::newRow("attachments") << dialog(KindId::DVD, "cmdFile");
    QTest::newRow("search") << dialog(KindId::Libri, "cmdTrova");
    QTest::newRow("missing issues") << dialog(KindId::Fumetti, "cmdMancanti");
    QTest::newRow("Dewey") << dialog(KindId::Libri, "btnDewey");
    QTest::newRow("export") << dialog(KindId::Fumetti, "cmdEsporta");
    QTest::newRow("print") << dialog(KindId::DVD, "cmdStampa");
    QTest::newRow("preview") << dialog(KindId::Libri, "cmdAnteprima");
}
} // namespace

void SystemButtonsTest::windowStaysOnScreen_data()
{
    addWindowRows();
}

void SystemButtonsTest::windowStaysOnScreen()
{
    QFETCH(Reach, reach);
    const bool reached = onWindow(reach, [](QWidget* window, QWidget* beneath) {
        const QRect place = window->geometry();
        // A window manager minimises the window beneath a modal one along with it.
        if (beneath)
            beneath->setWindowState(beneath->windowState() | Qt::WindowMinimized);
        window->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!window->isMinimized());
        QVERIFY(window->isVisible());
        if (beneath)
            QVERIFY(!beneath->isMinimized());
        QCOMPARE(QApplication::activeWindow(), window);

        window->setWindowState(Qt::WindowMaximized);
        QTRY_COMPARE(window->windowState(), Qt::WindowNoState);
        QCOMPARE(window->geometry(), place);
    });
    QVERIFY(reached);
}

void SystemButtonsTest::closeFromOutsideIsTheWindowsOwnClose_data()
{
    QTest::addColumn<Reach>("reach");
    QTest::addColumn<QString>("returnsTo");       // the window on screen afterwards
    QTest::addColumn<QString>("underThePointer"); // what the close box lies over in that window
    const QString help = QStringLiteral("cmdGuida");
    QTest::newRow("change password") << chain([] { return Windows::cambiaPassword(); }) << "TfrmPassword"
                                     << "btnCambiaPassword";
    QTest::newRow("search") << dialog(KindId::Libri, "cmdTrova") << "TfrmLibri" << help;
    QTest::newRow("missing issues") << dialog(KindId::Fumetti, "cmdMancanti") << "TfrmFumetti" << help;
    QTest::newRow("Dewey") << dialog(KindId::Libri, "btnDewey") << "TfrmLibri" << help;
    QTest::newRow("export") << dialog(KindId::DVD, "cmdEsporta") << "TfrmDVD" << help;
    QTest::newRow("print") << dialog(KindId::Fumetti, "cmdStampa") << "TfrmFumetti" << help;
    QTest::newRow("preview") << dialog(KindId::Libri, "cmdAnteprima") << "TfrmLibri" << help;
    QTest::newRow("zoom") << dialog(KindId::DVD, "btnZoomFoto") << "TfrmDVD" << help;
    QTest::newRow("slide show") << dialog(KindId::Fumetti, "cmdSlideshow") << "TfrmFumetti" << help;
    QTest::newRow("information") << dialogOfStart("imgInfo") << "TfrmAvvio"
                                 << "imgGuida";
}

void SystemButtonsTest::closeFromOutsideIsTheWindowsOwnClose()
{
    using namespace TimedClicks;
    QFETCH(Reach, reach);
    QFETCH(QString, returnsTo);
    QFETCH(QString, underThePointer);
    const bool reached = onWindow(reach, [](QWidget* window, QWidget*) {
        // The pointer crosses the window on its way to the close box.
        sendMouse(window, QEvent::MouseMove, kStart);
        closeFromOutside(window);
        QVERIFY(!window->isVisible());
    });
    QVERIFY(reached);
    const auto visible = [] {
        QStringList names;
        for (QWidget* shown : visibleWindows())
            names << shown->objectName();
        return names;
    };
    QCOMPARE(visible(), QStringList{returnsTo});

    // What a press on the window beneath opens, if anything.
    QStringList opened;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened << QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        }
    });
    closer.start(10);
    QWidget* target = child<QWidget>(visibleWindows().constFirst(), underThePointer);
    // The second click of a double-click on the close box lands on the window beneath.
    secondClickAt(target, kStart + 200);
    QTest::qWait(50);
    QCOMPARE(visible(), QStringList{returnsTo});
    QCOMPARE(opened, QStringList());

    // A click of the user's own, after the double-click interval, counts.
    clickAt(target, kStart + ulong(QApplication::doubleClickInterval()) + 300);
    QTRY_VERIFY(visible() != QStringList{returnsTo} || !opened.isEmpty());
}

void SystemButtonsTest::closeRequestRightAfterAWindowWentIsIgnored_data()
{
    QTest::addColumn<Reach>("reach");
    QTest::addColumn<QString>("cameToFront");
    // Each is maximised, or as large as the screen, with its close box over the close box of the
    // window that comes to the front when it goes.
    QTest::newRow("zoom") << dialog(KindId::Libri, "btnZoomFoto") << "TfrmLibri";
    QTest::newRow("slide show") << dialog(KindId::DVD, "cmdSlideshow") << "TfrmDVD";
    QTest::newRow("preview") << dialog(KindId::Fumetti, "cmdAnteprima") << "TfrmFumetti";
    QTest::newRow("card") << chain([] {
        Windows::avvio()->present();
        return Windows::card(KindId::Libri);
    }) << "TfrmAvvio";
    QTest::newRow("menu") << chain([] { return Windows::menu(KindId::DVD); }) << "TfrmAvvio";
    QTest::newRow("open") << chain([] { return Windows::open(KindId::Fumetti); }) << "TfrmAvvio";
}

void SystemButtonsTest::closeRequestRightAfterAWindowWentIsIgnored()
{
    QFETCH(Reach, reach);
    QFETCH(QString, cameToFront);
    QPointer<QWidget> front;
    const bool reached = onWindow(reach, [&](QWidget* window, QWidget*) {
        // The first click of a double-click on the close box closes the window...
        closeFromOutside(window);
        QVERIFY(!window->isVisible());
        const QList<QWidget*> shown = visibleWindows();
        QCOMPARE(shown.size(), 1);
        front = shown.constFirst();
        QCOMPARE(front->objectName(), cameToFront);
        // ...and the second lands on the close box of the window that came to the front.
        closeFromOutside(front);
        QVERIFY(front->isVisible());
    });
    QVERIFY(reached);
    QVERIFY(front);
    QVERIFY(front->isVisible());

    // The user's own close, after the double-click interval, closes it.
    if (cameToFront == QLatin1String("TfrmAvvio"))
        return; // closing the start window ends the program
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    closeFromOutside(front);
    QVERIFY(!front->isVisible());
}

void SystemButtonsTest::minimisedDialogComesBackWithItsCard_data()
{
    QTest::addColumn<OpenOver>("open");
    QTest::newRow("zoom") << OpenOver([](QWidget* card) { click(card, QStringLiteral("btnZoomFoto")); });
    // Qt's own windows, as the program opens them when no test stands in for them.
    QTest::newRow("message box") << OpenOver([](QWidget* card) {
        QMessageBox(QMessageBox::Warning, QStringLiteral("Cartavox"), QStringLiteral("Attenzione."), QMessageBox::Ok,
                    card)
            .exec();
    });
    QTest::newRow("file dialog") << OpenOver([](QWidget* card) {
        QFileDialog dialog(card, QStringLiteral("Carica foto"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.exec();
    });
}

void SystemButtonsTest::minimisedDialogComesBackWithItsCard()
{
    QFETCH(OpenOver, open);
    OpenCard card(KindId::DVD, folder().file(QStringLiteral("Prova.dvd")));
    card.window->setWindowState(Qt::WindowMaximized);
    bool reached = false;
    whenModalOpens([&](QWidget* dialog) {
        if (!dialog)
            return;
        reached = true;
        // A window manager minimises the card along with the window that is modal over it.
        card.window->setWindowState(card.window->windowState() | Qt::WindowMinimized);
        dialog->setWindowState(dialog->windowState() | Qt::WindowMinimized);
        QTRY_VERIFY(!dialog->isMinimized());
        QVERIFY(dialog->isVisible());
        QVERIFY(!card.window->isMinimized());
        QVERIFY(card.window->windowState() & Qt::WindowMaximized);
        QCOMPARE(QApplication::activeWindow(), dialog);
        dialog->close();
    });
    open(card.window);
    QVERIFY(reached);
}

CARTAVOX_TEST_MAIN(SystemButtonsTest)
#include "tst_system_buttons.moc"
