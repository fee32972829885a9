// The seams between windows: the one table that makes every window of a kind, and the value a
// dialog gets from the card window that opens it.
#include "CardArchiveBytes.h"
#include "OpenCard.h"
#include "PdfPages.h"
#include "TestSupport.h"
#include "output/CardPrintWindow.h"
#include "output/ExportWindow.h"
#include "output/ReportPrinter.h"
#include "start/WindowClasses.h"

#include <QCheckBox>
#include <QPrinter>
#include <QTableView>

#include <memory>

Q_DECLARE_METATYPE(WindowRole)

class TestWindowClasses : public WindowTest {
    Q_OBJECT

private slots:
    void eachRoleAndKindHasItsNamedClass_data();
    void eachRoleAndKindHasItsNamedClass();
    void theHandoffIsTheCardAsOnScreen();
    void dialogsWorkFromTheHandoffAlone();
};

void TestWindowClasses::eachRoleAndKindHasItsNamedClass_data()
{
    QTest::addColumn<WindowRole>("role");
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QString>("name");
    // The class of each role, books, comics and DVDs, in the order of WindowRole.
    const KindRows<QStringList> classes{
        "classes",
        {{"libri",
          {"TfrmMenuLibri", "TfrmCreaLibri", "TfrmApriLibri", "TfrmLibri", "TfrmTrovaLibri", "TfrmExpLibri",
           "TfrmStampaLibri", "TfrmAnteprimaLibri", "TfrmSlideshow_Libri", "TfrmImportaLibri"}},
         {"fumetti",
          {"TfrmMenuFumetti", "TfrmCreaFumetti", "TfrmApriFumetti", "TfrmFumetti", "TfrmTrovaFumetti", "TfrmExpFumetti",
           "TfrmStampaFumetti", "TfrmAnteprimaFumetti", "TfrmSlideshow_Fumetti", "TfrmImportaFumetti"}},
         {"dvd",
          {"TfrmMenuDVD", "TfrmCreaDVD", "TfrmApriDVD", "TfrmDVD", "TfrmTrovaDVD", "TfrmExpDVD", "TfrmStampaDVD",
           "TfrmAnteprimaDVD", "TfrmSlideshow_DVD", "TfrmImportaDVD"}}},
    };
    const WindowRole roles[] = {WindowRole::Menu,      WindowRole::Create, WindowRole::Open,  WindowRole::Card,
                                WindowRole::Search,    WindowRole::Export, WindowRole::Print, WindowRole::Preview,
                                WindowRole::SlideShow, WindowRole::Import};
    for (const Kind* kind : Kind::all()) {
        const QStringList& names = classes.of(*kind);
        QCOMPARE(names.size(), qsizetype(std::size(roles)));
        for (std::size_t r = 0; r < std::size(roles); ++r)
            QTest::newRow(qPrintable(names.at(r))) << roles[r] << kind->id << names.at(r);
    }
}

void TestWindowClasses::eachRoleAndKindHasItsNamedClass()
{
    QFETCH(WindowRole, role);
    QFETCH(KindId, kind);
    QFETCH(QString, name);
    QWidget opener;
    const std::unique_ptr<QWidget> window(WindowClasses::create(role, kind, &opener));
    QCOMPARE(QString::fromLatin1(window->metaObject()->className()), name);
    QCOMPARE(window->objectName(), name);
    QVERIFY(!window->isVisible());
}

void TestWindowClasses::theHandoffIsTheCardAsOnScreen()
{
    const QString path = folder().file(QStringLiteral("Prova.fum"));
    writeFileBytes(path, recordBytes(Kind::fumetti(), {{"Titolo", "Salvato"}, {"Numero", "7"}}));
    OpenCard card(KindId::Fumetti, path);
    card.click("cmdPrimo");
    // Edited on screen and not saved: the handoff carries what the window shows.
    type(card.field(QStringLiteral("Titolo")), QStringLiteral("Non ancora salvato"));
    child<QCheckBox>(card.window, QStringLiteral("chkMancante"))->setChecked(true);

    const CardHandoff handoff = card.window->handoff();
    QCOMPARE(handoff.kind, &Kind::fumetti());
    QCOMPARE(handoff.archivePath, path);
    QCOMPARE(handoff.archiveName, QStringLiteral("Prova"));
    QCOMPARE(handoff.cardNumber, QStringLiteral("1"));
    QCOMPARE(handoff.card.text(u"Titolo"), QStringLiteral("Non ancora salvato"));
    QCOMPARE(handoff.card.text(u"Numero"), QStringLiteral("7"));
    QCOMPARE(handoff.card.text(u"Mancante"), QStringLiteral("Sì"));
    QVERIFY(!handoff.photo.isNull()); // the placeholder the box shows
}

void TestWindowClasses::dialogsWorkFromTheHandoffAlone()
{
    // No card window anywhere near: each dialog has only the value it was given.
    const QString path = folder().file(QStringLiteral("Altro.lib"));
    writeFileBytes(path, recordBytes(Kind::libri(), {{"Titolo", "Primo"}}) +
                             recordBytes(Kind::libri(), {{"Titolo", "Secondo"}}));
    CardHandoff handoff(Kind::libri());
    handoff.archivePath = path;
    handoff.archiveName = QStringLiteral("Altro");
    handoff.card.setText(u"Titolo", QStringLiteral("Dal valore"));
    handoff.card.setText(u"Autore", QStringLiteral("Autrice"));

    QWidget opener;
    const auto exporter = WindowClasses::createDialog<ExportWindow>(WindowRole::Export, KindId::Libri, &opener);
    exporter->setCard(handoff);
    exporter->show();
    QCOMPARE(child<QTableView>(exporter.get(), QStringLiteral("grdRecords"))->model()->rowCount(), 2);
    exporter->hide();

    const QString pdf = folder().file(QStringLiteral("scheda.pdf"));
    ReportPrinter::setPrintDialogResponder([&](QPrinter& printer) {
        printer.setOutputFileName(pdf);
        return ReportPrinter::DialogAnswer::Accept;
    });
    const auto print = WindowClasses::createDialog<CardPrintWindow>(WindowRole::Print, KindId::Libri, &opener);
    print->setCard(handoff);
    whenModalOpens([](QWidget* modal) { click(modal, QStringLiteral("btnStampa")); });
    print->exec();
    ReportPrinter::setPrintDialogResponder({});
    const QString text = PdfPages::pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("DAL VALORE")) || text.contains(QStringLiteral("Dal valore")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Autrice")));
    QVERIFY(text.contains(QStringLiteral("Altro")));
    QCOMPARE(messages().count(), 0);
}

CARTAVOX_TEST_MAIN(TestWindowClasses)
#include "tst_window_classes.moc"
