// How the card windows feel while the user types and points: the highlight of the focused field,
// the Enter-key ring, the status-line hints, the hidden focus button and the focus frames.
#include "TestSupport.h"
#include "cards/CardWindows.h"
#include "start/Windows.h"
#include "widgets/EnterRing.h"
#include "widgets/FieldHighlight.h"
#include "widgets/FocusFrame.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
const QString kReady = QStringLiteral("Pronto per archiviare una nuova scheda...");

QColor pixel(QWidget* widget, QPoint at)
{
    return widget->grab().toImage().pixelColor(at);
}

void pointAt(QWidget* widget, QPoint at = {5, 5})
{
    QTest::mouseMove(widget, at);
    QCoreApplication::processEvents();
}

using Hints = QList<std::pair<QString, QString>>;

// The hints that differ between the kinds: the slide show's, and those of a kind's own controls.
const KindRows<Hints> kKindHints{
    "kKindHints",
    {{"libri",
      {{"cmdSlideshow", "Esegui lo slide show del catalogo di libri."},
       {"btnDewey", "Visualizza la Tabella dei Codici Dewey."}}},
     {"fumetti",
      {{"cmdSlideshow", "Esegui lo slide show della raccolta di fumetti."},
       {"cmdMancanti", "Visualizza l'elenco degli albi che mancano alla raccolta."},
       {"chkMancante", "Spunta questa casella per indicare che l'albo manca alla raccolta."}}},
     {"dvd", {{"cmdSlideshow", "Esegui lo slide show della collezione di DVD."}}}},
};
} // namespace

class TestFieldBehaviours : public WindowTest {
    Q_OBJECT

private slots:
    void focusedFieldIsYellow_data() { addKindRows(); }
    void focusedFieldIsYellow();
    void enterWalksTheRing_data() { addKindRows(); }
    void enterWalksTheRing();
    void tabOrderEndsOnTheFocusButton();
    void pointingExplainsTheToolbar_data() { addKindRows(); }
    void pointingExplainsTheToolbar();
    void focusButtonTrimsTheTitle();
    void focusFrameFollowsTheFocus();
    void fieldsKeepToTheCodePage_data() { addCodePageEntryRows(); }
    void fieldsKeepToTheCodePage();

private:
    CardWindow* show(KindId kind);
};

CardWindow* TestFieldBehaviours::show(KindId kind)
{
    CardWindow* window = Windows::card(kind);
    window->setArchive(folder().file(QStringLiteral("Prova") + Kind::of(kind).extension), QStringLiteral("Prova"));
    window->present();
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window))
        qWarning("window not active");
    return window;
}

void TestFieldBehaviours::focusedFieldIsYellow()
{
    QFETCH(KindId, kind);
    CardWindow* window = show(kind);
    QLineEdit* title = window->field(QStringLiteral("Titolo"));
    QLineEdit* author = window->field(Kind::of(kind).textFields().at(1));
    QVERIFY(title->hasFocus());

    const QPoint inside(2, author->height() / 2);
    const QPoint border(author->width() / 2, 0);
    QCOMPARE(pixel(author, inside), FieldHighlight::kAliceBlue);
    QCOMPARE(pixel(author, border), FieldHighlight::kSkyBlue);
    QCOMPARE(pixel(title, inside), FieldHighlight::kYellow);

    author->setFocus();
    QCOMPARE(pixel(author, inside), FieldHighlight::kYellow);
    QCOMPARE(pixel(author, border), FieldHighlight::kSkyBlue);
    QCOMPARE(pixel(title, inside), FieldHighlight::kAliceBlue);
}

void TestFieldBehaviours::enterWalksTheRing()
{
    QFETCH(KindId, kind);
    CardWindow* window = show(kind);
    const QStringList ring = Kind::of(kind).textFields();
    for (int step = 1; step <= ring.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), step % 2 ? Qt::Key_Return : Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txt") + ring.at(step % ring.size()));
    }
    // Other keys stay in the field.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
    QCOMPARE(QApplication::focusWidget(), window->field(QStringLiteral("Titolo")));
    QCOMPARE(window->field(QStringLiteral("Titolo"))->text(), QStringLiteral("a"));
}

