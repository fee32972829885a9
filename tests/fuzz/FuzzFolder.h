#pragma once

// What every fuzz target shares: a folder of its own for the file it reads, in memory where the
// system has one (a synced write there costs nothing), and a Qt application for the image plugins.
#include "folder/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace Fuzz {

inline QTemporaryDir& folder()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/cartavox-fuzz-XXXXXX")
                                                                       : QDir::tempPath() + "/cartavox-fuzz-XXXXXX");
    return dir;
}

inline void startApplication(int* argc, char*** argv)
{
    // Damaged input makes the decoders warn at every run; only a fatal message matters here.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", qPrintable(text));
            std::abort();
        }
    });
    static QCoreApplication application(*argc, *argv);
    // The program reads and writes its own files only in its program folder.
    ProgramFolder::setOverride(folder().path());
}

// Puts the input in a file of the folder, replacing what the last input left there.
inline QString fileWith(const QString& name, const std::uint8_t* data, std::size_t size)
{
    const QString path = folder().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        qFatal("cannot write the fuzz input to %s", qPrintable(path));
    return path;
}

} // namespace Fuzz
