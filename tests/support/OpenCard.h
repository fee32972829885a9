#pragma once

// A card window opened on an archive for one test, driven through its real widgets.
#include "TestSupport.h"
#include "cards/CardWindow.h"
#include "start/Windows.h"
#include "widgets/PhotoBox.h"
#include "widgets/Picture.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

class OpenCard {
public:
    OpenCard(KindId id, const QString& path) : window(Windows::card(id)), kind(Kind::of(id))
    {
        window->setArchive(path, QStringLiteral("Prova"));
        window->present();
    }
    ~OpenCard() { window->hide(); }

    void click(const char* button) { QTest::mouseClick(child<QWidget>(window, QLatin1String(button)), Qt::LeftButton); }
    QLineEdit* field(const QString& name) const { return window->field(name); }
    QString title() const { return field(QStringLiteral("Titolo"))->text(); }
    QString position() const { return child<QLabel>(window, QStringLiteral("lblPosizione"))->text(); }
    QString label(const char* name) const { return window->attachmentLabel(QLatin1String(name))->text(); }

    PhotoBox* photo() const { return child<PhotoBox>(window, QStringLiteral("imgFoto")); }
    QImage placeholder() const
    {
        return Pictures::image(child<Picture>(window, QStringLiteral("imgBianco"))->resource(), QSize(307, 409));
    }
    bool showsPlaceholder() const { return photo()->image() == placeholder(); }

    // Fills the required fields, so a save gets past its checks.
    void fillRequired()
    {
        for (const KindLook::RequiredField& required : KindLook::of(kind).card.required)
            field(required.field)->setText(required.field + QStringLiteral(" nuovo"));
    }

    CardWindow* window;
    const Kind& kind;
};
