#pragma once

#include "CardDeletion.h"
#include "Kind.h"
#include "Navigation.h"
#include "Record.h"
#include "folder/CoverPicture.h"

#include <QString>

class CatalogueFile;

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
    // Where `button` would lead, as the archive is now; nothing changes here.
    Navigation::Step destination(Navigation::Button button) const;
    // Goes where `button` leads: a card is read whole, and becomes the card on screen; its photo
    // is not read (`readPhoto`). ArchiveError when the archive cannot be reached.
    Move move(Navigation::Button button);
    // Reads card `number` as it is now in the archive, which becomes the card on screen.
    Record goTo(qint64 number);

    // Stores `card` as the card on screen: in its place, or at the end of the archive as it is at
    // that moment for a new card, which then has its number. A stored card whose record or photo
    // file another program changed since they were read is not written, unless `whenChanged` says
    // so: it is ChangedElsewhere. A card that another program's deletion moved up, unchanged, is
    // written in its new place, which is then its number. When a deletion took the card itself,
    // or moved it and changed it, its number now names another card, which is never written
    // over: NumberTaken, whatever `whenChanged` says (`detach` and save again to add it as a new
    // card). ArchiveInUse when another program holds the archive's write lock for too long,
    // ArchiveError when the archive cannot be reached; then nothing changes here.
    enum class Saved { Appended, Replaced, ChangedElsewhere, NumberTaken };
    enum class WhenChanged { Refuse, Overwrite };
    Saved save(const Record& card, WhenChanged whenChanged = WhenChanged::Refuse);
    // Whether another program changed the stored card's record or photo file since they were read.
    bool changedElsewhere() const;

    // Takes the stored card out of the archive (see CardDeletion): the cards after it move up one
    // number, each with its photo. Then the card that took its number is the card on screen, read
    // anew, or a blank new card when it was the last. A card that another program's deletion moved
    // up, unchanged, is deleted in its new place. A card that another program changed since it was
    // read is not deleted: ChangedElsewhere. NoRoomToDelete, ArchiveInUse or ArchiveError when
    // it could not be deleted: then the archive, the photos and the session are as they were.
    enum class Deleted { Removed, ChangedElsewhere };
    Deleted remove(const CardDeletion::Progress& progress = {});

    // Finishes or undoes a card deletion of this archive that was cut short, by this program or
    // another: for when the archive is opened. Every write does it too, before it writes.
    void finishInterruptedDeletion();

    // What a photo box holding the placeholder does to a photo file in the card's place.
    enum class Placeholder { Replaces, KeepsAFile };
    // Writes `photo` as the card's photo file, which is then its photo as read; false when it
    // could not be written, and the file stays as it was. It is written under the archive's write
    // lock, beside the card as saved: in the card's new place when another program's deletion
    // moved it up meanwhile (then its number), and not at all when the card is no longer there
    // as saved or the archive stays in use. A placeholder that the user did not
    // choose keeps a file that is there (one that could not be read, say): it is never lost to a
    // picture that stood in for it.
    bool savePhoto(const CoverPicture& photo, Placeholder placeholder = Placeholder::Replaces);

    // The form and the photo as the window put them on screen, after a card was shown, cleared or
    // saved: what `differsFrom` compares with.
    void markShown(const Record& form, const CoverPicture& photo);
    void markFormShown(const Record& form);
    // Whether the form now holds something else than what was put on screen: another text in any
    // field (after trimming, so blanks typed and taken away again are no change), another flag,
    // other attachments, or another photo.
    bool differsFrom(const Record& form, const CoverPicture& photo) const;

private:
    // Opens the archive under its write lock.
    void openForWriting(CatalogueFile& archive) const;
    bool changedIn(CatalogueFile& archive) const;
    // Whether the card as read lies at `number` of `archive`, byte for byte; `number` is one of its
    // cards.
    bool liesAt(CatalogueFile& archive, qint64 number) const;
    // Where another program's deletion moved the card as read, unchanged, since it was read; 0 when
    // no card was deleted meanwhile or the card is not found above its number.
    qint64 movedUpIn(CatalogueFile& archive) const;
    // The card, as read from `archive` where it lies, is the one on screen.
    void readIn(const CatalogueFile& archive, const Record& card, qint64 number);

    const Kind* m_kind;
    QString m_archivePath;
    QString m_archiveName;
    qint64 m_number = 0;
    // How many cards the archive held when this session last read or wrote it: fewer now means
    // that another program deleted cards meanwhile, and may have moved the card up.
    qint64 m_countSeen = 0;
    Record m_cardAsRead;
    CoverPicture m_photoAsRead;
    Record m_shown;
    CoverPicture m_shownPhoto;
};
