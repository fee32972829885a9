#pragma once

// What the fuzz targets of the import's readers share: the whole file read as an import reads it,
// the headings matched to fields, every row, then the rows' pictures, and the ceilings checked on
// the way. A refusal (UserError) is a good outcome; anything else that escapes is a finding.
#include "FuzzFolder.h"
#include "UserError.h"
#include "import/ColumnNames.h"
#include "import/ImportSource.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace Fuzz {

inline void readWhole(ImportSource& source, const Kind& kind)
{
    const qsizetype columns = source.columns().size();
    if (columns == 0 || columns > ImportLimits::kMostColumns)
        std::abort();
    QList<int> fields = ColumnNames::initialFields(kind, source.columns());
    fields.removeAll(-1);
    if (QSet<int>(fields.cbegin(), fields.cend()).size() != fields.size())
        std::abort(); // a field given to two columns
    QSet<QString> pictures;
    SourceRow row;
    while (source.next(row)) {
        if (row.cells.size() > ImportLimits::kMostColumns)
            std::abort();
        qsizetype length = 0;
        for (const QString& cell : std::as_const(row.cells))
            length += cell.size();
        // A row's text within its ceiling, give or take the one value that crossed it.
        if (length > ImportLimits::kMostRowBytes + ImportLimits::kMostElementBytes)
            std::abort();
        if (!row.picture.isEmpty() && pictures.size() < 4)
            pictures.insert(row.picture);
    }
    source.readPictures(pictures, [&pictures](const QString& key, const CoverPicture& picture) {
        if (!pictures.contains(key) || picture.isNull())
            std::abort();
    });
}

// `size` bytes at `data` as the file `name`, opened and handed to the reader that `open` makes of it
// (the opened file and its path), then read whole for `kind`.
template <typename Open>
int importFile(const QString& name, const std::uint8_t* data, std::size_t size, const Kind& kind, Open open)
{
    const QString path = fileWith(name, data, size);
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        std::abort();
    try {
        auto reader = open(std::move(file), path);
        readWhole(*reader, kind);
    } catch (const UserError&) {
    }
    return 0;
}

} // namespace Fuzz
