#include "TfrmAvvio.h"

#include "Help.h"
#include "TfrmInfo.h"
#include "TfrmSplash.h"
#include "Windows.h"
#include "brand/Maker.h"
#include "folder/ProgramFolder.h"
#include "help/HelpTopics.h"
#include "kinds/KindLook.h"
#include "shell/Guarded.h"
#include "shell/MessageBox.h"
#include "shell/OpenURL.h"
#include "shell/ProgramFormats.h"
#include "widgets/Accessibility.h"
#include "widgets/CentredPanel.h"
#include "widgets/Look.h"
#include "widgets/Picture.h"
#include "widgets/PictureButton.h"
#include "widgets/Shape.h"

#include <QApplication>
#include <QLabel>
#include <QMap>

#include <algorithm>
#include <tuple>

namespace {
constexpr QSize kPanelSize(995, 692);
constexpr QSize kIconSize(32, 32);
constexpr QSize kKindPictureSize(260, 200);
constexpr QSize kKindButtonSize(260, 48);
constexpr QSize kKindNoteSize(280, 80);
// The kinds share the panel's width equally; their pictures are drawn for a share of a third and
// shrink alike, each about its own middle, in a narrower one.
constexpr int kDesignedShare = kPanelSize.width() / 3;
constexpr int kMargin = 14;

QString image(const QString& name)
{
    return QStringLiteral(":/images/%1.svg").arg(name);
}

QString whereDataGoesText(const QString& readOnly)
{
    return QStringLiteral("Il programma non può scrivere nella propria cartella:\r\n%1\r\n\r\n"
                          "I nuovi archivi, le modifiche alle schede con le foto e i documenti allegati, le "
                          "esportazioni e la password vengono quindi salvati nella cartella:\r\n%2\r\n\r\n"
                          "Per una copia di sicurezza dei dati è questa la cartella da copiare. Gli archivi della "
                          "cartella del programma restano nell'elenco, e ciascuno viene copiato qui la prima volta "
                          "che lo si apre.")
        .arg(ProgramFolder::asShown(readOnly), ProgramFolder::asShown(ProgramFolder::path()));
}

// The pictures of a kind are named after its tag: avvio_libri, avvio_btn_libri, avvio_nota_libri.
QString kindImage(const char* prefix, const Kind& kind)
{
    return image(QLatin1String(prefix) + kind.tag);
}
} // namespace

TfrmAvvio::TfrmAvvio() : ChainWindow(QStringLiteral(" Cartavox"), Placement::Maximised)
{
    ProgramFormats::apply();
}

void TfrmAvvio::buildControls()
{
    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setFixedSize(kPanelSize);
    new CentredPanel(this, panContainer, Look::kCardBlue);
    auto* card = new Shape(QStringLiteral("shpContainer"), panContainer, QColor(255, 255, 255, 150),
                           QColor(255, 255, 255, 220), 10, 1.5);
    card->setGeometry(QRect(QPoint(0, 0), kPanelSize));

    // Title row: the product's icon and name, and what it is for.
    const int titleWidth = 64 + 14 + 420;
    const int titleLeft = (kPanelSize.width() - titleWidth) / 2;
    imgIcona =
        new Picture(QStringLiteral("imgIcona"), image(QStringLiteral("avvio_icona")), QSize(64, 64), panContainer);
    imgIcona->move(titleLeft, 18);
    imgTitolo =
        new Picture(QStringLiteral("imgTitolo"), image(QStringLiteral("avvio_titolo")), QSize(420, 70), panContainer);
    imgTitolo->move(titleLeft + 64 + 14, 15);
    imgSottotitolo = new Picture(QStringLiteral("imgSottotitolo"), image(QStringLiteral("avvio_sottotitolo")),
                                 QSize(900, 40), panContainer);
    imgSottotitolo->move((kPanelSize.width() - 900) / 2, 98);
    imgSottotitolo->setAccessibleName(
        QStringLiteral("Cataloga libri, fumetti e DVD in schedari con foto di "
                       "copertine e locandine, e guarda lo slide show di ogni raccolta."));

    linSepara01 = new Shape(QStringLiteral("linSepara01"), panContainer, Look::kSteelBlue);
    linSepara01->setGeometry(20, 156, kPanelSize.width() - 40, 2);

    // A column for each kind, books, comics and DVDs from left to right: picture, button picture,
    // note. The three pictures of a column open the kind's menu.
    const auto openMenu = guarded(this, &TfrmAvvio::showMenu);
    const QList<const Kind*>& kinds = Kind::all();
    const int share = kPanelSize.width() / int(kinds.size());
    const qreal scale = std::min(1.0, qreal(share) / kDesignedShare);
    QMap<KindId, KindColumn> columns;
    QList<QWidget*> tabOrder;
    for (qsizetype i = 0; i < kinds.size(); ++i) {
        const KindId id = kinds.at(i)->id;
        const KindColumn column = addKindColumn(*kinds.at(i), int(i) * share + share / 2, scale);
        for (PictureButton* part : {column.picture, column.button, column.note})
            connect(part, &PictureButton::clicked, this, [openMenu, id] { openMenu(id); });
        columns.insert(id, column);
        tabOrder.append(column.picture);
    }
    // The shipped kinds' columns, by the names the program documents them with.
    std::tie(imgLibri, btnLibri, appLibri) = columns.value(KindId::Libri).parts();
    std::tie(imgFumetti, btnFumetti, appFumetti) = columns.value(KindId::Fumetti).parts();
    std::tie(imgDVD, btnDVD, appDVD) = columns.value(KindId::DVD).parts();

    linSepara02 = new Shape(QStringLiteral("linSepara02"), panContainer, Look::kSteelBlue);
    linSepara02->setGeometry(20, 546, kPanelSize.width() - 40, 2);

    const int right = kPanelSize.width() - kMargin - kIconSize.width();
    const int bottom = kPanelSize.height() - kMargin - kIconSize.height();
    // The small pictures say what they do when pointed at, and to a screen reader.
    imgInfo = addPicture(QStringLiteral("imgInfo"), image(QStringLiteral("avvio_info")),
                         QStringLiteral("Informazioni su Cartavox"), kIconSize, {kMargin, kMargin});
    imgGuida = addPicture(QStringLiteral("imgGuida"), image(QStringLiteral("avvio_guida")), QStringLiteral("Guida"),
                          kIconSize, {right, kMargin});
    imgCopyright = addPicture(QStringLiteral("imgCopyright"), image(QStringLiteral("avvio_copyright")),
                              QStringLiteral("Crediti"), kIconSize, {kMargin, bottom});
    imgEsci = addPicture(QStringLiteral("imgEsci"), image(QStringLiteral("avvio_esci")),
                         QStringLiteral("Esci dal programma"), kIconSize, {right, bottom});
    imgSito = addPicture(QStringLiteral("imgSito"), image(QStringLiteral("avvio_sito")), Maker::kWebSiteShown,
                         QSize(600, 36), {(kPanelSize.width() - 600) / 2, 580});
    for (PictureButton* small : {imgInfo, imgGuida, imgCopyright, imgEsci, imgSito})
        small->setToolTip(small->accessibleName());

    // Tab goes first to the kinds' choices, then along the small pictures in reading order.
    tabOrder += {imgInfo, imgGuida, imgSito, imgCopyright, imgEsci};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));

    connect(imgInfo, &PictureButton::clicked, this, guarded(this, &TfrmAvvio::imgInfoClick));
    connect(imgGuida, &PictureButton::clicked, this, guarded(this, &TfrmAvvio::imgGuidaClick));
    connect(imgCopyright, &PictureButton::clicked, this, guarded(this, &TfrmAvvio::imgCopyrightClick));
    connect(imgEsci, &PictureButton::clicked, this, guarded(this, &TfrmAvvio::imgEsciClick));
    connect(imgSito, &PictureButton::clicked, this, guarded(this, &TfrmAvvio::imgSitoClick));
}

