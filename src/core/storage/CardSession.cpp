#include "CardSession.h"

#include "CatalogueFile.h"
#include "Text.h"
#include "folder/CoverPhotos.h"

#include <QFileInfo>

#include <algorithm>

CardSession::CardSession(const Kind& kind) : m_kind(&kind), m_cardAsRead(kind.layout), m_shown(kind.layout) {}

void CardSession::setArchive(const QString& path, const QString& name)
{
    m_archivePath = path;
    m_archiveName = name;
}

QString CardSession::numberText() const
{
    return isNew() ? QString() : QString::number(m_number);
}

void CardSession::startNew()
{
    detach();
}

void CardSession::detach()
{
    m_number = 0;
    m_cardAsRead = Record(m_kind->layout);
    m_photoAsRead = {};
}

void CardSession::cardRead(const Record& card, qint64 number)
{
    m_number = number;
    m_cardAsRead = card;
    m_photoAsRead = {};
}

void CardSession::readIn(const CatalogueFile& archive, const Record& card, qint64 number)
{
    cardRead(card, number);
    m_countSeen = archive.recordCount();
}

CoverPicture CardSession::readPhoto()
{
    m_photoAsRead = isNew() ? CoverPicture() : CoverPhotos::load(*m_kind, m_archiveName, numberText());
    return m_photoAsRead;
}

Navigation::Step CardSession::destination(Navigation::Button button) const
{
    CatalogueFile archive(m_kind->layout);
    archive.open(Text::trimmed(m_archivePath));
    const Navigation::Step step = Navigation::decide(button, archive.recordCount(), m_number);
    archive.close();
    return step;
}

Record CardSession::goTo(qint64 number)
{
    CatalogueFile archive(m_kind->layout);
    archive.open(Text::trimmed(m_archivePath));
    const Record card = archive.readCard(number);
    readIn(archive, card, number);
    archive.close();
    return card;
}

CardSession::Move CardSession::move(Navigation::Button button)
{
    CatalogueFile archive(m_kind->layout);
    archive.open(Text::trimmed(m_archivePath));
    const Navigation::Step step = Navigation::decide(button, archive.recordCount(), m_number);
    Move done{step.action, Record(m_kind->layout)};
    if (step.action == Navigation::Step::Action::ShowCard) {
        // The card becomes the one on screen only once it has been read whole.
        done.card = archive.readCard(step.card);
        readIn(archive, done.card, step.card);
        archive.close();
        return done;
    }
    archive.close();
    if (step.leavesArchive)
        detach();
    return done;
}

CardSession::Saved CardSession::save(const Record& card, WhenChanged whenChanged)
{
    CatalogueFile archive(m_kind->layout);
    // Compared and written under one lock: no other program writes in between.
    openForWriting(archive);
    const bool append = isNew();
    if (!append && (m_number > archive.recordCount() || changedIn(archive))) {
        if (const qint64 moved = movedUpIn(archive))
            m_number = moved;
        else if (m_countSeen > archive.recordCount())
            return Saved::NumberTaken;
        else if (whenChanged == WhenChanged::Refuse)
            return Saved::ChangedElsewhere;
    }
    const qint64 number = append ? archive.appendCard(card) : m_number;
    if (!append)
        archive.writeCard(number, card);
    m_number = number;
    m_countSeen = archive.recordCount();
    m_cardAsRead = card;
    archive.close();
    return append ? Saved::Appended : Saved::Replaced;
}

bool CardSession::changedElsewhere() const
{
    if (isNew())
        return false;
    CatalogueFile archive(m_kind->layout);
    archive.open(Text::trimmed(m_archivePath));
    const bool changed = changedIn(archive);
    archive.close();
    return changed;
}

