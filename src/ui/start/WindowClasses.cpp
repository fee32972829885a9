#include "WindowClasses.h"

#include "KindWindows.h"
#include "TfrmAvvio.h"
#include "TfrmCambiaPassword.h"
#include "TfrmGuida.h"
#include "TfrmInfo.h"
#include "TfrmPassword.h"
#include "TfrmSplash.h"
#include "cards/TfrmAllegaCartella.h"
#include "cards/TfrmZoom.h"
#include "kinds/KindLook.h"
#include "search/TfrmCodici_Dewey.h"
#include "search/TfrmRiepFumettiMancanti.h"

#include <algorithm>
#include <array>

namespace {
using Maker = QWidget* (*)(QWidget* opener);

template <typename Window> QWidget* make(QWidget* opener)
{
    if constexpr (std::is_constructible_v<Window, QWidget*>)
        return new Window(opener);
    else
        return new Window();
}

constexpr std::size_t kRoles = std::size_t(WindowRole::Import) + 1;

// The named window classes of the shipped kinds, one column per role in the order of WindowRole.
struct KindClasses {
    KindId kind;
    std::array<Maker, kRoles> makers;
};

// clang-format off
const KindClasses kClasses[] = {
    {KindId::Libri, {make<TfrmMenuLibri>, make<TfrmCreaLibri>, make<TfrmApriLibri>, make<TfrmLibri>,
                     make<TfrmTrovaLibri>, make<TfrmExpLibri>, make<TfrmStampaLibri>, make<TfrmAnteprimaLibri>,
                     make<TfrmSlideshow_Libri>, make<TfrmImportaLibri>}},
    {KindId::Fumetti, {make<TfrmMenuFumetti>, make<TfrmCreaFumetti>, make<TfrmApriFumetti>, make<TfrmFumetti>,
                       make<TfrmTrovaFumetti>, make<TfrmExpFumetti>, make<TfrmStampaFumetti>,
                       make<TfrmAnteprimaFumetti>, make<TfrmSlideshow_Fumetti>, make<TfrmImportaFumetti>}},
    {KindId::DVD, {make<TfrmMenuDVD>, make<TfrmCreaDVD>, make<TfrmApriDVD>, make<TfrmDVD>, make<TfrmTrovaDVD>,
                   make<TfrmExpDVD>, make<TfrmStampaDVD>, make<TfrmAnteprimaDVD>, make<TfrmSlideshow_DVD>,
                   make<TfrmImportaDVD>}},
};
// clang-format on

// The window of each role for a kind without classes of its own, in the order of WindowRole: its
// family's window with the kind, named as the named classes are, this prefix + the kind's name.
struct Family {
    QWidget* (*make)(const Kind& kind, QWidget* opener);
    const char* namePrefix;
};

const std::array<Family, kRoles> kFamilies{{
    {[](const Kind& kind, QWidget*) -> QWidget* { return new MenuWindow(kind); }, "TfrmMenu"},
    {[](const Kind& kind, QWidget*) -> QWidget* { return new CreateWindow(kind); }, "TfrmCrea"},
    {[](const Kind& kind, QWidget*) -> QWidget* { return new OpenWindow(kind); }, "TfrmApri"},
    {[](const Kind& kind, QWidget*) -> QWidget* { return new KindCardWindow(kind); }, "Tfrm"},
    {[](const Kind& kind, QWidget* opener) -> QWidget* { return new KindSearchWindow(kind, opener); }, "TfrmTrova"},
    {[](const Kind& kind, QWidget* opener) -> QWidget* { return new ExportWindow(kind, opener); }, "TfrmExp"},
    {[](const Kind& kind, QWidget* opener) -> QWidget* {
         return new CardPrintWindow(kind, CardPrintWindow::Action::Print, opener);
     },
     "TfrmStampa"},
    {[](const Kind& kind, QWidget* opener) -> QWidget* {
         return new CardPrintWindow(kind, CardPrintWindow::Action::Preview, opener);
     },
     "TfrmAnteprima"},
    {[](const Kind& kind, QWidget* opener) -> QWidget* { return new SlideShowWindow(kind, opener); }, "TfrmSlideshow_"},
    {[](const Kind& kind, QWidget* opener) -> QWidget* { return new ImportWindow(kind, opener); }, "TfrmImporta"},
}};

template <typename Window> QWidget* makeSingle()
{
    return make<Window>(nullptr);
}

template <typename Window> WindowClasses::StartUpStep single()
{
    return {makeSingle<Window>, WindowRole::Menu, KindId::Libri, std::is_base_of_v<ChainWindow, Window>};
}

WindowClasses::StartUpStep of(WindowRole role, KindId kind)
{
    const bool chain =
        role == WindowRole::Menu || role == WindowRole::Create || role == WindowRole::Open || role == WindowRole::Card;
    return {nullptr, role, kind, chain};
}
} // namespace

