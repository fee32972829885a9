#include "TfrmCodici_Dewey.h"

#include "ResultList.h"
#include "lists/DeweyTable.h"
#include "lists/ListText.h"
#include "shell/Guarded.h"
#include "storage/Text.h"
#include "widgets/Fonts.h"
#include "widgets/Look.h"
#include "widgets/Picture.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace {
constexpr QRect kListGeometry(20, 184, 822, 288);
constexpr QSize kPictureSize(540, 120);
constexpr int kItemWidth = 760;
constexpr int kLoadDelay = 1000; // milliseconds

const QColor kDarkGreen(0x00, 0x64, 0x00);
} // namespace

TfrmCodici_Dewey::TfrmCodici_Dewey(QWidget* opener)
    : ListWindow(opener, QStringLiteral(" Tabella Codici Dewey"),
                 {.clientSize = QSize(861, 561),
                  .rigo01 = QStringLiteral("Immettere una o più parole consecutive presenti nella voce in elenco da "
                                           "cercare e premere il pulsante Trova."),
                  .rigo03 = QStringLiteral("Per importare un codice Dewey dall'elenco, selezionarlo con un doppio "
                                           "clic."),
                  .rigo01Box = QRect(20, 104, 822, 18),
                  .rigo02Box = QRect(20, 122, 822, 18),
                  .findBox = QRect(20, 147, 690, 28),
                  .listBox = kListGeometry,
                  .itemWidth = kItemWidth,
                  .printTitle = QStringLiteral("Tabella Codici Dewey")})
{
    icoDewey = new Picture(QStringLiteral("icoDewey"), QStringLiteral(":/images/dewey_titolo.svg"), QSize(620, 90),
                           panContainer);
    icoDewey->move((width() - icoDewey->width()) / 2, 8);

    panDewey = new Picture(QStringLiteral("panDewey"), QStringLiteral(":/images/dewey_attesa.svg"), kPictureSize,
                           panContainer);
    panDewey->move(kListGeometry.x() + (kListGeometry.width() - kPictureSize.width()) / 2,
                   kListGeometry.y() + (kListGeometry.height() - kPictureSize.height()) / 2);

    lblAttendere = new QLabel(QStringLiteral("Stampa in corso. Attendere..."), panContainer);
    lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    QFont waiting = programFont(QStringLiteral("Verdana"), 12);
    waiting.setItalic(true);
    lblAttendere->setFont(waiting);
    setTextColour(lblAttendere, kDarkGreen);
    lblAttendere->setGeometry(20, kBarTop + 20, 400, 20);
    lblAttendere->hide();
    btnStampa->installEventFilter(this);

    lblMemory = new QLabel(panContainer);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    timCarica = new QTimer(this);
    timCarica->setObjectName(QStringLiteral("timCarica"));
    timCarica->setSingleShot(true);
    timCarica->setInterval(kLoadDelay);
    connect(timCarica, &QTimer::timeout, this, guarded(this, &TfrmCodici_Dewey::timCaricaTimer));
}

QuickFind& TfrmCodici_Dewey::quickFind()
{
    // Outlives every opening of the window.
    static QuickFind find;
    return find;
}

void TfrmCodici_Dewey::FormShow()
{
    txtTrova->clear();
    lstRecords->clearCards();
    timCarica->start();
    txtTrova->setFocus();
}

void TfrmCodici_Dewey::timCaricaTimer()
{
    timCarica->stop();
    lstRecords->setLines(DeweyTable::rows());
    panDewey->hide();
}

void TfrmCodici_Dewey::lineChosen(int row)
{
    if (row >= 0 && Text::trimmed(lblMemory->text()) == QLatin1String("libri"))
        emit codeChosen(lstRecords->lines().at(row).left(3));
}

void TfrmCodici_Dewey::btnStampaMouseDown()
{
    lblAttendere->show();
    // Printing keeps the event loop busy: draw the waiting text now, or it would never be seen.
    lblAttendere->repaint();
}

void TfrmCodici_Dewey::btnStampaClick()
{
    ListWindow::btnStampaClick();
    lblAttendere->hide();
}

void TfrmCodici_Dewey::FormClose()
{
    timCarica->stop();
}

bool TfrmCodici_Dewey::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (watched == btnStampa && (press || event->type() == QEvent::MouseButtonRelease)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // A press that leaves Stampa without clicking it prints nothing: take the waiting text away.
        if (press && mouse->button() == Qt::LeftButton)
            btnStampaMouseDown();
        else if (!press && !btnStampa->rect().contains(mouse->position().toPoint()))
            lblAttendere->hide();
    }
    return ListWindow::eventFilter(watched, event);
}
