// Checks that a spreadsheet program reads the program's exports back as the cards hold them.
// Writes an archive of each kind whose cards hold the values spreadsheet programs like to turn
// into something else (codes with leading zeros, "1e5", "12,50", dates, "<", "&", accents, runs of
// blanks, tabs and line breaks),
// exports it with the program's own code, converts the export to CSV with LibreOffice Calc under
// an Italian and an English locale, and compares every cell.
//   cartavox-spreadsheet-check [folder]     (needs soffice: apt-get install libreoffice-calc-nogui)
#include "export/ExportRows.h"
#include "export/SpreadsheetWriter.h"
#include "folder/ProgramFolder.h"
#include "storage/CatalogueFile.h"
#include "storage/Kind.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {
const QStringList kValues = {
    "001",
    "1e5",
    "12,50",
    "12.50",
    "1.234,56",
    "01/02/2023",
    "2023-02-01",
    "3/4",
    "12:30",
    "50%",
    "-5",
    "TRUE",
    "=1+1",
    "<",
    "a < b",
    "</td>",
    "&",
    "Tom & Jerry",
    "&amp;",
    "Città",
    "perché costa 5 €",
    "\"Il Gattopardo\"",
    "  spazi intorno  ",
    "0012345678",
    "Sì",
    "Guerra   e  pace",
    "  tre   spazi  dentro  ",
    "a\tb",
    "colonna\t\tdoppia",
    "riga 1\nriga 2",
    "riga 1\r\nriga 2",
    "prima \x01 dopo",
};

// What a spreadsheet program gets back of a card's text: a tab, a line break or another control
// character cannot come back as itself and is written as a blank.
QString asExported(QString text)
{
    for (QChar& c : text)
        if (c.unicode() < 32 || c.unicode() == 0x7F)
            c = u' ';
    return text;
}

// One CSV line as LibreOffice writes it: fields quoted only when they need it.
QStringList parseCsvLine(const QString& line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < line.size() && line.at(i + 1) == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields.append(field);
            field.clear();
        } else {
            field += c;
        }
    }
    fields.append(field);
    return fields;
}

// Three cards of the kind, every exported field holding one of the values above.
QList<QStringList> writeArchive(const Kind& kind, const QString& path)
{
    CatalogueFile archive(kind.layout);
    archive.open(path);
    QList<QStringList> expected;
    for (int n = 0; n < 3; ++n) {
        Record record(kind.layout);
        QStringList row;
        for (int k = 0; k < kind.spreadsheet.columns.size(); ++k) {
            const QString& field = kind.spreadsheet.columns.at(k).field;
            const QString value = field == QLatin1String("Mancante")
                                      ? (n % 2 ? QStringLiteral("No") : QStringLiteral("Sì"))
                                      : kValues.at((n * 7 + k) % kValues.size());
            record.setText(field, value);
            row.append(asExported(record.text(field)));
        }
        archive.appendCard(record);
        expected.append(row);
    }
    archive.close();
    return expected;
}

int check(const Kind& kind, const QString& folder, const QString& locale)
{
    const QString archivePath = folder + QStringLiteral("/Prova") + kind.extension;
    QFile::remove(archivePath);
    QList<QStringList> expected = writeArchive(kind, archivePath);
    QStringList header;
    for (const Kind::SpreadsheetColumn& column : kind.spreadsheet.columns)
        header.append(column.caption);
    expected.prepend(header);

    ExportRows rows(kind);
    rows.load(archivePath);
    const QString exported = folder + u'/' + kind.spreadsheet.fileName;
    if (!SpreadsheetWriter::save(exported, rows)) {
        std::printf("cannot write %s\n", qPrintable(exported));
        return 1;
    }

    const QString out = folder + QStringLiteral("/csv-") + locale;
    QDir(out).removeRecursively();
    QProcess soffice;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), locale);
    environment.insert(QStringLiteral("LANG"), locale);
    soffice.setProcessEnvironment(environment);
    soffice.start(QStringLiteral("soffice"),
                  {QStringLiteral("-env:UserInstallation=file://") + folder + QStringLiteral("/lo-profile"),
                   QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                   QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,-1"),
                   QStringLiteral("--outdir"), out, exported});
    if (!soffice.waitForFinished(300000) || soffice.exitCode() != 0) {
        std::printf("soffice failed: %s\n", soffice.readAllStandardError().constData());
        return 1;
    }
    const QStringList csvFiles = QDir(out).entryList({QStringLiteral("*.csv")});
    QFile csv(out + u'/' + csvFiles.value(0));
    if (csvFiles.size() != 1 || !csv.open(QIODevice::ReadOnly)) {
        std::printf("no CSV from %s\n", qPrintable(exported));
        return 1;
    }
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(u'\n', Qt::SkipEmptyParts);
    int faults = lines.size() == expected.size() ? 0 : 1;
    if (faults)
        std::printf("%s, %s: %lld rows instead of %lld\n", qPrintable(kind.spreadsheet.fileName), qPrintable(locale),
                    qlonglong(lines.size()), qlonglong(expected.size()));
    for (qsizetype row = 0; row < std::min(lines.size(), expected.size()); ++row) {
        const QStringList cells = parseCsvLine(lines.at(row));
        for (qsizetype k = 0; k < expected.at(row).size(); ++k) {
            if (cells.value(k) == expected.at(row).at(k))
                continue;
            ++faults;
            std::printf("%s, %s, row %lld column %lld: \"%s\" came back as \"%s\"\n",
                        qPrintable(kind.spreadsheet.fileName), qPrintable(locale), qlonglong(row), qlonglong(k + 1),
                        qPrintable(expected.at(row).at(k)), qPrintable(cells.value(k)));
        }
    }
    std::printf("%-22s %-12s %lld rows x %lld cells: %s\n", qPrintable(kind.spreadsheet.fileName), qPrintable(locale),
                qlonglong(expected.size()), qlonglong(header.size()), faults ? "FAULTS" : "every cell intact");
    return faults ? 1 : 0;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QDir(QString::fromLocal8Bit(argv[1])).absolutePath() : temporary.path();
    QDir().mkpath(folder);
    // The program reads and writes its archives and exports only in its program folder.
    ProgramFolder::setOverride(folder);
    int faults = 0;
    for (const QString& locale : {QStringLiteral("it_IT.UTF-8"), QStringLiteral("en_US.UTF-8")})
        for (const Kind* kind : Kind::all())
            faults += check(*kind, folder, locale);
    return faults ? 1 : 0;
}
