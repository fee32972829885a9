#include "Look.h"

#include "Fonts.h"
#include "Shape.h"

#include <QLabel>
#include <QPushButton>

QPushButton* Look::button(const QString& objectName, const QString& text, QSize size, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setFont(programFont(QStringLiteral("Verdana"), 13, true));
    button->setCursor(Qt::PointingHandCursor);
    button->setFixedSize(size);
    button->setStyleSheet(buttonStyleSheet());
    return button;
}

QString Look::buttonStyleSheet(int radius)
{
    return QStringLiteral("QPushButton { color: %1; border: 1px solid %2; border-radius: %4px;"
                          " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFFFF, stop:1 %3); }"
                          "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFFFF, "
                          "stop:1 #C6DBEF); }"
                          "QPushButton:pressed { background: #B7D0EA; }"
                          "QPushButton:focus { border: 2px solid #4169E1; }"
                          "QPushButton:disabled { color: #9AAABB; border-color: #B8C8D8; background: #EEF3F8; }")
        .arg(kNavy.name(), kSteelBlue.name(), kLightBlue.name())
        .arg(radius);
}

QLabel* Look::label(const QString& objectName, const QString& text, int pixelSize, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setFont(programFont(QStringLiteral("Verdana"), pixelSize));
    setTextColour(label, kNavy);
    return label;
}

Shape* Look::backdrop(QWidget* window)
{
    auto* shape = new Shape(QStringLiteral("shpSfondo"), window,
                            verticalGradient(Qt::white, QColor(0xEA, 0xF2, 0xFA), window->height()));
    shape->setGeometry(window->rect());
    shape->lower();
    return shape;
}

Shape* Look::buttonBar(QWidget* window, int height)
{
    auto* shape = new Shape(QStringLiteral("shpPulsanti"), window, kLightBlue, kSteelBlue);
    // The frame's sides and bottom fall outside the window: only its top edge shows.
    shape->setGeometry(-1, window->height() - height, window->width() + 2, height + 1);
    return shape;
}

Look::StatusBar Look::statusBar(QWidget* parent, const QRect& geometry, const QString& text)
{
    auto* bar = new Shape(QStringLiteral("shpInfo"), parent, kCardBlue, kNavy, 4);
    bar->setGeometry(geometry);
    auto* line = new QLabel(text, bar);
    line->setObjectName(QStringLiteral("panInfo"));
    line->setFont(programFont(QStringLiteral("Tahoma"), 12));
    setTextColour(line, QColor(Qt::white));
    line->setGeometry(10, 0, geometry.width() - 20, geometry.height());
    return {bar, line};
}
