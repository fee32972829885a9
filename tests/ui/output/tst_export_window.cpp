// The export windows of the three kinds, opened from their card windows and driven through their
// grid and pictures, checked in the file they write and the archive they read.
#include "CardArchiveBytes.h"
#include "OpenCard.h"
#include "TestSupport.h"
#include "output/ExportWindow.h"
#include "shell/OpenURL.h"
#include "start/TfrmGuida.h"
#include "widgets/PictureButton.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {
const QString kAskToExport = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede presenti in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString kExported =
    QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
const QString kCannotExport = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di Excel non sia già "
    "aperto.");
const QByteArray kCell = "<td class=t style=\"text-align: left;\">";

QTableView* grid(QWidget* window)
{
    return child<QTableView>(window, QStringLiteral("grdRecords"));
}

QString cell(QWidget* window, int row, int column)
{
    QAbstractItemModel* model = grid(window)->model();
    return model->data(model->index(row, column)).toString();
}

// Double-clicks a cell, as a user starts an edit; the editor opened, if any.
QLineEdit* startEdit(QWidget* window, int row, int column)
{
    QTableView* view = grid(window);
    const QModelIndex index = view->model()->index(row, column);
    view->scrollTo(index);
    const QPoint centre = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
    return qobject_cast<QLineEdit*>(view->indexWidget(index));
}

// The pointer moving over a widget. Sent to the widget itself: over a maximised card window the
// offscreen screen may hand a moved cursor to the window beneath the export window.
void pointAt(QWidget* widget, QPoint at = {5, 5})
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// The data rows of a written file, each as its cells' bytes.
QList<QList<QByteArray>> dataRows(const QByteArray& file)
{
    QList<QList<QByteArray>> rows;
    for (qsizetype at = file.indexOf("<tr>" + kCell); at >= 0; at = file.indexOf("<tr>" + kCell, at)) {
        const qsizetype end = file.indexOf("</tr>", at);
        QList<QByteArray> cells;
        for (qsizetype c = file.indexOf(kCell, at); c >= 0 && c < end; c = file.indexOf(kCell, c + 1)) {
            const qsizetype start = c + kCell.size();
            cells.append(file.mid(start, file.indexOf("</td>", start) - start));
        }
        rows.append(cells);
        at = end;
    }
    return rows;
}
} // namespace

class TestExportWindow : public WindowTest {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void exportsEveryCardInOrder_data() { addKindRows(); }
    void exportsEveryCardInOrder();
    void editsReachTheFileOnly();
    void noLeavesTheFileUntouched();
    void anotherArchiveReplacesTheFile();
    void anEarlierExportIsReplacedOnlyWhenAsked_data();
    void anEarlierExportIsReplacedOnlyWhenAsked();
    void controlCharactersShowAsBlanks();
    void tabLeavesTheGrid();
    void failureKeepsTheEarlierFile_data();
    void failureKeepsTheEarlierFile();
    void archiveWithoutCards();
    void unreadableArchiveIsNeverExported_data();
    void unreadableArchiveIsNeverExported();
    void statusLineAndHelp();
    void escapeKeepsTheWindowAndItsEdits();
    void cellsKeepToTheCodePage_data() { addCodePageEntryRows(); }
    void cellsKeepToTheCodePage();

private:
    QString archive(KindId kind, const QString& name = QStringLiteral("Prova")) const
    {
        return folder().file(name + Kind::of(kind).extension);
    }
    // Opens the card window on `path`, presses its export picture and runs `inside` on the export
    // window, which is closed afterwards with its exit picture.
    void withExportWindow(KindId kind, const QString& path, const std::function<void(ExportWindow*)>& inside);

    QStringList m_opened;
};

void TestExportWindow::init()
{
    WindowTest::init();
    m_opened.clear();
    TMisc::setResponder([this](const QString& target) { m_opened.append(target); });
}

void TestExportWindow::cleanup()
{
    TMisc::setResponder({});
    WindowTest::cleanup();
}

void TestExportWindow::withExportWindow(KindId kind, const QString& path,
                                        const std::function<void(ExportWindow*)>& inside)
{
    OpenCard card(kind, path);
    bool opened = false;
    whenModalOpens([&](QWidget* modal) {
        auto* window = qobject_cast<ExportWindow*>(modal);
        if (!window)
            return;
        opened = true;
        QCOMPARE(window->parentWidget(), card.window);
        inside(window);
        click(window, QStringLiteral("cmdEsci"));
    });
    card.click("cmdEsporta");
    QVERIFY(opened);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(card.window->isVisible());
}

