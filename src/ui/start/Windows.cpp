#include "Windows.h"

#include "TfrmAvvio.h"
#include "TfrmCambiaPassword.h"
#include "TfrmPassword.h"
#include "WindowClasses.h"
#include "cards/CardWindow.h"

#include <QMap>

namespace {
struct Registry {
    QList<QWidget*> all;
    TfrmPassword* password = nullptr;
    TfrmCambiaPassword* cambiaPassword = nullptr;
    TfrmAvvio* avvio = nullptr;
    QMap<KindId, ChainWindow*> menus;
    QMap<KindId, ChainWindow*> creates;
    QMap<KindId, ChainWindow*> opens;
    QMap<KindId, CardWindow*> cards;
};

Registry& registry()
{
    static Registry value;
    return value;
}

} // namespace

void Windows::createAll()
{
    Registry& r = registry();
    for (const WindowClasses::StartUpStep& step : WindowClasses::startUpOrder()) {
        if (step.single) {
            QWidget* window = step.single();
            window->setObjectName(QString::fromLatin1(window->metaObject()->className()));
            r.all.append(window);
            if (auto* password = qobject_cast<TfrmPassword*>(window))
                r.password = password;
            else if (auto* avvio = qobject_cast<TfrmAvvio*>(window))
                r.avvio = avvio;
            else if (auto* change = qobject_cast<TfrmCambiaPassword*>(window))
                r.cambiaPassword = change;
            continue;
        }
        QWidget* window = WindowClasses::create(step.role, step.kind);
        r.all.append(window);
        switch (step.role) {
        case WindowRole::Menu:
            r.menus[step.kind] = static_cast<ChainWindow*>(window);
            break;
        case WindowRole::Create:
            r.creates[step.kind] = static_cast<ChainWindow*>(window);
            break;
        case WindowRole::Open:
            r.opens[step.kind] = static_cast<ChainWindow*>(window);
            break;
        case WindowRole::Card:
            r.cards[step.kind] = static_cast<CardWindow*>(window);
            break;
        default: // the dialogs' start-up instances are never shown
            break;
        }
    }
}

void Windows::destroyAll()
{
    Registry& r = registry();
    // Newest first, so no window outlives one that it points to.
    while (!r.all.isEmpty())
        delete r.all.takeLast();
    r = Registry();
}

QList<QWidget*> Windows::all()
{
    return registry().all;
}

TfrmPassword* Windows::password()
{
    return registry().password;
}

TfrmCambiaPassword* Windows::cambiaPassword()
{
    return registry().cambiaPassword;
}

TfrmAvvio* Windows::avvio()
{
    return registry().avvio;
}

ChainWindow* Windows::menu(KindId kind)
{
    return registry().menus.value(kind);
}

ChainWindow* Windows::create(KindId kind)
{
    return registry().creates.value(kind);
}

ChainWindow* Windows::open(KindId kind)
{
    return registry().opens.value(kind);
}

CardWindow* Windows::card(KindId kind)
{
    return registry().cards.value(kind);
}
