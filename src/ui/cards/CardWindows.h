#pragma once

#include "CardWindow.h"

class IsbnMark;
class QCheckBox;
class QLabel;

// The book card: its Dewey button beside txtDewey, and the check of its ISBN.
class TfrmLibri final : public CardWindow {
    Q_OBJECT
public:
    TfrmLibri();

    PictureButton* btnDewey;
    IsbnMark* isbnMark;

public slots:
    void btnDeweyClick();

protected:
    void buildControls() override;
};

// The comic card: the missing-issue box and the missing-issues summary button.
class TfrmFumetti final : public CardWindow {
    Q_OBJECT
public:
    TfrmFumetti();

    QCheckBox* chkMancante;
    QLabel* icoMancante;
    Shape* bkgMancante;
    Shape* sfoMancante;

public slots:
    void cmdMancantiClick();

protected:
    void buildControls() override;
    void clearExtras() override;
    void showExtras(const Record& record) override;
    void storeExtras(Record& record) const override;
    void storeBlankExtras(Record& record) const override;
};
