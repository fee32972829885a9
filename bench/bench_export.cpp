// The spreadsheet export of book archives of 100,000 and a million cards: the export window shown with its
// grid loaded, the memory it holds, and the file written, against a plain write of a file of the
// same size in the same folder and run.
//   make bench   (or: QT_QPA_PLATFORM=offscreen build/bench/bench_export [cards])
#include "BenchArchive.h"
#include "cards/CardWindow.h"
#include "export/ExportRows.h"
#include "export/SpreadsheetWriter.h"
#include "folder/ProgramFolder.h"
#include "output/ExportWindow.h"
#include "shell/Application.h"
#include "start/WindowClasses.h"
#include "start/Windows.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

#include <unistd.h>

namespace {
// Resident and peak resident memory of this process, in bytes.
struct Memory {
    qint64 resident = 0;
    qint64 peak = 0;
};

Memory memory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    Memory result;
    for (const QByteArray& line : status.readAll().split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() >= 2 && parts.first() == "VmRSS:")
            result.resident = parts.at(1).toLongLong() * 1024;
        if (parts.size() >= 2 && parts.first() == "VmHWM:")
            result.peak = parts.at(1).toLongLong() * 1024;
    }
    return result;
}

double mb(qint64 bytes)
{
    return bytes / 1048576.0;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return (values.at((values.size() - 1) / 2) + values.at(values.size() / 2)) / 2;
}

double best(int runs, const std::function<double()>& measure)
{
    double result = 1e9;
    for (int i = 0; i < runs; ++i)
        result = std::min(result, measure());
    return result;
}

// A file of these bytes written in 1 MiB blocks, closed, optionally forced to the disk.
double plainWrite(const QString& path, const QByteArray& bytes, bool sync)
{
    QElapsedTimer timer;
    timer.start();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    for (qsizetype at = 0; at < bytes.size(); at += 1 << 20)
        file.write(bytes.constData() + at, std::min<qsizetype>(1 << 20, bytes.size() - at));
    file.flush();
    if (sync)
        ::fsync(file.handle());
    file.close();
    return timer.nsecsElapsed() / 1e9;
}

// A device that takes every byte and keeps none: the cost of making the file's text alone.
class Discard final : public QIODevice {
protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 length) override { return length; }
};

// The whole run on an archive of `cards` cards.
void measure(int cards)
{
    const QString archive = BenchArchive::cached(Kind::libri(), QStringLiteral("Esporta"), cards);
    BenchArchive::plainRead(archive); // into the page cache, as an archive in daily use
    CardWindow* card = Windows::card(KindId::Libri);
    card->setArchive(archive, QStringLiteral("Bench"));

    const Memory before = memory();
    QElapsedTimer timer;
    timer.start();
    auto window = WindowClasses::createDialog<ExportWindow>(WindowRole::Export, KindId::Libri, card);
    window->setCard(card->handoff());
    window->show();
    QCoreApplication::processEvents();
    window->grdRecords->viewport()->repaint();
    const double shown = timer.nsecsElapsed() / 1e9;
    const Memory after = memory();

    const auto& rows = *static_cast<const ExportRows*>(window->grdRecords->model());
    qint64 textLength = 0;
    for (int row = 0; row < rows.rowCount(); ++row)
        for (int column = 1; column < rows.columnCount(); ++column)
            textLength += rows.cellBytes(row, column).size();

    std::printf("\nExport window of a book archive of %d cards (%.1f MB), shown with its grid loaded\n", cards,
                mb(QFile(archive).size()));
    std::printf("  shown in %.3f s (%d rows; target %d s)\n", shown, rows.rowCount(), cards > 100000 ? 3 : 1);
    std::printf("  text of the cells %.1f MB; resident %.1f -> %.1f MB (+%.1f MB, %.2fx the text); "
                "peak %.1f -> %.1f MB (+%.1f MB, %.2fx the text); target 2x the text\n",
                mb(textLength), mb(before.resident), mb(after.resident), mb(after.resident - before.resident),
                double(after.resident - before.resident) / textLength, mb(before.peak), mb(after.peak),
                mb(after.peak - before.resident), double(after.peak - before.resident) / textLength);

    const QString exported = ProgramFolder::file(QStringLiteral("Catalogo_Libri.xls"));
    const QByteArray bytes = [&] {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        SpreadsheetWriter::write(buffer, rows);
        return buffer.data();
    }();
    const double text = best(3, [&] {
        Discard discard;
        discard.open(QIODevice::WriteOnly);
        QElapsedTimer t;
        t.start();
        SpreadsheetWriter::write(discard, rows);
        return t.nsecsElapsed() / 1e9;
    });

    // Whatever an earlier step left for the disk to write (the generated archive, the write before)
    // would be flushed during the next write and counted against it: each write starts after a
    // sync, and the export and the plain writes take turns at going first.
    const QString plainPath = ProgramFolder::file(QStringLiteral("plain.bin"));
    QList<double> writes, plains, plainsSynced;
    const auto exportOnce = [&] {
        ::sync();
        QElapsedTimer t;
        t.start();
        if (!SpreadsheetWriter::save(exported, rows))
            qFatal("export failed");
        writes << t.nsecsElapsed() / 1e9;
    };
    const auto plainOnce = [&] {
        ::sync();
        plains << plainWrite(plainPath, bytes, false);
        ::sync();
        plainsSynced << plainWrite(plainPath, bytes, true);
    };
    for (int round = 0; round < 4; ++round) {
        if (round % 2 == 0) {
            exportOnce();
            plainOnce();
        } else {
            plainOnce();
            exportOnce();
        }
    }
    const double write = median(writes);
    const double plain = median(plains);
    const double plainSynced = median(plainsSynced);
    std::printf("Export file of %.1f MB: written in %.3f s (its text made in %.3f s); plain write %.3f s (%.2fx), "
                "plain write forced to the disk %.3f s (%.2fx); target 3x the plain write forced to the disk "
                "(medians of 4, each write after a sync, export and plain writes first in turn)\n",
                mb(bytes.size()), write, text, plain, write / plain, plainSynced, write / plainSynced);

    QFile::remove(exported);
    QFile::remove(plainPath);
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    Application app(argc, argv);
    ProgramFolder::setOverride(BenchArchive::cacheFolder());
    Windows::createAll();
    for (const int cards : BenchArchive::sizes(argc, argv))
        measure(cards);
    Windows::destroyAll();
    return 0;
}