void TestExportWindow::exportsEveryCardInOrder()
{
    QFETCH(KindId, kind);
    const Kind& k = Kind::of(kind);
    struct Expected {
        const char* className;
        QString caption;
        QString file;
        QStringList headers; // the first and the last
        int columns;
        QStringList lastColumn; // of the three sample cards
    };
    static const KindRows<Expected> windows{
        "windows",
        {{"libri",
          {"TfrmExpLibri",
           " Esporta archivio libri in Microsoft Excel",
           "Catalogo_Libri.xls",
           {"Titolo libro", "Note"},
           22,
           {"Note 1", "Note 2", "Note 3"}}},
         {"fumetti",
          {"TfrmExpFumetti",
           " Esporta archivio fumetti in Microsoft Excel",
           "Raccolta_Fumetti.xls",
           {"Titolo fumetto", "Albo mancante"},
           23,
           {"Sì", "No", "Sì"}}},
         {"dvd",
          {"TfrmExpDVD",
           " Esporta archivio DVD in Microsoft Excel",
           "Collezione_DVD.xls",
           {"Titolo DVD", "Note"},
           20,
           {"Note 1", "Note 2", "Note 3"}}}},
    };
    const Expected& expected = windows.of(kind);

    QByteArray bytes = sampleArchive(k, 3);
    // Blanks around a stored text are not part of it.
    StoredTexts padded = sampleCard(k, 2);
    padded[QStringLiteral("Titolo")] = "  Scheda 2\t ";
    bytes.replace(k.layout.recordSize(), k.layout.recordSize(), recordBytes(k, padded));
    writeFileBytes(archive(kind), bytes);

    withExportWindow(kind, archive(kind), [&](ExportWindow* window) {
        QCOMPARE(window->metaObject()->className(), expected.className);
        QCOMPARE(window->windowTitle(), expected.caption);
        QCOMPARE(window->size(), QSize(862, 560));
        QTableView* view = grid(window);
        QCOMPARE(view->size(), QSize(821, 409));
        QCOMPARE(view->rowHeight(0), 21);
        QVERIFY(view->alternatingRowColors());
        QCOMPARE(view->model()->rowCount(), 3);
        QCOMPARE(view->model()->columnCount(), expected.columns + 1);
        QCOMPARE(view->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("N."));
        QCOMPARE(view->columnWidth(0), 60);
        QCOMPARE(view->model()->headerData(1, Qt::Horizontal).toString(), expected.headers.first());
        QCOMPARE(view->columnWidth(1), 300);
        QCOMPARE(view->model()->headerData(expected.columns, Qt::Horizontal).toString(), expected.headers.last());
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(cell(window, row, 0), QString::number(row + 1));
            QCOMPARE(cell(window, row, 1), QStringLiteral("Scheda %1").arg(row + 1));
            QCOMPARE(cell(window, row, expected.columns), expected.lastColumn.at(row));
        }

        click(window, QStringLiteral("cmdEsporta"));
        QCOMPARE(messages().count(), 2);
        QCOMPARE(messages().shown().at(0).kind, MessageBox::Kind::Confirmation);
        QCOMPARE(messages().shown().at(0).text, kAskToExport);
        QCOMPARE(messages().shown().at(1).kind, MessageBox::Kind::Confirmation);
        QCOMPARE(messages().shown().at(1).text, kExported);
        QVERIFY(window->isVisible());
    });

    const QString file = folder().file(expected.file);
    QCOMPARE(m_opened, QStringList{file});
    const QByteArray written = fileBytes(file);
    QCOMPARE(written.count("<tr>"), 4);
    const QList<QList<QByteArray>> lines = dataRows(written);
    QCOMPARE(lines.size(), 3);
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(lines.at(row).size(), expected.columns);
        QCOMPARE(lines.at(row).first(), "Scheda " + QByteArray::number(row + 1));
        QCOMPARE(lines.at(row).at(1), k.textFields().at(1).toLatin1() + ' ' + QByteArray::number(row + 1));
        // In the archives' code page, which is Latin-1 for these letters.
        QCOMPARE(lines.at(row).last(), expected.lastColumn.at(row).toLatin1());
    }
    // Nothing else was written beside it, and the archive was only read.
    QStringList files{expected.file, QStringLiteral("Prova") + k.extension};
    files.sort();
    QCOMPARE(QDir(folder().path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), files);
    QCOMPARE(fileBytes(archive(kind)), bytes);
}

