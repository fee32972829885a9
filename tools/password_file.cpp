// Lays down the password file of a new installation, holding the scrambled initial password, so
// that the first login can be made with it:
//   cartavox-password-file PROGRAM_DIR/unins000.dll
// A file that already holds a readable password is left alone: whoever changed it keeps theirs.
#include "access/PasswordFile.h"
#include "folder/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PASSWORD_FILE\n", argv[0]);
        return 2;
    }
    const QString path = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    // The file is the program folder's own, and the program touches such files only there.
    QDir().mkpath(QFileInfo(path).absolutePath());
    ProgramFolder::setOverride(QFileInfo(path).absolutePath());
    try {
        if (!PasswordFile::stored(path).isEmpty())
            return 0;
    } catch (const PasswordFile::Error&) {
        // A damaged value is replaced by the initial password below.
    }
    try {
        PasswordFile::store(PasswordFile::normalised(PasswordFile::kInitialPassword), path);
    } catch (const PasswordFile::Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
