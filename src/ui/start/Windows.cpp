#include "Windows.h"

#include "TfrmAvvio.h"
#include "TfrmCambiaPassword.h"
#include "TfrmGuida.h"
#include "TfrmInfo.h"
#include "TfrmPassword.h"
#include "TfrmSplash.h"
#include "cards/CardWindows.h"
#include "cards/TfrmAllegaCartella.h"
#include "cards/TfrmZoom.h"
#include "catalogues/CreateWindow.h"
#include "catalogues/MenuWindow.h"
#include "catalogues/OpenWindow.h"
#include "output/CardPrintWindow.h"
#include "output/ExportWindow.h"
#include "output/SlideShowWindow.h"
#include "search/SearchWindow.h"
#include "search/TfrmCodici_Dewey.h"
#include "search/TfrmRiepFumettiMancanti.h"

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

template <typename T> T* make()
{
    T* window = new T();
    window->setObjectName(QString::fromLatin1(T::staticMetaObject.className()));
    registry().all.append(window);
    return window;
}
} // namespace

void Windows::createAll()
{
    Registry& r = registry();
    r.password = make<TfrmPassword>();
    r.avvio = make<TfrmAvvio>();
    make<TfrmAllegaCartella>();
    r.opens[KindId::Libri] = make<TfrmApriLibri>();
    r.cambiaPassword = make<TfrmCambiaPassword>();
    make<TfrmCodici_Dewey>();
    r.creates[KindId::Libri] = make<TfrmCreaLibri>();
    make<TfrmGuida>();
    make<TfrmInfo>();
    r.cards[KindId::Libri] = make<TfrmLibri>();
    r.menus[KindId::Libri] = make<TfrmMenuLibri>();
    make<TfrmSlideshow_Libri>();
    make<TfrmSplash>();
    make<TfrmZoom>();
    make<TfrmTrovaLibri>();
    make<TfrmExpLibri>();
    make<TfrmAnteprimaLibri>();
    make<TfrmStampaLibri>();
    r.menus[KindId::DVD] = make<TfrmMenuDVD>();
    r.creates[KindId::DVD] = make<TfrmCreaDVD>();
    r.opens[KindId::DVD] = make<TfrmApriDVD>();
    r.cards[KindId::DVD] = make<TfrmDVD>();
    make<TfrmSlideshow_DVD>();
    make<TfrmTrovaDVD>();
    make<TfrmExpDVD>();
    make<TfrmAnteprimaDVD>();
    make<TfrmStampaDVD>();
    r.menus[KindId::Fumetti] = make<TfrmMenuFumetti>();
    r.creates[KindId::Fumetti] = make<TfrmCreaFumetti>();
    r.opens[KindId::Fumetti] = make<TfrmApriFumetti>();
    r.cards[KindId::Fumetti] = make<TfrmFumetti>();
    make<TfrmSlideshow_Fumetti>();
    make<TfrmTrovaFumetti>();
    make<TfrmRiepFumettiMancanti>();
    make<TfrmExpFumetti>();
    make<TfrmAnteprimaFumetti>();
    make<TfrmStampaFumetti>();
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
