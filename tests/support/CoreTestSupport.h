#pragma once

// What tests of the core and of the windows share: a fresh program folder, the three kinds as test
// rows, the bytes of a file.
#include "storage/Kind.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTestData>

Q_DECLARE_METATYPE(KindId)

// A fresh, empty program folder for one test, alone in a temporary folder of its own.
class ProgramFolderFixture final {
public:
    ProgramFolderFixture();
    ~ProgramFolderFixture();

    QString path() const; // with trailing separator
    QString file(const QString& name) const { return path() + name; }

private:
    QTemporaryDir m_dir;
};

// A column "kind" with a row for each kind, named by its tag: the same test over the three.
void addKindRows();
// One row of a test over the kinds that needs more columns: declare the column "kind" (KindId)
// first, then add the row's other columns to what this returns. The row is named by the kind's
// tag, followed by `what` when given.
QTestData& addKindRow(KindId kind, const char* what = nullptr);

// The password file that the build lays down for a new installation, written here by hand:
// "pergamenaverde" scrambled.
inline const QByteArray kShippedPasswordFile = "[Accesso]\r\nValore=2C0B7B9CC8B2FAA471958C8C6AFF\r\n";

// The names in a folder, hidden ones too, sorted.
QStringList folderEntries(const QString& folder);

// Bytes of a file, for byte-level checks.
QByteArray fileBytes(const QString& path);
void writeFileBytes(const QString& path, const QByteArray& bytes);
