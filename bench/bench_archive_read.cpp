// Reading a whole archive card by card, every field converted to text, against a plain sequential
// read of the same file one record at a time, as the program's own access goes through it; a bulk
// read in 1 MiB blocks is shown beside it for scale. Archives of 100,000 cards of each kind are
// generated first.
//   make bench   (or: build/bench/bench_archive_read [cards])
#include "BenchArchive.h"
#include "folder/ProgramFolder.h"
#include "storage/CatalogueFile.h"
#include "storage/Kind.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
// The same file read one record at a time through an ordinary buffered QFile, with no conversion.
double plainRecordRead(const QString& path, int recordSize)
{
    QElapsedTimer timer;
    timer.start();
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QByteArray record(recordSize, Qt::Uninitialized);
    qint64 total = 0;
    for (qint64 got; (got = file.read(record.data(), recordSize)) == recordSize;)
        total += got;
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (total != file.size() / recordSize * recordSize)
        qFatal("short read");
    return seconds;
}

double cardRead(const Kind& kind, const QString& path, qint64* characters)
{
    QElapsedTimer timer;
    timer.start();
    CatalogueFile archive(kind.layout);
    archive.open(path);
    const int count = archive.recordCount();
    qint64 total = 0;
    for (int n = 1; n <= count; ++n) {
        const Record record = archive.readCard(n);
        for (int i = 0; i < kind.layout.fieldCount(); ++i)
            total += record.text(i).size();
    }
    archive.close();
    *characters = total;
    return timer.nsecsElapsed() / 1e9;
}

double best(int runs, const std::function<double()>& measure)
{
    double result = 1e9;
    for (int i = 0; i < runs; ++i)
        result = std::min(result, measure());
    return result;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int cards = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    QTemporaryDir folder;
    ProgramFolder::setOverride(folder.path());
    std::printf("Reading archives of %d cards: card by card with every field as text (cards), against one plain\n"
                "sequential read in record-sized blocks through QFile (records), and, for scale, one in 1 MiB\n"
                "blocks (plain); target: cards within 3x records\n",
                cards);
    std::printf("%-8s %8s %10s %12s %10s %12s %14s\n", "kind", "MB", "plain (s)", "records (s)", "cards (s)",
                "cards/plain", "cards/records");
    for (const Kind* kind : Kind::all()) {
        const QString path = folder.filePath(QStringLiteral("Bench") + kind->extension);
        BenchArchive::generate(*kind, path, cards);
        BenchArchive::plainRead(path); // into the page cache, as an archive in daily use
        const double plain = best(3, [&] { return BenchArchive::plainRead(path); });
        const double records = best(3, [&] { return plainRecordRead(path, kind->layout.recordSize()); });
        qint64 characters = 0;
        const double read = best(3, [&] { return cardRead(*kind, path, &characters); });
        std::printf("%-8s %8.1f %10.3f %12.3f %10.3f %11.2fx %13.2fx  %s\n", qPrintable(kind->tag),
                    QFile(path).size() / 1048576.0, plain, records, read, read / plain, read / records,
                    read / records <= 3 ? "within 3x" : "OVER 3x");
        QFile::remove(path);
    }
    return 0;
}
