// Start-up, the hand-over between chain windows, modal dialogs, the general error handler and
// the end of the program.
#include "TestSupport.h"
#include "UserError.h"
#include "cards/CardWindow.h"
#include "shell/Guarded.h"
#include "shell/ProgramFormats.h"
#include "start/TfrmAvvio.h"
#include "start/TfrmPassword.h"
#include "start/WindowClasses.h"
#include "start/Windows.h"

#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class TestWindowFlow : public WindowTest {
    Q_OBJECT

private slots:
    void knowsEveryWindowClassInOrder();
    void startUpMakesTheChainWindowsInOrder();
    void aChainWindowMakesItsControlsOnceWhenFirstNeeded();
    void cardWindowReturnsToTheStartWindow();
    void dialogsAreFreshAtEachOpening();
    void escapedErrorsAreShownAndTheProgramGoesOn();
    // Last: after it the application has been asked to end.
    void closingTheStartWindowEndsTheProgram();
};

void TestWindowFlow::knowsEveryWindowClassInOrder()
{
    const QStringList expected = {
        "TfrmPassword",       "TfrmAvvio",
        "TfrmAllegaCartella", "TfrmApriLibri",
        "TfrmCambiaPassword", "TfrmCodici_Dewey",
        "TfrmCreaLibri",      "TfrmGuida",
        "TfrmInfo",           "TfrmLibri",
        "TfrmMenuLibri",      "TfrmSlideshow_Libri",
        "TfrmSplash",         "TfrmZoom",
        "TfrmTrovaLibri",     "TfrmExpLibri",
        "TfrmAnteprimaLibri", "TfrmStampaLibri",
        "TfrmMenuDVD",        "TfrmCreaDVD",
        "TfrmApriDVD",        "TfrmDVD",
        "TfrmSlideshow_DVD",  "TfrmTrovaDVD",
        "TfrmExpDVD",         "TfrmAnteprimaDVD",
        "TfrmStampaDVD",      "TfrmMenuFumetti",
        "TfrmCreaFumetti",    "TfrmApriFumetti",
        "TfrmFumetti",        "TfrmSlideshow_Fumetti",
        "TfrmTrovaFumetti",   "TfrmRiepFumettiMancanti",
        "TfrmExpFumetti",     "TfrmAnteprimaFumetti",
        "TfrmStampaFumetti",
    };
    QStringList classes;
    for (const WindowClasses::StartUpStep& step : WindowClasses::startUpOrder()) {
        const std::unique_ptr<QWidget> window(WindowClasses::make(step));
        // The class name is the one the program is known by, visible at run time.
        QCOMPARE(QString::fromLatin1(window->metaObject()->className()), window->objectName());
        QCOMPARE(step.chain, qobject_cast<ChainWindow*>(window.get()) != nullptr);
        classes << window->objectName();
    }
    QCOMPARE(classes, expected);
}

void TestWindowFlow::startUpMakesTheChainWindowsInOrder()
{
    // A dialog is made at each opening; start-up makes none that would never be shown.
    const QStringList expected = {
        "TfrmPassword", "TfrmAvvio",       "TfrmApriLibri",   "TfrmCambiaPassword", "TfrmCreaLibri",
        "TfrmLibri",    "TfrmMenuLibri",   "TfrmMenuDVD",     "TfrmCreaDVD",        "TfrmApriDVD",
        "TfrmDVD",      "TfrmMenuFumetti", "TfrmCreaFumetti", "TfrmApriFumetti",    "TfrmFumetti",
    };
    QStringList created;
    for (QWidget* window : Windows::all()) {
        QCOMPARE(QString::fromLatin1(window->metaObject()->className()), window->objectName());
        QVERIFY(!window->isVisible());
        created << window->objectName();
    }
    QCOMPARE(created, expected);
    QCOMPARE(ProgramFormats::shortDateFormat(), QStringLiteral("dd/MM/yyyy"));
}

void TestWindowFlow::aChainWindowMakesItsControlsOnceWhenFirstNeeded()
{
    // Until then it costs the start-up nothing.
    for (QWidget* window : Windows::all())
        QVERIFY2(window->findChildren<QWidget*>().isEmpty(), qPrintable(window->objectName()));

    // Asked for by name, it comes with its controls; shown again and again, it keeps the same ones.
    CardWindow* card = Windows::card(KindId::Libri);
    QCOMPARE(card->findChildren<QLineEdit*>(QStringLiteral("txtTitolo")).size(), 1);
    for (int showing = 0; showing < 2; ++showing) {
        Windows::avvio()->handOverTo(card);
        QVERIFY(card->isVisible());
        card->close();
    }
    QCOMPARE(card->findChildren<QLineEdit*>(QStringLiteral("txtTitolo")).size(), 1);

    // Shown by any way at all, it has them before it shows.
    QWidget* create = Windows::all().at(Windows::all().indexOf(Windows::menu(KindId::DVD)) + 1);
    QCOMPARE(create->objectName(), QStringLiteral("TfrmCreaDVD"));
    QVERIFY(create->findChildren<QWidget*>().isEmpty());
    create->show();
    QVERIFY(create->findChild<QLineEdit*>(QStringLiteral("txtFile")));
    QVERIFY(create->findChild<QLineEdit*>(QStringLiteral("txtFile"))->isVisible());
    create->hide();
}

