#include "SlideShowWindow.h"

#include "app/MessageBox.h"
#include "app/ProgramFormats.h"
#include "cards/CoverPhotos.h"
#include "cards/PhotoBox.h"
#include "storage/CatalogueFile.h"
#include "storage/Text.h"
#include "widgets/Picture.h"
#include "widgets/PictureButton.h"
#include "widgets/Shape.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSvgRenderer>
#include <QShowEvent>
#include <QTimer>

namespace {
const QColor kSteelBlue(0x46, 0x82, 0xB4);
constexpr QSize kStartPictureSize(689, 529);
// Room left around the picture for the window's frame and caption.
constexpr QSize kMargin(60, 90);
constexpr int kStepInterval = 6000;

// A double-click on the picture ends the show with its first click; its second would land on the
// card window beneath, on whatever button lies there. Mouse clicks on that window are dropped for
// the time of a double-click.
class SecondClickGuard final : public QObject {
public:
    explicit SecondClickGuard(QWidget* window) : QObject(qApp), m_window(window)
    {
        qApp->installEventFilter(this);
        QTimer::singleShot(QApplication::doubleClickInterval(), this, &QObject::deleteLater);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease: {
            auto* widget = qobject_cast<QWidget*>(watched);
            return widget && m_window && widget->window() == m_window;
        }
        default:
            return false;
        }
    }

private:
    QPointer<QWidget> m_window;
};

QLabel* hiddenLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->hide();
    return label;
}
} // namespace

SlideShowWindow::SlideShowWindow(const Kind& kind, QWidget* opener)
    : DialogWindow(opener, kind.slideShow.caption, {}, Placement::Maximised), m_kind(kind)
{
    ProgramFormats::apply();
    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->installEventFilter(this);
    imgFoto = new PhotoBox(QStringLiteral("imgFoto"), QSize(), panContainer);
    imgFoto->setCursor(Qt::PointingHandCursor);
    connect(imgFoto, &PhotoBox::clicked, this, &SlideShowWindow::imgFotoClick);

    imgBianco = new Picture(QStringLiteral("imgBianco"), kind.slideShow.startImage, kStartPictureSize, this);
    imgBianco->hide();
    lblFile = hiddenLabel(QStringLiteral("lblFile"), this);
    lblNome = hiddenLabel(QStringLiteral("lblNome"), this);
    lblPosizione = hiddenLabel(QStringLiteral("lblPosizione"), this);
    cmdAvanti = new PictureButton(QStringLiteral("cmdAvanti"), QStringLiteral(":/images/tb_avanti.svg"),
                                  QSize(37, 39), this);
    cmdAvanti->hide();
    connect(cmdAvanti, &PictureButton::clicked, this, &SlideShowWindow::cmdAvantiClick);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(kStepInterval);
    connect(Timer, &QTimer::timeout, this, &SlideShowWindow::TimerTimer);
}

std::unique_ptr<SlideShowWindow> SlideShowWindow::create(const Kind& kind, QWidget* opener)
{
    switch (kind.id) {
    case KindId::Libri:
        return std::make_unique<TfrmSlideshow_Libri>(opener);
    case KindId::Fumetti:
        return std::make_unique<TfrmSlideshow_Fumetti>(opener);
    case KindId::DVD:
        break;
    }
    return std::make_unique<TfrmSlideshow_DVD>(opener);
}

void SlideShowWindow::setArchive(const QString& path, const QString& name)
{
    lblFile->setText(Text::trimmed(path));
    lblNome->setText(Text::trimmed(name));
}

void SlideShowWindow::showEvent(QShowEvent* event)
{
    DialogWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void SlideShowWindow::hideEvent(QHideEvent* event)
{
    // The show ends with its window, however it was closed.
    Timer->stop();
    DialogWindow::hideEvent(event);
}

void SlideShowWindow::FormShow()
{
    const QSize area = screen()->size() - kMargin;
    panContainer->resize(area);
    imgFoto->setGeometry(QRect(QPoint(0, 0), area));
    centrePanel();
    showStartPicture();
    Timer->start();
}

void SlideShowWindow::TimerTimer()
{
    cmdAvantiClick();
}

void SlideShowWindow::cmdAvantiClick()
{
    // A message box runs its own event loop, where the timer goes on ticking: those ticks are
    // dropped, so a failing archive shows one box at a time, not a new one every six seconds.
    if (m_stepping)
        return;
    const QScopedValueRollback stepping(m_stepping, true);
    try {
        CatalogueFile archive(m_kind.layout);
        archive.open(Text::trimmed(lblFile->text()));
        if (Text::trimmed(lblPosizione->text()).isEmpty())
            lblPosizione->setText(QStringLiteral("0"));
        bool isNumber = false;
        const int shown = Text::trimmed(lblPosizione->text()).toInt(&isNumber);
        if (!isNumber)
            throw ArchiveError("the card number is not a number");
        const int count = archive.recordCount();
        if (count == 0) {
            lblPosizione->clear();
            archive.close();
            Timer->stop();
            MessageBox::information(this, QStringLiteral("L'archivio non contiene nessuna scheda."));
            close();
        } else if (shown < count) {
            // The card itself is not shown, but reading it proves the archive can be read.
            archive.readCard(shown + 1);
            lblPosizione->setText(QString::number(shown + 1));
            archive.close();
            subApriFoto();
        } else {
            // After the last card one tick keeps it on show; the next one starts again from card 1.
            lblPosizione->setText(QStringLiteral("0"));
            archive.close();
        }
    } catch (const ArchiveError&) {
        MessageBox::error(this, CatalogueFile::accessErrorText());
    }
}

void SlideShowWindow::subApriFoto()
{
    // A card without a photo of its own, or with one that cannot be read, keeps its turn and shows
    // the start picture: the show is not stopped for it.
    const CoverPicture photo = CoverPhotos::load(m_kind, lblNome->text(), lblPosizione->text());
    if (photo.isNull() || !imgFoto->setPicture(photo))
        showStartPicture();
}

void SlideShowWindow::showStartPicture()
{
    // Drawn on nothing rather than on white, so its rounded corners stand on the window's gradient.
    if (m_startPicture.isNull()) {
        QImage picture(kStartPictureSize, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        Pictures::renderer(imgBianco->resource())->render(&painter, QRectF(picture.rect()));
        painter.end();
        m_startPicture = CoverPicture(picture);
    }
    imgFoto->setPicture(m_startPicture);
}

void SlideShowWindow::resizeEvent(QResizeEvent* event)
{
    DialogWindow::resizeEvent(event);
    centrePanel();
}

void SlideShowWindow::centrePanel()
{
    panContainer->move(std::max(0, (width() - panContainer->width()) / 2),
                       std::max(0, (height() - panContainer->height()) / 2));
}

void SlideShowWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), verticalGradient(kSteelBlue, Qt::white, height()));
}

bool SlideShowWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == panContainer && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        panContainerClick();
    return DialogWindow::eventFilter(watched, event);
}

void SlideShowWindow::imgFotoClick()
{
    endByClick();
}

void SlideShowWindow::panContainerClick()
{
    endByClick();
}

void SlideShowWindow::endByClick()
{
    if (parentWidget())
        new SecondClickGuard(parentWidget()->window());
    close();
}
