#pragma once

// Large archives for the benchmarks, filled in as a catalogue in use, and the plain read that
// their figures are measured against.
#include "storage/Kind.h"
#include "storage/Record.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <functional>

namespace BenchArchive {

inline const QString kWords = QStringLiteral("Città libertà perché età Milano romanzo storia edizione prima Einaudi "
                                             "Garzanti Adelphi Mondadori giallo saggio poesia Roma Torino volume ");

// Writes `cards` cards of `kind`; `touch`, when given, changes card n before it is written.
inline void generate(const Kind& kind, const QString& path, int cards,
                     const std::function<void(Record&, int)>& touch = {})
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray chunk;
    QRandomGenerator random(1252);
    for (int n = 1; n <= cards; ++n) {
        Record record(kind.layout);
        for (int i = 0; i < kind.layout.fieldCount(); ++i) {
            // As a catalogue in use: every field of a kind filled in, most with a few words, a
            // quarter left empty, and documents attached to one card in ten.
            const FieldSpec& field = kind.layout.field(i);
            const bool attachment = field.role == FieldSpec::Role::Attachment;
            if (attachment ? random.bounded(10) != 0 : (i > 1 && random.bounded(4) == 0))
                continue;
            const int length = 4 + int(random.bounded(std::max(1, field.capacity / 3)));
            const int start = int(random.bounded(kWords.size() / 2));
            record.setText(i, kWords.repeated(1 + length / int(kWords.size())).mid(start, length));
        }
        if (touch)
            touch(record, n);
        chunk += record.bytes();
        if (chunk.size() > (1 << 22)) {
            file.write(chunk);
            chunk.clear();
        }
    }
    file.write(chunk);
}

// Where generated archives are kept between runs (a million cards take a minute to write):
// $CARTAVOX_BENCH_CACHE, else "cache" beside the benchmark. The benchmarks use it as their program
// folder, since the program reads archives only from there.
inline QString cacheFolder()
{
    const QString chosen = qEnvironmentVariable("CARTAVOX_BENCH_CACHE");
    const QString folder =
        chosen.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/cache") : chosen;
    if (!QDir().mkpath(folder))
        qFatal("cannot make %s", qPrintable(folder));
    return folder;
}

// The archive `name` of `cards` cards in the cache folder, generated as above when it is not
// there whole. `name` must stand for the cards `touch` makes.
inline QString cached(const Kind& kind, const QString& name, int cards,
                      const std::function<void(Record&, int)>& touch = {})
{
    const QString path = cacheFolder() + QStringLiteral("/%1_%2%3").arg(name).arg(cards).arg(kind.extension);
    if (QFileInfo(path).size() == qint64(cards) * kind.layout.recordSize())
        return path;
    const QString part = path + QStringLiteral(".part");
    generate(kind, part, cards, touch);
    QFile::remove(path);
    if (!QFile::rename(part, path))
        qFatal("cannot keep %s", qPrintable(path));
    return path;
}

// The sizes a benchmark of whole archives runs at: the one on its command line, else 100,000
// cards and then a million, unless CARTAVOX_BENCH_SKIP_MILLION is set.
inline QList<int> sizes(int argc, char** argv)
{
    if (argc > 1)
        return {QString::fromLocal8Bit(argv[1]).toInt()};
    if (qEnvironmentVariableIsSet("CARTAVOX_BENCH_SKIP_MILLION"))
        return {100000};
    return {100000, 1000000};
}

// One plain sequential read of the whole file in 1 MiB blocks, in seconds.
inline double plainRead(const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    qint64 total = 0;
    for (qint64 got; (got = file.read(buffer.data(), buffer.size())) > 0;)
        total += got;
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (total != file.size())
        qFatal("short read");
    return seconds;
}

} // namespace BenchArchive
