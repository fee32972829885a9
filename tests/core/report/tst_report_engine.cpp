// The report engine, read back from the PDF files its one painting routine writes: the words and
// where they stand (pdftotext), the pages (pdfinfo), a few pixels (pdftoppm) and the embedded
// pictures (pdfimages).
#include "CardBoxes.h"
#include "PdfPages.h"

#include "report/ListReport.h"
#include "report/Report.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {
constexpr double kMargin = 10; // mm, every template

using namespace PdfPages;
using Field = CardBox;
using Fields = CardBoxes;

const QColor kRoyalBlue(0x41, 0x69, 0xE1);
const QColor kSlateGrey(0x70, 0x80, 0x90);

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
}

// Fills every value of a card template, as the print windows do.
Report filledCard(const QString& resource, const Fields& fields, const QString& name, const QString& title,
                  const QImage& picture, const std::function<QString(const Field&)>& value)
{
    Report report = Report::load(resource);
    report.page(1).setOrientation(QPageLayout::Portrait);
    report.picture(QStringLiteral("imgLogo")).setPicture(picture);
    report.text(QStringLiteral("txtTitolo")).setText(title);
    report.text(QStringLiteral("txtNome")).setText(name);
    for (const Field& field : fields)
        report.text(QString::fromLatin1(field.object)).setText(value(field));
    report.prepare(QStringLiteral("dd/MM/yyyy"));
    return report;
}

QStringList numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("Riga %1  Titolo di prova numero %1          Autore di prova    Editore   1999")
                     .arg(i, 4, 10, QLatin1Char('0'));
    return lines;
}
} // namespace

Q_DECLARE_METATYPE(Fields)

class ReportEngineTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void fullCardPutsEveryValueInItsBox_data();
    void fullCardPutsEveryValueInItsBox();
    void emptyCardPrintsCaptionsAndEmptyFrames_data() { fullCardPutsEveryValueInItsBox_data(); }
    void emptyCardPrintsCaptionsAndEmptyFrames();
    void pictureFitsItsBoxAtPrintResolution();
    void longValueIsCutAtTheBoxEdge();
    void longTitleKeepsItsBeginning_data();
    void longTitleKeepsItsBeginning();
    void bracketsPrintAsTyped_data();
    void bracketsPrintAsTyped();
    void emptyList();
    void listContinuesOverPages_data();
    void listContinuesOverPages();
    void heightsInEngineUnits();
    void wrongObjectsFail_data();
    void wrongObjectsFail();

private:
    QString pdfPath(const QString& name) const { return m_dir.filePath(name + QStringLiteral(".pdf")); }
    QTemporaryDir m_dir;
};

void ReportEngineTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void ReportEngineTest::fullCardPutsEveryValueInItsBox_data()
{
    QTest::addColumn<QString>("resource");
    QTest::addColumn<Fields>("fields");
    const KindRows<QString> templates{"templates",
                                      {{"libri", ":/reports/scheda_libro.json"},
                                       {"fumetti", ":/reports/scheda_fumetto.json"},
                                       {"dvd", ":/reports/scheda_dvd.json"}}};
    for (const Kind* kind : Kind::all())
        QTest::newRow(qPrintable(kind->tag)) << templates.of(*kind) << kCardBoxes.of(*kind);
}

