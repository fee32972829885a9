// Text drawn by the program's own pictures stands out from what lies behind it by at least 4.5:1,
// the contrast WCAG 2 asks of text of ordinary size. Measured on the pictures as the windows draw
// them: the background is the commonest colour around the words, the text the pixel that stands out
// most from it, so that transparency and smoothing count as they do on screen.
#include "TestSupport.h"
#include "cards/CardWindow.h"
#include "start/TfrmAvvio.h"
#include "start/Windows.h"

#include <QHash>
#include <QImage>
#include <QTest>

#include <cmath>
#include <functional>

namespace {
// WCAG 2's relative luminance of an sRGB colour.
double luminance(QRgb colour)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) + 0.0722 * linear(qBlue(colour));
}

double contrast(QRgb one, QRgb other)
{
    const double a = luminance(one);
    const double b = luminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The contrast of the words inside `box` of `picture`.
double contrastOfWords(const QImage& picture, const QRect& box)
{
    QHash<QRgb, int> counts;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            ++counts[picture.pixel(x, y) | 0xFF000000u];
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, contrast(it.key(), background));
    return best;
}

using Drawn = std::function<QImage()>; // the picture as its window draws it
} // namespace

Q_DECLARE_METATYPE(Drawn)

class TextContrastTest : public WindowTest {
    Q_OBJECT

private slots:
    void wordsStandOut_data();
    void wordsStandOut();
};

void TextContrastTest::wordsStandOut_data()
{
    QTest::addColumn<Drawn>("drawn");
    QTest::addColumn<QRect>("words"); // where the words lie in the picture
    QTest::newRow("start window, www.cartavox.it") << Drawn([] {
        TfrmAvvio* start = Windows::avvio();
        start->present();
        return child<QWidget>(start, QStringLiteral("imgSito"))->grab().toImage();
    }) << QRect(344, 8, 150, 22);
    for (const Kind* kind : Kind::all())
        QTest::addRow("%s card without photo, Nessuna foto", qPrintable(kind->tag)) << Drawn([kind = kind->id] {
            CardWindow* card = Windows::card(kind);
            card->present();
            return child<QWidget>(card, QStringLiteral("imgFoto"))->grab().toImage();
        }) << QRect(100, 376, 107, 19);
    QTest::newRow("information, Versione 1.0") << Drawn([] {
        QImage logo;
        TfrmAvvio* start = Windows::avvio();
        start->present();
        whenModalOpens([&logo](QWidget* info) {
            if (!info)
                return;
            logo = child<QWidget>(info, QStringLiteral("imgLogo"))->grab().toImage();
            info->close();
        });
        click(start, QStringLiteral("imgInfo"));
        return logo;
    }) << QRect(160, 169, 120, 20);
}

void TextContrastTest::wordsStandOut()
{
    QFETCH(Drawn, drawn);
    QFETCH(QRect, words);
    const QImage picture = drawn();
    QVERIFY(picture.rect().contains(words));
    const double measured = contrastOfWords(picture, words);
    QVERIFY2(measured >= 4.5, qPrintable(QStringLiteral("contrast %1:1").arg(measured, 0, 'f', 2)));
}

CARTAVOX_TEST_MAIN(TextContrastTest)
#include "tst_text_contrast.moc"
