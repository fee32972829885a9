// Deleting card 1 of 100,000 books with a photo on one card in ten, as "Elimina scheda" does it:
// the archive written again without the card and forced to the disk, 10,000 photos moved up one
// number. Against one plain copy of the archive forced to the disk, which no deletion that keeps
// the old archive whole until the new one is complete can beat. Target: at most 3 s.
//   make bench   (or: build/bench/bench_card_delete [cards] [runs])
#include "BenchArchive.h"
#include "BenchSupport.h"
#include "folder/CoverPhotos.h"
#include "folder/ProgramFolder.h"
#include "storage/CardSession.h"
#include "storage/Kind.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr double kTargetSeconds = 3.0;

// A fresh program folder holding the archive and a photo on every tenth card.
void layOut(const Kind& kind, const QString& source, const QString& archive, int cards)
{
    QFile::remove(archive);
    if (!QFile::copy(source, archive))
        qFatal("cannot copy the archive");
    QDir(CoverPhotos::folder(kind)).removeRecursively();
    CoverPhotos::ensureFolder(kind);
    const QByteArray photo(2000, 'f');
    for (int n = 10; n <= cards; n += 10) {
        QFile file(CoverPhotos::filePath(kind, QStringLiteral("Bench"), QString::number(n)));
        if (!file.open(QIODevice::WriteOnly) || file.write(photo) != photo.size())
            qFatal("cannot write a photo");
    }
    ::sync(); // what the copy left to write is not the deletion's cost
}

double plainCopy(const QString& source, const QString& target)
{
    QElapsedTimer timer;
    timer.start();
    QFile in(source);
    QFile out(target);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot copy");
    QByteArray buffer(8 << 20, Qt::Uninitialized);
    for (qint64 got; (got = in.read(buffer.data(), buffer.size())) > 0;)
        out.write(buffer.constData(), got);
    out.flush();
    ::fsync(out.handle());
    const double seconds = timer.nsecsElapsed() / 1e9;
    out.close();
    QFile::remove(target);
    return seconds;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int cards = argc > 1 ? std::max(2, QString::fromLocal8Bit(argv[1]).toInt()) : 100000;
    const int runs = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 3;
    const Kind& kind = Kind::libri();
    const QString source = BenchArchive::cached(kind, QStringLiteral("Delete"), cards);
    QTemporaryDir folder(BenchArchive::cacheFolder() + QStringLiteral("/delete-XXXXXX"));
    ProgramFolder::setOverride(folder.path());
    const QString archive = ProgramFolder::file(QStringLiteral("Bench") + kind.extension);

    std::printf("Deleting card 1 of %d books (%lld bytes), a photo on every tenth card, %d runs\n", cards,
                qint64(cards) * kind.layout.recordSize(), runs);
    QList<double> deletions;
    QList<double> copies;
    for (int run = 0; run < runs; ++run) {
        layOut(kind, source, archive, cards);
        CardSession session(kind);
        session.setArchive(archive, QStringLiteral("Bench"));
        session.goTo(1);
        session.readPhoto();
        QElapsedTimer timer;
        timer.start();
        if (session.remove() != CardSession::Deleted::Removed)
            qFatal("the card was not deleted");
        deletions.append(timer.nsecsElapsed() / 1e9);
        if (QFileInfo(archive).size() != qint64(cards - 1) * kind.layout.recordSize() ||
            !QFile::exists(CoverPhotos::filePath(kind, QStringLiteral("Bench"), QStringLiteral("9"))))
            qFatal("the deletion left the wrong archive");
        copies.append(plainCopy(source, archive + QStringLiteral(".copy")));
    }
    const Figures deletion = summary(deletions);
    const Figures copy = summary(copies);
    std::printf("  Elimina scheda:                   median %.2f s, slowest %.2f s (target %.1f s)\n", deletion.median,
                deletion.slowest, kTargetSeconds);
    std::printf("  plain copy of the archive, fsync: median %.2f s, slowest %.2f s\n", copy.median, copy.slowest);
    return 0;
}
