// The start window and what it leads to: the kinds' menus, the help topics and every help button,
// the information and about windows, and the links with their colours and targets.
#include "TestSupport.h"
#include "cards/CardWindow.h"
#include "folder/ProgramFolder.h"
#include "help/HelpTopics.h"
#include "shell/OpenURL.h"
#include "start/TfrmAvvio.h"
#include "start/TfrmGuida.h"
#include "start/TfrmInfo.h"
#include "start/TfrmPassword.h"
#include "start/TfrmSplash.h"
#include "start/Windows.h"
#include "widgets/LinkLabel.h"
#include "widgets/PictureButton.h"
#include "widgets/Shape.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

namespace {
const QString kWebSite = QStringLiteral("https://www.cartavox.it");
const QString kMail = QStringLiteral("mailto:info@cartavox.it?subject=Software Cartavox&body=Salve, desidererei avere "
                                     "le seguenti informazioni sul software in oggetto:");

// What the start window and the help show of each kind, typed here.
struct KindTexts {
    QString suffix;       // of the start window's controls: imgLibri, btnLibri, appLibri
    QString topic;        // the title of the kind's help topic
    int paragraphs;       // and how many paragraphs it has
    QString exportTopic;  // the title of its export's help topic
    int exportParagraphs; // and how many paragraphs that has
};

const KindRows<KindTexts> kTexts{
    "kTexts",
    {{"libri", {"Libri", "Applicazione Catalogo Libri.", 12, "Esportazione archivio libri in Microsoft Excel.", 3}},
     {"fumetti",
      {"Fumetti", "Applicazione Raccolta Fumetti.", 13, "Esportazione archivio fumetti in Microsoft Excel.", 3}},
     {"dvd", {"DVD", "Applicazione Collezione DVD.", 12, "Esportazione archivio DVD in Microsoft Excel.", 3}}},
};

// Records what the program hands to the desktop instead of opening it.
class OpenProbe final {
public:
    OpenProbe()
    {
        TMisc::setResponder([this](const QString& target) { targets.append(target); });
    }
    ~OpenProbe() { TMisc::setResponder({}); }

    QStringList targets;
};

enum class Opener { Start, Menu, Create, Open, Card };

ChainWindow* windowOf(Opener opener, KindId kind)
{
    switch (opener) {
    case Opener::Start:
        return Windows::avvio();
    case Opener::Menu:
        return Windows::menu(kind);
    case Opener::Create:
        return Windows::create(kind);
    case Opener::Open:
        return Windows::open(kind);
    case Opener::Card:
        break;
    }
    return Windows::card(kind);
}

QStringList shownParagraphs(const QPlainTextEdit* text)
{
    QStringList blocks;
    for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next())
        blocks.append(block.text());
    return blocks;
}

QColor linkColour(const QLabel* link)
{
    return link->palette().color(QPalette::WindowText);
}
} // namespace

Q_DECLARE_METATYPE(Opener)

class TestStartWindow : public WindowTest {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void layout();
    void kindPicturesOpenTheirMenu_data();
    void kindPicturesOpenTheirMenu();
    void topicParagraphs_data();
    void topicParagraphs();
    void startTopicGathersTheKinds();
    void joiningParagraphs_data();
    void joiningParagraphs();
    void helpButtonsOpenTheirTopic_data();
    void helpButtonsOpenTheirTopic();
    void pdfManualInAFolderWithSpaces();
    void aWritableProgramFolderHoldsTheData();
    void informationAndAboutWindows();
    void linkColoursFollowTheMouse();
    void closingEndsTheProgram_data();
    void closingEndsTheProgram();

private:
    TfrmAvvio* showStart();

    std::unique_ptr<OpenProbe> m_opened;
};

void TestStartWindow::init()
{
    WindowTest::init();
    m_opened = std::make_unique<OpenProbe>();
}

void TestStartWindow::cleanup()
{
    m_opened.reset();
    WindowTest::cleanup();
}

TfrmAvvio* TestStartWindow::showStart()
{
    TfrmAvvio* window = Windows::avvio();
    window->present();
    if (!QTest::qWaitForWindowExposed(window))
        qFatal("start window not shown");
    return window;
}

