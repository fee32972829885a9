#pragma once

#include "app/ChainWindow.h"
#include "storage/Kind.h"

// The list of the archives of one kind: open one in the card window, or delete one.
class OpenWindow : public ChainWindow {
    Q_OBJECT
public:
    explicit OpenWindow(const Kind& kind);

    const Kind& kind() const { return m_kind; }

private:
    const Kind& m_kind;
};

class TfrmApriLibri final : public OpenWindow {
    Q_OBJECT
public:
    TfrmApriLibri() : OpenWindow(Kind::libri()) {}
};

class TfrmApriFumetti final : public OpenWindow {
    Q_OBJECT
public:
    TfrmApriFumetti() : OpenWindow(Kind::fumetti()) {}
};

class TfrmApriDVD final : public OpenWindow {
    Q_OBJECT
public:
    TfrmApriDVD() : OpenWindow(Kind::dvd()) {}
};
