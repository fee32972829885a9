#pragma once

#include "kinds/KindLook.h"
#include "shell/CardHandoff.h"
#include "shell/ChainWindow.h"
#include "storage/CardSession.h"
#include "storage/Navigation.h"
#include "storage/Record.h"

#include <QHash>
#include <QList>

class QKeyCombination;
class QLabel;
class QLineEdit;
class QPushButton;
class PictureButton;
class PhotoBox;
class Shape;
class StatusHints;

// The record card window of one kind: one card of one archive at a time, a form of text fields
// beside the cover photo, under a toolbar. The form is the card as the user edits it, the
// attachments in six hidden labels; which card it is, and how it was read, is the CardSession's,
// which also reads and writes the archive. lblFile, lblNome and lblPosizione show the archive and
// the card number.
class CardWindow : public ChainWindow {
    Q_OBJECT
public:
    // Toolbar groups, left to right: the shape behind each group and the controls in it.
    struct ToolbarGroup {
        QString shape;
        QStringList controls;
    };

    // A picture that one kind's card adds to the toolbar: made here with the others, connected to
    // its handler by that card (`commandButton`).
    struct OwnCommand {
        QString name;
        QString picture; // resource name under :/images, without ".svg"
        QString meaning; // what a screen reader says
        QString hint;    // status-line hint
    };

    const Kind& kind() const { return m_kind; }
    const KindLook& look() const { return KindLook::of(m_kind); }
    const CardSession& session() const { return m_session; }

    // The archive this window works on: its full path (lblFile) and its name (lblNome).
    void setArchive(const QString& path, const QString& name);

    // Puts the window on a blank new card.
    void ClearCard();
    // Puts a stored card and its number on screen.
    void ShowCard(const Record& record, qint64 number);
    // Fills the photo box from the card's photo file, or shows the placeholder.
    void LoadCoverPhoto();
    // Writes the photo box as the card's photo file; a failure shows the placeholder. False when
    // the photo could not be written, for the save to say so.
    bool SaveCoverPhoto();

    QLineEdit* field(const QString& fieldName) const;
    QLabel* attachmentLabel(const QString& fieldName) const;
    PictureButton* commandButton(const QString& name) const;
    // `keys` press `button`, which names them in its tooltip.
    void addKeys(PictureButton* button, QKeyCombination combination);

    // The card on screen as a record, every field taken from the window.
    Record recordOnScreen() const;

    // What a dialog opened from here gets: the archive, the card as on screen and its photo.
    CardHandoff handoff() const;

    // The toolbar of the book and DVD cards.
    static QList<ToolbarGroup> standardToolbar();

public slots:
    // A card chosen in a list window: shown with its number, then its cover photo.
    void showFoundCard(const Record& record, qint64 number);
    // The documents and descriptions applied in the attachment window, in the six hidden labels.
    void showAttachments(const QStringList& files, const QStringList& descriptions);

    void cmdSalvaClick();
    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdTrovaClick();
    void cmdEliminaClick();
    void cmdFileClick();
    void btnCaricaFotoClick();
    void btnSalvaFotoClick();
    void btnCancFotoClick();
    void btnZoomFotoClick();
    void cmdStampaClick();
    void cmdAnteprimaClick();
    void cmdSlideshowClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdEsciClick();
    void cmdGuidaClick();
    void cmdEsportaClick();
    void btnFocusClick();

protected:
    void buildControls() override;
    explicit CardWindow(const Kind& kind, const QList<ToolbarGroup>& toolbar = standardToolbar(),
                        const QList<OwnCommand>& ownCommands = {});

    void FormShow() override;
    // Closing asks first when the card holds edits not saved.
    bool FormCloseQuery() override;
    void FormClose() override;

    // What a kind adds to a blank card, a shown card and a stored record.
    virtual void clearExtras() {}
    virtual void showExtras(const Record&) {}
    virtual void storeExtras(Record&) const {}
    // What a kind adds to the record of a blank card, as storeExtras stores it after ClearCard.
    virtual void storeBlankExtras(Record&) const {}

    QWidget* panContainer;
    Shape* shpContainer;
    Shape* shpSfondo;
    Shape* shpSezione01;
    QLabel* lblFile;
    QLabel* lblNome;
    QLabel* lblPosizione;
    Shape* shpFoto;
    PhotoBox* imgFoto;
    QLabel* imgBianco;
    Shape* bkgPulsantiFoto;
    PictureButton* btnCaricaFoto;
    PictureButton* btnSalvaFoto;
    PictureButton* btnCancFoto;
    PictureButton* btnZoomFoto;
    QLabel* imgNote;
    Shape* shpInfo;
    QLabel* panInfo;
    QPushButton* btnFocus;
    StatusHints* hints;

private:
    void buildToolbar(const QList<ToolbarGroup>& groups);
    void buildNameBar();
    void buildPhotoColumn();
    void buildFields();
    void buildBottomBar();
    // Whether the card on screen may make way for another: when it holds edits not saved, the user
    // is asked whether to save them first.
    enum class Leave { Go, GoAfterSave, Stay };
    Leave askBeforeLeaving();
    // Salva: checks, stores the card and its photo and says so; true when both were stored.
    bool saveCard();
    // Another program changed the card since it was read: asks whether to write over it; on
    // "Carica l'altra versione" the card is read again.
    bool overwriteWhatOthersSaved();
    // Another program's deletion gave the card's number to another card: asks whether to add the
    // card on screen at the end of the archive instead.
    bool addAsNewCard();
    CoverPicture placeholderPicture() const;
    Record blankForm() const;
    OwnCommand commandLook(const QString& name) const;
    void navigate(Navigation::Button button);
    // Tells a screen reader which card a navigation showed.
    void announceCard();
    void showPlaceholder();
    void showPosition();
    // What the form now holds is what the card was put on screen as.
    void markShown();

    const Kind& m_kind;
    CardSession m_session;
    QList<ToolbarGroup> m_toolbar;
    QList<OwnCommand> m_ownCommands;
    bool m_placeholderChosen = false;         // Cancella foto since the card was shown
    QHash<QString, PictureButton*> m_buttons; // by command name
    QHash<QString, QLineEdit*> m_fields;
    QHash<QString, QLabel*> m_attachments;
};