CardSession::Deleted CardSession::remove(const CardDeletion::Progress& progress)
{
    CatalogueFile archive(m_kind->layout);
    openForWriting(archive);
    // Only the card the user saw goes: not one that another program changed, or that another
    // deletion moved into its number, meanwhile.
    if (m_number > archive.recordCount() || changedIn(archive)) {
        const qint64 moved = movedUpIn(archive);
        if (!moved)
            return Deleted::ChangedElsewhere;
        m_number = moved;
    }
    const qint64 left = archive.recordCount() - 1;
    CardDeletion(*m_kind, Text::trimmed(m_archivePath), m_archiveName, archive).remove(m_number, progress);
    archive.close();
    if (m_number > left)
        startNew();
    else
        goTo(m_number);
    return Deleted::Removed;
}

void CardSession::finishInterruptedDeletion()
{
    if (!CardDeletion::leftSomethingBehind(Text::trimmed(m_archivePath)))
        return;
    CatalogueFile archive(m_kind->layout);
    openForWriting(archive);
}

void CardSession::openForWriting(CatalogueFile& archive) const
{
    archive.open(Text::trimmed(m_archivePath));
    archive.lockForWriting();
    // A deletion that another run left half done is finished or undone before anything is read.
    CardDeletion(*m_kind, Text::trimmed(m_archivePath), m_archiveName, archive).finishInterrupted();
}

bool CardSession::changedIn(CatalogueFile& archive) const
{
    // A card that is no longer there is for the write to report.
    if (m_number > archive.recordCount())
        return false;
    if (!liesAt(archive, m_number))
        return true;
    return !CoverPhotos::load(*m_kind, m_archiveName, numberText()).sameAs(m_photoAsRead);
}

bool CardSession::liesAt(CatalogueFile& archive, qint64 number) const
{
    return archive.cardBytes(number) == QByteArrayView(m_cardAsRead.bytes());
}

qint64 CardSession::movedUpIn(CatalogueFile& archive) const
{
    // A deletion moves each card after the deleted one up one number, with its photo: the card
    // can only have gone up by as many numbers as the archive lost cards.
    const qint64 lost = m_countSeen - archive.recordCount();
    for (qint64 number = m_number - 1; lost > 0 && number >= std::max<qint64>(1, m_number - lost); --number) {
        if (!liesAt(archive, number))
            continue;
        const QString photoNumber = QString::number(number);
        return CoverPhotos::load(*m_kind, m_archiveName, photoNumber).sameAs(m_photoAsRead) ? number : 0;
    }
    return 0;
}

bool CardSession::savePhoto(const CoverPicture& photo, Placeholder placeholder)
{
    // Under the archive's write lock, which a deletion holds while it moves the photos: a photo is
    // never written among photos being moved, nor to a number that another program's deletion has
    // given to another card since the card was saved.
    CatalogueFile archive(m_kind->layout);
    try {
        openForWriting(archive);
    } catch (const ArchiveError&) {
        return false;
    }
    if (m_number > archive.recordCount() || !liesAt(archive, m_number)) {
        const qint64 moved = movedUpIn(archive);
        if (!moved)
            return false;
        m_number = moved;
    }
    const QString file = CoverPhotos::filePath(*m_kind, m_archiveName, numberText());
    if (placeholder == Placeholder::KeepsAFile && QFileInfo::exists(file))
        return true;
    if (!CoverPhotos::save(*m_kind, m_archiveName, numberText(), photo))
        return false;
    // As the file now holds it: a picture made in memory was encoded on the way.
    m_photoAsRead = CoverPhotos::load(*m_kind, m_archiveName, numberText());
    return true;
}

void CardSession::markShown(const Record& form, const CoverPicture& photo)
{
    m_shown = form;
    m_shownPhoto = photo;
}

void CardSession::markFormShown(const Record& form)
{
    m_shown = form;
}

bool CardSession::differsFrom(const Record& form, const CoverPicture& photo) const
{
    for (int field = 0; field < m_kind->layout.fieldCount(); ++field)
        if (form.text(field) != m_shown.text(field))
            return true;
    return !photo.sameAs(m_shownPhoto);
}
