#include "CardPrintWindow.h"

#include "ReportPrinter.h"
#include "kinds/KindLook.h"
#include "report/Report.h"
#include "report/ReportLayout.h"
#include "shell/Guarded.h"
#include "shell/MessageBox.h"
#include "shell/ProgramFormats.h"
#include "storage/Text.h"
#include "widgets/Look.h"
#include "widgets/PhotoBox.h"
#include "widgets/Picture.h"
#include "widgets/Shape.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include <cmath>
#include <memory>
#include <stdexcept>

namespace {
constexpr QSize kClientSize(364, 287);
constexpr QSize kHolderSize(297, 184); // imgLogo and imgTemp
constexpr QSize kIconSize(48, 48);
// The stock picture is drawn this many times the holder's size, so that it prints sharp enough.
constexpr int kStockScale = 3;

const QString kFailure = QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon "
                                        "fine.\n\r\n\rSi consiglia di ridurre le dimensioni della foto.");

// What tells the print window from the preview window.
struct Texts {
    QString button;
    QString heading;
    QString sentence;
    QString instruction;
    QString info;         // picture of the heading and sentence
    QString instructions; // picture of the instruction
    QString icon;
};

const Texts& textsOf(CardPrintWindow::Action action)
{
    static const Texts print{
        QStringLiteral("Stampa"),
        QStringLiteral("Stampa scheda"),
        QStringLiteral("Questa operazione provvederà a stampare la scheda corrente su carta con i dati immessi "
                       "dall'utente."),
        QStringLiteral("Premere il pulsante Stampa per dare avvio alla stampa oppure premere Annulla per annullare "
                       "l'operazione."),
        QStringLiteral(":/images/stampa_info.svg"),
        QStringLiteral(":/images/stampa_istruzioni.svg"),
        QStringLiteral(":/images/stampa_icona.svg"),
    };
    static const Texts preview{
        QStringLiteral("Mostra anteprima"),
        QStringLiteral("Anteprima di stampa"),
        QStringLiteral("Questa operazione consente di visualizzare in anteprima i dati che appariranno in stampa."),
        QStringLiteral("Fare clic su Mostra anteprima per visualizzare il documento sullo schermo prima di eseguire "
                       "la stampa su carta."),
        QStringLiteral(":/images/anteprima_info.svg"),
        QStringLiteral(":/images/anteprima_istruzioni.svg"),
        QStringLiteral(":/images/anteprima_icona.svg"),
    };
    return action == CardPrintWindow::Action::Print ? print : preview;
}

QString& templateOverride()
{
    static QString path;
    return path;
}

// The pixels a picture needs to print sharp in a box of the template.
QSize printPixels(const ReportObject& box)
{
    const QSizeF mm = box.geometry().size();
    const double perMm = ReportLayout::kPictureDotsPerInch / 25.4;
    return QSize(int(std::ceil(mm.width() * perMm)), int(std::ceil(mm.height() * perMm)));
}

} // namespace

PictureHolder::PictureHolder(const QString& objectName, QSize size, QWidget* parent) : QWidget(parent)
{
    setObjectName(objectName);
    setFixedSize(size);
    hide();
}

