#pragma once

#include "shell/ChainWindow.h"
#include "storage/Kind.h"

#include <tuple>

class PictureButton;
class QLabel;
class Shape;

// The start window: a column for each kind, books, comics and DVDs, whose pictures open the
// kind's menu, and the way to the help, the information and about windows and the maker's web
// site. Closing it ends the program.
class TfrmAvvio final : public ChainWindow {
    Q_OBJECT
public:
    TfrmAvvio();

    QWidget* panContainer;
    QLabel* imgIcona;
    QLabel* imgTitolo;
    QLabel* imgSottotitolo;
    // The columns of the three shipped kinds. Every column's pictures are named img, btn and app +
    // its kind's name (KindLook::name); an added kind's are found by those names.
    PictureButton* imgLibri;
    PictureButton* btnLibri;
    PictureButton* appLibri;
    PictureButton* imgFumetti;
    PictureButton* btnFumetti;
    PictureButton* appFumetti;
    PictureButton* imgDVD;
    PictureButton* btnDVD;
    PictureButton* appDVD;
    Shape* linSepara01;
    Shape* linSepara02;
    PictureButton* imgInfo;
    PictureButton* imgGuida;
    PictureButton* imgCopyright;
    PictureButton* imgEsci;
    PictureButton* imgSito;

protected:
    void buildControls() override;
    void FormShow() override;
    void FormClose() override;

private:
    // The large picture, the button picture and the note of one kind's column.
    struct KindColumn {
        PictureButton* picture;
        PictureButton* button;
        PictureButton* note;

        auto parts() const { return std::tuple(picture, button, note); }
    };

    // The column of `kind` around `centre` across the panel, its pictures at `scale` of their size.
    KindColumn addKindColumn(const Kind& kind, int centre, qreal scale);
    PictureButton* addPicture(const QString& name, const QString& picture, const QString& meaning, QSize size,
                              QPoint at);

    void showMenu(KindId kind);
    void imgInfoClick();
    void imgGuidaClick();
    void imgCopyrightClick();
    void imgEsciClick();
    void imgSitoClick();
    void tellWhereDataGoes();

    bool m_toldWhereDataGoes = false; // once a run: the window lives as long as the program
};
