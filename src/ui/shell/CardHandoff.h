#pragma once

#include "folder/CoverPicture.h"
#include "storage/Kind.h"
#include "storage/Record.h"

#include <QString>

// What a dialog opened from a card window gets from it: one value, taken when the dialog opens,
// with the kind, the archive, the card as it stands on screen (saved or not) and its photo. The
// dialog reads only this and hands its results back through its own signals; it never looks into
// the card window.
struct CardHandoff {
    explicit CardHandoff(const Kind& kind) : kind(&kind), card(kind.layout) {}

    const Kind* kind;
    QString archivePath; // lblFile, as the control holds it
    QString archiveName; // lblNome
    QString cardNumber;  // lblPosizione: empty for a card not stored yet
    Record card;         // every field as the window shows it
    CoverPicture photo;  // the photo box's picture, as it came from its file
};