void TestExportWindow::editsReachTheFileOnly()
{
    const QByteArray bytes = sampleArchive(Kind::libri(), 2);
    writeFileBytes(archive(KindId::Libri), bytes);
    withExportWindow(KindId::Libri, archive(KindId::Libri), [&](ExportWindow* window) {
        // Titolo, Autore and ISBN are the archive's own; Codice Dewey can be corrected here.
        for (int column : {0, 1, 2, 9}) {
            QVERIFY2(!startEdit(window, 1, column), qPrintable(QString::number(column)));
            QTest::keyClicks(grid(window), QStringLiteral("xyz"));
            QVERIFY(!grid(window)->indexWidget(grid(window)->model()->index(1, column)));
        }
        QCOMPARE(cell(window, 1, 1), QStringLiteral("Scheda 2"));

        QLineEdit* editor = startEdit(window, 1, 7);
        QVERIFY(editor);
        editor->clear();
        QTest::keyClicks(editor, QStringLiteral("  853.914 Citt"));
        editor->insert(QStringLiteral("à  ")); // QTest types ASCII keys only
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the edit is committed once the key has been handled
        QCOMPARE(cell(window, 1, 7), QStringLiteral("  853.914 Città  "));

        // An edit still open when the export starts is part of it.
        editor = startEdit(window, 0, 22);
        QVERIFY(editor);
        editor->clear();
        QTest::keyClicks(editor, QStringLiteral("Prestato"));
        click(window, QStringLiteral("cmdEsporta"));
    });
    const QList<QList<QByteArray>> rows = dataRows(fileBytes(folder().file(QStringLiteral("Catalogo_Libri.xls"))));
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(1).at(6), QByteArray("853.914 Citt\xE0"));
    QCOMPARE(rows.at(0).at(21), QByteArray("Prestato"));
    QCOMPARE(rows.at(0).at(6), QByteArray("Dewey 1"));
    QCOMPARE(fileBytes(archive(KindId::Libri)), bytes);
}

void TestExportWindow::noLeavesTheFileUntouched()
{
    writeFileBytes(archive(KindId::DVD), sampleArchive(Kind::dvd(), 3));
    const QString file = folder().file(QStringLiteral("Collezione_DVD.xls"));
    writeFileBytes(file, "earlier export");
    withExportWindow(KindId::DVD, archive(KindId::DVD), [&](ExportWindow* window) {
        messages().answerNext(QMessageBox::No);
        click(window, QStringLiteral("cmdEsporta"));
        QCOMPARE(messages().count(), 1);
        QCOMPARE(messages().last().text, kAskToExport);
    });
    QCOMPARE(fileBytes(file), QByteArray("earlier export"));
    QVERIFY(m_opened.isEmpty());
}

void TestExportWindow::anotherArchiveReplacesTheFile()
{
    const Kind& kind = Kind::fumetti();
    writeFileBytes(archive(KindId::Fumetti, QStringLiteral("Prima")), sampleArchive(kind, 3));
    StoredTexts other = sampleCard(kind, 1);
    other[QStringLiteral("Titolo")] = "Dylan Dog";
    writeFileBytes(archive(KindId::Fumetti, QStringLiteral("Seconda")), recordBytes(kind, other));
    for (const char* name : {"Prima", "Seconda"}) {
        withExportWindow(KindId::Fumetti, archive(KindId::Fumetti, QLatin1String(name)), [&](ExportWindow* window) {
            // Answering No to the last question writes the file all the same and opens nothing.
            messages().answerNext(QMessageBox::Yes);
            if (QFile::exists(folder().file(QStringLiteral("Raccolta_Fumetti.xls"))))
                messages().answerNext(QMessageBox::Yes); // replace the earlier export
            messages().answerNext(QMessageBox::No);
            click(window, QStringLiteral("cmdEsporta"));
        });
    }
    QVERIFY(m_opened.isEmpty());
    const QList<QList<QByteArray>> rows = dataRows(fileBytes(folder().file(QStringLiteral("Raccolta_Fumetti.xls"))));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().first(), QByteArray("Dylan Dog"));
}

