// The slide show of the covers of an archive, started from the card windows and driven tick by tick
// through its timer's own signal.
#include "CardArchiveBytes.h"
#include "DamagedPictures.h"
#include "OpenCard.h"
#include "PipeWatch.h"
#include "SamplePicture.h"
#include "TestSupport.h"
#include "TimedClicks.h"
#include "output/SlideShowWindow.h"
#include "storage/CatalogueFile.h"
#include "widgets/FieldHighlight.h"
#include "widgets/PhotoBox.h"
#include "widgets/Picture.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

namespace {
const QString kEmpty = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kAccessError =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere i "
                   "privilegi di scrittura nella cartella di installazione del programma.");
// The offscreen screen is 1366 x 768: the picture area is 1306 x 678.
constexpr QSize kArea(1306, 678);
constexpr QSize kStart(689, 529);

// Photos of shapes a camera and a scanner give, with what the show makes of them on that area.
constexpr QSize kTiny(120, 160);
constexpr QSize kLandscape(3000, 2000);
constexpr QSize kLandscapeShown(1017, 678);
constexpr QSize kPortrait(1000, 1356);
constexpr QSize kPortraitShown(500, 678);

struct Step {
    QString position;
    QSize shown;
};
} // namespace

Q_DECLARE_METATYPE(Step)

class TestSlideShow : public WindowTest {
    Q_OBJECT

private slots:
    void eachKindShowsItsOwnArchive_data() { addKindRows(); }
    void eachKindShowsItsOwnArchive();
    void stepsThroughTheCardsAndStartsAgain_data();
    void stepsThroughTheCardsAndStartsAgain();
    void damagedPhotoShowsTheStartPicture_data();
    void damagedPhotoShowsTheStartPicture();
    void archiveWithoutCardsEndsTheShow_data();
    void archiveWithoutCardsEndsTheShow();
    void failedStepReportsOnceAndTriesAgain();
    void endsOnlyWhenTheViewerAsks_data();
    void endsOnlyWhenTheViewerAsks();
    void secondClickOfADoubleClickStaysOffTheCard();
    void goesOnAfterAMinimise();
    void cardFieldIsYellowAgainAfterTheShow();

private:
    QString archivePath(const Kind& kind) const { return folder().file(QStringLiteral("Prova") + kind.extension); }
    void writeArchive(const Kind& kind, int cards) const
    {
        writeFileBytes(archivePath(kind), sampleArchive(kind, cards));
    }
    void writePhoto(const QString& photoFolder, int card, QSize size) const;
    // Starts the show from `card` and runs `body` on it while it is on screen; the show is closed
    // afterwards if the body left it open. False when no show opened.
    bool runShow(OpenCard& card, const std::function<void(SlideShowWindow*)>& body);
};

namespace {
void tick(SlideShowWindow* show)
{
    QVERIFY(QMetaObject::invokeMethod(show->Timer, "timeout"));
}

QSize shownSize(const SlideShowWindow* show)
{
    return show->imgFoto->pictureArea().size();
}

// The start picture is drawn whole at its own size, its rounded corners over the window's gradient.
bool showsStartPicture(const SlideShowWindow* show)
{
    QImage expected(kStart, QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::transparent);
    QPainter painter(&expected);
    painter.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer(show->imgBianco->resource()).render(&painter, QRectF(expected.rect()));
    painter.end();
    return show->imgFoto->image() == expected;
}
} // namespace

void TestSlideShow::writePhoto(const QString& photoFolder, int card, QSize size) const
{
    QDir(folder().path()).mkpath(photoFolder);
    const QString path = folder().file(QStringLiteral("%1/Prova_Foto_%2.jpg").arg(photoFolder).arg(card));
    if (!samplePicture(size).save(path, "JPEG"))
        qFatal("cannot write %s", qPrintable(path));
}

bool TestSlideShow::runShow(OpenCard& card, const std::function<void(SlideShowWindow*)>& body)
{
    bool ran = false;
    whenModalOpens([&](QWidget* modal) {
        auto* show = qobject_cast<SlideShowWindow*>(modal);
        if (!show)
            return;
        ran = true;
        body(show);
        if (show->isVisible())
            show->reject();
    });
    card.click("cmdSlideshow");
    return ran;
}

