// A card holding edits that were not saved never makes way for another without a question: every
// way of leaving it, with each answer, and none at all when nothing changed.
#include "CardArchiveBytes.h"
#include "OpenCard.h"
#include "TestSupport.h"
#include "cards/CardWindows.h"
#include "start/TfrmAvvio.h"
#include "start/Windows.h"
#include "storage/CatalogueFile.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

namespace {
const QString kQuestion = QStringLiteral("La scheda corrente contiene modifiche non salvate. Salvarle in archivio?");
const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

enum class Leaving { Forward, Nuovo, Duplica, FoundCard, Esci, CloseBox };
enum class Answer { NotAsked, Yes, No, Cancel };
} // namespace

Q_DECLARE_METATYPE(Leaving)
Q_DECLARE_METATYPE(Answer)

class TestUnsavedEdits : public WindowTest {
    Q_OBJECT

private slots:
    void everyWayOutAsks_data();
    void everyWayOutAsks();
    void aRefusedSaveKeepsTheCard();
    void aNewCardWithAnythingInItAsks_data();
    void aNewCardWithAnythingInItAsks();

private:
    QString archivePath() const { return folder().file(QStringLiteral("Prova.fum")); }
    QString storedTitle(int card) const
    {
        const int size = Kind::fumetti().layout.recordSize();
        return QString::fromLatin1(
            storedText(Kind::fumetti(), fileBytes(archivePath()).mid((card - 1) * size, size), "Titolo"));
    }
    void leave(OpenCard& card, Leaving how);
};

void TestUnsavedEdits::leave(OpenCard& card, Leaving how)
{
    switch (how) {
    case Leaving::Forward:
        return card.click("cmdAvanti");
    case Leaving::Nuovo:
        return card.click("cmdNuovo");
    case Leaving::Duplica:
        return card.click("cmdDuplica");
    case Leaving::FoundCard: {
        // What a search or the missing-issues list hands over when a line is chosen.
        CatalogueFile archive(Kind::fumetti().layout);
        archive.open(archivePath());
        const Record found = archive.readCard(2);
        archive.close();
        return card.window->showFoundCard(found, 2);
    }
    case Leaving::Esci:
        return card.click("cmdEsci");
    case Leaving::CloseBox:
        // As a window manager's close box does.
        QCloseEvent event;
        QApplication::sendEvent(card.window, &event);
        if (event.isAccepted())
            card.window->hide();
        return;
    }
}

void TestUnsavedEdits::everyWayOutAsks_data()
{
    QTest::addColumn<Leaving>("how");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("titleAfter"); // on screen once the card made way; "" when the window closed
    QTest::addColumn<QString>("positionAfter");
    const QList<std::tuple<const char*, Leaving, const char*, const char*>> ways{
        {"forward", Leaving::Forward, "Scheda 2", "2"},
        {"Nuovo", Leaving::Nuovo, "", ""},
        {"Duplica", Leaving::Duplica, "Modificata", ""},
        {"found card", Leaving::FoundCard, "Scheda 2", "2"},
        {"Esci", Leaving::Esci, "", ""},
        {"close box", Leaving::CloseBox, "", ""},
    };
    const QList<std::pair<const char*, Answer>> answers{
        {"unchanged", Answer::NotAsked}, {"yes", Answer::Yes}, {"no", Answer::No}, {"cancel", Answer::Cancel}};
    for (const auto& [way, how, title, position] : ways)
        for (const auto& [name, answer] : answers) {
            // Duplica copies the card as it stands: unchanged, that is the stored title.
            const QString titleAfter = how == Leaving::Duplica && answer == Answer::NotAsked ? "Scheda 1" : title;
            QTest::addRow("%s, %s", way, name) << how << answer << titleAfter << QString::fromLatin1(position);
        }
}

