// The photo box of the card windows, its four buttons, the card's photo file and the zoom window.
#include "CardArchiveBytes.h"
#include "DamagedPictures.h"
#include "OpenCard.h"
#include "PipeWatch.h"
#include "SamplePicture.h"
#include "TestSupport.h"
#include "TimedClicks.h"
#include "cards/CardWindow.h"
#include "cards/TfrmZoom.h"
#include "folder/CoverPicture.h"
#include "start/Windows.h"
#include "widgets/PhotoBox.h"
#include "widgets/Picture.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTest>

#include <sys/stat.h>

namespace {
constexpr QSize kBox(307, 409);

class Card : public OpenCard {
public:
    using OpenCard::OpenCard;

    void save()
    {
        fillRequired();
        click("cmdSalva");
    }
};

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A JPEG whose pixels lie on their side, with the camera's mark that turns them upright
// (orientation 6: rotate 90 degrees clockwise) in a minimal Exif block.
QByteArray sidewaysJpeg(QSize stored)
{
    const QByteArray jpeg = encoded(samplePicture(stored), "JPEG");
    const QByteArray tiff = QByteArray("MM\x00\x2A\x00\x00\x00\x08", 8) + QByteArray("\x00\x01", 2) +
                            QByteArray("\x01\x12\x00\x03\x00\x00\x00\x01\x00\x06\x00\x00", 12) +
                            QByteArray("\x00\x00\x00\x00", 4);
    const QByteArray payload = QByteArray("Exif\x00\x00", 6) + tiff;
    const int length = int(payload.size()) + 2;
    QByteArray app1 = QByteArray("\xFF\xE1", 2);
    app1 += char(length >> 8);
    app1 += char(length & 0xFF);
    return jpeg.left(2) + app1 + payload + jpeg.mid(2);
}
} // namespace

class TestCoverPhotos : public WindowTest {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void boxFitsWithoutEnlarging_data();
    void boxFitsWithoutEnlarging();
    void loadsSmallAndSavesFullSize_data();
    void loadsSmallAndSavesFullSize();
    void notAPictureShowsThePlaceholder_data();
    void notAPictureShowsThePlaceholder();
    void cancelledDialogsChangeNothing();
    void loadingCreatesTheFolderAndShowsEachCardsOwnPhoto();
    void clearingReachesTheFileOnlyWithSalva();
    void photoThatCannotBeWrittenDoesNotFailTheSave();
    void exportsThePhotoBox();
    void exportDialogAddsTheExtensionAndAsksBeforeReplacing();
    void zoomShowsThePictureFittedToTheScreen_data();
    void zoomShowsThePictureFittedToTheScreen();

private:
    QString archivePath() const { return folder().file(QStringLiteral("Prova.lib")); }
    QString photoPath(int n) const { return folder().file(QStringLiteral("Catalogo_Libri/Prova_Foto_%1.jpg").arg(n)); }

    std::unique_ptr<QTemporaryDir> m_elsewhere; // where the user's own pictures lie
};

void TestCoverPhotos::init()
{
    WindowTest::init();
    m_elsewhere = std::make_unique<QTemporaryDir>();
}

void TestCoverPhotos::cleanup()
{
    m_elsewhere.reset();
    WindowTest::cleanup();
}

void TestCoverPhotos::boxFitsWithoutEnlarging_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("area");
    QTest::newRow("small, at its own size") << QSize(100, 100) << QRect(103, 154, 100, 100);
    QTest::newRow("exactly the box") << kBox << QRect(QPoint(0, 0), kBox);
    QTest::newRow("tall, reduced to the height") << QSize(2000, 3000) << QRect(17, 0, 272, 409);
    QTest::newRow("wide, reduced to the width") << QSize(6000, 4000) << QRect(0, 102, 307, 204);
    QTest::newRow("thin line keeps a pixel") << QSize(4000, 2) << QRect(0, 204, 307, 1);
}

void TestCoverPhotos::boxFitsWithoutEnlarging()
{
    QFETCH(QSize, picture);
    QFETCH(QRect, area);
    PhotoBox box(QStringLiteral("imgFoto"), kBox, nullptr);
    QImage image(picture, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(box.setPicture(CoverPicture(image)));
    QCOMPARE(box.pictureArea(), area);
    QCOMPARE(box.image().size(), area.size());
    QCOMPARE(box.picture().full().size(), picture);
}

void TestCoverPhotos::loadsSmallAndSavesFullSize_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("upright");
    QTest::addColumn<QSize>("shown");

    QTest::newRow("bitmap 2000 x 3000") << encoded(samplePicture(QSize(2000, 3000)), "BMP") << "Copertina.bmp"
                                        << QSize(2000, 3000) << QSize(272, 409);
    QTest::newRow("jpeg 3000 x 2000") << encoded(samplePicture(QSize(3000, 2000)), "JPEG") << "Copertina.jpg"
                                      << QSize(3000, 2000) << QSize(307, 204);
    QTest::newRow("jpeg taken sideways") << sidewaysJpeg(QSize(900, 600)) << "Telefono.jpg" << QSize(600, 900)
                                         << QSize(272, 409);
}