void TestSlideShow::eachKindShowsItsOwnArchive()
{
    QFETCH(KindId, kind);
    struct Expected {
        const char* className;
        const char* caption;
        const char* startPicture;
        const char* photoFolder;
    };
    static const KindRows<Expected> shows{
        "shows",
        {{"libri",
          {"TfrmSlideshow_Libri", " Slide Show Catalogo Libri", ":/images/slideshow_libri.svg", "Catalogo_Libri"}},
         {"fumetti",
          {"TfrmSlideshow_Fumetti", " Slide Show Raccolta Fumetti", ":/images/slideshow_fumetti.svg",
           "Raccolta_Fumetti"}},
         {"dvd", {"TfrmSlideshow_DVD", " Slide Show Collezione DVD", ":/images/slideshow_dvd.svg", "Collezione_DVD"}}},
    };
    const Expected& expected = shows.of(kind);
    const Kind& k = Kind::of(kind);
    // Two cards of the kind's own record size: another size would make them one card, or three.
    writeArchive(k, 2);
    writePhoto(QLatin1String(expected.photoFolder), 1, kTiny);
    writePhoto(QLatin1String(expected.photoFolder), 2, kPortrait);
    OpenCard card(kind, archivePath(k));

    const bool ran = runShow(card, [&](SlideShowWindow* show) {
        QCOMPARE(show->metaObject()->className(), expected.className);
        QCOMPARE(show->windowTitle(), QString::fromUtf8(expected.caption));
        QVERIFY(show->windowState() & Qt::WindowMaximized);
        QCOMPARE(show->panContainer->size(), kArea);
        QCOMPARE(show->imgFoto->size(), kArea);
        QCOMPARE(show->imgBianco->resource(), QLatin1String(expected.startPicture));
        QCOMPARE(show->imgBianco->size(), kStart);
        QCOMPARE(child<QLabel>(show, QStringLiteral("lblNome"))->text(), QStringLiteral("Prova"));
        QCOMPARE(child<QLabel>(show, QStringLiteral("lblFile"))->text(), archivePath(k));
        // The first card comes one interval after the start picture appeared.
        QVERIFY(showsStartPicture(show));
        QCOMPARE(shownSize(show), kStart);
        QVERIFY(show->Timer->isActive());
        QCOMPARE(show->Timer->interval(), 6000);
        // Where no window manager maximises it, the window takes the screen once it is exposed.
        QTRY_VERIFY((show->panContainer->geometry().center() - show->rect().center()).manhattanLength() <= 2);

        const QList<Step> steps = {{"1", kTiny}, {"2", kPortraitShown}, {"0", kPortraitShown}, {"1", kTiny}};
        for (const Step& step : steps) {
            tick(show);
            QCOMPARE(show->lblPosizione->text(), step.position);
            QCOMPARE(shownSize(show), step.shown);
        }
    });
    QVERIFY(ran);
    QCOMPARE(messages().count(), 0);
    QVERIFY(card.window->findChildren<SlideShowWindow*>().isEmpty());
}

void TestSlideShow::stepsThroughTheCardsAndStartsAgain_data()
{
    QTest::addColumn<QList<QSize>>("photos"); // of cards 1, 2, ...; an empty size: no photo file
    QTest::addColumn<QList<Step>>("steps");   // after each tick: lblPosizione and the size shown

    QTest::newRow("three cards") << QList<QSize>{kTiny, kLandscape, kPortrait}
                                 << QList<Step>{{"1", kTiny},          {"2", kLandscapeShown}, {"3", kPortraitShown},
                                                {"0", kPortraitShown}, {"1", kTiny},           {"2", kLandscapeShown},
                                                {"3", kPortraitShown}, {"0", kPortraitShown},  {"1", kTiny}};
    QTest::newRow("one card") << QList<QSize>{kLandscape}
                              << QList<Step>{{"1", kLandscapeShown},
                                             {"0", kLandscapeShown},
                                             {"1", kLandscapeShown},
                                             {"0", kLandscapeShown}};
    QTest::newRow("card without photo") << QList<QSize>{QSize(), kTiny}
                                        << QList<Step>{{"1", kStart}, {"2", kTiny}, {"0", kTiny}, {"1", kStart}};
}

