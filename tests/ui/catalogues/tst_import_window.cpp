// The import through its window, as a user goes: from the kind's menu, a file chosen, the columns
// as the grid shows them, a new archive named, the report, and the archive opened in the card
// window.
#include "PdfPages.h"
#include "TestSupport.h"
#include "cards/CardWindow.h"
#include "catalogues/FieldChooserHeader.h"
#include "catalogues/ImportWindow.h"
#include "output/ReportPrinter.h"
#include "start/TfrmGuida.h"
#include "start/Windows.h"
#include "storage/CatalogueFile.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTableWidget>
#include <QTest>

class TestImportWindow : public WindowTest {
    Q_OBJECT

private slots:
    void fromTheMenuToTheCardWindow();
    void stoppedImportLeavesNoArchive();
    void helpShowsTheImportTopic();
    void nameRulesOfTheCreateWindow_data();
    void nameRulesOfTheCreateWindow();
};

void TestImportWindow::fromTheMenuToTheCardWindow()
{
    const QString csv = folder().file(QStringLiteral("../elenco.csv"));
    writeFileBytes(csv, "Titolo;Scaffale;Author\n\"Il barone rampante\";B3;Italo Calvino\nSe una notte;;Calvino\n");
    fileDialogs().answerNext(csv);
    ChainWindow* menu = Windows::menu(KindId::Libri);
    menu->present();

    bool imported = false;
    whenModalOpens([&](QWidget* window) {
        auto* dialog = qobject_cast<ImportWindow*>(window);
        QVERIFY(dialog);
        QCOMPARE(dialog->objectName(), QStringLiteral("TfrmImportaLibri"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral(" Cartavox - Importazione catalogo libri"));
        click(dialog, QStringLiteral("btnScegli"));

        // The headings as the file has them, each with its field chosen by name, or none.
        auto* grid = child<QTableWidget>(dialog, QStringLiteral("grdAnteprima"));
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Scaffale"));
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("Il barone rampante"));
        auto* header = static_cast<FieldChooserHeader*>(grid->horizontalHeader());
        QCOMPARE(header->chooser(0)->currentText(), QStringLiteral("Titolo libro"));
        QCOMPARE(header->chooser(1)->currentText(), QStringLiteral("(non importare)"));
        QCOMPARE(header->chooser(2)->currentText(), QStringLiteral("Autore"));
        // The shelf goes where the user says; the title cannot go to two columns.
        header->chooser(1)->setCurrentText(QStringLiteral("Posizione su scaffale"));
        header->chooser(2)->setCurrentText(QStringLiteral("Titolo libro"));
        QCOMPARE(header->chooser(0)->currentText(), QStringLiteral("(non importare)"));
        header->chooser(0)->setCurrentText(QStringLiteral("Titolo libro"));
        header->chooser(2)->setCurrentText(QStringLiteral("Autore"));

        type(dialog, QStringLiteral("txtNome"), QStringLiteral("Da: elenco?"));
        QCOMPARE(child<QLineEdit>(dialog, QStringLiteral("txtNome"))->text(), QStringLiteral("Da elenco"));
        click(dialog, QStringLiteral("cmdImporta"));
        QCOMPARE(messages().count(), 0);

        auto* report = child<QPlainTextEdit>(dialog, QStringLiteral("txtRapporto"));
        QVERIFY(report->isVisible());
        QVERIFY(!grid->isVisible());
        QCOMPARE(report->toPlainText(), QStringLiteral("Sono state aggiunte 2 schede all'archivio.\n"
                                                       "Tutti i testi sono stati importati così come erano nel "
                                                       "file."));
        // The report prints as a list, under its own title.
        const QString pdf = folder().file(QStringLiteral("../rapporto.pdf"));
        ReportPrinter::setPrintDialogResponder([&pdf](QPrinter& printer) {
            printer.setOutputFileName(pdf);
            return ReportPrinter::DialogAnswer::Accept;
        });
        click(dialog, QStringLiteral("btnStampa"));
        ReportPrinter::setPrintDialogResponder({});
        const QString printed = PdfPages::pdfText(pdf);
        QVERIFY2(printed.contains(QStringLiteral("Importazione in Da elenco da elenco.csv")), qPrintable(printed));
        QVERIFY(printed.contains(QStringLiteral("Sono state aggiunte 2 schede all'archivio.")));
        imported = true;
        click(dialog, QStringLiteral("btnApri"));
    });
    click(menu, QStringLiteral("btnImporta"));
    QVERIFY(imported);

    CardWindow* card = Windows::card(KindId::Libri);
    QVERIFY(card->isVisible());
    QVERIFY(!menu->isVisible());
    QCOMPARE(child<QLabel>(card, QStringLiteral("lblNome"))->text(), QStringLiteral("Da elenco"));
    click(card, QStringLiteral("cmdPrimo"));
    QCOMPARE(child<QLineEdit>(card, QStringLiteral("txtTitolo"))->text(), QStringLiteral("Il barone rampante"));
    QCOMPARE(child<QLineEdit>(card, QStringLiteral("txtPosizione"))->text(), QStringLiteral("B3"));
    QCOMPARE(child<QLineEdit>(card, QStringLiteral("txtAutore"))->text(), QStringLiteral("Italo Calvino"));
    click(card, QStringLiteral("cmdUltimo"));
    QCOMPARE(child<QLineEdit>(card, QStringLiteral("txtTitolo"))->text(), QStringLiteral("Se una notte"));
}