void TestFieldBehaviours::tabOrderEndsOnTheFocusButton()
{
    auto* window = static_cast<TfrmFumetti*>(show(KindId::Fumetti));
    window->field(QStringLiteral("Note"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window->chkMancante);
    // The hidden focus button is passed over: Tab goes on to the first picture of the toolbar.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdNuovo"));
}

void TestFieldBehaviours::pointingExplainsTheToolbar()
{
    QFETCH(KindId, kind);
    CardWindow* window = show(kind);
    auto* status = child<QLabel>(window, QStringLiteral("panInfo"));
    QCOMPARE(status->text(), kReady);

    Hints hints = {
        {"cmdNuovo", "Prepara la schermata per l'inserimento di una nuova scheda."},
        {"cmdDuplica", "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti."},
        {"cmdSalva", "Salva la scheda in archivio."},
        {"cmdTrova", "Trova una scheda in archivio."},
        {"cmdFile", "Allega file alla scheda."},
        {"cmdElimina", "Elimina la scheda dall'archivio (Ctrl+Canc)."},
        {"cmdStampa", "Stampa la scheda."},
        {"cmdAnteprima", "Visualizza l'anteprima di stampa della scheda."},
        {"cmdPrimo", "Visualizza la prima scheda in archivio."},
        {"cmdIndietro", "Visualizza la scheda precedente in archivio."},
        {"cmdAvanti", "Visualizza la scheda successiva in archivio."},
        {"cmdUltimo", "Visualizza l'ultima scheda in archivio."},
        {"cmdEsporta", "Esporta le schede in archivio in un file di Microsoft Excel."},
        {"cmdGuida", "Visualizza la pagina della guida sensibile al contesto."},
        {"cmdEsci", "Esci da questa schermata di lavoro."},
        {"btnCaricaFoto", "Carica una foto esistente."},
        {"btnSalvaFoto", "Salva la foto su disco."},
        {"btnCancFoto", "Cancella la foto."},
        {"btnZoomFoto", "Visualizza la foto nelle sue dimensioni reali."},
    };
    hints += kKindHints.of(kind);
    for (const auto& [control, hint] : hints) {
        pointAt(child<QWidget>(window, QStringLiteral("imgFoto")));
        QCOMPARE(status->text(), QString());
        pointAt(child<QWidget>(window, control));
        QCOMPARE(status->text(), hint);
    }

    // From a picture straight onto a field or a caption the hint stays; the background clears it.
    pointAt(child<QWidget>(window, QStringLiteral("cmdSalva")));
    pointAt(window->field(QStringLiteral("Titolo")));
    pointAt(child<QWidget>(window, QStringLiteral("lblCampoTitolo")));
    QCOMPARE(status->text(), QStringLiteral("Salva la scheda in archivio."));
    pointAt(child<QWidget>(window, QStringLiteral("shpSezione01")), {2, 2});
    QCOMPARE(status->text(), QString());
    pointAt(child<QWidget>(window, QStringLiteral("cmdSalva")));
    pointAt(child<QWidget>(window, QStringLiteral("cmdSalva"))->parentWidget(), {1, 1});
    QCOMPARE(status->text(), QString());
}

void TestFieldBehaviours::focusButtonTrimsTheTitle()
{
    CardWindow* window = show(KindId::DVD);
    QLineEdit* title = window->field(QStringLiteral("Titolo"));
    title->setText(QStringLiteral("  Metropolis \t"));
    auto* focus = child<QPushButton>(window, QStringLiteral("btnFocus"));
    focus->setFocus();
    QCOMPARE(QApplication::focusWidget(), focus);
    focus->click();
    QCOMPARE(title->text(), QStringLiteral("Metropolis"));
}

void TestFieldBehaviours::focusFrameFollowsTheFocus()
{
    QWidget window;
    auto* first = new QLineEdit(&window);
    auto* second = new QLineEdit(&window);
    first->setGeometry(20, 20, 320, 22);
    second->setGeometry(20, 60, 320, 22);
    auto* frame = new FocusFrame(QStringLiteral("effPrimo"), first);
    new EnterRing({first, second});
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QCOMPARE(frame->geometry(), QRect(16, 16, 328, 30));
    second->setFocus();
    QVERIFY(!frame->isVisible());
    QTest::keyClick(second, Qt::Key_Return);
    QVERIFY(first->hasFocus());
    QVERIFY(frame->isVisible());
    QCOMPARE(frame->grab().toImage().pixelColor(10, 10), FieldHighlight::kYellow);
    QTest::keyClick(first, Qt::Key_Return);
    QVERIFY(!frame->isVisible());
}

void TestFieldBehaviours::fieldsKeepToTheCodePage()
{
    QFETCH(TextEntry, how);
    QFETCH(QString, entered);
    QFETCH(QString, kept);
    CardWindow* window = show(KindId::Libri);
    QLineEdit* title = window->field(QStringLiteral("Titolo"));
    title->setFocus();
    enter(title, how, entered);
    QCOMPARE(title->text(), kept);
}

CARTAVOX_TEST_MAIN(TestFieldBehaviours)
#include "tst_field_behaviours.moc"
