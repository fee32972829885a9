#pragma once

// Reading back the PDF files that the report engine's one painting routine writes: the words and
// where they stand (pdftotext), the pages (pdfinfo), the pixels (pdftoppm) and the embedded
// pictures (pdfimages).
#include <QColor>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace PdfPages {

constexpr double kPointsPerMm = 72 / 25.4;

struct Word {
    QString text;
    QRectF box; // millimetres from the corner of the paper
};

// Runs a tool and gives its output; a tool that fails ends the test program.
QByteArray run(const QString& program, const QStringList& arguments);

// The text of one page (0: all), laid out as printed; pages end with a form feed.
QString pdfText(const QString& pdf, int page = 0);
QString pdfInfo(const QString& pdf, const QString& key);
int pageCount(const QString& pdf);
// Millimetres of the first page.
QSizeF pageSize(const QString& pdf);
bool isPaper(const QSizeF& size, double width, double height);

// The words of every page, with their boxes; and those of one page, from 1.
QList<QList<Word>> pageWords(const QString& pdf);
QList<Word> words(const QString& pdf, int page);

// The box of a phrase: its words one after the other on one line; null when it is not there.
QRectF phraseBox(const QList<Word>& all, const QString& phrase);

// A page rendered at 50 dots per inch, and the colour at a point given in millimetres from the
// corner of the paper.
QImage renderPage(const QString& pdf, int page);
QColor pixelAt(const QImage& image, double xMm, double yMm);
bool near(const QColor& a, const QColor& b, int tolerance = 40);

// Pixel sizes of the pictures embedded in the file.
QList<QSize> embeddedPictures(const QString& pdf);

} // namespace PdfPages