void TestExportWindow::anEarlierExportIsReplacedOnlyWhenAsked_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    const auto add = [](const char* name, KindId kind, const char* question) {
        QTest::newRow(qPrintable(QStringLiteral("%1, yes").arg(QLatin1String(name))))
            << kind << QString::fromUtf8(question) << QMessageBox::Yes;
        QTest::newRow(qPrintable(QStringLiteral("%1, no").arg(QLatin1String(name))))
            << kind << QString::fromUtf8(question) << QMessageBox::No;
    };
    add("libri", KindId::Libri, "Il file Catalogo_Libri.xls esiste già. Sostituirlo?");
    add("fumetti", KindId::Fumetti, "Il file Raccolta_Fumetti.xls esiste già. Sostituirlo?");
    add("dvd", KindId::DVD, "Il file Collezione_DVD.xls esiste già. Sostituirlo?");
}

void TestExportWindow::anEarlierExportIsReplacedOnlyWhenAsked()
{
    QFETCH(KindId, kind);
    QFETCH(QString, question);
    QFETCH(QMessageBox::StandardButton, answer);
    const Kind& k = Kind::of(kind);
    writeFileBytes(archive(kind), sampleArchive(k, 2));
    const QString file = folder().file(k.spreadsheet.fileName);
    writeFileBytes(file, "the export of another archive, worked on since");

    withExportWindow(kind, archive(kind), [&](ExportWindow* window) {
        messages().answerNext(QMessageBox::Yes);
        messages().answerNext(answer);
        click(window, QStringLiteral("cmdEsporta"));
        QCOMPARE(messages().shown().at(0).text, kAskToExport);
        QCOMPARE(messages().shown().at(1).kind, MessageBox::Kind::Confirmation);
        QCOMPARE(messages().shown().at(1).text, question);
        QCOMPARE(messages().shown().at(1).buttons, QMessageBox::Yes | QMessageBox::No);
        // No asks nothing more; Yes writes and asks about opening the file.
        QCOMPARE(messages().count(), answer == QMessageBox::No ? 2 : 3);
        QVERIFY(window->isVisible());
    });
    if (answer == QMessageBox::No) {
        QCOMPARE(fileBytes(file), QByteArray("the export of another archive, worked on since"));
        QVERIFY(m_opened.isEmpty());
    } else {
        QCOMPARE(dataRows(fileBytes(file)).size(), 2);
        QCOMPARE(m_opened, QStringList{file});
    }
}

void TestExportWindow::controlCharactersShowAsBlanks()
{
    const Kind& kind = Kind::dvd();
    writeFileBytes(archive(KindId::DVD), recordBytes(kind, {{"Titolo", "Riga uno\r\nRiga due"},
                                                            {"Regista", "Nome\tCognome"},
                                                            {"Note", "Prima\x01"
                                                                     "dopo"}}));
    withExportWindow(KindId::DVD, archive(KindId::DVD), [&](ExportWindow* window) {
        QCOMPARE(cell(window, 0, 1), QStringLiteral("Riga uno  Riga due"));
        QCOMPARE(cell(window, 0, 2), QStringLiteral("Nome Cognome"));
        QCOMPARE(cell(window, 0, 20), QStringLiteral("Prima dopo"));
    });
}

void TestExportWindow::tabLeavesTheGrid()
{
    writeFileBytes(archive(KindId::Libri), sampleArchive(Kind::libri(), 3));
    withExportWindow(KindId::Libri, archive(KindId::Libri), [&](ExportWindow* window) {
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTableView* view = grid(window);
        QAbstractItemModel* model = view->model();
        view->setFocus(Qt::TabFocusReason);
        view->setCurrentIndex(model->index(1, 7));

        // The arrows move from cell to cell.
        QTest::keyClick(view, Qt::Key_Right);
        QCOMPARE(view->currentIndex(), model->index(1, 8));
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(view->currentIndex(), model->index(2, 8));

        // Tab and Shift+Tab leave the grid, and come back to it.
        QTest::keyClick(view, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window->cmdEsporta);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), view);
        QTest::keyClick(view, Qt::Key_Backtab);
        QVERIFY(QApplication::focusWidget() != view);
        QVERIFY(window->isAncestorOf(QApplication::focusWidget()));

        // From a cell being typed in, Tab keeps the edit and leaves the grid.
        QLineEdit* editor = startEdit(window, 0, 7);
        QVERIFY(editor);
        editor->clear();
        QTest::keyClicks(editor, QStringLiteral("853.914"));
        QTest::keyClick(editor, Qt::Key_Tab);
        QCoreApplication::processEvents();
        QCOMPARE(cell(window, 0, 7), QStringLiteral("853.914"));
        QCOMPARE(QApplication::focusWidget(), window->cmdEsporta);
        QVERIFY(!view->indexWidget(model->index(0, 8)));
    });
}

