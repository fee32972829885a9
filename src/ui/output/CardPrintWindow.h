#pragma once

#include "folder/CoverPicture.h"
#include "shell/DialogWindow.h"
#include "storage/Kind.h"

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
// fills the kind's card template from that window's controls as they are now, saved or not, and
// hands it to the report engine; the window then closes, whatever came of it.
class CardPrintWindow : public DialogWindow {
    Q_OBJECT
public:
    enum class Action { Print, Preview };

    CardPrintWindow(const Kind& kind, Action action, QWidget* opener);

    // A fresh window of the kind's family for the card window `cardWindow`, shown modally over it
    // and destroyed when it closes.
    static void open(const Kind& kind, Action action, QWidget* cardWindow);

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
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow() override;
    void fillAndOutput();
    QString cardText(const QString& controlName) const;
    CoverPicture stockPicture() const;

    const Kind& m_kind;
    Action m_action;
};

class TfrmStampaLibri final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmStampaLibri(QWidget* opener = nullptr) : CardPrintWindow(Kind::libri(), Action::Print, opener) {}
};

class TfrmStampaFumetti final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmStampaFumetti(QWidget* opener = nullptr) : CardPrintWindow(Kind::fumetti(), Action::Print, opener) {}
};

class TfrmStampaDVD final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmStampaDVD(QWidget* opener = nullptr) : CardPrintWindow(Kind::dvd(), Action::Print, opener) {}
};

class TfrmAnteprimaLibri final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmAnteprimaLibri(QWidget* opener = nullptr) : CardPrintWindow(Kind::libri(), Action::Preview, opener) {}
};

class TfrmAnteprimaFumetti final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmAnteprimaFumetti(QWidget* opener = nullptr) : CardPrintWindow(Kind::fumetti(), Action::Preview, opener)
    {
    }
};

class TfrmAnteprimaDVD final : public CardPrintWindow {
    Q_OBJECT
public:
    explicit TfrmAnteprimaDVD(QWidget* opener = nullptr) : CardPrintWindow(Kind::dvd(), Action::Preview, opener) {}
};