void TestImportWindow::stoppedImportLeavesNoArchive()
{
    QByteArray rows = "Titolo\n";
    for (int row = 1; row <= 1000; ++row)
        rows += "Titolo " + QByteArray::number(row) + "\n";
    const QString csv = folder().file(QStringLiteral("../lungo.csv"));
    writeFileBytes(csv, rows);
    fileDialogs().answerNext(csv);
    ChainWindow* menu = Windows::menu(KindId::DVD);
    menu->present();
    whenModalOpens([&](QWidget* dialog) {
        click(dialog, QStringLiteral("btnScegli"));
        type(dialog, QStringLiteral("txtNome"), QStringLiteral("Mai creato"));
        // Escape while the cards are being written, served between two rows: a request to stop.
        QTimer::singleShot(0, dialog, [dialog] { static_cast<QDialog*>(dialog)->reject(); });
        click(dialog, QStringLiteral("cmdImporta"));
        QVERIFY(dialog->isVisible());
        QCOMPARE(messages().count(), 1);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
        QCOMPARE(messages().last().text,
                 QStringLiteral("L'importazione è stata interrotta: il nuovo archivio non è stato creato."));
        QVERIFY(child<QWidget>(dialog, QStringLiteral("cmdImporta"))->isEnabled());
        dialog->close();
    });
    click(menu, QStringLiteral("btnImporta"));
    QVERIFY(menu->isVisible());
    QCOMPARE(QDir(folder().path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TestImportWindow::helpShowsTheImportTopic()
{
    ChainWindow* menu = Windows::menu(KindId::Fumetti);
    menu->present();
    QString title;
    QString text;
    whenModalOpens([&](QWidget* dialog) {
        whenModalOpens([&](QWidget* help) {
            title = static_cast<TfrmGuida*>(help)->lblTitolo->text();
            text = static_cast<TfrmGuida*>(help)->txtGuida->toPlainText();
            help->close();
        });
        click(dialog, QStringLiteral("imgGuida"));
        dialog->close();
    });
    click(menu, QStringLiteral("btnImporta"));
    QCOMPARE(title, QStringLiteral("Importazione da un altro catalogo."));
    QVERIFY2(text.startsWith(QStringLiteral("Se tieni già l'elenco dei tuoi libri, fumetti o DVD")), qPrintable(text));
}

void TestImportWindow::nameRulesOfTheCreateWindow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("warning");
    QTest::newRow("none") << "   "
                          << "Attenzione: per creare il nuovo archivio è necessario indicare il nome del nuovo "
                             "catalogo di libri.";
    QTest::newRow("in use, in another case")
        << "esistente"
        << "Attenzione: il nome del catalogo di libri indicato è già stato utilizzato in precedenza.\r\n\r\n"
           "Inserire un nome diverso oppure scegliere di aggiungere le schede in fondo al catalogo esistente.";
    QTest::newRow("a line break") << "riga1\nriga2"
                                  << "Attenzione: il nome indicato contiene un a capo, una tabulazione o un altro "
                                     "carattere di controllo, che non possono far parte del nome di un file.";
    QTest::newRow("the folder's own name") << ".."
                                           << "Attenzione: per creare il nuovo archivio è necessario indicare un "
                                              "nome senza i caratteri / e \\, diverso da \".\" e da \"..\".";
    QTest::newRow("too long for its photos") << QString(240, u'è') << "Attenzione: il nome indicato è troppo lungo";
}

void TestImportWindow::nameRulesOfTheCreateWindow()
{
    QFETCH(QString, name);
    QFETCH(QString, warning);
    writeFileBytes(folder().file(QStringLiteral("Esistente.lib")), {});
    const QString csv = folder().file(QStringLiteral("../elenco.csv"));
    writeFileBytes(csv, "Titolo\nUno\n");
    fileDialogs().answerNext(csv);
    ChainWindow* menu = Windows::menu(KindId::Libri);
    menu->present();
    whenModalOpens([&](QWidget* dialog) {
        click(dialog, QStringLiteral("btnScegli"));
        child<QLineEdit>(dialog, QStringLiteral("txtNome"))->setText(name); // pasted: not filtered
        click(dialog, QStringLiteral("cmdImporta"));
        QCOMPARE(messages().count(), 1);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Warning);
        QVERIFY2(messages().last().text.startsWith(warning), qPrintable(messages().last().text));
        QVERIFY(child<QTableWidget>(dialog, QStringLiteral("grdAnteprima"))->isVisible());
        dialog->close();
    });
    click(menu, QStringLiteral("btnImporta"));
    QVERIFY(menu->isVisible());
    QCOMPARE(QDir(folder().path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Esistente.lib"});
}

CARTAVOX_TEST_MAIN(TestImportWindow)
#include "tst_import_window.moc"