void TestExportWindow::failureKeepsTheEarlierFile_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("open in a spreadsheet program") << QStringLiteral("lock");
    QTest::newRow("a folder under the file's name") << QStringLiteral("folder");
    QTest::newRow("file cannot be replaced") << QStringLiteral("immutable file");
    QTest::newRow("folder cannot be written") << QStringLiteral("immutable folder");
}

void TestExportWindow::failureKeepsTheEarlierFile()
{
    QFETCH(QString, obstacle);
    writeFileBytes(archive(KindId::Libri), sampleArchive(Kind::libri(), 3));
    const QString file = folder().file(QStringLiteral("Catalogo_Libri.xls"));
    QString immutable;
    if (obstacle == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(file));
    } else {
        writeFileBytes(file, "earlier export");
        if (obstacle == QLatin1String("lock"))
            writeFileBytes(folder().file(QStringLiteral(".~lock.Catalogo_Libri.xls#")), ",utente,pc,01.01.2026;");
        else
            immutable = obstacle == QLatin1String("immutable file") ? file : folder().path();
    }
    // Permissions do not stop root: an immutable file or folder does.
    if (!immutable.isEmpty() && QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), immutable}) != 0)
        QSKIP("chattr +i is not available here");
    const QStringList before = QDir(folder().path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    withExportWindow(KindId::Libri, archive(KindId::Libri), [&](ExportWindow* window) {
        click(window, QStringLiteral("cmdEsporta"));
        // An earlier export is replaced only when the user says so; a folder is no file to ask about.
        QCOMPARE(messages().count(), obstacle == QLatin1String("folder") ? 2 : 3);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Plain);
        QCOMPARE(messages().last().text, kCannotExport);
        QVERIFY(window->isVisible());
    });
    if (!immutable.isEmpty())
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), immutable});

    QVERIFY(m_opened.isEmpty());
    QCOMPARE(QDir(folder().path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    if (obstacle == QLatin1String("folder"))
        QVERIFY(QFileInfo(file).isDir());
    else
        QCOMPARE(fileBytes(file), QByteArray("earlier export"));
}

void TestExportWindow::archiveWithoutCards()
{
    // A missing archive is created empty, as every action that opens one does.
    withExportWindow(KindId::Libri, archive(KindId::Libri), [&](ExportWindow* window) {
        QCOMPARE(messages().count(), 0);
        QCOMPARE(grid(window)->model()->rowCount(), 10);
        for (int column = 0; column <= 22; ++column)
            QCOMPARE(cell(window, 9, column), QString());
        click(window, QStringLiteral("cmdEsporta"));
    });
    QVERIFY(QFileInfo(archive(KindId::Libri)).isFile());
    const QByteArray written = fileBytes(folder().file(QStringLiteral("Catalogo_Libri.xls")));
    QCOMPARE(written.count("<tr>"), 1);
    QVERIFY(written.contains("width=350>Titolo libro</td>"));
    QVERIFY(written.endsWith("</tr></table></body></html>"));
}

void TestExportWindow::unreadableArchiveIsNeverExported_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("a folder under its name") << QStringLiteral("folder");
    QTest::newRow("a named pipe under its name") << QStringLiteral("pipe");
    QTest::newRow("a link to an archive outside the program folder") << QStringLiteral("link");
    // 10,000,001 cards, more than a list takes; the file is sparse and takes no room on the disk.
    QTest::newRow("too many cards to list") << QStringLiteral("large");
}

void TestExportWindow::unreadableArchiveIsNeverExported()
{
    // The grid of an archive that could not be read stays as it was made, without a word; its
    // export would replace the user's earlier, good one with a file of no cards.
    QFETCH(QString, obstacle);
    const QString path = archive(KindId::Libri);
    QTemporaryDir outside;
    const QString elsewhere = outside.filePath(QStringLiteral("Altro.lib"));
    writeFileBytes(elsewhere, sampleArchive(Kind::libri(), 3));
    if (obstacle == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    else if (obstacle == QLatin1String("pipe"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0666), 0);
    else if (obstacle == QLatin1String("link"))
        QVERIFY(QFile::link(elsewhere, path));
    else if (writeFileBytes(path, {}); !QFile(path).resize(qint64(10'000'001) * 3150))
        QSKIP("no sparse file of 31 GB can be made here");
    const QString file = folder().file(QStringLiteral("Catalogo_Libri.xls"));
    writeFileBytes(file, "earlier export");

    withExportWindow(KindId::Libri, path, [&](ExportWindow* window) {
        QCOMPARE(messages().count(), 0);
        QCOMPARE(grid(window)->model()->rowCount(), 10);
        QCOMPARE(cell(window, 0, 1), QString());
        click(window, QStringLiteral("cmdEsporta"));
        QCOMPARE(messages().count(), 1);
        QCOMPARE(messages().last().kind, MessageBox::Kind::Plain);
        QCOMPARE(messages().last().text,
                 QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
                                "possedere i privilegi di scrittura nella cartella di installazione del programma."));
        QVERIFY(window->isVisible());
    });
    QCOMPARE(fileBytes(file), QByteArray("earlier export"));
    QCOMPARE(fileBytes(elsewhere), sampleArchive(Kind::libri(), 3));
    QVERIFY(m_opened.isEmpty());
}

