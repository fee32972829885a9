#pragma once

// What tests of the core and of the windows share: a fresh program folder, the kinds as test
// rows and each kind's literals, the bytes of a file.
#include "storage/Kind.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTestData>

#include <initializer_list>
#include <utility>
#include <vector>

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

// A column "kind" with a row for each kind of Kind::all(), named by its tag: the same test over
// every kind.
void addKindRows();
// One row of a test over the kinds that needs more columns: declare the column "kind" (KindId)
// first, then add the row's other columns to what this returns. The row is named by the kind's
// tag, followed by `what` when given.
QTestData& addKindRow(KindId kind, const char* what = nullptr);

// Stops the test program with a message that names the kind and the table of literals that has no
// row for it.
[[noreturn]] void failMissingKindRow(const char* table, const Kind& kind);

// A test's own literals for each kind, typed in the test and keyed by the kind's tag. A table over
// Kind::all() takes each kind's row from here; a kind without one stops the test by name, so that
// no test goes on with another kind's literals.
template <typename Row> class KindRows final {
public:
    KindRows(const char* table, std::initializer_list<std::pair<QString, Row>> rows) : m_table(table), m_rows(rows) {}

    const Row& of(const Kind& kind) const
    {
        for (const auto& [tag, row] : m_rows)
            if (tag == kind.tag)
                return row;
        failMissingKindRow(m_table, kind);
    }
    const Row& of(KindId kind) const { return of(Kind::of(kind)); }

private:
    const char* m_table;
    std::vector<std::pair<QString, Row>> m_rows;
};

// The password file that the build lays down for a new installation, written here by hand:
// "pergamenaverde" scrambled.
inline const QByteArray kShippedPasswordFile = "[Accesso]\r\nValore=2C0B7B9CC8B2FAA471958C8C6AFF\r\n";

// The names in a folder, hidden ones too, sorted.
QStringList folderEntries(const QString& folder);

// Bytes of a file, for byte-level checks.
QByteArray fileBytes(const QString& path);
void writeFileBytes(const QString& path, const QByteArray& bytes);