PictureButton* TfrmAvvio::addPicture(const QString& name, const QString& picture, const QString& meaning, QSize size,
                                     QPoint at)
{
    auto* button = new PictureButton(name, picture, meaning, size, panContainer);
    button->move(at);
    return button;
}

TfrmAvvio::KindColumn TfrmAvvio::addKindColumn(const Kind& kind, int centre, qreal scale)
{
    const KindLook& look = KindLook::of(kind);
    const KindLook::StartColumn& column = look.startColumn;
    const auto place = [&](const char* name, const char* picture, QSize designed, int top) {
        const QSize size = (QSizeF(designed) * scale).toSize();
        return addPicture(QLatin1String(name) + look.name, kindImage(picture, kind), column.choice, size,
                          {centre - size.width() / 2, top + (designed.height() - size.height()) / 2});
    };
    const KindColumn made{
        place("img", "avvio_", kKindPictureSize, 176),
        place("btn", "avvio_btn_", kKindButtonSize, 390),
        place("app", "avvio_nota_", kKindNoteSize, 450),
    };
    for (PictureButton* part : {made.picture, made.button, made.note})
        part->setAccessibleDescription(column.note);
    // The three pictures of a column do one thing: the keys and a screen reader reach it once, at
    // the large picture.
    for (PictureButton* repeat : {made.button, made.note}) {
        repeat->setFocusPolicy(Qt::NoFocus);
        Accessibility::leaveOut(repeat);
    }
    return made;
}

void TfrmAvvio::FormShow()
{
    if (m_toldWhereDataGoes || ProgramFolder::readOnlyFolder().isEmpty())
        return;
    m_toldWhereDataGoes = true;
    // Once the window is on screen, the password window gone from under it.
    QMetaObject::invokeMethod(this, guarded(this, &TfrmAvvio::tellWhereDataGoes), Qt::QueuedConnection);
}

void TfrmAvvio::tellWhereDataGoes()
{
    MessageBox::information(this, whereDataGoesText(ProgramFolder::readOnlyFolder()));
}

void TfrmAvvio::FormClose()
{
    // The start window is where the program ends, whatever else is merely hidden.
    QApplication::quit();
}

void TfrmAvvio::showMenu(KindId kind)
{
    handOverTo(Windows::menu(kind));
}

void TfrmAvvio::imgInfoClick()
{
    TfrmInfo window(this);
    window.exec();
}

void TfrmAvvio::imgGuidaClick()
{
    Help::showTopic(this, HelpTopics::kStartTitle);
}

void TfrmAvvio::imgCopyrightClick()
{
    TfrmSplash window(this);
    window.exec();
}

void TfrmAvvio::imgEsciClick()
{
    close();
}

void TfrmAvvio::imgSitoClick()
{
    TMisc::Open(Maker::kWebSite);
}
