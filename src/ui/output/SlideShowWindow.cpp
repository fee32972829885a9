#include "SlideShowWindow.h"

#include "folder/CoverPhotos.h"
#include "kinds/KindLook.h"
#include "shell/Guarded.h"
#include "shell/MessageBox.h"
#include "storage/CatalogueFile.h"
#include "storage/Text.h"
#include "widgets/PhotoBox.h"
#include "widgets/Picture.h"
#include "widgets/PictureButton.h"

#include <QHideEvent>
#include <QLabel>
#include <QPainter>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QSvgRenderer>
#include <QTimer>

namespace {
constexpr QSize kStartPictureSize(689, 529);
constexpr int kStepInterval = 6000;

QLabel* hiddenLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->hide();
    return label;
}
} // namespace

SlideShowWindow::SlideShowWindow(const Kind& kind, QWidget* opener)
    : PictureWindow(opener, KindLook::of(kind).slideShow.caption), m_kind(kind)
{
    imgBianco =
        new Picture(QStringLiteral("imgBianco"), KindLook::of(kind).slideShow.startImage, kStartPictureSize, this);
    imgBianco->hide();
    lblFile = hiddenLabel(QStringLiteral("lblFile"), this);
    lblNome = hiddenLabel(QStringLiteral("lblNome"), this);
    lblPosizione = hiddenLabel(QStringLiteral("lblPosizione"), this);
    // A screen reader names the picture after the show; a click on it ends the show, as Esc does.
    imgFoto->setAccessibleName(KindLook::of(kind).slideShow.caption.trimmed());
    cmdAvanti = new PictureButton(QStringLiteral("cmdAvanti"), QStringLiteral(":/images/tb_avanti.svg"),
                                  QStringLiteral("Foto successiva"), QSize(37, 39), this);
    cmdAvanti->hide();
    connect(cmdAvanti, &PictureButton::clicked, this, guarded(this, &SlideShowWindow::cmdAvantiClick));

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(kStepInterval);
    connect(Timer, &QTimer::timeout, this, guarded(this, &SlideShowWindow::TimerTimer));
}

void SlideShowWindow::setCard(const CardHandoff& card)
{
    lblFile->setText(Text::trimmed(card.archivePath));
    lblNome->setText(Text::trimmed(card.archiveName));
}

void SlideShowWindow::hideEvent(QHideEvent* event)
{
    // The show ends with its window, however it was closed, and waits while it is minimised.
    Timer->stop();
    PictureWindow::hideEvent(event);
}

void SlideShowWindow::showEvent(QShowEvent* event)
{
    PictureWindow::showEvent(event);
    // Back from a minimise (the window system shows it again, not the program): the show goes on
    // from the card it was on.
    if (event->spontaneous())
        Timer->start();
}

void SlideShowWindow::FormShow()
{
    fitToScreen();
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
        const qint64 shown = Text::trimmed(lblPosizione->text()).toLongLong(&isNumber);
        if (!isNumber)
            throw ArchiveError("the card number is not a number");
        const qint64 count = archive.recordCount();
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

void SlideShowWindow::imgFotoClick()
{
    close();
}

void SlideShowWindow::panContainerClick()
{
    close();
}
