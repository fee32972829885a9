#pragma once

#include "shell/DialogWindow.h"
#include "storage/Kind.h"

#include <memory>

class ExportRows;
class PictureButton;
class QLabel;
class QTableView;
class Shape;
class StatusHints;

// Spreadsheet export of one kind of archive: every card of the archive open in the card window,
// in a grid where a few columns can still be corrected, written on request into the kind's
// spreadsheet file in the program folder. The archive itself is never written.
class ExportWindow : public DialogWindow {
    Q_OBJECT
public:
    ExportWindow(const Kind& kind, QWidget* opener);
    ~ExportWindow() override;

    // A fresh export window of the kind, of its own class (TfrmExpLibri, ...).
    static std::unique_ptr<ExportWindow> create(KindId kind, QWidget* opener);

    const Kind& kind() const { return m_kind; }

    QWidget* panContainer;
    Shape* shpSfondo;
    QTableView* grdRecords;
    PictureButton* cmdEsporta;
    PictureButton* cmdGuida;
    PictureButton* cmdEsci;
    Shape* shpInfo;
    QLabel* panInfo;

public slots:
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FormShow() override;
    void setColumnWidths();

    const Kind& m_kind;
    ExportRows* m_rows;
    bool m_archiveRead = false; // every card of the archive is in the grid
    StatusHints* m_hints;
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