void TestStartWindow::layout()
{
    TfrmAvvio* window = showStart();
    QVERIFY(window->isMaximized());
    QCOMPARE(window->panContainer->size(), QSize(995, 692));
    QCOMPARE(window->panContainer->geometry().center(), window->rect().center());

    // Books, comics, DVDs from left to right; picture, button, note from top to bottom, between
    // the two separators; everything inside the panel.
    const QList<QList<QWidget*>> columns{{window->imgLibri, window->btnLibri, window->appLibri},
                                         {window->imgFumetti, window->btnFumetti, window->appFumetti},
                                         {window->imgDVD, window->btnDVD, window->appDVD}};
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const QList<QWidget*>& column = columns.at(c);
        QVERIFY(column.first()->y() > window->linSepara01->geometry().bottom());
        QVERIFY(column.last()->geometry().bottom() < window->linSepara02->y());
        for (qsizetype r = 0; r < column.size(); ++r) {
            QVERIFY(window->panContainer->rect().contains(column.at(r)->geometry()));
            if (r > 0)
                QVERIFY(column.at(r)->y() > column.at(r - 1)->geometry().bottom());
            if (c > 0)
                QVERIFY(column.at(r)->x() > columns.at(c - 1).at(r)->geometry().right());
        }
    }
    for (QWidget* picture :
         QList<QWidget*>{window->imgInfo, window->imgGuida, window->imgCopyright, window->imgEsci, window->imgSito,
                         window->imgIcona, window->imgTitolo, window->imgSottotitolo})
        QVERIFY2(window->panContainer->rect().contains(picture->geometry()), qPrintable(picture->objectName()));
}

void TestStartWindow::kindPicturesOpenTheirMenu_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QString>("control");
    for (const Kind* kind : Kind::all())
        for (const char* prefix : {"img", "btn", "app"})
            addKindRow(kind->id, prefix) << QLatin1String(prefix) + kTexts.of(*kind).suffix;
}

void TestStartWindow::kindPicturesOpenTheirMenu()
{
    QFETCH(KindId, kind);
    QFETCH(QString, control);
    TfrmAvvio* window = showStart();
    QTest::mouseClick(child<PictureButton>(window, control), Qt::LeftButton);
    QVERIFY(Windows::menu(kind)->isVisible());
    QVERIFY(!window->isVisible());
    for (const Kind* other : Kind::all())
        if (other->id != kind)
            QVERIFY(!Windows::menu(other->id)->isVisible());
}

void TestStartWindow::topicParagraphs_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("count");
    QTest::newRow("start") << QStringLiteral("Uno sguardo a Cartavox.") << 46;
    for (const Kind* kind : Kind::all()) {
        const KindTexts& texts = kTexts.of(*kind);
        QTest::newRow(qPrintable(kind->tag)) << texts.topic << texts.paragraphs;
        QTest::addRow("%s export", qPrintable(kind->tag)) << texts.exportTopic << texts.exportParagraphs;
    }
}

void TestStartWindow::topicParagraphs()
{
    QFETCH(QString, title);
    QFETCH(int, count);
    const QStringList paragraphs = HelpTopics::paragraphs(title);
    QCOMPARE(paragraphs.size(), count);
    for (const QString& paragraph : paragraphs) {
        QVERIFY(!paragraph.trimmed().isEmpty());
        QVERIFY2(!paragraph.contains(u'\n') && !paragraph.contains(u'\r'), qPrintable(paragraph));
    }
}

void TestStartWindow::startTopicGathersTheKinds()
{
    const QStringList start = HelpTopics::paragraphs(HelpTopics::kStartTitle);
    // Four paragraphs of its own, then each kind's topic in the order of the kinds, then its end.
    qsizetype next = 4;
    for (const Kind* kind : Kind::all()) {
        const KindTexts& texts = kTexts.of(*kind);
        QCOMPARE(start.mid(next, texts.paragraphs), HelpTopics::paragraphs(texts.topic));
        next += texts.paragraphs;
    }
    // The one place where a new user learns the initial password.
    QVERIFY(start.at(next + 2).contains(QLatin1String("\"pergamenaverde\"")));
    QVERIFY(HelpTopics::paragraphs(QStringLiteral("Argomento che non esiste.")).isEmpty());
}

void TestStartWindow::joiningParagraphs_data()
{
    QTest::addColumn<QStringList>("paragraphs");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << QStringList{} << QString();
    QTest::newRow("one") << QStringList{QStringLiteral("Uno.")} << QStringLiteral("Uno.");
    QTest::newRow("three") << QStringList{QStringLiteral("Uno."), QStringLiteral("Due."), QStringLiteral("Tre.")}
                           << QStringLiteral("Uno.\r\n\r\nDue.\r\n\r\nTre.");
}

