#pragma once

#include "folder/CoverPicture.h"
#include "shell/CardHandoff.h"
#include "shell/DialogWindow.h"
#include "storage/Kind.h"

#include <optional>

class QLabel;
class QPushButton;
class Picture;
class Shape;

// A hidden holder of a picture: it keeps the picture as it came, and neither decodes nor shows it.
class PictureHolder final : public QWidget {
    Q_OBJECT
public:
    PictureHolder(const QString& objectName, QSize size, QWidget* parent);

    void setPicture(const CoverPicture& picture) { m_picture = picture; }
    const CoverPicture& picture() const { return m_picture; }

private:
    CoverPicture m_picture;
};

// Printing or print preview of the card on screen in the card window that opens it. The button
// fills the kind's card template from the card as it was handed over (as on screen, saved or not)
// and hands it to the report engine; the window then closes, whatever came of it.
class CardPrintWindow : public DialogWindow {
    Q_OBJECT
public:
    enum class Action { Print, Preview };

    CardPrintWindow(const Kind& kind, Action action, QWidget* opener);

    // The card to print, with its archive's name and its photo.
    void setCard(const CardHandoff& card);

    // Tests only: the template read instead of the kind's own; an empty path restores it.
    static void setTemplateOverride(const QString& path);

    Picture* icoInf01;
    Picture* icoInf02;
    Picture* imgSezione04;
    Picture* imgLogo01;
    Shape* shpSfondo;
    Shape* shpSepara;
    QPushButton* btnAnnulla;
    QPushButton* btnStampa;
    PictureHolder* imgLogo;
    Picture* imgTemp;

public slots:
    void btnAnnullaClick();
    void btnStampaClick();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FormShow() override;
    void fillAndOutput();
    CoverPicture stockPicture() const;

    const Kind& m_kind;
    Action m_action;
    std::optional<CardHandoff> m_card;
};
