#pragma once

#include "app/DialogWindow.h"
#include "storage/Kind.h"

// Printing or print preview of the card on screen.
class CardPrintWindow : public DialogWindow {
    Q_OBJECT
public:
    enum class Action { Print, Preview };

    CardPrintWindow(const Kind& kind, Action action, QWidget* opener);

private:
    const Kind& m_kind;
    Action m_action;
};

class TfrmStampaLibri final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmStampaLibri(QWidget* opener = nullptr) : CardPrintWindow(Kind::libri(), Action::Print, opener) {}
};

class TfrmStampaFumetti final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmStampaFumetti(QWidget* opener = nullptr) : CardPrintWindow(Kind::fumetti(), Action::Print, opener) {}
};

class TfrmStampaDVD final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmStampaDVD(QWidget* opener = nullptr) : CardPrintWindow(Kind::dvd(), Action::Print, opener) {}
};

class TfrmAnteprimaLibri final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmAnteprimaLibri(QWidget* opener = nullptr) : CardPrintWindow(Kind::libri(), Action::Preview, opener)
    {
    }
};

class TfrmAnteprimaFumetti final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmAnteprimaFumetti(QWidget* opener = nullptr)
        : CardPrintWindow(Kind::fumetti(), Action::Preview, opener)
    {
    }
};

class TfrmAnteprimaDVD final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmAnteprimaDVD(QWidget* opener = nullptr) : CardPrintWindow(Kind::dvd(), Action::Preview, opener) {}
};
