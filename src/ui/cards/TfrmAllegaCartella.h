#pragma once

#include "shell/CardHandoff.h"
#include "shell/DialogWindow.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class Picture;
class PictureButton;

// The attached documents of a card: three slots of a file name and a description. Sfoglia copies
// a document into the attachment folder at once; the names and descriptions reach the card window
// named by lblMemory only with Applica e chiudi (signal applied), and the archive only with the card's Salva.
class TfrmAllegaCartella final : public DialogWindow {
    Q_OBJECT
public:
    static constexpr int kSlots = 3;

    explicit TfrmAllegaCartella(QWidget* opener = nullptr);

    // Fills the three slots with the card's documents and descriptions.
    void setCard(const CardHandoff& card);

    // Each slot's controls carry its number: txtFile01, imgCancella01, btnSfoglia01, btnApri01,
    // txtDesc01, and 02, 03 alike.
    Picture* imgLogo;
    PictureButton* btnAnnulla;
    PictureButton* btnApplica;
    QLabel* lblMemory;

signals:
    // "Applica e chiudi": the three names and descriptions, trimmed, for the card window named by
    // lblMemory.
    void applied(const QStringList& files, const QStringList& descriptions);

public slots:
    void btnSfoglia01Click() { browse(0); }
    void btnSfoglia02Click() { browse(1); }
    void btnSfoglia03Click() { browse(2); }
    void btnApri01Click() { openDocument(0); }
    void btnApri02Click() { openDocument(1); }
    void btnApri03Click() { openDocument(2); }
    void imgCancella01Click() { clearName(0); }
    void imgCancella02Click() { clearName(1); }
    void imgCancella03Click() { clearName(2); }
    void txtFile01Change() { nameChanged(0); }
    void txtFile02Change() { nameChanged(1); }
    void txtFile03Change() { nameChanged(2); }
    void btnApplicaClick();
    void btnAnnullaClick();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Slot {
        QLineEdit* name;
        PictureButton* clear;
        QPushButton* browse;
        QPushButton* open;
        QLineEdit* description;
    };

    void buildSlot(int index);
    void browse(int index);
    void openDocument(int index);
    void clearName(int index);
    void nameChanged(int index);

    std::array<Slot, kSlots> m_slots{};
    QString m_cardTag; // tag of the card window that handed its card over
};
