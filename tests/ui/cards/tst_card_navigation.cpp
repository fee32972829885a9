// The card windows of the three kinds moving through a real archive with their four buttons.
#include "OpenCard.h"
#include "TestSupport.h"
#include "cards/CardWindow.h"
#include "start/TfrmAvvio.h"
#include "start/Windows.h"
#include "storage/CatalogueFile.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {
const QString kEmpty = QStringLiteral("L'archivio non contiene nessuna scheda.");

// An archive of `count` cards whose title is "Scheda <n>" and whose first attachment is "doc<n>.pdf".
void writeArchive(const Kind& kind, const QString& path, int count)
{
    QByteArray bytes;
    for (int n = 1; n <= count; ++n) {
        Record record(kind.layout);
        for (const QString& name : kind.textFields())
            record.setText(name, QStringLiteral("%1 %2").arg(name).arg(n));
        record.setText(u"Titolo", QStringLiteral("  Scheda %1  ").arg(n));
        record.setText(u"File01", QStringLiteral("doc%1.pdf").arg(n));
        bytes += record.bytes();
    }
    writeFileBytes(path, bytes);
}

using Card = OpenCard;
} // namespace

class TestCardNavigation : public WindowTest {
    Q_OBJECT

private slots:
    void emptyArchiveAnswersEveryButton_data() { addKindRows(); }
    void emptyArchiveAnswersEveryButton();
    void movesThroughTheCards_data() { addKindRows(); }
    void movesThroughTheCards();
    void fromANewCard_data();
    void fromANewCard();
    void showsEveryFieldOfTheCard_data() { addKindRows(); }
    void showsEveryFieldOfTheCard();
    void archiveChangedBehindTheWindow();
    void unreachableArchiveLeavesTheCard_data();
    void unreachableArchiveLeavesTheCard();
    void showingClearsTheCard();
    void longCardNumbersFitTheirBox_data();
    void longCardNumbersFitTheirBox();
};

void TestCardNavigation::emptyArchiveAnswersEveryButton()
{
    QFETCH(KindId, kind);
    const QString path = folder().file(QStringLiteral("Prova") + Kind::of(kind).extension);
    writeFileBytes(path, {});
    Card card(kind, path);
    for (const char* button : {"cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"}) {
        messages().clear();
        card.click(button);
        QCOMPARE(messages().count(), 1);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
        QCOMPARE(messages().last().text, kEmpty);
        QCOMPARE(card.position(), QString());
    }
}

void TestCardNavigation::movesThroughTheCards()
{
    QFETCH(KindId, kind);
    const QString path = folder().file(QStringLiteral("Prova") + Kind::of(kind).extension);
    writeArchive(Kind::of(kind), path, 3);
    Card card(kind, path);

    const struct {
        const char* button;
        const char* position;
    } steps[] = {
        {"cmdPrimo", "1"},  {"cmdIndietro", "1"}, {"cmdAvanti", "2"},   {"cmdUltimo", "3"},
        {"cmdAvanti", "3"}, {"cmdIndietro", "2"}, {"cmdIndietro", "1"}, {"cmdPrimo", "1"},
    };
    for (const auto& step : steps) {
        card.click(step.button);
        QCOMPARE(card.position(), QLatin1String(step.position));
        QCOMPARE(card.title(), QStringLiteral("Scheda ") + QLatin1String(step.position));
    }
    QCOMPARE(messages().count(), 0);
}

void TestCardNavigation::fromANewCard_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("position");
    QTest::newRow("first") << "cmdPrimo"
                           << "1";
    QTest::newRow("back") << "cmdIndietro"
                          << "1";
    QTest::newRow("forward") << "cmdAvanti"
                             << "1";
    QTest::newRow("last") << "cmdUltimo"
                          << "3";
}

void TestCardNavigation::fromANewCard()
{
    QFETCH(QString, button);
    QFETCH(QString, position);
    const QString path = folder().file(QStringLiteral("Prova.lib"));
    writeArchive(Kind::libri(), path, 3);
    Card card(KindId::Libri, path);
    QCOMPARE(card.position(), QString());
    card.click(button.toLatin1().constData());
    QCOMPARE(card.position(), position);
}

void TestCardNavigation::showsEveryFieldOfTheCard()
{
    QFETCH(KindId, kind);
    const Kind& k = Kind::of(kind);
    const QString path = folder().file(QStringLiteral("Prova") + k.extension);
    writeArchive(k, path, 2);
    Card card(kind, path);
    card.click("cmdUltimo");
    for (const QString& name : k.textFields()) {
        const QLineEdit* field = card.window->field(name);
        QCOMPARE(field->objectName(), QStringLiteral("txt") + name);
        QCOMPARE(field->maxLength(), k.layout.field(k.layout.indexOf(name)).capacity);
        if (name != QLatin1String("Titolo"))
            QCOMPARE(field->text(), QStringLiteral("%1 2").arg(name));
    }
    QCOMPARE(card.title(), QStringLiteral("Scheda 2"));
    QCOMPARE(card.window->attachmentLabel(QStringLiteral("File01"))->text(), QStringLiteral("doc2.pdf"));
    QCOMPARE(card.window->attachmentLabel(QStringLiteral("Desc03"))->text(), QString());
}