void TestStartWindow::joiningParagraphs()
{
    QFETCH(QStringList, paragraphs);
    QFETCH(QString, text);
    QCOMPARE(HelpTopics::text(paragraphs), text);
}

void TestStartWindow::helpButtonsOpenTheirTopic_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<Opener>("opener");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("title");
    QTest::newRow("start") << KindId::Libri << Opener::Start << QStringLiteral("imgGuida") << HelpTopics::kStartTitle;
    const std::pair<Opener, const char*> openers[] = {
        {Opener::Menu, "menu"}, {Opener::Create, "create"}, {Opener::Open, "open"}, {Opener::Card, "card"}};
    for (const Kind* kind : Kind::all())
        for (const auto& [opener, name] : openers)
            addKindRow(kind->id, name) << opener
                                       << (opener == Opener::Card ? QStringLiteral("cmdGuida")
                                                                  : QStringLiteral("imgGuida"))
                                       << kind->helpTopic;
}

void TestStartWindow::helpButtonsOpenTheirTopic()
{
    QFETCH(KindId, kind);
    QFETCH(Opener, opener);
    QFETCH(QString, button);
    QFETCH(QString, title);
    ChainWindow* window = windowOf(opener, kind);
    window->present();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QList<QLineEdit*> fields = window->findChildren<QLineEdit*>();
    QStringList typed;
    for (QLineEdit* field : fields) {
        field->setText(QStringLiteral("scritto prima: ") + field->objectName());
        typed.append(field->text());
    }

    bool shown = false;
    whenModalOpens([&](QWidget* modal) {
        auto* help = qobject_cast<TfrmGuida*>(modal);
        QVERIFY(help);
        shown = true;
        QCOMPARE(help->parentWidget(), window);
        QCOMPARE(help->lblTitolo->text(), title);
        // One paragraph a line, an empty line between two, nothing before the first or after the last.
        QStringList expected;
        for (const QString& paragraph : HelpTopics::paragraphs(title))
            expected << paragraph << QString();
        expected.removeLast();
        QCOMPARE(shownParagraphs(help->txtGuida), expected);
        QVERIFY(help->txtGuida->isReadOnly());
        QTest::mouseClick(help->btnChiudi, Qt::LeftButton);
    });
    QTest::mouseClick(child<PictureButton>(window, button), Qt::LeftButton);
    QVERIFY(shown);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(window->isVisible());
    for (qsizetype i = 0; i < fields.size(); ++i)
        QCOMPARE(fields.at(i)->text(), typed.at(i));
    QVERIFY(window->findChildren<TfrmGuida*>().isEmpty());
}

void TestStartWindow::pdfManualInAFolderWithSpaces()
{
    const QString spaced = folder().path() + QStringLiteral("Cartella con spazi/");
    QVERIFY(QDir().mkpath(spaced));
    ProgramFolder::setOverride(spaced);
    TfrmAvvio* window = showStart();
    whenModalOpens([](QWidget* modal) {
        auto* help = qobject_cast<TfrmGuida*>(modal);
        QVERIFY(help);
        QTest::mouseClick(help->lnkWeb, Qt::LeftButton);
        QTest::mouseClick(help->imgPDF, Qt::LeftButton);
        help->close();
    });
    QTest::mouseClick(window->imgGuida, Qt::LeftButton);
    QCOMPARE(m_opened->targets, QStringList(2, spaced + QStringLiteral("Guida.pdf")));
    QCOMPARE(messages().count(), 0);
}

void TestStartWindow::aWritableProgramFolderHoldsTheData()
{
    showStart();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(messages().count(), 0); // nothing to say about where the data goes
    const QString shown = folder().path().chopped(1);
    const QStringList start = HelpTopics::paragraphs(HelpTopics::kStartTitle);
    QVERIFY2(start.at(3).contains("si trovano nella cartella del programma (" + shown + "). Per questo motivo,"),
             qPrintable(start.at(3)));
    QVERIFY2(HelpTopics::paragraphs(Kind::dvd().helpTopic)
                 .at(1)
                 .contains("con estensione DVD nella cartella del programma (" + shown + ")."),
             qPrintable(HelpTopics::paragraphs(Kind::dvd().helpTopic).at(1)));
}