void ReportEngineTest::fullCardPutsEveryValueInItsBox()
{
    QFETCH(QString, resource);
    QFETCH(Fields, fields);
    const Report report = filledCard(
        resource, fields, QStringLiteral("Biblioteca di casa"), QStringLiteral("Il nome della rosa"), QImage(),
        [](const Field& field) { return QStringLiteral("val") + QLatin1String(field.object + 3); });
    const QString pdf = pdfPath(QStringLiteral("full-") + QTest::currentDataTag());
    report.writePdf(pdf);

    QCOMPARE(pageCount(pdf), 1);
    QVERIFY(isPaper(pageSize(pdf), 210, 297));
    const QList<Word> page = words(pdf, 1);

    const QRectF name = phraseBox(page, QStringLiteral("Biblioteca di casa"));
    QVERIFY(!name.isNull());
    QVERIFY2(qAbs(name.left() - (kMargin + 1)) < 0.6, qPrintable(QString::number(name.left())));
    QVERIFY(name.top() >= kMargin + 0.5 - 0.3 && name.bottom() <= kMargin + 4.5 + 0.3);

    const QRectF title = phraseBox(page, QStringLiteral("Il nome della rosa"));
    QVERIFY(!title.isNull());
    QVERIFY2(qAbs(title.center().x() - (kMargin + 95)) < 1, qPrintable(QString::number(title.center().x())));
    QVERIFY(title.top() >= kMargin + 5 && title.bottom() <= kMargin + 13);

    for (const Field& field : fields) {
        const QString caption = QString::fromLatin1(field.caption);
        const QRectF captionBox = phraseBox(page, caption);
        QVERIFY2(!captionBox.isNull(), field.caption);
        QVERIFY2(qAbs(captionBox.left() - (kMargin + field.left + 1)) < 0.6, field.caption);
        QVERIFY2(captionBox.top() >= kMargin + field.top - 0.2 && captionBox.bottom() <= kMargin + field.top + 5,
                 field.caption);

        const QString value = QStringLiteral("val") + QLatin1String(field.object + 3);
        const QRectF valueBox = phraseBox(page, value);
        QVERIFY2(!valueBox.isNull(), field.object);
        QVERIFY2(qAbs(valueBox.left() - (kMargin + field.left + 1)) < 0.6, field.object);
        QVERIFY2(valueBox.top() >= kMargin + field.top + 5 && valueBox.bottom() <= kMargin + field.top + 11,
                 field.object);
    }
}

void ReportEngineTest::emptyCardPrintsCaptionsAndEmptyFrames()
{
    QFETCH(QString, resource);
    QFETCH(Fields, fields);
    const Report report =
        filledCard(resource, fields, QString(), QString(), QImage(), [](const Field&) { return QString(); });
    const QString pdf = pdfPath(QStringLiteral("empty-") + QTest::currentDataTag());
    report.writePdf(pdf);

    // Nothing but the captions: no design text, no value.
    QStringList printed;
    for (const Word& word : words(pdf, 1))
        printed << word.text;
    QStringList captions;
    for (const Field& field : fields)
        captions << QString::fromLatin1(field.caption).split(u' ');
    printed.sort();
    captions.sort();
    QCOMPARE(printed, captions);

    // The title bar stays; each value frame is drawn and empty inside.
    const QImage image = renderPage(pdf, 1);
    QVERIFY(near(pixelAt(image, kMargin + 95, kMargin + 9), kRoyalBlue));
    for (const Field& field : fields) {
        const double middle = kMargin + field.left + field.width / 2;
        const double barEnd = kMargin + field.left + field.width - 1; // past the caption
        QVERIFY2(near(pixelAt(image, barEnd, kMargin + field.top + 2.4), kRoyalBlue), field.caption);
        QVERIFY2(near(pixelAt(image, middle, kMargin + field.top + 8), Qt::white, 8), field.caption);
        int darkest = 255;
        for (double y = kMargin + field.top + 4.9; y <= kMargin + field.top + 5.6; y += 0.1)
            darkest = std::min(darkest, qGray(pixelAt(image, middle, y).rgb()));
        QVERIFY2(darkest < 200, field.caption); // the frame's top edge
    }
}

void ReportEngineTest::pictureFitsItsBoxAtPrintResolution()
{
    // Three times as wide as tall: it fills the box's width, centred between blank bands.
    QImage photo(4500, 1500, QImage::Format_RGB32);
    photo.fill(Qt::red);
    const Report report = filledCard(QStringLiteral(":/reports/scheda_dvd.json"), kDvds, QStringLiteral("Film"),
                                     QStringLiteral("Titolo"), photo, [](const Field&) { return QString(); });
    const QString pdf = pdfPath(QStringLiteral("picture"));
    report.writePdf(pdf);

    const QImage image = renderPage(pdf, 1);
    const double boxTop = kMargin + 16;
    const double drawnHeight = 188.0 / 3;
    const double drawnTop = boxTop + (106 - drawnHeight) / 2;
    QVERIFY(near(pixelAt(image, kMargin + 95, drawnTop + drawnHeight / 2), Qt::red));
    QVERIFY(near(pixelAt(image, kMargin + 2, drawnTop + 2), Qt::red));
    QVERIFY(near(pixelAt(image, kMargin + 187.5, drawnTop + drawnHeight - 2), Qt::red));
    QVERIFY(near(pixelAt(image, kMargin + 95, drawnTop - 3), Qt::white, 8));
    QVERIFY(near(pixelAt(image, kMargin + 95, drawnTop + drawnHeight + 3), Qt::white, 8));

    // Embedded at about 300 dpi for its 188 mm, not at the photo's own 4500 pixels.
    const QStringList listing = QString::fromUtf8(run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}))
                                    .split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(listing.size(), 3); // two header lines, one picture
    const QStringList columns = listing.at(2).simplified().split(u' ');
    const int width = columns.at(3).toInt();
    QVERIFY2(width >= 2100 && width <= 2300, qPrintable(listing.at(2)));
}

