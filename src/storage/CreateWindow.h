#pragma once

#include "app/ChainWindow.h"
#include "storage/Kind.h"

// Creation of a new, empty archive of one kind.
class CreateWindow : public ChainWindow {
    Q_OBJECT
public:
    explicit CreateWindow(const Kind& kind);

    const Kind& kind() const { return m_kind; }

private:
    const Kind& m_kind;
};

class TfrmCreaLibri final : public CreateWindow {
    Q_OBJECT
public:
    TfrmCreaLibri() : CreateWindow(Kind::libri()) {}
};

class TfrmCreaFumetti final : public CreateWindow {
    Q_OBJECT
public:
    TfrmCreaFumetti() : CreateWindow(Kind::fumetti()) {}
};

class TfrmCreaDVD final : public CreateWindow {
    Q_OBJECT
public:
    TfrmCreaDVD() : CreateWindow(Kind::dvd()) {}
};
