// The PDF manual read back as a reader's tool sees it: a title page, contents whose page numbers
// lead to the chapters, and the help texts inside.
#include "help/HelpTopics.h"
#include "help/ManualPdf.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Pages of a PDF as plain text, ligatures spelt out so words can be searched for.
QStringList pdfPages(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
        return {};
    QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    const std::pair<const char16_t*, const char*> ligatures[] = {
        {u"\uFB00", "ff"}, {u"\uFB01", "fi"}, {u"\uFB02", "fl"}, {u"\uFB03", "ffi"}, {u"\uFB04", "ffl"}};
    for (const auto& [ligature, letters] : ligatures)
        text.replace(QString::fromUtf16(ligature), QLatin1String(letters));
    QStringList pages = text.split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QString simplified(const QString& text)
{
    return text.simplified();
}
} // namespace

class TestManual : public QObject {
    Q_OBJECT
private slots:
    void manualReadsAsABook();
    void unwritablePathIsReported();
};

void TestManual::manualReadsAsABook()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Guida.pdf"));
    QVERIFY(ManualPdf::write(path));
    const QStringList pages = pdfPages(path);
    QVERIFY2(pages.size() > 6, qPrintable(QString::number(pages.size())));

    QVERIFY(pages.at(0).contains(QLatin1String("Cartavox")));
    QVERIFY(pages.at(0).contains(QLatin1String("Guida all'utilizzo del software")));

    // Each line of the contents names a chapter and the page it starts on.
    QVERIFY(pages.at(1).contains(QLatin1String("Indice")));
    const QRegularExpression entry(QStringLiteral("^\\s*(\\d)\\.\\s+(.+?)\\s+(\\d+)\\s*$"),
                                   QRegularExpression::MultilineOption);
    QStringList chapters;
    for (auto match = entry.globalMatch(pages.at(1)); match.hasNext();) {
        const QRegularExpressionMatch line = match.next();
        const QString heading = line.captured(1) + QStringLiteral(". ") + line.captured(2);
        const int page = line.captured(3).toInt();
        QVERIFY2(page >= 3 && page <= pages.size(), qPrintable(heading));
        QVERIFY2(simplified(pages.at(page - 1)).contains(heading), qPrintable(heading));
        // Not already on the page before, unless that is the contents itself.
        if (page - 2 > 1)
            QVERIFY2(!simplified(pages.at(page - 2)).contains(heading), qPrintable(heading));
        chapters.append(line.captured(2));
    }
    QCOMPARE(
        chapters,
        (QStringList{QStringLiteral("Uno sguardo a Cartavox"), QStringLiteral("Applicazione Catalogo Libri"),
                     QStringLiteral("Applicazione Raccolta Fumetti"), QStringLiteral("Applicazione Collezione DVD"),
                     QStringLiteral("Esportazione in Microsoft Excel")}));

    // Every page after the title carries its number at the foot.
    for (qsizetype i = 1; i < pages.size(); ++i) {
        const QStringList lines = pages.at(i).trimmed().split(u'\n');
        QCOMPARE(lines.last().trimmed(), QString::number(i + 1));
    }

    // The help texts are all there: the start of every paragraph of every topic.
    const QString book = simplified(pages.mid(2).join(u' '));
    for (const HelpTopics::Topic& topic : HelpTopics::all())
        for (const QString& paragraph : topic.paragraphs) {
            const QString opening = paragraph.section(u' ', 0, 5);
            QVERIFY2(book.contains(opening), qPrintable(opening));
        }
}

void TestManual::unwritablePathIsReported()
{
    QTemporaryDir dir;
    QVERIFY(!ManualPdf::write(dir.filePath(QStringLiteral("manca/Guida.pdf"))));
}

QTEST_MAIN(TestManual)
#include "tst_manual.moc"