void TestUnsavedEdits::everyWayOutAsks()
{
    QFETCH(Leaving, how);
    QFETCH(Answer, answer);
    QFETCH(QString, titleAfter);
    QFETCH(QString, positionAfter);
    writeFileBytes(archivePath(), sampleArchive(Kind::fumetti(), 2));
    OpenCard card(KindId::Fumetti, archivePath());
    card.click("cmdPrimo");
    QLineEdit* title = card.field(QStringLiteral("Titolo"));
    if (answer != Answer::NotAsked)
        type(title, QStringLiteral("Modificata"));
    title->setFocus();
    messages().clear();

    const QMap<Answer, QMessageBox::StandardButton> buttons{
        {Answer::Yes, QMessageBox::Yes}, {Answer::No, QMessageBox::No}, {Answer::Cancel, QMessageBox::Cancel}};
    if (answer != Answer::NotAsked)
        messages().answerNext(buttons.value(answer));
    leave(card, how);

    const bool asked = answer != Answer::NotAsked;
    QCOMPARE(!messages().shown().isEmpty() && messages().shown().constFirst().text == kQuestion, asked);
    if (asked) {
        const MessageBox::Shown& question = messages().shown().constFirst();
        QCOMPARE(question.kind, MessageBox::Kind::Question);
        QCOMPARE(question.captions, QStringList({"Sì", "No", "Annulla"}));
    }
    QCOMPARE(storedTitle(1), answer == Answer::Yes ? QStringLiteral("Modificata") : QStringLiteral("Scheda 1"));
    if (answer == Answer::Yes)
        QCOMPARE(messages().shown().at(1).text, kUpdated);

    if (answer == Answer::Cancel) {
        QVERIFY(card.window->isVisible());
        QCOMPARE(card.title(), QStringLiteral("Modificata"));
        QCOMPARE(card.position(), QStringLiteral("1"));
        QCOMPARE(card.window->focusWidget(), title);
        QCOMPARE(messages().count(), 1);
        return;
    }
    const bool closes = how == Leaving::Esci || how == Leaving::CloseBox;
    QCOMPARE(card.window->isVisible(), !closes);
    QCOMPARE(Windows::avvio()->isVisible(), closes);
    if (!closes) {
        QCOMPARE(card.title(), titleAfter);
        QCOMPARE(card.position(), positionAfter);
    }
}

void TestUnsavedEdits::aRefusedSaveKeepsTheCard()
{
    writeFileBytes(archivePath(), sampleArchive(Kind::fumetti(), 2));
    OpenCard card(KindId::Fumetti, archivePath());
    card.click("cmdPrimo");
    type(card.field(QStringLiteral("Titolo")), QStringLiteral("   "));

    // Yes, but the title is missing: the save says so and the card stays where it is.
    messages().answerNext(QMessageBox::Yes);
    card.click("cmdAvanti");
    QCOMPARE(messages().count(), 2);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Warning);
    QCOMPARE(card.position(), QStringLiteral("1"));
    QCOMPARE(card.window->focusWidget(), card.field(QStringLiteral("Titolo")));
    QCOMPARE(storedTitle(1), QStringLiteral("Scheda 1"));
}

void TestUnsavedEdits::aNewCardWithAnythingInItAsks_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<bool>("asked");
    QTest::newRow("nothing") << "" << false;
    QTest::newRow("blanks only") << "blanks" << false;
    QTest::newRow("a text") << "text" << true;
    QTest::newRow("the missing mark") << "mark" << true;
    QTest::newRow("a copy of a stored card") << "copy" << true;
}

void TestUnsavedEdits::aNewCardWithAnythingInItAsks()
{
    QFETCH(QString, what);
    QFETCH(bool, asked);
    writeFileBytes(archivePath(), sampleArchive(Kind::fumetti(), 1));
    OpenCard card(KindId::Fumetti, archivePath());
    auto* comics = qobject_cast<TfrmFumetti*>(card.window);
    if (what == QLatin1String("blanks"))
        type(card.field(QStringLiteral("Autore")), QStringLiteral("   "));
    if (what == QLatin1String("text"))
        type(card.field(QStringLiteral("Autore")), QStringLiteral("Hergé"));
    if (what == QLatin1String("mark"))
        comics->chkMancante->setChecked(true);
    if (what == QLatin1String("copy")) {
        card.click("cmdPrimo");
        card.click("cmdDuplica");
    }
    messages().clear();
    messages().answerNext(QMessageBox::No);
    card.click("cmdNuovo");
    QCOMPARE(messages().count(), asked ? 1 : 0);
    QCOMPARE(card.title(), QString());
    QCOMPARE(fileBytes(archivePath()), sampleArchive(Kind::fumetti(), 1));
}

CARTAVOX_TEST_MAIN(TestUnsavedEdits)
#include "tst_unsaved_edits.moc"