void ReportEngineTest::longValueIsCutAtTheBoxEdge()
{
    const QString longText = QStringLiteral("parola ").repeated(40) + QStringLiteral("FINE");
    const Report report =
        filledCard(QStringLiteral(":/reports/scheda_libro.json"), kBooks, QStringLiteral("Casa"),
                   QStringLiteral("Titolo"), QImage(), [&](const Field& field) {
                       return QLatin1String(field.object) == QLatin1String("txtAutore") ? longText : QString();
                   });
    const QString pdf = pdfPath(QStringLiteral("long"));
    report.writePdf(pdf);

    // AUTORE: left half, header bar at 125, value 2 to 93 mm inside the margins.
    const double valueRight = kMargin + 93;
    int inFrame = 0;
    for (const Word& word : words(pdf, 1)) {
        if (!word.text.startsWith(QLatin1String("parol")) && word.text != QLatin1String("FINE"))
            continue;
        QVERIFY(word.text != QLatin1String("FINE"));
        QVERIFY2(word.box.top() >= kMargin + 130 && word.box.bottom() <= kMargin + 136, "wrapped or moved");
        QVERIFY2(word.box.left() < valueRight, qPrintable(QString::number(word.box.left())));
        ++inFrame;
    }
    QVERIFY(inFrame > 5);

    // Nothing is painted in the gap between the left box and the right one.
    const QImage image = renderPage(pdf, 1);
    for (double x = kMargin + 95.1; x <= kMargin + 95.6; x += 0.4)
        QVERIFY(near(pixelAt(image, x, kMargin + 133), Qt::white, 8));
}

void ReportEngineTest::longTitleKeepsItsBeginning_data()
{
    QTest::addColumn<QString>("title");
    const QString capitals =
        QStringLiteral("LE AVVENTURE DEL CAPITANO NEMO NEI MARI DEL SUD, E OLTRE LE COLONNE DI ERCOLE");
    QCOMPARE(capitals.size(), 77);
    QTest::newRow("77 capitals") << capitals;
    const QString long120 = QStringLiteral("Storia della lunga ricerca di un titolo ").repeated(3);
    QCOMPARE(long120.size(), 120);
    QTest::newRow("120 characters") << long120;
}

void ReportEngineTest::longTitleKeepsItsBeginning()
{
    QFETCH(QString, title);
    const Report report = filledCard(QStringLiteral(":/reports/scheda_libro.json"), kBooks, QStringLiteral("Casa"),
                                     title, QImage(), [](const Field&) { return QString(); });
    const QString pdf = pdfPath(QStringLiteral("title-") + QTest::currentDataTag());
    report.writePdf(pdf);

    // The title's box: 2 to 188 mm inside the margins, 6.2 to 12.2 mm from the top.
    const double boxLeft = kMargin + 2;
    const double boxRight = kMargin + 188;
    QStringList shown;
    double firstLeft = 0;
    double lastRight = 0;
    for (const Word& word : words(pdf, 1)) {
        if (word.box.top() < kMargin + 5 || word.box.bottom() > kMargin + 13)
            continue;
        if (shown.isEmpty())
            firstLeft = word.box.left();
        shown << word.text;
        lastRight = word.box.right();
    }
    // Cut at the box's right edge, as long fields are: the beginning from the box's left edge,
    // and nothing in the text layer but what the page shows.
    const QString layer = shown.join(u' ');
    QVERIFY2(title.startsWith(layer), qPrintable(layer));
    QVERIFY2(layer.size() > 40 && layer.size() < title.size(), qPrintable(layer));
    QVERIFY2(qAbs(firstLeft - boxLeft) < 1, qPrintable(QString::number(firstLeft)));
    // The last character may be cut by the edge: it shows in part.
    QVERIFY2(lastRight <= boxRight + 4, qPrintable(QString::number(lastRight)));
}

