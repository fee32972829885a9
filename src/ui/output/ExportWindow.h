#pragma once

#include "shell/CardHandoff.h"
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

    const Kind& kind() const { return m_kind; }

    // The archive of the card window, whose cards the grid lists when the window is shown.
    void setCard(const CardHandoff& card);

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
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow() override;
    void setColumnWidths();

    const Kind& m_kind;
    QString m_archivePath;
    ExportRows* m_rows;
    bool m_archiveRead = false; // every card of the archive is in the grid
    StatusHints* m_hints;
};