void TestSlideShow::stepsThroughTheCardsAndStartsAgain()
{
    QFETCH(QList<QSize>, photos);
    QFETCH(QList<Step>, steps);
    const Kind& kind = Kind::libri();
    writeArchive(kind, int(photos.size()));
    for (int n = 1; n <= photos.size(); ++n)
        if (photos.at(n - 1).isValid())
            writePhoto(QStringLiteral("Catalogo_Libri"), n, photos.at(n - 1));
    const QByteArray archiveBefore = fileBytes(archivePath(kind));

    // The card window sits on the last card with an edit not yet saved: the show leaves both alone.
    OpenCard card(KindId::Libri, archivePath(kind));
    card.click("cmdUltimo");
    card.field(QStringLiteral("Autore"))->setText(QStringLiteral("non salvato"));
    const QString position = card.position();
    const QImage photo = card.photo()->image();

    const bool ran = runShow(card, [&](SlideShowWindow* show) {
        QCOMPARE(shownSize(show), kStart);
        for (const Step& step : steps) {
            tick(show);
            QCOMPARE(show->lblPosizione->text(), step.position);
            QCOMPARE(shownSize(show), step.shown);
            QCOMPARE(show->imgFoto->image().size(), step.shown); // decoded at the size shown
            QCOMPARE(showsStartPicture(show), step.shown == kStart);
            const QPoint offset = show->imgFoto->pictureArea().center() - show->imgFoto->rect().center();
            QVERIFY2(offset.manhattanLength() <= 2, "the picture is centred");
        }
    });
    QVERIFY(ran);
    QCOMPARE(messages().count(), 0);
    QCOMPARE(card.position(), position);
    QCOMPARE(card.field(QStringLiteral("Autore"))->text(), QStringLiteral("non salvato"));
    QCOMPARE(card.title(), QStringLiteral("Scheda %1").arg(photos.size()));
    QCOMPARE(card.photo()->image(), photo);
    QCOMPARE(fileBytes(archivePath(kind)), archiveBefore);
}

void TestSlideShow::damagedPhotoShowsTheStartPicture_data()
{
    QTest::addColumn<QByteArray>("photo"); // empty: a named pipe in the photo's place
    QTest::newRow("cut short") << cutShortJpeg(kLandscape);
    QTest::newRow("progressive, cut short") << cutShortJpeg(kLandscape, true);
    QTest::newRow("an end marker in its scan") << brokenScanJpeg(kLandscape);
    QTest::newRow("a named pipe") << QByteArray();
}

void TestSlideShow::damagedPhotoShowsTheStartPicture()
{
    // The part that decodes must not pass for the cover, with a grey part below it.
    QFETCH(QByteArray, photo);
    const Kind& kind = Kind::libri();
    writeArchive(kind, 2);
    QDir(folder().path()).mkpath(QStringLiteral("Catalogo_Libri"));
    const QString first = folder().file(QStringLiteral("Catalogo_Libri/Prova_Foto_1.jpg"));
    if (photo.isEmpty())
        QVERIFY(::mkfifo(QFile::encodeName(first).constData(), 0666) == 0);
    else
        writeFileBytes(first, photo);
    writePhoto(QStringLiteral("Catalogo_Libri"), 2, kTiny);
    OpenCard card(KindId::Libri, archivePath(kind));

    const bool ran = runShow(card, [&](SlideShowWindow* show) {
        const QList<Step> steps = {{"1", kStart}, {"2", kTiny}, {"0", kTiny}, {"1", kStart}};
        for (const Step& step : steps) {
            QVERIFY2(finishesWithoutWaiting([&] { tick(show); }, first), "waited on a named pipe");
            QCOMPARE(show->lblPosizione->text(), step.position);
            QCOMPARE(shownSize(show), step.shown);
            QCOMPARE(showsStartPicture(show), step.shown == kStart);
        }
    });
    QVERIFY(ran);
    QCOMPARE(messages().count(), 0);
}

