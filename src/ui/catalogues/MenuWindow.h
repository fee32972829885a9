#pragma once

#include "CatalogueWindow.h"

class CardWindow;
class QPushButton;

// The menu of one kind: create a new archive or open an existing one, or import cards from another
// program's file. The buttons only say where to go, in lblMemory, and close the menu; the close
// decides, so only one window is ever shown. The import is a dialog over the menu; when it asks to
// open the archive it filled, the menu closes towards the card window, with the archive in lblFile.
class MenuWindow : public CatalogueWindow {
    Q_OBJECT
public:
    explicit MenuWindow(const Kind& kind);

public slots:
    void btnCreaClick();
    void btnCompilaClick();
    void btnImportaClick();
    void imgEsciClick();

protected:
    void buildControls() override;
    void FormShow() override;
    void FormClose() override;

private:
    CardWindow* cardWindowOnImport() const;

    QLabel* lblIstruzioni;
    QPushButton* btnCrea;
    QPushButton* btnCompila;
    QPushButton* btnImporta;
    PictureButton* imgEsci;
    QLabel* lblMemory;
    QLabel* lblFile;
};
