#pragma once

#include "shell/ChainWindow.h"
#include "storage/Kind.h"

class PictureButton;
class QLabel;
class Shape;

// The start window: the choice of books, comics or DVDs, and the way to the help, the
// information and about windows and the maker's web site. Closing it ends the program.
class TfrmAvvio final : public ChainWindow {
    Q_OBJECT
public:
    TfrmAvvio();

    QWidget* panContainer;
    QLabel* imgIcona;
    QLabel* imgTitolo;
    QLabel* imgSottotitolo;
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
    void FormShow() override;
    void FormClose() override;

private:
    void addKindColumn(KindId kind, int centreX, PictureButton*& picture, PictureButton*& button, PictureButton*& note);
    PictureButton* addPicture(const QString& name, const QString& picture, const QString& meaning, QSize size,
                              QPoint at);

    void imgLibriClick();
    void imgFumettiClick();
    void imgDVDClick();
    void showMenu(KindId kind);
    void imgInfoClick();
    void imgGuidaClick();
    void imgCopyrightClick();
    void imgEsciClick();
    void imgSitoClick();
    void tellWhereDataGoes();

    bool m_toldWhereDataGoes = false; // once a run: the window lives as long as the program
};
