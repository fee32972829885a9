// Appending cards to an archive through CatalogueFile, against a plain write of the same records
// forced to the disk one by one: as "Salva" does it (the archive opened, one card appended, the
// archive closed) and many cards in turn in one open archive.
//   make bench   (or: build/bench/bench_archive_append [cards] [runs])
#include "BenchSupport.h"
#include "folder/ProgramFolder.h"
#include "storage/CatalogueFile.h"
#include "storage/Kind.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

namespace {
Record sampleCard(const Kind& kind, int n)
{
    Record record(kind.layout);
    record.setText(0, QStringLiteral("Scheda %1").arg(n));
    record.setText(1, QStringLiteral("Il nome della rosa, edizione %1").arg(n));
    return record;
}

// Microseconds per card for `cards` cards appended by `append`.
double perCard(int cards, const std::function<void(int)>& append)
{
    QElapsedTimer timer;
    timer.start();
    for (int n = 1; n <= cards; ++n)
        append(n);
    return timer.nsecsElapsed() / 1e3 / cards;
}

QList<double> measure(int runs, const std::function<double()>& run)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i)
        times.append(run());
    return times;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int cards = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 2000;
    const int runs = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 9;
    QTemporaryDir folder;
    ProgramFolder::setOverride(folder.path());
    const Kind& kind = Kind::libri();
    const QString path = folder.filePath(QStringLiteral("Bench") + kind.extension);
    const QList<Record> records = [&] {
        QList<Record> all;
        for (int n = 1; n <= cards; ++n)
            all.append(sampleCard(kind, n));
        return all;
    }();

    std::printf("Appending %d cards of %d bytes, %d runs: microseconds per card, median and slowest run\n", cards,
                kind.layout.recordSize(), runs);
    // Each run appends to a new file.
    const auto plain = [&] {
        QFile::remove(path);
        const int descriptor = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_APPEND, 0666);
        const double time = perCard(cards, [&](int n) {
            const QByteArray& bytes = records.at(n - 1).bytes();
            if (::write(descriptor, bytes.constData(), bytes.size()) != bytes.size() || ::fsync(descriptor) != 0)
                qFatal("plain write failed");
        });
        ::close(descriptor);
        return time;
    };
    const auto asSalva = [&] {
        QFile::remove(path);
        return perCard(cards, [&](int n) {
            CatalogueFile archive(kind.layout);
            archive.open(path);
            archive.appendCard(records.at(n - 1));
            archive.close();
        });
    };
    const auto oneOpen = [&] {
        QFile::remove(path);
        CatalogueFile archive(kind.layout);
        archive.open(path);
        return perCard(cards, [&](int n) { archive.appendCard(records.at(n - 1)); });
    };
    const struct {
        const char* name;
        std::function<double()> run;
    } rows[] = {
        {"plain write + fsync, one open file", plain},
        {"CatalogueFile, opened for each card", asSalva},
        {"CatalogueFile, one open archive", oneOpen},
    };
    std::printf("%-40s %10s %10s\n", "", "median", "slowest");
    for (const auto& row : rows) {
        const Figures figures = summary(measure(runs, row.run));
        std::printf("%-40s %10.1f %10.1f\n", row.name, figures.median, figures.slowest);
    }
    return 0;
}
