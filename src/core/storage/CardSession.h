#pragma once

#include "Kind.h"
#include "Navigation.h"
#include "Record.h"
#include "folder/CoverPicture.h"

#include <QString>

// The card a card window works on, apart from the window: which archive, which card (its number,
// or a new card not yet stored), the card and its photo as they were read, and the form as it
// stood when it was put on screen. It does every read and write of the archive and of the photo
// for the window, each within one call, and holds no file open between them.
//
// The window keeps the form. It tells the session what it put on screen (`markShown`), and asks it
// whether what the form holds now differs from that.
class CardSession final {
public:
    explicit CardSession(const Kind& kind);

    const Kind& kind() const { return *m_kind; }

    // The archive: its full path and its name, which names the photo files.
    void setArchive(const QString& path, const QString& name);
    const QString& archivePath() const { return m_archivePath; }
    const QString& archiveName() const { return m_archiveName; }

    // The card's number in its archive; 0 for a new card.
    qint64 number() const { return m_number; }
    bool isNew() const { return m_number == 0; }
    // The number as the window shows it: empty for a new card.
    QString numberText() const;

    // The card as it was read from the archive, or as it was last written there; blank for a new
    // card.
    const Record& cardAsRead() const { return m_cardAsRead; }
    // Its photo as it was read or last written; null when it had none or it could not be read.
    const CoverPicture& photoAsRead() const { return m_photoAsRead; }

    // A blank new card.
    void startNew();
    // The card on screen stays, but as a new card that no archive holds (a copy, or a card whose
    // archive was emptied behind the window).
    void detach();
    // A card as it lies in the archive, with its number, is now the one on screen.
    void cardRead(const Record& card, qint64 number);
    // Reads the card's photo file, which is then the photo as read; null when there is none or it
    // cannot be read.
    CoverPicture readPhoto();

    // What a navigation button did.
    struct Move {
        Navigation::Step::Action action;
        Record card; // the card now on screen, when action is ShowCard
    };
    // Goes where `button` leads: a card is read whole, and becomes the card on screen; its photo
    // is not read (`readPhoto`). ArchiveError when the archive cannot be reached.
    Move move(Navigation::Button button);

    // Stores `card` as the card on screen: in its place, or at the end of the archive for a new
    // card, which then has its number. ArchiveError when the archive cannot be reached, and then
    // nothing changes here.
    enum class Saved { Appended, Replaced };
    Saved save(const Record& card);
    // Writes `photo` as the card's photo file, which is then its photo as read; false when it
    // could not be written, and the file stays as it was.
    bool savePhoto(const CoverPicture& photo);

    // The form as the window put it on screen, after a card was shown, cleared or saved: what
    // `differsFrom` compares with.
    void markShown(const Record& form, const CoverPicture& photo);
    // Whether the form now holds something else than what was put on screen: another text in any
    // field (after trimming, so blanks typed and taken away again are no change), another flag,
    // other attachments, or another photo.
    bool differsFrom(const Record& form, const CoverPicture& photo) const;

private:
    const Kind* m_kind;
    QString m_archivePath;
    QString m_archiveName;
    qint64 m_number = 0;
    Record m_cardAsRead;
    CoverPicture m_photoAsRead;
    Record m_shown;
    CoverPicture m_shownPhoto;
};