void TestCoverPhotos::loadsSmallAndSavesFullSize()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, name);
    QFETCH(QSize, upright);
    QFETCH(QSize, shown);
    const QString source = m_elsewhere->filePath(name);
    writeFileBytes(source, file);
    Card card(KindId::Libri, archivePath());

    fileDialogs().answerNext(source);
    card.click("btnCaricaFoto");
    QCOMPARE(fileDialogs().requests().size(), 1);
    const FileDialog::Request& request = fileDialogs().requests().constFirst();
    QCOMPARE(request.mode, FileDialog::Request::Mode::Open);
    QCOMPARE(request.title, QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."));
    QCOMPARE(request.filters, QStringList({"Immagine JPEG (*.jpg *.jpeg)", "Immagine Bitmap (*.bmp)"}));
    // Only the pixels the box shows are decoded.
    QCOMPARE(card.photo()->image().size(), shown);
    QCOMPARE(card.photo()->pictureArea().size(), shown);
    QVERIFY(!QFile::exists(photoPath(1)));

    card.save();
    QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
    QImageReader saved(photoPath(1));
    saved.setAutoTransform(true);
    QCOMPARE(saved.format(), QByteArray("jpeg"));
    QCOMPARE(saved.read().size(), upright);
    // A JPEG is written as it came, so saves never wear the photo down.
    if (name.endsWith(QLatin1String(".jpg")))
        QCOMPARE(fileBytes(photoPath(1)), file);

    // Read back by the next visit to the card.
    card.click("cmdNuovo");
    QVERIFY(card.showsPlaceholder());
    card.click("cmdPrimo");
    QCOMPARE(card.photo()->pictureArea().size(), shown);
}

void TestCoverPhotos::notAPictureShowsThePlaceholder_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("instead"); // what stands in the file's place instead of a file
    QTest::newRow("text named .jpg") << QByteArray("questa non è una foto") << QString();
    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("jpeg header only") << QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11) << QString();
    QTest::newRow("jpeg cut short") << cutShortJpeg(QSize(600, 400)) << QString();
    QTest::newRow("a named pipe") << QByteArray() << QStringLiteral("pipe");
    QTest::newRow("a folder") << QByteArray() << QStringLiteral("folder");
}

void TestCoverPhotos::notAPictureShowsThePlaceholder()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, instead);
    const auto lay = [&](const QString& path) {
        if (instead == u"pipe")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0666) == 0);
        else if (instead == u"folder")
            QVERIFY(QDir().mkdir(path));
        else
            writeFileBytes(path, file);
    };
    // A pipe must not keep the window waiting: if it does, the test is freed and fails.
    const auto clickWithout = [&](Card& card, const char* button, const QString& pipe) {
        QVERIFY2(finishesWithoutWaiting([&] { card.click(button); }, pipe), "waited on a named pipe");
    };
    const QString picture = m_elsewhere->filePath(QStringLiteral("vera.jpg"));
    QVERIFY(samplePicture(QSize(200, 100)).save(picture));
    const QString broken = m_elsewhere->filePath(QStringLiteral("rotta.jpg"));
    lay(broken);
    Card card(KindId::Libri, archivePath());
    fileDialogs().answerNext(picture);
    card.click("btnCaricaFoto");
    QVERIFY(!card.showsPlaceholder());

    fileDialogs().answerNext(broken);
    clickWithout(card, "btnCaricaFoto", broken);
    QVERIFY(card.showsPlaceholder());
    QCOMPARE(messages().count(), 0);

    // The same as a card's photo: the card shows the placeholder.
    writeFileBytes(archivePath(), sampleArchive(Kind::libri(), 1));
    QDir().mkpath(QFileInfo(photoPath(1)).path());
    lay(photoPath(1));
    clickWithout(card, "cmdPrimo", photoPath(1));
    QVERIFY(card.showsPlaceholder());
    QCOMPARE(messages().count(), 0);
}

void TestCoverPhotos::cancelledDialogsChangeNothing()
{
    const QString picture = m_elsewhere->filePath(QStringLiteral("vera.jpg"));
    QVERIFY(samplePicture(QSize(200, 100)).save(picture));
    Card card(KindId::Libri, archivePath());
    fileDialogs().answerNext(picture);
    card.click("btnCaricaFoto");
    const QImage shown = card.photo()->image();

    card.click("btnCaricaFoto");
    card.click("btnSalvaFoto");
    QCOMPARE(fileDialogs().requests().size(), 3);
    QCOMPARE(card.photo()->image(), shown);
    QCOMPARE(QDir(m_elsewhere->path()).entryList(QDir::Files), QStringList{QStringLiteral("vera.jpg")});
    QCOMPARE(messages().count(), 0);
}

