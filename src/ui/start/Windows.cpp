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

// A chain window is handed out with its controls: whoever asks for it is about to use them.
template <typename Window> Window* withControls(Window* window)
{
    if (window)
        window->makeControls();
    return window;
}
} // namespace

void Windows::createAll()
{
    Registry& r = registry();
    for (const WindowClasses::StartUpStep& step : WindowClasses::startUpOrder()) {
        // A dialog's start-up instance would never be shown, since each opening makes its own:
        // none is made.
        if (!step.chain)
            continue;
        QWidget* window = WindowClasses::make(step);
        r.all.append(window);
        if (step.single) {
            if (auto* password = qobject_cast<TfrmPassword*>(window))
                r.password = password;
            else if (auto* avvio = qobject_cast<TfrmAvvio*>(window))
                r.avvio = avvio;
            else if (auto* change = qobject_cast<TfrmCambiaPassword*>(window))
                r.cambiaPassword = change;
            continue;
        }
        auto* chain = static_cast<ChainWindow*>(window);
        if (step.role == WindowRole::Menu)
            r.menus[step.kind] = chain;
        else if (step.role == WindowRole::Create)
            r.creates[step.kind] = chain;
        else if (step.role == WindowRole::Open)
            r.opens[step.kind] = chain;
        else
            r.cards[step.kind] = static_cast<CardWindow*>(chain);
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
    return withControls(registry().password);
}

TfrmCambiaPassword* Windows::cambiaPassword()
{
    return withControls(registry().cambiaPassword);
}

TfrmAvvio* Windows::avvio()
{
    return withControls(registry().avvio);
}

ChainWindow* Windows::menu(KindId kind)
{
    return withControls(registry().menus.value(kind));
}

ChainWindow* Windows::create(KindId kind)
{
    return withControls(registry().creates.value(kind));
}

ChainWindow* Windows::open(KindId kind)
{
    return withControls(registry().opens.value(kind));
}

CardWindow* Windows::card(KindId kind)
{
    return withControls(registry().cards.value(kind));
}
