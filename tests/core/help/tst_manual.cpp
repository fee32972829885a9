// The PDF manual read back as a reader's tool sees it: a title page, contents whose page numbers
// lead to the chapters, the help texts inside, and pictures beside the text they belong to.
#include "PdfPages.h"
#include "help/HelpTopics.h"
#include "help/ManualPdf.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

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

QImage solid(QColor colour, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

const QColor kRed(0xD0, 0x20, 0x20);
const QColor kGreen(0x20, 0xA0, 0x40);
const QColor kViolet(0x80, 0x20, 0xC0);

// Given out of the order they appear in: the manual numbers them as they come.
QList<ManualPdf::Picture> samplePictures()
{
    return {
        {QStringLiteral("Applicazione Catalogo Libri."), QStringLiteral("Il pulsante \"Trova\""),
         QStringLiteral("La ricerca."), solid(kRed, {862, 560})},
        {QStringLiteral("Uno sguardo a Cartavox."), QString(), QStringLiteral("La schermata iniziale."),
         solid(kGreen, {1366, 768})},
        {QStringLiteral("Esportazione archivio DVD in Microsoft Excel."), QStringLiteral("parole che il testo non ha"),
         QStringLiteral("L'esportazione."), solid(kViolet, {600, 900})},
    };
}

// Where a phrase first stands in the book: its page (from 1) and its top in millimetres.
std::pair<int, qreal> placeOf(const QList<QList<PdfPages::Word>>& pages, const QString& phrase)
{
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QRectF box = PdfPages::phraseBox(pages.at(i), phrase);
        if (!box.isNull())
            return {int(i + 1), box.top()};
    }
    return {0, 0};
}
} // namespace

class TestManual : public QObject {
    Q_OBJECT
private slots:
    void manualReadsAsABook_data();
    void manualReadsAsABook();
    void picturesStandAfterTheirParagraph_data();
    void picturesStandAfterTheirParagraph();
    void picturesThatCannotBePlacedAreRefused_data();
    void picturesThatCannotBePlacedAreRefused();
    void unwritablePathIsReported();

private:
    QTemporaryDir m_dir;
    QString m_withPictures; // the manual with samplePictures(), written once
};

void TestManual::manualReadsAsABook_data()
{
    QTest::addColumn<bool>("withPictures");
    QTest::newRow("text alone") << false;
    QTest::newRow("with pictures") << true;
}

void TestManual::manualReadsAsABook()
{
    QFETCH(bool, withPictures);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString path = m_dir.filePath(withPictures ? QStringLiteral("Figure.pdf") : QStringLiteral("Guida.pdf"));
    QVERIFY(ManualPdf::write(path, withPictures ? samplePictures() : QList<ManualPdf::Picture>{}));
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
                     QStringLiteral("Altre funzioni"), QStringLiteral("Esportazione in Microsoft Excel")}));

    // Every page after the title carries its number at the foot.
    for (qsizetype i = 1; i < pages.size(); ++i) {
        const QStringList lines = pages.at(i).trimmed().split(u'\n');
        QCOMPARE(lines.last().trimmed(), QString::number(i + 1));
    }

    // The help texts are all there: the start of every paragraph of every topic.
    const QString book = simplified(pages.mid(2).join(u' '));
    for (const HelpTopics::Topic& topic : HelpTopics::all(HelpTopics::DataFolder::Described))
        for (const QString& paragraph : topic.paragraphs) {
            const QString opening = paragraph.section(u' ', 0, 5);
            QVERIFY2(book.contains(opening), qPrintable(opening));
        }
    // And so is what the manual alone describes.
    for (const char* opening : {"Modifiche non salvate. Se lasci una scheda", "Più postazioni sulla stessa cartella.",
                                "Dove si trovano i dati. Gli archivi,"})
        QVERIFY2(book.contains(QString::fromUtf8(opening)), opening);
    // Written before any run, it names no folder of the machine that made it: the data folder is
    // described in a chapter of its own.
    QVERIFY(
        book.contains(QString::fromUtf8("si trovano nella cartella dei dati (vedi il capitolo \"Altre funzioni\").")));
    QVERIFY(!book.contains(u'{'));
}

