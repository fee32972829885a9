// The import of a 100,000-row CSV into a new book archive, against the export of the archive it
// makes (its grid loaded, then the spreadsheet file written), with the memory the import takes.
//   make bench   (or: build/bench/bench_import [rows])
#include "BenchArchive.h"
#include "export/ExportRows.h"
#include "export/SpreadsheetWriter.h"
#include "folder/ProgramFolder.h"
#include "import/CardImport.h"
#include "import/ColumnNames.h"
#include "import/ImportFile.h"
#include "storage/CatalogueFile.h"
#include "storage/Text.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

namespace {
double mb(qint64 bytes)
{
    return bytes / 1048576.0;
}

// Peak resident memory of this process so far, in bytes; `reset` starts a new peak from here.
qint64 peakMemory(bool reset = false)
{
    if (reset) {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5");
    }
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.simplified().split(' ').at(1).toLongLong() * 1024;
    return 0;
}

// A cell as a spreadsheet writes it in CSV: quoted when it holds the separator, a quote or a
// line break.
QByteArray csvCell(QByteArrayView text)
{
    if (!text.contains(';') && !text.contains('"') && !text.contains('\n') && !text.contains('\r'))
        return text.toByteArray();
    return '"' + text.toByteArray().replace("\"", "\"\"") + '"';
}

// The cards of `archive` as a CSV file in UTF-8 with the spreadsheet's headings, as a spreadsheet
// program saves a sheet.
void writeCsv(const QString& archivePath, const QString& csvPath)
{
    const Kind& books = Kind::libri();
    QFile out(csvPath);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(csvPath));
    QByteArray text;
    QStringList headings;
    for (const Kind::SpreadsheetColumn& column : books.spreadsheet.columns)
        headings.append(column.caption);
    text += headings.join(u';').toUtf8() + "\r\n";
    CatalogueFile archive(books.layout);
    archive.open(archivePath);
    for (qint64 n = 1; n <= archive.recordCount(); ++n) {
        const Record card = archive.readCard(n);
        for (qsizetype c = 0; c < books.spreadsheet.columns.size(); ++c) {
            if (c > 0)
                text += ';';
            text += csvCell(card.text(books.spreadsheet.columns.at(c).field).toUtf8());
        }
        text += "\r\n";
        if (text.size() > (1 << 22)) {
            out.write(text);
            text.clear();
        }
    }
    out.write(text);
}

void measure(int rows)
{
    const QString source = BenchArchive::cached(Kind::libri(), QStringLiteral("Importa"), rows);
    const QString csv = ProgramFolder::file(QStringLiteral("importa_%1.csv").arg(rows));
    if (!QFile::exists(csv))
        writeCsv(source, csv);
    BenchArchive::plainRead(csv); // in the page cache, as a file just saved by a spreadsheet

    const QString name = QStringLiteral("Importato_%1").arg(rows);
    const QString archive = ProgramFolder::file(name + Kind::libri().extension);
    double import = 1e9;
    qint64 peak = 0;
    qint64 before = 0;
    for (int run = 0; run < 3; ++run) {
        QFile::remove(archive);
        before = peakMemory(true);
        QElapsedTimer timer;
        timer.start();
        const std::unique_ptr<ImportSource> file = ImportFile::open(csv, Kind::libri());
        const std::optional<ImportReport> report =
            CardImport(Kind::libri(), *file, ColumnNames::initialFields(Kind::libri(), file->columns()))
                .run({archive, name, true}, [](qint64, qint64) { return true; });
        import = std::min(import, timer.nsecsElapsed() / 1e9);
        peak = std::max(peak, peakMemory() - before);
        if (!report || report->cardsAdded != rows)
            qFatal("the import did not add every row");
    }

    double exported = 1e9;
    const QString spreadsheet = ProgramFolder::file(Kind::libri().spreadsheet.fileName);
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        ExportRows grid(Kind::libri());
        if (!grid.load(archive) || !SpreadsheetWriter::save(spreadsheet, grid))
            qFatal("the export failed");
        exported = std::min(exported, timer.nsecsElapsed() / 1e9);
    }

    std::printf("\nImport of a CSV of %d rows (%.1f MB) into a new book archive (%.1f MB)\n", rows,
                mb(QFile(csv).size()), mb(QFile(archive).size()));
    std::printf("  imported in %.3f s (target 3 s); the export of that archive, grid loaded and file written, "
                "%.3f s: %.2fx (target 2x)\n",
                import, exported, import / exported);
    std::printf("  peak memory during the import +%.1f MB over %.1f MB before it\n", mb(peak), mb(before));
    QFile::remove(archive);
    QFile::remove(spreadsheet);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ProgramFolder::setOverride(BenchArchive::cacheFolder());
    const int rows = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 100000;
    measure(rows);
    return 0;
}