void ReportEngineTest::bracketsPrintAsTyped_data()
{
    QTest::addColumn<bool>("card");
    QTest::addColumn<QString>("text");
    QTest::newRow("card value") << true << QStringLiteral("Vol. [DATE] [1] [Page#]");
    QTest::newRow("list title") << false << QStringLiteral("Riepilogo [DATE] [TITOLO]");
}

void ReportEngineTest::bracketsPrintAsTyped()
{
    QFETCH(bool, card);
    QFETCH(QString, text);
    const QString pdf = pdfPath(QStringLiteral("brackets-") + QTest::currentDataTag());
    if (card)
        filledCard(QStringLiteral(":/reports/scheda_libro.json"), kBooks, QStringLiteral("Casa"), text, QImage(),
                   [&](const Field&) { return text; })
            .writePdf(pdf);
    else
        ListReport::make(text, {text}, QStringLiteral("dd/MM/yyyy")).writePdf(pdf);

    const QString printed = pdfText(pdf);
    QVERIFY2(printed.count(text) == (card ? int(kBooks.size()) + 1 : 2), qPrintable(printed));
    QCOMPARE(printed.count(today()), card ? 0 : 1); // the list's footer only
}

void ReportEngineTest::emptyList()
{
    const QString pdf = pdfPath(QStringLiteral("empty-list"));
    ListReport::make(QStringLiteral("Riepilogo libri in archivio"), {}, QStringLiteral("dd/MM/yyyy")).writePdf(pdf);

    QCOMPARE(pageCount(pdf), 1);
    QVERIFY(isPaper(pageSize(pdf), 297, 210));
    const QList<Word> page = words(pdf, 1);
    QCOMPARE(page.size(), 9); // the title's words and the footer's, nothing else

    const QRectF title = phraseBox(page, QStringLiteral("Riepilogo libri in archivio"));
    QVERIFY(!title.isNull());
    QVERIFY(qAbs(title.center().x() - (kMargin + 2 + 273.0 / 2)) < 1);
    QVERIFY(title.top() >= kMargin + 1 && title.bottom() <= kMargin + 6);

    // The footer follows at once: title band 8 mm, empty data band 10 units (2.65 mm), then 2 mm.
    const QRectF footer = phraseBox(page, QStringLiteral("Stampa eseguita in data ") + today());
    QVERIFY(!footer.isNull());
    const double footerTop = kMargin + 8 + 10 / (96 / 25.4) + 2;
    QVERIFY2(footer.top() >= footerTop && footer.bottom() <= footerTop + 5, qPrintable(QString::number(footer.top())));

    const QImage image = renderPage(pdf, 1);
    QVERIFY(near(pixelAt(image, kMargin + 10, kMargin + 3.5), kSlateGrey, 12));
    QVERIFY(near(pixelAt(image, kMargin + 10, footerTop + 2.5), kSlateGrey, 12));
    QVERIFY(near(pixelAt(image, kMargin + 10, footerTop + 7), Qt::white, 8));
}

void ReportEngineTest::listContinuesOverPages_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("three pages") << 150;
    QTest::newRow("the Dewey table's rows") << 3721;
}