void TestSlideShow::archiveWithoutCardsEndsTheShow_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::newRow("empty archive") << true;
    QTest::newRow("archive file missing") << false;
}

void TestSlideShow::archiveWithoutCardsEndsTheShow()
{
    QFETCH(bool, fileExists);
    const Kind& kind = Kind::fumetti();
    if (fileExists)
        writeArchive(kind, 0);
    OpenCard card(KindId::Fumetti, archivePath(kind));

    bool closedByItself = false;
    const bool ran = runShow(card, [&](SlideShowWindow* show) {
        QVERIFY(showsStartPicture(show));
        QCOMPARE(messages().count(), 0);
        tick(show);
        QCOMPARE(messages().count(), 1);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
        QCOMPARE(messages().last().text, kEmpty);
        QCOMPARE(show->lblPosizione->text(), QString());
        QVERIFY(!show->Timer->isActive());
        closedByItself = !show->isVisible();
    });
    QVERIFY(ran);
    QVERIFY(closedByItself);
    QCOMPARE(messages().count(), 1);
    QVERIFY(card.window->findChildren<SlideShowWindow*>().isEmpty());
    // Opening the archive makes a missing file, empty, as every reader of an archive does.
    QVERIFY(QFileInfo(archivePath(kind)).isFile());
    QCOMPARE(card.position(), QString());
}

void TestSlideShow::failedStepReportsOnceAndTriesAgain()
{
    const Kind& kind = Kind::dvd();
    // An archive name that is taken by a folder cannot be opened.
    QVERIFY(QDir(folder().path()).mkdir(QStringLiteral("Prova.dvd")));
    writePhoto(QStringLiteral("Collezione_DVD"), 1, kTiny);
    OpenCard card(KindId::DVD, archivePath(kind));

    const bool ran = runShow(card, [&](SlideShowWindow* show) {
        // Ticks go on while the error box is open; none of them may open a box of its own.
        QList<MessageBox::Shown> boxes;
        MessageBox::setResponder([&](const MessageBox::Shown& shown) {
            boxes.append(shown);
            if (boxes.size() == 1)
                for (int i = 0; i < 3; ++i)
                    tick(show);
            return QMessageBox::Ok;
        });
        tick(show);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().kind, MessageBox::Kind::Error);
        QCOMPARE(boxes.first().text, kAccessError);
        QVERIFY(show->Timer->isActive());
        QVERIFY(showsStartPicture(show));

        // The next tick tries again: once the archive is there, its card is shown.
        QVERIFY(QDir(folder().path()).rmdir(QStringLiteral("Prova.dvd")));
        writeArchive(kind, 1);
        tick(show);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(show->lblPosizione->text(), QStringLiteral("1"));
        QCOMPARE(shownSize(show), kTiny);
    });
    QVERIFY(ran);
}

void TestSlideShow::endsOnlyWhenTheViewerAsks_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("ends");
    QTest::newRow("click on the picture") << "imgFoto" << true;
    QTest::newRow("click on the panel") << "panContainer" << true;
    QTest::newRow("close control") << "close" << true;
    QTest::newRow("Escape") << "Escape" << true;
    QTest::newRow("Enter") << "Enter" << false;
    QTest::newRow("Space") << "Space" << false;
    QTest::newRow("a letter") << "A" << false;
}

void TestSlideShow::endsOnlyWhenTheViewerAsks()
{
    QFETCH(QString, action);
    QFETCH(bool, ends);
    const Kind& kind = Kind::libri();
    writeArchive(kind, 2);
    OpenCard card(KindId::Libri, archivePath(kind));
    card.click("cmdPrimo");

    bool ended = false;
    const bool ran = runShow(card, [&](SlideShowWindow* show) {
        // Still on the start picture: the viewer need not wait for the first card.
        if (action == QLatin1String("close"))
            show->close();
        else if (action == QLatin1String("imgFoto") || action == QLatin1String("panContainer"))
            QTest::mouseClick(child<QWidget>(show, action), Qt::LeftButton, {}, QPoint(5, 5));
        else
            QTest::keyClick(show, QKeySequence::fromString(action)[0].key());
        ended = !show->isVisible();
        QCOMPARE(show->Timer->isActive(), !ended);
        QVERIFY(showsStartPicture(show));
    });
    QVERIFY(ran);
    QCOMPARE(ended, ends);
    QCOMPARE(messages().count(), 0);
    QCOMPARE(card.position(), QStringLiteral("1"));
    QCOMPARE(card.title(), QStringLiteral("Scheda 1"));
    QVERIFY(card.window->isVisible());
}