void TestCoverPhotos::loadingCreatesTheFolderAndShowsEachCardsOwnPhoto()
{
    writeFileBytes(archivePath(), sampleArchive(Kind::libri(), 2));
    Card card(KindId::Libri, archivePath());
    QVERIFY(!QFile::exists(folder().file(QStringLiteral("Catalogo_Libri"))));
    card.click("cmdPrimo");
    QVERIFY(QFileInfo(folder().file(QStringLiteral("Catalogo_Libri"))).isDir());
    QVERIFY(card.showsPlaceholder());

    QVERIFY(samplePicture(QSize(120, 80)).save(photoPath(1), "JPEG"));
    card.click("cmdAvanti");
    card.click("cmdIndietro");
    QCOMPARE(card.photo()->pictureArea().size(), QSize(120, 80));
    // Card 2 has no photo: it must not go on showing card 1's.
    card.click("cmdAvanti");
    QVERIFY(card.showsPlaceholder());
}

void TestCoverPhotos::clearingReachesTheFileOnlyWithSalva()
{
    writeFileBytes(archivePath(), sampleArchive(Kind::libri(), 2));
    QDir().mkpath(QFileInfo(photoPath(1)).path());
    QVERIFY(samplePicture(QSize(120, 80)).save(photoPath(1), "JPEG"));
    const QByteArray photo = fileBytes(photoPath(1));
    Card card(KindId::Libri, archivePath());
    card.click("cmdPrimo");

    card.click("btnCancFoto");
    QVERIFY(card.showsPlaceholder());
    messages().answerNext(QMessageBox::No); // not saved
    card.click("cmdAvanti");
    card.click("cmdIndietro");
    QCOMPARE(fileBytes(photoPath(1)), photo);
    QCOMPARE(card.photo()->pictureArea().size(), QSize(120, 80));
    messages().clear();

    card.click("btnCancFoto");
    card.save();
    QCOMPARE(QImageReader(photoPath(1)).size(), kBox);
    QCOMPARE(messages().count(), 1);
}

void TestCoverPhotos::photoThatCannotBeWrittenDoesNotFailTheSave()
{
    // A file where the photo folder should be: no photo can be written or read.
    writeFileBytes(folder().file(QStringLiteral("Catalogo_Libri")), "non una cartella");
    const QString picture = m_elsewhere->filePath(QStringLiteral("vera.jpg"));
    QVERIFY(samplePicture(QSize(200, 100)).save(picture));
    Card card(KindId::Libri, archivePath());
    fileDialogs().answerNext(picture);
    card.click("btnCaricaFoto");

    // The card is stored all the same, and the user hears that its photo is not.
    card.save();
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Warning);
    QCOMPARE(messages().last().text,
             QStringLiteral("La scheda corrente è stata inserita in archivio.\r\n\r\nAttenzione: la foto della scheda, "
                            "però, non è stata salvata. La foto salvata in precedenza, se c'era, è rimasta com'era."));
    QCOMPARE(fileBytes(archivePath()).size(), Kind::libri().layout.recordSize());
    // The picture stays in the box, for the next Salva to store it.
    QCOMPARE(card.photo()->pictureArea().size(), QSize(200, 100));
}

