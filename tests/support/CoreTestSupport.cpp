#include "CoreTestSupport.h"

#include "folder/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

ProgramFolderFixture::ProgramFolderFixture()
{
    // The program folder sits alone inside a temporary folder of its own, so a test can check
    // that nothing was written beside it, whatever other tests do in the system's temporary folder.
    const QString folder = m_dir.filePath(QStringLiteral("Cartavox"));
    QDir().mkpath(folder);
    ProgramFolder::setOverride(folder);
    // Decided now, while the folder is writable, as the program decides at its first use: a test
    // that later takes the folder away or makes it read-only must meet the failure, not a home folder.
    ProgramFolder::path();
}

ProgramFolderFixture::~ProgramFolderFixture()
{
    ProgramFolder::setOverride({});
}

QString ProgramFolderFixture::path() const
{
    return ProgramFolder::path();
}

QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void addKindRows()
{
    QTest::addColumn<KindId>("kind");
    for (const Kind* kind : Kind::all())
        addKindRow(kind->id);
}

QTestData& addKindRow(KindId kind, const char* what)
{
    const QByteArray tag = Kind::of(kind).tag.toLatin1();
    QTestData& row = what ? QTest::addRow("%s %s", tag.constData(), what) : QTest::newRow(tag.constData());
    return row << kind;
}

void failMissingKindRow(const char* table, const Kind& kind)
{
    qFatal("%s has no row for the kind \"%s\": type its literals there", table, qPrintable(kind.tag));
}
