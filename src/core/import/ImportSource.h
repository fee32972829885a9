#pragma once

#include "UserError.h"
#include "folder/CoverPicture.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// The ceilings of every reader: what a file to import never makes the program hold at once.
namespace ImportLimits {
// The bytes of one row (of one card), and the columns of a file: a list of cards has a few dozen
// short texts a row, and every field keeps 250 characters at most.
inline constexpr qsizetype kMostRowBytes = 1 << 20;
inline constexpr int kMostColumns = 256;
// A file inside a Tellico zip, and one element of Tellico's XML (a picture kept in it as text is
// the largest), whatever their headers claim.
inline constexpr qint64 kMostXmlBytes = qint64(1) << 30;
inline constexpr qint64 kMostElementBytes = 32 << 20;
// How deep Tellico's elements nest: a few levels in a real file.
inline constexpr int kMostDepth = 32;
} // namespace ImportLimits

// The failure of a file that cannot be imported, with the reason after the common opening.
inline UserError importRefused(const QString& reason)
{
    return UserError(QStringLiteral("Attenzione: il file scelto non si può importare.\r\n\r\n") + reason);
}

// A column of a file to import: its heading as the file shows it and, where the file has one, the
// name its program knows the column by (Tellico's "pub_year" beside "Publication Year").
struct SourceColumn {
    QString heading;
    QString name;
};

// One row of a file to import: one card to be.
struct SourceRow {
    QStringList cells; // one per column, or fewer: the missing ones are empty
    QString picture;   // the key of the row's cover picture in the file; empty for none
};

// A file to import, read row by row from its first row after the headings, never whole. Each
// reader bounds what it holds: a row, a cell or a picture beyond its ceiling ends the reading with
// a UserError that says what is wrong with the file, as does a file damaged or cut short.
class ImportSource {
public:
    virtual ~ImportSource() = default;

    // What the file is, for the window: "testo CSV separato da punto e virgola", ...
    virtual QString description() const = 0;
    const QList<SourceColumn>& columns() const { return m_columns; }
    // The next row; false after the last one.
    virtual bool next(SourceRow& row) = 0;
    // How far the reading has come, against how far it goes, in any unit: for a progress bar.
    virtual qint64 progress() const = 0;
    virtual qint64 progressEnd() const = 0;

    // After the last row: hands over the picture of each key in `wanted` that the file holds or
    // links to, in any order. A picture that is missing or cannot be read is left out.
    using PictureFound = std::function<void(const QString& key, const CoverPicture& picture)>;
    virtual void readPictures(const QSet<QString>& wanted, const PictureFound& found)
    {
        Q_UNUSED(wanted);
        Q_UNUSED(found);
    }

protected:
    // The columns of a table whose first row heads them; a column with no heading is called by its
    // place ("Colonna 3").
    static QList<SourceColumn> columnsHeaded(const QStringList& headings)
    {
        QList<SourceColumn> columns;
        for (qsizetype i = 0; i < headings.size(); ++i)
            columns.append({headings.at(i).isEmpty() ? QStringLiteral("Colonna %1").arg(i + 1) : headings.at(i), {}});
        return columns;
    }

    QList<SourceColumn> m_columns; // set by the reader's constructor
};