void TestCoverPhotos::exportsThePhotoBox()
{
    const QString picture = m_elsewhere->filePath(QStringLiteral("grande.bmp"));
    QVERIFY(samplePicture(QSize(1200, 1600)).save(picture, "BMP"));
    Card card(KindId::Libri, archivePath());
    fileDialogs().answerNext(picture);
    card.click("btnCaricaFoto");

    const QString exported = m_elsewhere->filePath(QStringLiteral("Foto.jpg"));
    fileDialogs().answerNext(exported);
    card.click("btnSalvaFoto");
    const FileDialog::Request& request = fileDialogs().requests().constLast();
    QCOMPARE(request.mode, FileDialog::Request::Mode::Save);
    QCOMPARE(request.title, QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."));
    QCOMPARE(request.filters, QStringList{QStringLiteral("File Jpeg (*.jpg)")});
    QCOMPARE(request.proposedName, QStringLiteral("Foto.jpg"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("jpg"));
    QImageReader written(exported);
    QCOMPARE(written.format(), QByteArray("jpeg"));
    QCOMPARE(written.size(), QSize(1200, 1600));
    // The card's own photo file is not touched.
    QVERIFY(!QFile::exists(photoPath(1)));

    // The placeholder is exported like any picture.
    card.click("btnCancFoto");
    fileDialogs().answerNext(exported);
    card.click("btnSalvaFoto");
    QCOMPARE(QImageReader(exported).size(), kBox);
    QCOMPARE(messages().count(), 0);
}

void TestCoverPhotos::exportDialogAddsTheExtensionAndAsksBeforeReplacing()
{
    // Qt's own dialog, driven as a user would: a name typed without extension, then the same
    // name again, which the dialog asks about before replacing.
    letFileDialogsOpen();
    Card card(KindId::Libri, archivePath());
    const QString typed = m_elsewhere->filePath(QStringLiteral("Copertina"));
    const QString written = typed + QStringLiteral(".jpg");
    auto typeName = [typed](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(),
                 QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."));
        child<QLineEdit>(dialog, QStringLiteral("fileNameEdit"))->setText(typed);
        static_cast<QDialog*>(dialog)->accept();
    };
    auto closeIfOpen = [] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    };

    whenModalOpens([&](QWidget* modal) {
        typeName(modal);
        closeIfOpen();
    });
    card.click("btnSalvaFoto");
    QCOMPARE(QImageReader(written).size(), kBox);

    // The second time the dialog asks; "No" keeps the file and leaves the dialog open.
    writeFileBytes(written, "da conservare");
    bool asked = false;
    whenModalOpens([&](QWidget* modal) {
        QTimer::singleShot(0, [&] {
            if (auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = true;
                question->button(QMessageBox::No)->click();
            }
            closeIfOpen();
        });
        typeName(modal);
    });
    card.click("btnSalvaFoto");
    QVERIFY(asked);
    QCOMPARE(fileBytes(written), QByteArray("da conservare"));
}

void TestCoverPhotos::zoomShowsThePictureFittedToTheScreen_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QString>("clickOn");
    QTest::newRow("large photo, click on the photo") << QSize(3000, 2000) << "imgFoto";
    QTest::newRow("placeholder, click beside it") << QSize() << "panContainer";
}

void TestCoverPhotos::zoomShowsThePictureFittedToTheScreen()
{
    QFETCH(QSize, picture);
    QFETCH(QString, clickOn);
    Card card(KindId::Libri, archivePath());
    if (picture.isValid()) {
        const QString path = m_elsewhere->filePath(QStringLiteral("grande.jpg"));
        QVERIFY(samplePicture(picture).save(path, "JPEG"));
        fileDialogs().answerNext(path);
        card.click("btnCaricaFoto");
    }
    const QSize shownPicture = picture.isValid() ? picture : kBox;

    bool checked = false;
    bool closed = false;
    whenModalOpens([&](QWidget* modal) {
        auto* zoom = qobject_cast<TfrmZoom*>(modal);
        QVERIFY(zoom);
        auto check = [&] {
            QCOMPARE(zoom->windowTitle(), QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"));
            QVERIFY(zoom->windowState() & Qt::WindowMaximized);
            const QSize area = zoom->screen()->size() - QSize(60, 90);
            QCOMPARE(zoom->panContainer->size(), area);
            QCOMPARE(zoom->imgFoto->size(), area);
            const QSize fitted = CoverPicture::fittedSize(shownPicture, area);
            QCOMPARE(zoom->imgFoto->pictureArea().size(), fitted);
            QCOMPARE(zoom->imgFoto->image().size(), fitted);
            checked = true;
        };
        check();
        TimedClicks::clickAt(child<QWidget>(zoom, clickOn), TimedClicks::kStart);
        closed = !zoom->isVisible();
        if (!closed)
            zoom->reject();
    });
    card.field(QStringLiteral("Titolo"))->setText(QStringLiteral("Da non perdere"));
    card.click("btnZoomFoto");
    QVERIFY(checked);
    QVERIFY(closed);
    QVERIFY(card.window->findChildren<TfrmZoom*>().isEmpty());

    // The second click of a double-click on the picture lands on the card window, here on the
    // button that would clear the card: it is dropped. A click of its own, later, works as ever.
    auto* nuovo = child<QWidget>(card.window, QStringLiteral("cmdNuovo"));
    TimedClicks::sendMouse(nuovo, QEvent::MouseButtonPress, TimedClicks::kStart + 200);
    TimedClicks::secondClickAt(nuovo, TimedClicks::kStart + 200);
    QCOMPARE(card.title(), QStringLiteral("Da non perdere"));
    messages().answerNext(QMessageBox::No); // not saved
    TimedClicks::clickAt(nuovo, TimedClicks::kStart + ulong(QApplication::doubleClickInterval()) + 20);
    QCOMPARE(card.title(), QString());
}

CARTAVOX_TEST_MAIN(TestCoverPhotos)
#include "tst_cover_photos.moc"
