#pragma once

#include "CatalogueWindow.h"

class QListWidget;
class QListWidgetItem;

// The list of the archives of one kind: open one in the card window, or delete one. The list is
// read from the folders on every showing and after every deletion, never cached: the program
// folder and, when the program cannot write beside its executable, that folder too, whose
// archives are copied into the program folder before they are opened (ArchiveFolder::listed).
class OpenWindow : public CatalogueWindow {
    Q_OBJECT
public:
    explicit OpenWindow(const Kind& kind);

public slots:
    void btnApriClick();
    void btnEliminaClick();
    void btnAnnullaClick();

protected:
    void buildControls() override;
    void FormShow() override;
    void FormClose() override;

private:
    void rebuildList();
    QListWidgetItem* selectedLine() const;

    QLabel* lblIstruzioni;
    QLabel* lblCreati;
    QListWidget* lstFiles;
    PictureButton* btnElimina;
    PictureButton* btnAnnulla;
    PictureButton* btnApri;
    QLabel* lblFile;
    QLabel* lblMemory;
};