void TestWindowFlow::cardWindowReturnsToTheStartWindow()
{
    for (const Kind* kind : Kind::all()) {
        CardWindow* card = Windows::card(kind->id);
        // The close box and the exit picture return alike.
        for (const bool closeBox : {true, false}) {
            Windows::avvio()->handOverTo(card);
            QVERIFY(card->isVisible());
            QVERIFY(!Windows::avvio()->isVisible());
            if (closeBox)
                card->close();
            else
                click(card, QStringLiteral("cmdEsci"));
            QVERIFY(!card->isVisible());
            QVERIFY(Windows::avvio()->isVisible());
        }
    }
}

void TestWindowFlow::dialogsAreFreshAtEachOpening()
{
    CardWindow* card = Windows::card(KindId::DVD);
    card->present();
    QList<QPointer<QWidget>> opened;
    for (int opening = 0; opening < 2; ++opening) {
        whenModalOpens([&](QWidget* dialog) {
            QVERIFY(dialog);
            QCOMPARE(QString::fromLatin1(dialog->metaObject()->className()), QStringLiteral("TfrmGuida"));
            QCOMPARE(dialog->parentWidget(), card);
            QVERIFY(card->isVisible());
            opened << dialog;
            static_cast<QDialog*>(dialog)->reject();
        });
        click(card, QStringLiteral("cmdGuida"));
    }
    QCOMPARE(opened.size(), 2);
    for (const QPointer<QWidget>& dialog : opened)
        QVERIFY(dialog.isNull());
    QVERIFY(card->isVisible());
}

void TestWindowFlow::escapedErrorsAreShownAndTheProgramGoesOn()
{
    // A connected handler: the error stops at the handler, before Qt's event code. A text written
    // for the user is shown as it is; the library's own texts never are.
    const QString unexpected = QStringLiteral("Attenzione: l'operazione richiesta non è andata a buon fine per un "
                                              "errore imprevisto.\r\n\r\nNulla di quanto già salvato è andato "
                                              "perduto.");
    const QList<std::pair<std::function<void()>, QString>> errors = {
        {[] { throw UserError(QStringLiteral("Nome di file non valido: àè")); },
         QStringLiteral("Nome di file non valido: àè")},
        {[] { throw std::bad_alloc(); }, unexpected},
        {[] { std::vector<char>().reserve(std::size_t(-1)); }, unexpected},
        {[] { throw std::runtime_error("cannot open /tmp/x"); }, unexpected},
    };
    for (const auto& [error, text] : errors) {
        struct Thrower : QObject {
            std::function<void()> error;
            void click() { error(); }
        } thrower;
        thrower.error = error;
        QPushButton button(QStringLiteral("Prova"));
        QObject::connect(&button, &QPushButton::clicked, &thrower, guarded(&thrower, &Thrower::click));
        button.show();
        messages().clear();
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(messages().count(), 1);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Plain);
        QCOMPARE(messages().last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(messages().last().text, text);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(messages().count(), 2);
    }

    // An event override: the application's notify() is the net, with the same box.
    struct Failing : QObject {
        bool event(QEvent* event) override
        {
            if (event->type() == QEvent::User)
                throw 42;
            return QObject::event(event);
        }
    } failing;
    QEvent event(QEvent::User);
    QVERIFY(!QCoreApplication::sendEvent(&failing, &event));
    QCOMPARE(messages().count(), 3);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Plain);
    QCOMPARE(messages().last().text, unexpected);
}

void TestWindowFlow::closingTheStartWindowEndsTheProgram()
{
    // Other chain windows merely hidden do not keep the program alive.
    Windows::card(KindId::Libri)->present();
    Windows::card(KindId::Libri)->hide();
    Windows::avvio()->present();
    QTimer::singleShot(0, Windows::avvio(), &QWidget::close);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
}

CARTAVOX_TEST_MAIN(TestWindowFlow)
#include "tst_window_flow.moc"
