// The seed corpus of each fuzz target, written by the program's own writers: archives of each kind
// through CatalogueFile, password files through PasswordFile, cover photos through CoverPicture,
// spreadsheet exports through SpreadsheetWriter; and files to import as other programs write them
// (Tellico's are the ones Tellico made for the tests).
// Usage: make_seeds <folder>; it fills a folder of <folder> per target.
#include "DamagedPictures.h"
#include "access/IniFile.h"
#include "access/PasswordFile.h"
#include "export/ExportRows.h"
#include "export/SpreadsheetWriter.h"
#include "folder/CoverPicture.h"
#include "folder/ProgramFolder.h"
#include "storage/CatalogueFile.h"
#include "storage/Kind.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStringEncoder>

namespace {
QByteArray contents(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void archives(const QDir& out, const QDir& scratch)
{
    for (int selector = 0; selector < 3; ++selector) {
        const Kind& kind = *Kind::all().at(selector);
        const QString path = scratch.filePath(kind.tag + kind.extension);
        QFile::remove(path);
        CatalogueFile archive(kind.layout);
        archive.open(path);
        Record full(kind.layout);
        Record sparse(kind.layout);
        for (int field = 0; field < kind.layout.fieldCount(); ++field) {
            const int capacity = kind.layout.field(field).capacity;
            full.setText(field, QString(capacity, QChar(u'\u00E8')));
            if (field % 3 == 0)
                sparse.setText(field, QStringLiteral("Città € “%1”").arg(field));
        }
        archive.appendCard(sparse);
        archive.appendCard(full);
        archive.close();
        const QByteArray bytes = char(selector) + contents(path);
        put(out.filePath(kind.tag + "-two-cards"), bytes);
        // Half a card after the first: what an interrupted copy leaves.
        put(out.filePath(kind.tag + "-partial"), bytes.left(1 + kind.layout.recordSize() * 3 / 2));
        put(out.filePath(kind.tag + "-empty"), QByteArray(1, char(selector)));
    }
}

void passwordFiles(const QDir& out, const QDir& scratch)
{
    const QString path = scratch.filePath(QStringLiteral("unins000.dll"));
    QFile::remove(path);
    PasswordFile::store(PasswordFile::kInitialPassword.toUpper(), path);
    put(out.filePath("initial"), contents(path));
    IniFile::writeString(path, QStringLiteral("Setup"), QStringLiteral("Lingua"), QStringLiteral("italiano"));
    PasswordFile::store(QStringLiteral("ÀBC 123"), path);
    put(out.filePath("two-sections"), contents(path));
    put(out.filePath("odd-digits"), "[Accesso]\nValore=ABC\n");
}

// A JPEG with an orientation mark (EXIF, "turn 90 degrees"), so that the sideways paths are reached.
QByteArray withOrientation(const QByteArray& jpeg, quint8 orientation)
{
    const QByteArray tiff = QByteArray("MM\x00\x2A\x00\x00\x00\x08", 8) + QByteArray("\x00\x01", 2) +
                            QByteArray("\x01\x12\x00\x03\x00\x00\x00\x01\x00", 9) + char(orientation) +
                            QByteArray("\x00\x00", 2) + QByteArray(4, '\0');
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    const quint16 length = quint16(body.size() + 2);
    const QByteArray segment = QByteArray("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xFF) + body;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

void coverPictures(const QDir& out, const QDir& scratch)
{
    QImage image(48, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(0, 0, 24, 32, QColor(0x46, 0x82, 0xB4));
    painter.fillRect(24, 8, 24, 16, QColor(0x41, 0x69, 0xE1, 128));
    painter.end();
    const QString path = scratch.filePath(QStringLiteral("foto.jpg"));
    if (!CoverPicture(image).saveJpeg(path, FileScope::UserChoice))
        qFatal("cannot write a cover photo");
    // The first byte of a seed says how long fuzz_cover_picture makes the file: 0 as it is, 1 a
    // byte past the file-size ceiling.
    const QByteArray jpeg = contents(path);
    put(out.filePath("photo.jpg"), '\0' + jpeg);
    put(out.filePath("photo-sideways.jpg"), '\0' + withOrientation(jpeg, 6));
    put(out.filePath("photo-past-the-file-ceiling.jpg"), '\1' + jpeg);
    put(out.filePath("photo-of-100-megapixels.jpg"), '\0' + jpegClaiming(jpeg, QSize(10000, 10000)));
    put(out.filePath("photo-past-100-megapixels.jpg"), '\0' + jpegClaiming(jpeg, QSize(10001, 10000)));
    // The program reads photos of other formats too; the imaging library writes those.
    for (const char* format : {"png", "bmp"}) {
        const QString other = scratch.filePath(QStringLiteral("foto.") + format);
        if (image.save(other, format))
            put(out.filePath(QStringLiteral("photo.") + format), '\0' + contents(other));
    }
}
// CSV and text as spreadsheets and other programs save them. The first byte picks the kind.
void importTexts(const QDir& out)
{
    const QList<std::pair<const char*, QByteArray>> texts{
        {"commas.csv", "Titolo,Autore,Anno\nUno,Primo,1980\nDue,Secondo,1990\n"},
        {"semicolons-crlf.csv", "Titolo;Prezzo\r\n\"Uno; due\";12,50\r\n\"Disse \"\"ciao\"\"\r\nandò\";1e5"},
        {"tabs.txt", "Title\tAuthor\tPublisher\nA, b\tc; d\te\n"},
        {"bom.csv", "\xEF\xBB\xBFTitolo fumetto;Numero albo;Albo mancante\nTex;1;Sì\nZagor;2;no\n"},
        {"windows-1252.csv", "Titolo DVD;Regista\nCitt\xE0 \x80;\x93x\x94\n"},
        {"unbalanced.csv", "Titolo,Note\nUno,\"aperte\nDue,x\n"},
    };
    for (int kind = 0; kind < 3; ++kind)
        for (const auto& [name, text] : texts)
            put(out.filePath(QString::number(kind) + u'-' + QLatin1String(name)), char(kind) + text);
    put(out.filePath("utf16.txt"),
        QByteArray(1, '\0') + "\xFF\xFE" + QStringEncoder(QStringEncoder::Utf16LE)(u"Titolo;Autore\r\nÉcole;Łódź\r\n"));
}

// The program's own export of the archives archives() wrote, and a re-save as a spreadsheet
// program writes one.
void importSpreadsheets(const QDir& out, const QDir& scratch)
{
    for (int selector = 0; selector < 3; ++selector) {
        const Kind& kind = *Kind::all().at(selector);
        ExportRows rows(kind);
        if (!rows.load(scratch.filePath(kind.tag + kind.extension)))
            qFatal("cannot read the archive just written");
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        SpreadsheetWriter::write(buffer, rows);
        put(out.filePath(kind.spreadsheet.fileName), char(selector) + bytes);
    }
    put(out.filePath("resaved.htm"),
        QByteArray(1, '\0') +
            "<html><head><meta http-equiv=Content-Type content=\"text/html; charset=utf-8\"></head><body>"
            "<table><tr><td class=xl65>Titolo libro</td><td>Autore</td></tr><tr><td>001</td><td>Rossi<span "
            "style='mso-spacerun:yes'>   </span>&amp; Figli</td></tr><tr><td colspan=2>a<br>b</td></tr></table>"
            "</body></html>");
}

// Tellico's files, made by Tellico. The first byte: bit 0 for a zip, then the kind.
void importTellico(const QDir& out)
{
    const QDir samples(QStringLiteral(TELLICO_SAMPLES));
    const QList<std::pair<const char*, int>> files{
        {"libri.tc", 1 | 0 << 1},  {"fumetti.tc", 1 | 1 << 1},  {"film.tc", 1 | 2 << 1},
        {"musica.tc", 1 | 0 << 1}, {"tellico.xml", 0 | 0 << 1},
    };
    for (const auto& [name, first] : files)
        put(out.filePath(QLatin1String(name)), char(first) + contents(samples.filePath(QLatin1String(name))));
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 2)
        qFatal("usage: make_seeds <folder>");
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const char* name :
         {"archive", "password_file", "cover_picture", "import_text", "import_html", "import_tellico", "scratch"})
        root.mkpath(QString::fromLatin1(name));
    const QDir scratch(root.filePath(QStringLiteral("scratch")));
    // The program writes its own files only in its program folder.
    ProgramFolder::setOverride(scratch.path());
    archives(QDir(root.filePath(QStringLiteral("archive"))), scratch);
    passwordFiles(QDir(root.filePath(QStringLiteral("password_file"))), scratch);
    coverPictures(QDir(root.filePath(QStringLiteral("cover_picture"))), scratch);
    importTexts(QDir(root.filePath(QStringLiteral("import_text"))));
    importSpreadsheets(QDir(root.filePath(QStringLiteral("import_html"))), scratch);
    importTellico(QDir(root.filePath(QStringLiteral("import_tellico"))));
    QDir(scratch).removeRecursively();
    return 0;
}