void TestExportWindow::statusLineAndHelp()
{
    withExportWindow(KindId::Fumetti, archive(KindId::Fumetti), [&](ExportWindow* window) {
        auto* status = child<QLabel>(window, QStringLiteral("panInfo"));
        QCOMPARE(status->text(), QStringLiteral("Esportazione archivio in Microsoft Excel."));
        const std::pair<QString, QString> hints[] = {
            {QStringLiteral("cmdEsporta"), QStringLiteral("Esporta l'archivio in formato Microsoft Excel.")},
            {QStringLiteral("cmdGuida"), QStringLiteral("Visualizza la pagina della guida sensibile al contesto.")},
            {QStringLiteral("cmdEsci"), QStringLiteral("Esci da questo ambiente di lavoro.")},
        };
        QList<QWidget*> clearing{window, grid(window)->viewport(), grid(window)->horizontalHeader()->viewport(),
                                 child<QWidget>(window, QStringLiteral("shpInfo")),
                                 child<QWidget>(window, QStringLiteral("shpSfondo"))};
        for (QWidget* area : clearing) {
            for (const auto& [name, hint] : hints) {
                pointAt(child<QWidget>(window, name));
                QCOMPARE(status->text(), hint);
            }
            // The status text itself neither sets nor clears the line.
            pointAt(status);
            QCOMPARE(status->text(), hints[2].second);
            pointAt(area, {3, 3});
            QVERIFY2(status->text().isEmpty(), qPrintable(area->objectName()));
        }

        bool helped = false;
        whenModalOpens([&](QWidget* modal) {
            auto* help = qobject_cast<TfrmGuida*>(modal);
            QVERIFY(help);
            helped = true;
            QCOMPARE(help->parentWidget(), window);
            QCOMPARE(help->lblTitolo->text(), QStringLiteral("Esportazione archivio fumetti in Microsoft Excel."));
            help->close();
        });
        click(window, QStringLiteral("cmdGuida"));
        QVERIFY(helped);
        QCOMPARE(QApplication::activeModalWidget(), window);
    });
}

void TestExportWindow::escapeKeepsTheWindowAndItsEdits()
{
    writeFileBytes(archive(KindId::Libri), sampleArchive(Kind::libri(), 2));
    withExportWindow(KindId::Libri, archive(KindId::Libri), [&](ExportWindow* window) {
        QLineEdit* editor = startEdit(window, 0, 22);
        QVERIFY(editor);
        editor->clear();
        QTest::keyClicks(editor, QStringLiteral("Prestato"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();

        // The first Escape ends the edit under way without keeping it; the others do nothing.
        editor = startEdit(window, 1, 22);
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("Perso"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(!grid(window)->indexWidget(grid(window)->model()->index(1, 22)));
        for (int press = 0; press < 3; ++press)
            QTest::keyClick(grid(window), Qt::Key_Escape);
        QVERIFY(window->isVisible());
        QCOMPARE(cell(window, 0, 22), QStringLiteral("Prestato"));
        QCOMPARE(cell(window, 1, 22), QStringLiteral("Note 2"));
    });
}

void TestExportWindow::cellsKeepToTheCodePage()
{
    QFETCH(TextEntry, how);
    QFETCH(QString, entered);
    QFETCH(QString, kept);
    writeFileBytes(archive(KindId::DVD), sampleArchive(Kind::dvd(), 1));
    withExportWindow(KindId::DVD, archive(KindId::DVD), [&](ExportWindow* window) {
        QLineEdit* editor = startEdit(window, 0, 20);
        QVERIFY(editor);
        editor->clear();
        enter(editor, how, entered);
        QCOMPARE(editor->text(), kept);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(cell(window, 0, 20), kept);
    });
}

CARTAVOX_TEST_MAIN(TestExportWindow)
#include "tst_export_window.moc"