void TestCardNavigation::archiveChangedBehindTheWindow()
{
    const QString path = folder().file(QStringLiteral("Prova.fum"));
    writeArchive(Kind::fumetti(), path, 5);
    Card card(KindId::Fumetti, path);
    card.click("cmdUltimo");
    QCOMPARE(card.position(), QStringLiteral("5"));

    // Shortened to three cards: back would read card 4, past the end, and must change nothing.
    writeArchive(Kind::fumetti(), path, 3);
    card.click("cmdIndietro");
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Error);
    QCOMPARE(messages().last().text, CatalogueFile::accessErrorText());
    QCOMPARE(card.position(), QStringLiteral("5"));
    QCOMPARE(card.title(), QStringLiteral("Scheda 5"));

    // Deleted: the archive comes back empty and says so.
    QVERIFY(QFile::remove(path));
    card.click("cmdPrimo");
    QCOMPARE(messages().last().text, kEmpty);
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestCardNavigation::unreachableArchiveLeavesTheCard_data()
{
    QTest::addColumn<QString>("archive");
    QTest::newRow("a folder") << "Cartella.dvd";
    QTest::newRow("in a folder that does not exist") << "Manca/Prova.dvd";
}

void TestCardNavigation::unreachableArchiveLeavesTheCard()
{
    QFETCH(QString, archive);
    const QString path = folder().file(QStringLiteral("Prova.dvd"));
    writeArchive(Kind::dvd(), path, 2);
    QDir(folder().path()).mkdir(QStringLiteral("Cartella.dvd"));
    Card card(KindId::DVD, path);
    card.click("cmdPrimo");

    card.window->setArchive(folder().file(archive), QStringLiteral("Prova"));
    for (const char* button : {"cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"}) {
        messages().clear();
        card.click(button);
        QCOMPARE(messages().count(), 1);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Error);
        QCOMPARE(messages().last().text, CatalogueFile::accessErrorText());
        QCOMPARE(card.position(), QStringLiteral("1"));
        QCOMPARE(card.title(), QStringLiteral("Scheda 1"));
    }
    QVERIFY(!QFile::exists(folder().file(QStringLiteral("Manca"))));
}

void TestCardNavigation::showingClearsTheCard()
{
    const QString path = folder().file(QStringLiteral("Prova.lib"));
    writeArchive(Kind::libri(), path, 2);
    {
        Card card(KindId::Libri, path);
        card.click("cmdUltimo");
        card.window->field(QStringLiteral("Autore"))->setText(QStringLiteral("non salvato"));
        messages().answerNext(QMessageBox::No); // not saved
        card.window->close();
        QVERIFY(Windows::avvio()->isVisible());
        QVERIFY(!card.window->isVisible());
    }
    Card card(KindId::Libri, path);
    QCOMPARE(card.position(), QString());
    QCOMPARE(card.title(), QString());
    QCOMPARE(card.window->field(QStringLiteral("Autore"))->text(), QString());
    QCOMPARE(card.window->attachmentLabel(QStringLiteral("File01"))->text(), QString());
    QCOMPARE(child<QLabel>(card.window, QStringLiteral("lblNome"))->text(), QStringLiteral("Prova"));
}

void TestCardNavigation::longCardNumbersFitTheirBox_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<int>("number");
    for (const Kind* kind : Kind::all())
        for (const int number : {7, 12345, 123456, 1234567, 2147483647})
            addKindRow(kind->id, qPrintable(QString::number(number))) << number;
}

void TestCardNavigation::longCardNumbersFitTheirBox()
{
    QFETCH(KindId, kind);
    QFETCH(int, number);
    Card card(kind, folder().file(QStringLiteral("Prova") + Kind::of(kind).extension));
    auto* position = child<QLabel>(card.window, QStringLiteral("lblPosizione"));
    const QRect box = position->geometry();
    card.window->ShowCard(Record(Kind::of(kind).layout), number);
    QCOMPARE(position->text(), QString::number(number));
    QCOMPARE(position->geometry(), box);

    // The digits are drawn whole: ink inside the box, clear of both its edges.
    const QImage picture = position->grab().toImage();
    int left = picture.width();
    int right = -1;
    for (int x = 0; x < picture.width(); ++x)
        for (int y = 0; y < picture.height(); ++y)
            if (qAlpha(picture.pixel(x, y)) > 128 && qGray(picture.pixel(x, y)) < 110) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    QVERIFY2(right >= left, "no digits drawn");
    QVERIFY2(left > 0 && right < picture.width() - 1,
             qPrintable(QStringLiteral("ink from %1 to %2 in %3").arg(left).arg(right).arg(picture.width())));
    // A short number keeps the label's own size.
    if (number < 1000)
        QVERIFY(right - left > 6);
}

CARTAVOX_TEST_MAIN(TestCardNavigation)
#include "tst_card_navigation.moc"
