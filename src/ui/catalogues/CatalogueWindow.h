#pragma once

#include "kinds/KindLook.h"
#include "shell/ChainWindow.h"

class QLabel;
class PictureButton;
class Shape;

// What the menu, create and open windows of a kind look like alike: a centred panel on the blue
// to white background of the card windows, a title bar, an illustration on the left, a bottom
// bar with the help button. Each window places its own controls in the panel.
class CatalogueWindow : public ChainWindow {
    Q_OBJECT
public:
    const Kind& kind() const { return m_kind; }
    const KindLook& look() const { return KindLook::of(m_kind); }

public slots:
    void imgGuidaClick();

protected:
    void buildControls() override;
    static constexpr QSize kPanelSize{900, 600};
    // The free part of the panel right of the illustration and above the bottom bar.
    static constexpr QRect kContentArea{424, 92, 444, 420};
    // The bottom bar; action buttons are laid from its right end.
    static constexpr QRect kBottomBar{16, 528, 868, 56};

    CatalogueWindow(const Kind& kind, const QString& caption, const QString& picture);

    // A text label in the panel, in the program's dark blue.
    QLabel* addText(const QString& name, const QString& text, const QFont& font, const QRect& geometry);
    // A hidden label that keeps a value between events.
    QLabel* addHiddenLabel(const QString& name, const QString& text = {});

    QWidget* panContainer;
    Shape* shpContainer;
    Shape* shpTitolo;
    QLabel* lblTitolo;
    QLabel* imgIstruzioni;
    Shape* shpPulsanti;
    PictureButton* imgGuida;

private:
    const Kind& m_kind;
    QString m_picture;
};
