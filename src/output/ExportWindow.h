#pragma once

#include "app/DialogWindow.h"
#include "storage/Kind.h"

// Spreadsheet export of one kind of archive.
class ExportWindow : public DialogWindow {
    Q_OBJECT
public:
    ExportWindow(const Kind& kind, QWidget* opener);

private:
    const Kind& m_kind;
};

class TfrmExpLibri final : public ExportWindow {
    Q_OBJECT
public:
    explicit TfrmExpLibri(QWidget* opener = nullptr) : ExportWindow(Kind::libri(), opener) {}
};

class TfrmExpFumetti final : public ExportWindow {
    Q_OBJECT
public:
    explicit TfrmExpFumetti(QWidget* opener = nullptr) : ExportWindow(Kind::fumetti(), opener) {}
};

class TfrmExpDVD final : public ExportWindow {
    Q_OBJECT
public:
    explicit TfrmExpDVD(QWidget* opener = nullptr) : ExportWindow(Kind::dvd(), opener) {}
};