void TestSlideShow::secondClickOfADoubleClickStaysOffTheCard()
{
    const Kind& kind = Kind::libri();
    writeArchive(kind, 2);
    OpenCard card(KindId::Libri, archivePath(kind));
    card.click("cmdPrimo");

    auto* nuovo = child<QWidget>(card.window, QStringLiteral("cmdNuovo"));
    const bool ran = runShow(card, [&](SlideShowWindow* show) {
        TimedClicks::clickAt(show->imgFoto, TimedClicks::kStart);
        QVERIFY(!show->isVisible());
        // The second click of the double-click, on the button that lies under the picture.
        TimedClicks::sendMouse(nuovo, QEvent::MouseButtonPress, TimedClicks::kStart + 200);
        TimedClicks::secondClickAt(nuovo, TimedClicks::kStart + 200);
    });
    QVERIFY(ran);
    QCOMPARE(card.position(), QStringLiteral("1"));
    QCOMPARE(card.title(), QStringLiteral("Scheda 1"));

    // A click of its own, once a double-click's time has passed, works as ever.
    TimedClicks::clickAt(nuovo, TimedClicks::kStart + ulong(QApplication::doubleClickInterval()) + 20);
    QCOMPARE(card.position(), QString());
    QCOMPARE(card.title(), QString());
}

void TestSlideShow::goesOnAfterAMinimise()
{
    const Kind& kind = Kind::libri();
    writeArchive(kind, 3);
    OpenCard card(KindId::Libri, archivePath(kind));

    const bool ran = runShow(card, [&](SlideShowWindow* show) {
        tick(show);
        QCOMPARE(show->lblPosizione->text(), QStringLiteral("1"));
        // A window manager minimises the card window under the show with it, and brings both back.
        card.window->setWindowState(card.window->windowState() | Qt::WindowMinimized);
        show->setWindowState(show->windowState() | Qt::WindowMinimized);
        card.window->setWindowState(card.window->windowState() & ~Qt::WindowMinimized);
        show->setWindowState(show->windowState() & ~Qt::WindowMinimized);
        QVERIFY(show->isVisible());
        QVERIFY(show->Timer->isActive());
        QCOMPARE(show->Timer->interval(), 6000);
        tick(show);
        QCOMPARE(show->lblPosizione->text(), QStringLiteral("2"));
    });
    QVERIFY(ran);
}

void TestSlideShow::cardFieldIsYellowAgainAfterTheShow()
{
    const Kind& kind = Kind::dvd();
    writeArchive(kind, 1);
    OpenCard card(KindId::DVD, archivePath(kind));
    QApplication::setActiveWindow(card.window);
    QVERIFY(QTest::qWaitForWindowActive(card.window));
    QLineEdit* author = card.field(QStringLiteral("Regista"));
    author->setFocus();
    QCOMPARE(author->palette().color(QPalette::Base), FieldHighlight::kYellow);

    const bool ran = runShow(card, [&](SlideShowWindow* show) {
        QVERIFY(QTest::qWaitForWindowActive(show));
        QTest::mouseClick(show->imgFoto, Qt::LeftButton);
    });
    QVERIFY(ran);
    QTRY_COMPARE(QApplication::activeWindow(), card.window);
    QVERIFY(author->hasFocus());
    QCOMPARE(author->palette().color(QPalette::Base), FieldHighlight::kYellow);
}

CARTAVOX_TEST_MAIN(TestSlideShow)
#include "tst_slide_show.moc"
