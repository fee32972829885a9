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

class SystemButtonsTest : public WindowTest {
    Q_OBJECT

private slots:
    void cleanup();
    void windowStaysOnScreen_data();
    void windowStaysOnScreen();
    void closeFromOutsideIsTheWindowsOwnClose_data();
    void closeFromOutsideIsTheWindowsOwnClose();

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

CARTAVOX_TEST_MAIN(SystemButtonsTest)
#include "tst_system_buttons.moc"
