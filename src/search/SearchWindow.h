#pragma once

#include "app/DialogWindow.h"
#include "storage/Kind.h"

// Search window of one kind of archive.
class SearchWindow : public DialogWindow {
    Q_OBJECT
public:
    SearchWindow(const Kind& kind, QWidget* opener);

    const Kind& kind() const { return m_kind; }

private:
    const Kind& m_kind;
};

class TfrmTrovaLibri final : public SearchWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaLibri(QWidget* opener = nullptr) : SearchWindow(Kind::libri(), opener) {}
};

class TfrmTrovaFumetti final : public SearchWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaFumetti(QWidget* opener = nullptr) : SearchWindow(Kind::fumetti(), opener) {}
};

class TfrmTrovaDVD final : public SearchWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaDVD(QWidget* opener = nullptr) : SearchWindow(Kind::dvd(), opener) {}
};
