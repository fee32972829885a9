#pragma once

#include "RecordLayout.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

enum class KindId { Libri, Fumetti, DVD };

// Everything that tells books, comics and DVDs apart. Each family of windows is written once and
// reads its differences from here.
struct Kind {
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
        QString helpTopic;        // title of the kind's help topic
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

    // One column of a result line: a lead-in, then the field's text padded or cut to `width`
    // characters (width 0: the last column, as it is).
    struct LineColumn {
        QString leadIn;
        QString field;
        int width;
    };

    struct Search {
        QString caption;
        QList<SearchCriterion> criteria; // in reading order, which is also the Enter ring and Tab
        QList<LineColumn> line;
        QString listTitle; // title of the printed list
    };

    // A column of the export window's grid and of the spreadsheet file, after the card number.
    struct SpreadsheetColumn {
        QString field;   // record field it holds
        QString caption; // header of the grid and of the file
        int gridWidth;
        int exportWidth; // width written into the file's header cell
        bool editable;   // whether the grid lets the user change it before exporting
    };

    struct Spreadsheet {
        QString caption;
        QString fileName;  // in the program folder; every export of the kind replaces it
        QString worksheet; // name of the sheet inside the file
        QList<SpreadsheetColumn> columns;
    };

    struct SlideShow {
        QString caption;
        QString startImage; // resource of the picture shown before the first card
    };

    KindId id;
    QString tag;         // caller tag: "libri", "fumetti", "dvd"
    QString extension;   // ".lib"
    QString pattern;     // "*.lib"
    QString photoFolder; // folder of cover photos inside the program folder
    const RecordLayout& layout;
    Card card;
    Catalogue catalogue;
    Search search;
    Spreadsheet spreadsheet;
    SlideShow slideShow;

    // The text fields of the card, in record order (which is also the Enter-key ring).
    QStringList textFields() const;

    static const Kind& of(KindId id);
    static const Kind& libri();
    static const Kind& fumetti();
    static const Kind& dvd();
    static const std::array<const Kind*, 3>& all();
};

// The three record layouts.
const RecordLayout& bookLayout();
const RecordLayout& comicLayout();
const RecordLayout& dvdLayout();
