// The missing comic issues, listed from a real comics card window.
#include "SearchTestSupport.h"
#include "output/ReportPrinter.h"
#include "search/TfrmRiepFumettiMancanti.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>

namespace {
const QString kEmptyList = QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");
} // namespace

class TestMissingIssues : public WindowTest {
    Q_OBJECT

private slots:
    void listsOnlyTheCardsMarkedSi();
    void untickedAndSavedLeavesTheList();
    void doubleClickOpensTheCardTicked();
    void unreadableArchiveListsNothingSilently();

private:
    QString path() const { return folder().file(QStringLiteral("Prova.fum")); }

    bool withMissing(OpenCard& card, const std::function<void(TfrmRiepFumettiMancanti*)>& act)
    {
        return withListWindow<TfrmRiepFumettiMancanti>(card, "cmdMancanti", act);
    }

    void writeCollection()
    {
        archiveOf(path(), Kind::fumetti(),
                  {{{"Titolo", "Tex"}, {"Numero", "12"}, {"Autore", "Bonelli"}, {"Mancante", "S\xec"}},
                   {{"Titolo", "Zagor"}, {"Numero", "1"}, {"Mancante", "si"}},
                   {{"Titolo", "Diabolik"}, {"Numero", "7"}, {"Mancante", "SI"}},
                   {{"Titolo", "Martin Myst\xe8re"}, {"Numero", "3"}},
                   {{"Titolo", "Dylan Dog"}, {"Numero", "1"}, {"Mancante", "No"}},
                   {{"Titolo", "Corto Maltese"}, {"Numero", "2"}, {"Data", "1967"}, {"Mancante", "S\xec"}}});
    }
};

void TestMissingIssues::listsOnlyTheCardsMarkedSi()
{
    writeCollection();
    OpenCard card(KindId::Fumetti, path());
    QVERIFY(withMissing(card, [&](TfrmRiepFumettiMancanti* missing) {
        QCOMPARE(missing->windowTitle(), QStringLiteral(" Riepilogo albi mancanti"));
        QCOMPARE(missing->size(), QSize(862, 560));
        QCOMPARE(missing->lines(), (QStringList{padded("Corto Maltese", 55) + "  Autore: " + padded("", 30) +
                                                    "  Albo n. " + padded("2", 20) + "  Data: 1967",
                                                padded("Tex", 55) + "  Autore: " + padded("Bonelli", 30) +
                                                    "  Albo n. " + padded("12", 20) + "  Data: "}));
        QCOMPARE(QApplication::focusWidget(), missing->txtTrova);
        QCOMPARE(missing->lblRigo01->text(),
                 QStringLiteral("Immettere una o più parole consecutive presenti nella "
                                "scheda in elenco da cercare e premere il pulsante Trova."));
        QCOMPARE(missing->lblRigo02->text(), QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa "
                                                            "chiave di ricerca, fare di nuovo clic su Trova."));
        QCOMPARE(missing->lblRigo03->text(),
                 QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."));
        QCOMPARE(missing->btnStampa->text(), QStringLiteral("&Stampa"));
        QCOMPARE(missing->btnChiudi->text(), QStringLiteral("&Chiudi"));
        QVERIFY(!missing->findChild<QLabel*>(QStringLiteral("lblTrovate")));

        type(missing, "txtTrova", "TEX");
        click(missing, "btnTrova");
        QCOMPARE(missing->lstRecords->selectedRow(), 1);

        QString jobName;
        ReportPrinter::setPrintDialogResponder([&](QPrinter& printer) {
            jobName = printer.docName();
            return ReportPrinter::DialogAnswer::Cancel;
        });
        click(missing, "btnStampa");
        ReportPrinter::setPrintDialogResponder({});
        QCOMPARE(jobName, QStringLiteral("Riepilogo albi mancanti"));
        click(missing, "btnChiudi");
        QVERIFY(!missing->isVisible());
    }));
    QCOMPARE(messages().count(), 0);
}

void TestMissingIssues::untickedAndSavedLeavesTheList()
{
    writeCollection();
    OpenCard card(KindId::Fumetti, path());
    card.click("cmdPrimo");
    auto* box = child<QCheckBox>(card.window, "chkMancante");
    QVERIFY(box->isChecked());
    box->setChecked(false);
    card.click("cmdSalva");
    QCOMPARE(messages().count(), 1);
    QVERIFY(withMissing(card, [&](TfrmRiepFumettiMancanti* missing) {
        QCOMPARE(missing->lines().size(), 1);
        QVERIFY(missing->lines().constFirst().startsWith("Corto Maltese"));
    }));
}

void TestMissingIssues::doubleClickOpensTheCardTicked()
{
    writeCollection();
    OpenCard card(KindId::Fumetti, path());
    card.click("cmdUltimo");
    card.click("cmdIndietro"); // Dylan Dog, not missing
    auto* box = child<QCheckBox>(card.window, "chkMancante");
    QVERIFY(!box->isChecked());
    QVERIFY(withMissing(card, [&](TfrmRiepFumettiMancanti* missing) {
        // The second click of a double-click on cmdMancanti, landing on a line of the new window,
        // opens nothing.
        ResultList* list = missing->lstRecords;
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           QPoint(20, list->visualRect(list->model()->index(1, 0)).center().y()));
        QVERIFY(missing->isVisible());
        doubleClickRow(list, 1);
        QVERIFY(!missing->isVisible());
    }));
    QCOMPARE(card.position(), QStringLiteral("1"));
    QCOMPARE(card.title(), QStringLiteral("Tex"));
    QVERIFY(box->isChecked());
    QCOMPARE(messages().count(), 0);
}

void TestMissingIssues::unreadableArchiveListsNothingSilently()
{
    QVERIFY(QDir().mkpath(path())); // a folder where the archive should be
    OpenCard card(KindId::Fumetti, path());
    QVERIFY(withMissing(card, [&](TfrmRiepFumettiMancanti* missing) {
        QCOMPARE(missing->lines(), QStringList());
        QCOMPARE(messages().count(), 0);
        click(missing, "btnTrova");
        QCOMPARE(messages().count(), 1);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Plain);
        QCOMPARE(messages().last().text, kEmptyList);
        QVERIFY(missing->isVisible());
    }));
}

CARTAVOX_TEST_MAIN(TestMissingIssues)
#include "tst_missing_issues.moc"
