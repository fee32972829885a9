// Where the windows appear: maximised windows keep a normal size that a user can restore to
// with the title bar on the screen, and centred windows centre what the user sees.
#include "TestSupport.h"

#include "cards/CardWindow.h"
#include "shell/ChainWindow.h"
#include "start/TfrmAvvio.h"
#include "start/TfrmCambiaPassword.h"
#include "start/TfrmPassword.h"
#include "start/Windows.h"

#include <QDialog>
#include <QScreen>
#include <QTemporaryFile>
#include <QTest>

namespace {
QRect available()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

using WindowOf = std::function<ChainWindow*()>;
} // namespace

Q_DECLARE_METATYPE(WindowOf)

class WindowPlacementTest : public WindowTest {
    Q_OBJECT

private slots:
    void maximisedWindowsRestoreBelowTheTitleBar_data();
    void maximisedWindowsRestoreBelowTheTitleBar();
    void centredWindowsCentreTheirClientArea();
};

void WindowPlacementTest::maximisedWindowsRestoreBelowTheTitleBar_data()
{
    QTest::addColumn<WindowOf>("window");
    QTest::newRow("start") << WindowOf([] { return Windows::avvio(); });
    QTest::newRow("menu") << WindowOf([] { return Windows::menu(KindId::Libri); });
    QTest::newRow("create") << WindowOf([] { return Windows::create(KindId::Fumetti); });
    QTest::newRow("open") << WindowOf([] { return Windows::open(KindId::DVD); });
    QTest::newRow("card") << WindowOf([] { return static_cast<ChainWindow*>(Windows::card(KindId::Libri)); });
}

void WindowPlacementTest::maximisedWindowsRestoreBelowTheTitleBar()
{
    QFETCH(WindowOf, window);
    // Twice: the second time the window's real frame is known.
    for (int showing = 0; showing < 2; ++showing) {
        window()->present();
        QVERIFY(window()->isMaximized());
        const QRect normal = window()->normalGeometry();
        const QMargins frame = window()->windowHandle()->frameMargins();
        QVERIFY2(available().contains(normal.marginsAdded(frame)), qPrintable(QDebug::toString(normal)));
        // Before the window has been on screen its title bar is not known: room is left for one.
        if (showing == 0)
            QVERIFY(normal.top() - available().top() >= 20);
        QVERIFY(normal.width() >= 900 && normal.height() >= 600);
        window()->hide();
    }
}

void WindowPlacementTest::centredWindowsCentreTheirClientArea()
{
    for (ChainWindow* window :
         {static_cast<ChainWindow*>(Windows::password()), static_cast<ChainWindow*>(Windows::cambiaPassword())}) {
        window->present();
        QCOMPARE(window->geometry().center(), available().center());
        QVERIFY(window->frameGeometry().top() < window->geometry().top());
        window->hide();
    }
    // A dialog window centred on the screen: the information window of the start window.
    Windows::avvio()->present();
    QRect dialog;
    whenModalOpens([&](QWidget* modal) {
        QVERIFY(modal);
        dialog = modal->geometry();
        modal->close();
    });
    click(Windows::avvio(), QStringLiteral("imgInfo"));
    QCOMPARE(dialog.center(), available().center());
}

// The tests' usual screen has no window frames; here the frame must be there, to tell the
// frame's corner from the client area's.
int main(int argc, char** argv)
{
    QTemporaryFile config(QDir::tempPath() + QStringLiteral("/cartavox-screen-XXXXXX.json"));
    if (!config.open())
        qFatal("cannot write the screen configuration");
    config.write(R"({"windowFrameMargins": true, "screens": [{"name": "Schermo", "x": 0, "y": 0,
                     "width": 1366, "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    Application app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    WindowPlacementTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window_placement.moc"
