#include "CatalogueWindow.h"

#include "shell/Guarded.h"
#include "shell/ProgramFormats.h"
#include "start/Help.h"
#include "storage/Text.h"
#include "widgets/CentredPanel.h"
#include "widgets/Fonts.h"
#include "widgets/Look.h"
#include "widgets/Picture.h"
#include "widgets/PictureButton.h"
#include "widgets/Shape.h"

#include <QLabel>

namespace {
using Look::kCardBlue;
using Look::kLightBlue;
using Look::kNavy;
using Look::kSteelBlue;

constexpr QRect kPictureArea(32, 104, 360, 264);
constexpr QSize kHelpSize(36, 36);

// "Cartavox - Catalogo Libri" is the caption; the panel's title is what follows the dash.
QString titleOf(const QString& caption)
{
    const QString text = Text::trimmed(caption);
    const qsizetype dash = text.indexOf(QLatin1String(" - "));
    return dash < 0 ? text : text.mid(dash + 3);
}
} // namespace

CatalogueWindow::CatalogueWindow(const Kind& kind, const QString& caption, const QString& picture)
    : ChainWindow(caption, Placement::Maximised), m_kind(kind), m_picture(picture)
{
    ProgramFormats::apply();
}

void CatalogueWindow::buildControls()
{
    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setFixedSize(kPanelSize);
    new CentredPanel(this, panContainer, kCardBlue);
    shpContainer = new Shape(QStringLiteral("shpContainer"), panContainer, QColor(255, 255, 255, 150),
                             QColor(255, 255, 255, 220), 10, 1.5);
    shpContainer->setGeometry(QRect(QPoint(0, 0), kPanelSize));

    shpTitolo = new Shape(QStringLiteral("shpTitolo"), panContainer, kCardBlue, kNavy, 6);
    shpTitolo->setGeometry(16, 16, 868, 52);
    lblTitolo = new QLabel(titleOf(windowTitle()), shpTitolo);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setAlignment(Qt::AlignCenter);
    lblTitolo->setFont(programFont(QStringLiteral("Verdana"), 22, true));
    setTextColour(lblTitolo, QColor(Qt::white));
    lblTitolo->setGeometry(0, 0, 868, 52);

    imgIstruzioni = new Picture(QStringLiteral("imgIstruzioni"), m_picture, kPictureArea.size(), panContainer);
    imgIstruzioni->move(kPictureArea.topLeft());

    shpPulsanti = new Shape(QStringLiteral("shpPulsanti"), panContainer, kLightBlue, kSteelBlue, 6);
    shpPulsanti->setGeometry(kBottomBar);
    imgGuida = new PictureButton(QStringLiteral("imgGuida"), QStringLiteral(":/images/guida_piccola.svg"),
                                 QStringLiteral("Guida"), kHelpSize, shpPulsanti);
    imgGuida->setToolTip(imgGuida->accessibleName());
    imgGuida->move(12, (kBottomBar.height() - kHelpSize.height()) / 2);
    connect(imgGuida, &PictureButton::clicked, this, guarded(this, &CatalogueWindow::imgGuidaClick));
}

QLabel* CatalogueWindow::addText(const QString& name, const QString& text, const QFont& font, const QRect& geometry)
{
    auto* label = new QLabel(text, panContainer);
    label->setObjectName(name);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColour(label, kNavy);
    label->setGeometry(geometry);
    return label;
}

QLabel* CatalogueWindow::addHiddenLabel(const QString& name, const QString& text)
{
    auto* label = new QLabel(text, panContainer);
    label->setObjectName(name);
    label->hide();
    return label;
}

void CatalogueWindow::imgGuidaClick()
{
    Help::showTopic(this, m_kind.helpTopic);
}
