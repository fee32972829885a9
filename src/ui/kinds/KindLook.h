#pragma once

#include "storage/Kind.h"

#include <QList>
#include <QString>

// What the windows of a kind show: captions, texts and messages, pixel geometry, pictures and
// hints. Each family of windows is written once and reads its differences from here; what the
// files need of a kind is Kind.
struct KindLook {
    struct RequiredField {
        QString field;   // record field name, shown in "txt" + field
        QString message; // warning when it is empty at save time
    };

    struct Card {
        QString caption;
        QString nameBarText;    // lblNome before an archive is opened
        QList<int> rowSizes;    // text fields per row, in record order; txtNote follows on its own
        int positionLabelWidth; // lblPosizione
        QList<RequiredField> required;
        QString slideshowHint;
        QString placeholderImage; // resource of the cover placeholder
        QString printTemplate;    // report template of the print and preview windows
    };

    // Menu, create and open windows, and their messages
    struct Catalogue {
        QString menuCaption;
        QString menuInstructions;
        QString createButton; // btnCrea
        QString openButton;   // btnCompila
        QString createCaption;
        QString openCaption;
        QString countPrefix; // count text: prefix + N + suffix
        QString countSuffix;
        QString msgNameMissing;    // M1
        QString msgNameInUse;      // M2
        QString msgCreated;        // M3
        QString msgListEmpty;      // M4
        QString msgSelectToOpen;   // M5
        QString msgSelectToDelete; // M6
        QString msgConfirmDelete;  // M7
        QString msgDeleted;        // M8
    };

    // One criterion field of the search window: it searches the record field of the same name.
    struct SearchCriterion {
        QString field;   // record field, shown in "txt" + field
        QString caption; // lblCampoNN above the field
        int number;      // NN of its caption and of its focus frame effCampoNN
    };

    struct Search {
        QString caption;
        QList<SearchCriterion> criteria; // in reading order, which is also the Enter ring and Tab
        QString listTitle;               // title of the printed list
        QStringList listHeadings;        // of the columns of a result line, in Kind::resultLine's order
    };

    struct Spreadsheet {
        QString caption;
        QList<int> gridWidths; // one per column of Kind::spreadsheet, in the same order
    };

    struct SlideShow {
        QString caption;
        QString startImage; // resource of the picture shown before the first card
    };

    // The kind's column on the start window: a picture, a button picture and a note, one above
    // the other, named img, btn and app + the kind's name. The pictures are avvio_, avvio_btn_ and
    // avvio_nota_ + the kind's tag; they hold these texts, said in words to a screen reader.
    struct StartColumn {
        QString choice; // what its three pictures do
        QString note;   // the note under its button
    };

    // The window that imports cards from another program's file, and its messages.
    struct Importing {
        QString caption;
        QString newArchive;       // the choice of a new archive, before its name
        QString existingArchive;  // the choice of an existing archive, before the list
        QString msgNameInUse;     // the new archive's name is taken
        QString msgChooseArchive; // no existing archive chosen
    };

    const Kind& kind;
    // The kind in the names of its controls and windows: imgLibri, TfrmMenuLibri.
    QString name;
    Card card;
    Catalogue catalogue;
    Search search;
    Spreadsheet spreadsheet;
    SlideShow slideShow;
    StartColumn startColumn;
    Importing importing;

    // "Sono stati creati 3 cataloghi di libri." under the list of the open window.
    QString countText(int count) const;

    // The look of this kind; std::logic_error for a kind without one.
    static const KindLook& of(KindId id);
    static const KindLook& of(const Kind& kind) { return of(kind.id); }
    // Gives a kind added with Kind::add its look, before its windows are created. The look must
    // live as long as the program; its kind must have no look yet: std::logic_error otherwise.
    static void add(const KindLook& look);
};
