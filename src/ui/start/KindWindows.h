#pragma once

// The window classes of each shipped kind, by the names the program is known by. Each is its
// family's window with its kind and nothing more; what a kind adds of its own lives in its
// family's class (the book and comic cards in cards/CardWindows.h). WindowClasses.cpp creates
// them, and the families' windows for a kind added with Kind::add.
#include "cards/CardWindows.h"
#include "catalogues/CreateWindow.h"
#include "catalogues/ImportWindow.h"
#include "catalogues/MenuWindow.h"
#include "catalogues/OpenWindow.h"
#include "output/CardPrintWindow.h"
#include "output/ExportWindow.h"
#include "output/SlideShowWindow.h"
#include "search/SearchWindow.h"

// Libri

class TfrmMenuLibri final : public MenuWindow {
    Q_OBJECT
public:
    TfrmMenuLibri() : MenuWindow(Kind::libri()) {}
};

class TfrmCreaLibri final : public CreateWindow {
    Q_OBJECT
public:
    TfrmCreaLibri() : CreateWindow(Kind::libri()) {}
};

class TfrmApriLibri final : public OpenWindow {
    Q_OBJECT
public:
    TfrmApriLibri() : OpenWindow(Kind::libri()) {}
};

class TfrmTrovaLibri final : public SearchWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaLibri(QWidget* opener = nullptr) : SearchWindow(Kind::libri(), opener) {}
};

class TfrmExpLibri final : public ExportWindow {
    Q_OBJECT
public:
    explicit TfrmExpLibri(QWidget* opener = nullptr) : ExportWindow(Kind::libri(), opener) {}
};

class TfrmStampaLibri final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmStampaLibri(QWidget* opener = nullptr) : CardPrintWindow(Kind::libri(), Action::Print, opener) {}
};

class TfrmAnteprimaLibri final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmAnteprimaLibri(QWidget* opener = nullptr) : CardPrintWindow(Kind::libri(), Action::Preview, opener) {}
};

class TfrmSlideshow_Libri final : public SlideShowWindow {
    Q_OBJECT
public:
    explicit TfrmSlideshow_Libri(QWidget* opener = nullptr) : SlideShowWindow(Kind::libri(), opener) {}
};

class TfrmImportaLibri final : public ImportWindow {
    Q_OBJECT
public:
    explicit TfrmImportaLibri(QWidget* opener = nullptr) : ImportWindow(Kind::libri(), opener) {}
};

// Fumetti

class TfrmMenuFumetti final : public MenuWindow {
    Q_OBJECT
public:
    TfrmMenuFumetti() : MenuWindow(Kind::fumetti()) {}
};

class TfrmCreaFumetti final : public CreateWindow {
    Q_OBJECT
public:
    TfrmCreaFumetti() : CreateWindow(Kind::fumetti()) {}
};

class TfrmApriFumetti final : public OpenWindow {
    Q_OBJECT
public:
    TfrmApriFumetti() : OpenWindow(Kind::fumetti()) {}
};

class TfrmTrovaFumetti final : public SearchWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaFumetti(QWidget* opener = nullptr) : SearchWindow(Kind::fumetti(), opener) {}
};

class TfrmExpFumetti final : public ExportWindow {
    Q_OBJECT
public:
    explicit TfrmExpFumetti(QWidget* opener = nullptr) : ExportWindow(Kind::fumetti(), opener) {}
};

class TfrmStampaFumetti final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmStampaFumetti(QWidget* opener = nullptr) : CardPrintWindow(Kind::fumetti(), Action::Print, opener) {}
};

class TfrmAnteprimaFumetti final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmAnteprimaFumetti(QWidget* opener = nullptr) : CardPrintWindow(Kind::fumetti(), Action::Preview, opener)
    {
    }
};

class TfrmSlideshow_Fumetti final : public SlideShowWindow {
    Q_OBJECT
public:
    explicit TfrmSlideshow_Fumetti(QWidget* opener = nullptr) : SlideShowWindow(Kind::fumetti(), opener) {}
};

class TfrmImportaFumetti final : public ImportWindow {
    Q_OBJECT
public:
    explicit TfrmImportaFumetti(QWidget* opener = nullptr) : ImportWindow(Kind::fumetti(), opener) {}
};

// DVD

class TfrmMenuDVD final : public MenuWindow {
    Q_OBJECT
public:
    TfrmMenuDVD() : MenuWindow(Kind::dvd()) {}
};

class TfrmCreaDVD final : public CreateWindow {
    Q_OBJECT
public:
    TfrmCreaDVD() : CreateWindow(Kind::dvd()) {}
};

class TfrmApriDVD final : public OpenWindow {
    Q_OBJECT
public:
    TfrmApriDVD() : OpenWindow(Kind::dvd()) {}
};

class TfrmTrovaDVD final : public SearchWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaDVD(QWidget* opener = nullptr) : SearchWindow(Kind::dvd(), opener) {}
};

class TfrmExpDVD final : public ExportWindow {
    Q_OBJECT
public:
    explicit TfrmExpDVD(QWidget* opener = nullptr) : ExportWindow(Kind::dvd(), opener) {}
};

class TfrmStampaDVD final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmStampaDVD(QWidget* opener = nullptr) : CardPrintWindow(Kind::dvd(), Action::Print, opener) {}
};

class TfrmAnteprimaDVD final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmAnteprimaDVD(QWidget* opener = nullptr) : CardPrintWindow(Kind::dvd(), Action::Preview, opener) {}
};

class TfrmSlideshow_DVD final : public SlideShowWindow {
    Q_OBJECT
public:
    explicit TfrmSlideshow_DVD(QWidget* opener = nullptr) : SlideShowWindow(Kind::dvd(), opener) {}
};

class TfrmImportaDVD final : public ImportWindow {
    Q_OBJECT
public:
    explicit TfrmImportaDVD(QWidget* opener = nullptr) : ImportWindow(Kind::dvd(), opener) {}
};

class TfrmDVD final : public CardWindow {
    Q_OBJECT
public:
    TfrmDVD() : CardWindow(Kind::dvd()) {}
};

// The card and search windows of an added kind, whose families are made only through a subclass.

class KindCardWindow final : public CardWindow {
    Q_OBJECT
public:
    explicit KindCardWindow(const Kind& kind) : CardWindow(kind) {}
};

class KindSearchWindow final : public SearchWindow {
    Q_OBJECT
public:
    KindSearchWindow(const Kind& kind, QWidget* opener) : SearchWindow(kind, opener) {}
};
