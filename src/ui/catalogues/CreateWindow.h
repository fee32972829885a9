#pragma once

#include "CatalogueWindow.h"

class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;

// Creation of a new, empty archive of one kind in the program folder. Afterwards, or on cancel,
// the user is back on the start window.
class CreateWindow : public CatalogueWindow {
    Q_OBJECT
public:
    explicit CreateWindow(const Kind& kind);

public slots:
    void btnApplicaClick();
    void btnAnnullaClick();

protected:
    void buildControls() override;
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True when the key must be swallowed.
    bool txtFileKeyDown(const QKeyEvent* event) const;
    // True when the event was replaced by one without the refused characters.
    bool txtFileInputMethod(const QInputMethodEvent* event);

    QLabel* lblIstruzioni;
    QLabel* lblNomeFile;
    QLineEdit* txtFile;
    PictureButton* btnAnnulla;
    PictureButton* btnApplica;
    QLabel* lblFile;
};
