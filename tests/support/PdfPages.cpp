#include "PdfPages.h"

#include <QProcess>
#include <QRegularExpression>

namespace PdfPages {

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return process.readAllStandardOutput();
}

QString pdfText(const QString& pdf, int page)
{
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    return QString::fromUtf8(run(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-")));
}

QString pdfInfo(const QString& pdf, const QString& key)
{
    const QString all = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdf}));
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(key), QRegularExpression::MultilineOption);
    return line.match(all).captured(1).trimmed();
}

int pageCount(const QString& pdf)
{
    return pdfInfo(pdf, QStringLiteral("Pages")).toInt();
}

QSizeF pageSize(const QString& pdf)
{
    const QStringList numbers = pdfInfo(pdf, QStringLiteral("Page size")).split(u' ');
    return QSizeF(numbers.value(0).toDouble(), numbers.value(2).toDouble()) / kPointsPerMm;
}

bool isPaper(const QSizeF& size, double width, double height)
{
    return qAbs(size.width() - width) < 0.5 && qAbs(size.height() - height) < 0.5;
}

QList<QList<Word>> pageWords(const QString& pdf)
{
    const QString html =
        QString::fromUtf8(run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<QList<Word>> pages;
    const QStringList parts = html.split(QStringLiteral("<page "));
    for (qsizetype i = 1; i < parts.size(); ++i) {
        QList<Word> result;
        for (const auto& match : word.globalMatch(parts.at(i))) {
            QString found = match.captured(5);
            found.replace(QLatin1String("&apos;"), QLatin1String("'"))
                .replace(QLatin1String("&quot;"), QLatin1String("\""))
                .replace(QLatin1String("&lt;"), QLatin1String("<"))
                .replace(QLatin1String("&gt;"), QLatin1String(">"))
                .replace(QLatin1String("&amp;"), QLatin1String("&"));
            const QPointF topLeft(match.captured(1).toDouble(), match.captured(2).toDouble());
            const QPointF bottomRight(match.captured(3).toDouble(), match.captured(4).toDouble());
            result.append({found, QRectF(topLeft / kPointsPerMm, bottomRight / kPointsPerMm)});
        }
        pages.append(result);
    }
    return pages;
}

QList<Word> words(const QString& pdf, int page)
{
    return pageWords(pdf).value(page - 1);
}

QRectF phraseBox(const QList<Word>& all, const QString& phrase)
{
    const QStringList parts = phrase.split(u' ');
    for (int i = 0; i + parts.size() <= all.size(); ++i) {
        QRectF box;
        bool same = true;
        for (int k = 0; k < parts.size() && same; ++k) {
            const Word& w = all[i + k];
            same = w.text == parts[k] && (k == 0 || qAbs(w.box.top() - box.top()) < 0.5);
            box = k == 0 ? w.box : box.united(w.box);
        }
        if (same)
            return box;
    }
    return {};
}

QImage renderPage(const QString& pdf, int page)
{
    const QString prefix = pdf + QStringLiteral("-page");
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-singlefile"),
         QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QColor pixelAt(const QImage& image, double xMm, double yMm)
{
    return image.pixelColor(int(xMm / 25.4 * 50), int(yMm / 25.4 * 50));
}

bool near(const QColor& a, const QColor& b, int tolerance)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

QList<QSize> embeddedPictures(const QString& pdf)
{
    // Two header lines, then one line a picture: page, number, type, width, height, ...
    const QStringList listing = QString::fromUtf8(run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}))
                                    .split(u'\n', Qt::SkipEmptyParts);
    QList<QSize> sizes;
    for (qsizetype i = 2; i < listing.size(); ++i) {
        const QStringList columns = listing.at(i).simplified().split(u' ');
        if (columns.value(2) == QLatin1String("image"))
            sizes << QSize(columns.value(3).toInt(), columns.value(4).toInt());
    }
    return sizes;
}

} // namespace PdfPages