void ReportEngineTest::listContinuesOverPages()
{
    QFETCH(int, count);
    const QStringList lines = numberedLines(count) << QStringLiteral("X").repeated(300);
    const QString pdf = pdfPath(QStringLiteral("list-%1").arg(count));
    ListReport::make(QStringLiteral("Tabella Codici Dewey"), lines, QStringLiteral("dd/MM/yyyy")).writePdf(pdf);

    // pdftotext ends every page with a form feed.
    const QStringList pageTexts = pdfText(pdf).split(u'\f', Qt::SkipEmptyParts);
    const QList<QList<Word>> wordsOfPages = pageWords(pdf);
    const int pages = pageCount(pdf);
    QVERIFY(pages >= 3);
    QCOMPARE(pageTexts.size(), pages);
    QCOMPARE(wordsOfPages.size(), pages);

    QList<int> numbers;
    int overlong = 0;
    static const QRegularExpression numbered(QStringLiteral("^\\s*Riga (\\d{4})\\s+Titolo di prova numero (\\d{4})\\s+"
                                                            "Autore di prova\\s+Editore\\s+1999$"));
    for (int page = 1; page <= pages; ++page) {
        const QStringList text = pageTexts.at(page - 1).split(u'\n');
        QCOMPARE(text.filter(QStringLiteral("Tabella Codici Dewey")).size(), page == 1 ? 1 : 0);
        int footerAt = -1;
        int lastLine = -1;
        for (int i = 0; i < text.size(); ++i) {
            const auto match = numbered.match(text.at(i));
            if (match.hasMatch()) {
                QCOMPARE(match.captured(1), match.captured(2));
                numbers << match.captured(1).toInt();
                lastLine = i;
            } else if (text.at(i).contains(u'X')) {
                // The overlong line stays one line, cut at the memo's right edge.
                QVERIFY(text.at(i).trimmed().size() > 150 && text.at(i).trimmed().size() < 300);
                QCOMPARE(page, pages);
                ++overlong;
                lastLine = i;
            } else if (text.at(i).contains(QStringLiteral("Stampa eseguita in data ") + today())) {
                footerAt = i;
            }
        }
        QCOMPARE(footerAt >= 0, page == pages);
        if (page == pages)
            QVERIFY(footerAt > lastLine);
        // Nothing crosses into the bottom margin.
        for (const Word& word : wordsOfPages.at(page - 1))
            QVERIFY2(word.box.bottom() <= 210 - kMargin + 0.2, qPrintable(word.text));
    }
    QList<int> expected;
    for (int i = 1; i <= count; ++i)
        expected << i;
    QCOMPARE(numbers, expected);
    QCOMPARE(overlong, 1);
}

void ReportEngineTest::heightsInEngineUnits()
{
    Report report = Report::load(ListReport::kTemplate);
    TextObject& memo = report.text(QStringLiteral("txtRiepilogo"));
    Band& band = report.band(QStringLiteral("MasterData"));
    // Design heights 27 and 28 mm, at 96 units an inch.
    QVERIFY(qAbs(memo.height() - 102.047) < 0.01);
    QVERIFY(qAbs(band.height() - 105.827) < 0.01);
    memo.setHeight(3 * 12.822);
    QVERIFY(qAbs(memo.height() - 38.466) < 1e-9);
    QVERIFY(qAbs(memo.geometry().height() - 38.466 * 25.4 / 96) < 1e-9);

    memo.appendLine(QStringLiteral("a"));
    memo.appendLine(QStringLiteral("b"));
    QCOMPARE(memo.lineCount(), 2);
    memo.clearLines();
    QCOMPARE(memo.lineCount(), 0);
    memo.setText(QStringLiteral("uno\r\ndue\n\rtre"));
    QCOMPARE(memo.lineCount(), 3);
}

void ReportEngineTest::wrongObjectsFail_data()
{
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    const QString card = QStringLiteral(":/reports/scheda_fumetto.json");
    QTest::newRow("missing text") << card << QStringLiteral("txtMancante") << int(ReportObject::Kind::Text);
    QTest::newRow("picture as text") << card << QStringLiteral("imgLogo") << int(ReportObject::Kind::Text);
    QTest::newRow("text as picture") << card << QStringLiteral("txtTitolo") << int(ReportObject::Kind::Picture);
    QTest::newRow("text as band") << ListReport::kTemplate << QStringLiteral("txtRiepilogo")
                                  << int(ReportObject::Kind::Band);
    QTest::newRow("band as text") << ListReport::kTemplate << QStringLiteral("MasterData")
                                  << int(ReportObject::Kind::Text);
}

void ReportEngineTest::wrongObjectsFail()
{
    QFETCH(QString, resource);
    QFETCH(QString, name);
    QFETCH(int, kind);
    const Report report = Report::load(resource);
    try {
        switch (ReportObject::Kind(kind)) {
        case ReportObject::Kind::Text:
            report.text(name);
            break;
        case ReportObject::Kind::Picture:
            report.picture(name);
            break;
        case ReportObject::Kind::Band:
            report.band(name);
            break;
        case ReportObject::Kind::Rectangle:
            report.rectangle(name);
            break;
        }
        QFAIL("no exception");
    } catch (const std::exception& error) {
        QVERIFY2(QString::fromUtf8(error.what()).contains(name), error.what());
    }
    QVERIFY_THROWS_EXCEPTION(ReportError, Report::load(QStringLiteral(":/reports/nessuno.json")));
}

QTEST_MAIN(ReportEngineTest)
#include "tst_report_engine.moc"
