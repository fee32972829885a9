#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What an import did, to be read in its window and printed: how many cards it added, and each card
// whose text it had to change, by the card's number in the archive.
class ImportReport final {
public:
    qint64 cardsAdded = 0;

    // A text longer than its field: cut to the field's size, `characters` characters fewer.
    void addCut(qint64 card, const QString& field, qsizetype characters);
    // Characters that Windows-1252, the archives' code page, lacks: each stored as "?".
    void addReplaced(qint64 card, const QString& field, const QString& characters);
    // Anything else the user should know of a card (a cover picture not found, an unknown mark).
    void addNote(qint64 card, const QString& text);

    bool changedAnyCard() const { return !m_cuts.isEmpty() || !m_replaced.isEmpty() || !m_notes.isEmpty(); }

    // The report as lines of text: the count first, then each group of changes under its title.
    QStringList lines() const;

private:
    QStringList m_cuts;
    QStringList m_replaced;
    QStringList m_notes;
};