void TestManual::picturesStandAfterTheirParagraph_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("before"); // the paragraph the picture follows
    QTest::addColumn<QString>("after");  // the paragraph after it; empty: none
    QTest::newRow("after the first paragraph, anchor empty")
        << "Figura 1. La schermata iniziale." << kGreen << "Cartavox ti aiuta a mettere ordine"
        << "Il programma comprende tre";
    QTest::newRow("after the paragraph that names the anchor")
        << "Figura 2. La ricerca." << kRed << "Il pulsante \"Trova\" apre la"
        << "Il pulsante \"Slide Show\" mostra";
    QTest::newRow("anchor in no paragraph: at the end of its section")
        << "Figura 3. L'esportazione." << kViolet << "Esportazione archivio DVD in Microsoft Excel" << QString();
}

void TestManual::picturesStandAfterTheirParagraph()
{
    QFETCH(QString, caption);
    QFETCH(QColor, colour);
    QFETCH(QString, before);
    QFETCH(QString, after);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("pdftoppm (poppler-utils) is not installed");
    if (m_withPictures.isEmpty()) {
        m_withPictures = m_dir.filePath(QStringLiteral("Figure.pdf"));
        QVERIFY(ManualPdf::write(m_withPictures, samplePictures()));
    }
    const QList<QList<PdfPages::Word>> pages = PdfPages::pageWords(m_withPictures);

    const auto [page, top] = placeOf(pages, caption);
    QVERIFY2(page > 0, qPrintable(caption));
    // The picture stands right above its caption.
    const QRectF box = PdfPages::phraseBox(pages.at(page - 1), caption);
    QVERIFY(PdfPages::near(PdfPages::pixelAt(PdfPages::renderPage(m_withPictures, page), box.center().x(), top - 5),
                           colour));
    const auto paragraphBefore = placeOf(pages, before);
    QVERIFY2(paragraphBefore.first > 0, qPrintable(before));
    QVERIFY(paragraphBefore < std::make_pair(page, top));
    if (after.isEmpty()) {
        // The section is the last of the book: nothing follows the picture but the page number.
        QCOMPARE(page, int(pages.size()));
        for (const PdfPages::Word& word : pages.at(page - 1))
            if (word.box.top() > box.bottom())
                QCOMPARE(word.text, QString::number(page));
    } else {
        const auto paragraphAfter = placeOf(pages, after);
        QVERIFY2(paragraphAfter.first > 0, qPrintable(after));
        QVERIFY(std::make_pair(page, top) < paragraphAfter);
    }
    // Embedded whole, in the order they appear.
    QCOMPARE(PdfPages::embeddedPictures(m_withPictures), (QList<QSize>{{1366, 768}, {862, 560}, {600, 900}}));
}

void TestManual::picturesThatCannotBePlacedAreRefused_data()
{
    QTest::addColumn<QString>("topic");
    QTest::addColumn<QImage>("image");
    QTest::newRow("no such topic") << "Capitolo che non c'è." << solid(kRed, {100, 100});
    QTest::newRow("empty picture") << "Applicazione Catalogo Libri." << QImage();
}

void TestManual::picturesThatCannotBePlacedAreRefused()
{
    QFETCH(QString, topic);
    QFETCH(QImage, image);
    QVERIFY(!ManualPdf::write(m_dir.filePath(QStringLiteral("Rifiutata.pdf")),
                              {{topic, QString(), QStringLiteral("Didascalia."), image}}));
}

void TestManual::unwritablePathIsReported()
{
    QTemporaryDir dir;
    QVERIFY(!ManualPdf::write(dir.filePath(QStringLiteral("manca/Guida.pdf"))));
}

QTEST_MAIN(TestManual)
#include "tst_manual.moc"