CardPrintWindow::CardPrintWindow(const Kind& kind, Action action, QWidget* opener)
    : DialogWindow(opener,
                   action == Action::Print ? QStringLiteral(" Stampa scheda") : QStringLiteral(" Anteprima di stampa"),
                   kClientSize, Placement::CentredOnOpener),
      m_kind(kind), m_action(action)
{
    ProgramFormats::apply();
    const Texts& texts = textsOf(action);

    shpSfondo = new Shape(QStringLiteral("shpSfondo"), this, Qt::white, Look::kSteelBlue, 6);
    shpSfondo->setGeometry(6, 6, 352, 206);

    imgSezione04 = new Picture(QStringLiteral("imgSezione04"), texts.icon, kIconSize, shpSfondo);
    imgSezione04->move(10, 20);
    icoInf01 = new Picture(QStringLiteral("icoInf01"), texts.info, QSize(262, 78), shpSfondo);
    icoInf01->move(66, 16);
    // The texts are drawn in the pictures; these say them to whoever cannot see them.
    icoInf01->setAccessibleName(texts.heading);
    icoInf01->setAccessibleDescription(texts.sentence);

    shpSepara = new Shape(QStringLiteral("shpSepara"), shpSfondo, Look::kLightBlue);
    shpSepara->setGeometry(10, 112, 332, 2);

    imgLogo01 = new Picture(QStringLiteral("imgLogo01"), QStringLiteral(":/images/cartavox.svg"), kIconSize, shpSfondo);
    imgLogo01->move(10, 136);
    icoInf02 = new Picture(QStringLiteral("icoInf02"), texts.instructions, QSize(280, 50), shpSfondo);
    icoInf02->move(66, 134);
    icoInf02->setAccessibleName(texts.instruction);

    Shape* bar = Look::buttonBar(this, 62);
    btnAnnulla = Look::button(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), QSize(140, 36), bar);
    // The bar reaches one pixel past each side of the window.
    btnAnnulla->move(1 + 16, 13);
    btnStampa = Look::button(QStringLiteral("btnStampa"), texts.button, QSize(176, 36), bar);
    btnStampa->move(1 + 16 + 140 + 16, 13);
    // Neither presses itself on Enter from elsewhere; each answers Enter when it has the focus
    // (EnterOnButton).
    for (QPushButton* button : {btnAnnulla, btnStampa}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    setTabOrder(btnAnnulla, btnStampa);
    connect(btnAnnulla, &QPushButton::clicked, this, guarded(this, &CardPrintWindow::btnAnnullaClick));
    connect(btnStampa, &QPushButton::clicked, this, guarded(this, &CardPrintWindow::btnStampaClick));

    imgLogo = new PictureHolder(QStringLiteral("imgLogo"), kHolderSize, this);
    imgTemp = new Picture(QStringLiteral("imgTemp"), QStringLiteral(":/images/stampa_immagine.svg"), kHolderSize, this);
    imgTemp->hide();
}

void CardPrintWindow::setCard(const CardHandoff& card)
{
    m_card = card;
}

void CardPrintWindow::setTemplateOverride(const QString& path)
{
    templateOverride() = path;
}

void CardPrintWindow::FormShow()
{
    btnStampa->setFocus();
    // The whole photo, not the reduction the card window shows: it is printed far larger. It is
    // decoded only when printed, at the size the page needs.
    const bool hasPhoto = m_card && !m_card->photo.isNull();
    imgLogo->setPicture(hasPhoto ? m_card->photo : stockPicture());
}

CoverPicture CardPrintWindow::stockPicture() const
{
    return CoverPicture(Pictures::image(imgTemp->resource(), kHolderSize * kStockScale));
}

void CardPrintWindow::btnAnnullaClick()
{
    reject();
}

void CardPrintWindow::btnStampaClick()
{
    try {
        fillAndOutput();
    } catch (const std::exception&) {
        // Whatever failed (the template, an object of it, the photo, the printer), the user hears
        // the same, and the card window is as it was.
        MessageBox::warning(this, kFailure);
    }
    accept();
}

void CardPrintWindow::fillAndOutput()
{
    const QString path = templateOverride().isEmpty() ? KindLook::of(m_kind).card.printTemplate : templateOverride();
    Report repDocumento = Report::load(path);
    repDocumento.page(1).setOrientation(QPageLayout::Portrait);

    // Decoded at the size the page needs: a camera photo of many megapixels is not decoded whole.
    // A photo that cannot be decoded gives way to the stock picture.
    PictureObject& picture = repDocumento.picture(QStringLiteral("imgLogo"));
    QImage printed = imgLogo->picture().fitted(printPixels(picture));
    if (printed.isNull())
        printed = stockPicture().fitted(printPixels(picture));
    if (printed.isNull())
        throw std::runtime_error("the picture cannot be decoded for printing");
    picture.setPicture(printed);

    if (!m_card)
        throw std::runtime_error("no card was handed to the print window");
    repDocumento.text(QStringLiteral("txtNome")).setText(Text::trimmed(m_card->archiveName));
    for (const QString& field : m_kind.textFields())
        repDocumento.text(QStringLiteral("txt") + field).setText(m_card->card.text(field));
    repDocumento.prepare(ProgramFormats::shortDateFormat());

    // A cancelled print dialog prints nothing and is no failure.
    // The job is the card's: named by its title, or by the template for a card without one.
    const QString title = m_card->card.text(QStringLiteral("Titolo"));
    const QString jobName = title.isEmpty() ? repDocumento.name() : title;
    if (m_action == Action::Print)
        ReportPrinter::print(this, repDocumento, jobName);
    else
        ReportPrinter::preview(this, repDocumento, jobName);
}

void CardPrintWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), verticalGradient(Qt::white, QColor(0xEA, 0xF2, 0xFA), height()));
}