QWidget* WindowClasses::create(WindowRole role, KindId kind, QWidget* opener)
{
    const auto column = std::size_t(role);
    for (const KindClasses& classes : kClasses) {
        if (classes.kind != kind)
            continue;
        QWidget* window = classes.makers.at(column)(opener);
        window->setObjectName(QString::fromLatin1(window->metaObject()->className()));
        return window;
    }
    const Family& family = kFamilies.at(column);
    QWidget* window = family.make(Kind::of(kind), opener);
    window->setObjectName(QLatin1String(family.namePrefix) + KindLook::of(kind).name);
    return window;
}

QWidget* WindowClasses::make(const StartUpStep& step)
{
    if (!step.single)
        return create(step.role, step.kind);
    QWidget* window = step.single();
    window->setObjectName(QString::fromLatin1(window->metaObject()->className()));
    return window;
}

QList<WindowClasses::StartUpStep> WindowClasses::startUpOrder()
{
    using R = WindowRole;
    static const QList<StartUpStep> shipped{
        single<TfrmPassword>(),
        single<TfrmAvvio>(),
        single<TfrmAllegaCartella>(),
        of(R::Open, KindId::Libri),
        single<TfrmCambiaPassword>(),
        single<TfrmCodici_Dewey>(),
        of(R::Create, KindId::Libri),
        single<TfrmGuida>(),
        single<TfrmInfo>(),
        of(R::Card, KindId::Libri),
        of(R::Menu, KindId::Libri),
        of(R::SlideShow, KindId::Libri),
        single<TfrmSplash>(),
        single<TfrmZoom>(),
        of(R::Search, KindId::Libri),
        of(R::Export, KindId::Libri),
        of(R::Preview, KindId::Libri),
        of(R::Print, KindId::Libri),
        of(R::Menu, KindId::DVD),
        of(R::Create, KindId::DVD),
        of(R::Open, KindId::DVD),
        of(R::Card, KindId::DVD),
        of(R::SlideShow, KindId::DVD),
        of(R::Search, KindId::DVD),
        of(R::Export, KindId::DVD),
        of(R::Preview, KindId::DVD),
        of(R::Print, KindId::DVD),
        of(R::Menu, KindId::Fumetti),
        of(R::Create, KindId::Fumetti),
        of(R::Open, KindId::Fumetti),
        of(R::Card, KindId::Fumetti),
        of(R::SlideShow, KindId::Fumetti),
        of(R::Search, KindId::Fumetti),
        single<TfrmRiepFumettiMancanti>(),
        of(R::Export, KindId::Fumetti),
        of(R::Preview, KindId::Fumetti),
        of(R::Print, KindId::Fumetti),
    };
    QList<StartUpStep> order = shipped;
    // An added kind's windows come after all others, in the order of the comics' and DVDs'.
    for (const Kind* kind : Kind::all()) {
        const bool listed = std::any_of(shipped.begin(), shipped.end(), [kind](const StartUpStep& step) {
            return !step.single && step.kind == kind->id;
        });
        if (listed)
            continue;
        for (WindowRole role :
             {R::Menu, R::Create, R::Open, R::Card, R::SlideShow, R::Search, R::Export, R::Preview, R::Print})
            order.append(of(role, kind->id));
    }
    return order;
}
