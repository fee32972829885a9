#pragma once

#include "app/ChainWindow.h"
#include "storage/Kind.h"

// The menu of one kind: create a new archive or open an existing one.
class MenuWindow : public ChainWindow {
    Q_OBJECT
public:
    explicit MenuWindow(const Kind& kind);

    const Kind& kind() const { return m_kind; }

private:
    const Kind& m_kind;
};

class TfrmMenuLibri final : public MenuWindow {
    Q_OBJECT
public:
    TfrmMenuLibri() : MenuWindow(Kind::libri()) {}
};

class TfrmMenuFumetti final : public MenuWindow {
    Q_OBJECT
public:
    TfrmMenuFumetti() : MenuWindow(Kind::fumetti()) {}
};

class TfrmMenuDVD final : public MenuWindow {
    Q_OBJECT
public:
    TfrmMenuDVD() : MenuWindow(Kind::dvd()) {}
};
