#pragma once

#include "RecordLayout.h"

#include <QList>
#include <QString>
#include <QStringList>

// The three kinds the program ships with. A kind added with Kind::add takes a further value,
// KindId{3} and up.
enum class KindId : int { Libri, Fumetti, DVD };

// What tells books, comics and DVDs apart in their files: the archive's extension, the photo
// folder, the record layout, the result line of the lists and the spreadsheet export. What the
// windows show of a kind (captions, messages, geometry, pictures) is KindLook, in the window tree.
struct Kind {
    // One column of a result line: a lead-in, then the field's text padded or cut to `width`
    // characters (width 0: the last column, as it is).
    struct LineColumn {
        QString leadIn;
        QString field;
        int width;
    };

    // A column of the spreadsheet export, after the card number; the export window's grid shows
    // the same columns.
    struct SpreadsheetColumn {
        QString field;   // record field it holds
        QString caption; // header of the grid and of the file
        int exportWidth; // width written into the file's header cell
        bool editable;   // whether the grid lets the user change it before exporting
    };

    struct Spreadsheet {
        QString fileName;  // in the program folder; every export of the kind replaces it
        QString worksheet; // name of the sheet inside the file
        QList<SpreadsheetColumn> columns;
    };

    // Other headings by which a file to import may name a field: the usual English ones and
    // Tellico's. The field's own name, its caption and its spreadsheet heading name it anyway.
    struct OtherNames {
        QString field;
        QStringList names;
    };

    // What an import reads as cards of this kind.
    struct ImportFrom {
        int tellicoCollection; // the type number of Tellico's collection of this kind; 0: none
        QString archiveWords;  // "un catalogo di libri": where a collection of this kind goes
        QList<OtherNames> names;
    };

    KindId id;
    QString tag;         // caller tag: "libri", "fumetti", "dvd"
    QString extension;   // ".lib"
    QString pattern;     // "*.lib"
    QString photoFolder; // folder of cover photos inside the program folder
    const RecordLayout& layout;
    QString helpTopic;            // title of the kind's help topic
    QString exportHelpTopic;      // title of the help topic of its spreadsheet export
    QList<LineColumn> resultLine; // how a card reads in the list windows
    Spreadsheet spreadsheet;
    ImportFrom importFrom;

    // The text fields of the card, in record order (which is also the Enter-key ring).
    QStringList textFields() const;

    // The kind of this id; std::logic_error for an id no kind has.
    static const Kind& of(KindId id);
    static const Kind& libri();
    static const Kind& fumetti();
    static const Kind& dvd();
    // Every kind: the three shipped ones, then those added, in the order they were added.
    static const QList<const Kind*>& all();
    // Makes one more kind known to the program, before its windows are created. The kind must
    // live as long as the program, and its id and tag must be new: std::logic_error otherwise.
    static void add(const Kind& kind);
};

// The three record layouts.
const RecordLayout& bookLayout();
const RecordLayout& comicLayout();
const RecordLayout& dvdLayout();
