#include "DeweyTable.h"

#include <QFile>

namespace DeweyTable {

const QStringList& rows()
{
    static const QStringList table = [] {
        QFile file(QStringLiteral(":/data/dewey.txt"));
        // A resource compiled into the program cannot be missing; should it be, an empty table
        // shows an empty list rather than ending the program.
        if (!file.open(QIODevice::ReadOnly))
            return QStringList();
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }();
    return table;
}

} // namespace DeweyTable