void TestStartWindow::informationAndAboutWindows()
{
    TfrmAvvio* window = showStart();
    whenModalOpens([&](QWidget* modal) {
        auto* info = qobject_cast<TfrmInfo*>(modal);
        QVERIFY(info);
        QCOMPARE(info->parentWidget(), window);
        QCOMPARE(info->lnkWeb->text(), QStringLiteral("info@cartavox.it"));
        QTest::mouseClick(info->lnkWeb, Qt::LeftButton);
        QTest::mouseClick(info->imgEmail, Qt::LeftButton);
        QTest::mouseClick(info->btnChiudi, Qt::LeftButton);
    });
    QTest::mouseClick(window->imgInfo, Qt::LeftButton);
    QCOMPARE(m_opened->targets, QStringList(2, kMail));

    m_opened->targets.clear();
    whenModalOpens([&](QWidget* modal) {
        auto* about = qobject_cast<TfrmSplash*>(modal);
        QVERIFY(about);
        QCOMPARE(about->parentWidget(), window);
        QVERIFY(about->windowTitle().contains(QLatin1String("Cartavox Software")));
        QCOMPARE(about->lnkWeb->text(), QStringLiteral("www.cartavox.it"));
        QTest::mouseClick(about->lnkWeb, Qt::LeftButton);
        QTest::mouseClick(about->imgWeb, Qt::LeftButton);
        QTest::mouseClick(about->btnChiudi, Qt::LeftButton);
    });
    QTest::mouseClick(window->imgCopyright, Qt::LeftButton);
    QCOMPARE(m_opened->targets, QStringList(2, kWebSite));

    m_opened->targets.clear();
    QTest::mouseClick(window->imgSito, Qt::LeftButton);
    QCOMPARE(m_opened->targets, QStringList{kWebSite});
    QVERIFY(window->isVisible());
    QVERIFY(window->findChildren<QDialog*>().isEmpty());
}

void TestStartWindow::linkColoursFollowTheMouse()
{
    const QColor darkBlue(0x00, 0x00, 0x8B);
    const QColor orange(0xFF, 0xA5, 0x00);
    TfrmGuida help;
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QCOMPARE(linkColour(help.lnkWeb), darkBlue);

    // Pressing the text or its picture turns the text orange; letting go, dark blue again.
    for (QWidget* target : QList<QWidget*>{help.lnkWeb, help.imgPDF}) {
        QTest::mousePress(target, Qt::LeftButton);
        QCOMPARE(linkColour(help.lnkWeb), orange);
        QTest::mouseRelease(target, Qt::LeftButton);
        QCOMPARE(linkColour(help.lnkWeb), darkBlue);
    }
    QCOMPARE(m_opened->targets.size(), 2);

    // Let go outside the text: no click, and the colour is back all the same.
    QTest::mousePress(help.lnkWeb, Qt::LeftButton);
    QTest::mouseRelease(help.lnkWeb, Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(linkColour(help.lnkWeb), darkBlue);
    QCOMPARE(m_opened->targets.size(), 2);
}

void TestStartWindow::closingEndsTheProgram_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("start window closed") << QStringLiteral("avvio");
    QTest::newRow("exit picture") << QStringLiteral("imgEsci");
    QTest::newRow("password window closed") << QStringLiteral("password");
    QTest::newRow("password window's Esci") << QStringLiteral("cmdEsci");
}

void TestStartWindow::closingEndsTheProgram()
{
    QFETCH(QString, how);
    // As in the program, hiding or closing the last window does not end it by itself.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    TfrmPassword* password = Windows::password();
    TfrmAvvio* start = showStart();
    if (how.startsWith(QLatin1String("p")) || how == QLatin1String("cmdEsci"))
        start->handOverTo(password);
    // The program ends by leaving its event loop; if it did not, the guard leaves it with 1.
    QTimer::singleShot(0, [&] {
        if (how == QLatin1String("avvio"))
            start->close();
        else if (how == QLatin1String("imgEsci"))
            QTest::mouseClick(start->imgEsci, Qt::LeftButton);
        else if (how == QLatin1String("password"))
            password->close();
        else
            QTest::mouseClick(password->cmdEsci, Qt::LeftButton);
    });
    QTimer::singleShot(3000, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(messages().count(), 0);
}

CARTAVOX_TEST_MAIN(TestStartWindow)
#include "tst_start_window.moc"
