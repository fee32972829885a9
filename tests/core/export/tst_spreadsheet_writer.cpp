// The spreadsheet file, written from archives built byte by byte, without any window.
#include "CardArchiveBytes.h"
#include "CoreTestSupport.h"
#include "export/ExportRows.h"
#include "export/SpreadsheetWriter.h"

#include <QBuffer>
#include <QTest>

namespace {
// Everything before the first header cell, and after the last row, as a spreadsheet program
// must find it.
const QByteArray kHead =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\"><head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
    "<x:Name>Catalogo Libri</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane>"
    "<x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes>"
    "<x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>"
    "<x:ProtectScenarios>False</x:ProtectScenarios></x:WorksheetOptions></x:ExcelWorksheet>"
    "</x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]-->"
    "<style>.t{mso-number-format:\"\\@\";}</style></head><body><table x:str><tr>";
const QByteArray kTail = "</table></body></html>";

QByteArray headerCell(int width, const QByteArray& caption)
{
    return "<td style=\"text-align: left; font-weight: bold;\" width=" + QByteArray::number(width) + '>' + caption +
           "</td>";
}

const QByteArray kBookHeader =
    headerCell(350, "Titolo libro") + headerCell(250, "Autore") + headerCell(250, "Nazione") +
    headerCell(200, "Anno pubblicazione") + headerCell(250, "Casa editrice") +
    headerCell(250, "Citt\xE0 pubblicazione") + headerCell(200, "Codice Dewey") + headerCell(250, "Genere") +
    headerCell(250, "ISBN") + headerCell(250, "Lingua") + headerCell(350, "Titolo originale") +
    headerCell(250, "Traduttore") + headerCell(350, "Collana") + headerCell(250, "Curatore") +
    headerCell(350, "Posizione su scaffale") + headerCell(250, "Codice su etichetta") + headerCell(250, "Formato") +
    headerCell(250, "Volumi") + headerCell(200, "Pagine") + headerCell(200, "Prezzo") + headerCell(350, "Giudizio") +
    headerCell(400, "Note") + "</tr>";

QByteArray dataRow(const QList<QByteArray>& cells)
{
    QByteArray row = "<tr>";
    for (const QByteArray& cell : cells)
        row += "<td class=t style=\"text-align: left;\">" + cell + "</td>";
    return row + "</tr>";
}

// A book with a text in a few fields, the others left empty.
QByteArray book(const QByteArray& title, const QByteArray& author, const QByteArray& city = {},
                const QByteArray& note = {})
{
    StoredTexts texts{{"Titolo", title}, {"Autore", author},         {"Citta", city},
                      {"Note", note},    {"File01", "allegato.pdf"}, {"Desc01", "Non esportato"}};
    return recordBytes(Kind::libri(), texts);
}

QList<QByteArray> bookRow(const QByteArray& title, const QByteArray& author, const QByteArray& city = {},
                          const QByteArray& note = {})
{
    QList<QByteArray> cells(22);
    cells[0] = title;
    cells[1] = author;
    cells[5] = city;
    cells[21] = note;
    return cells;
}
} // namespace

class TestSpreadsheetWriter : public QObject {
    Q_OBJECT

private slots:
    void writesTheWholeFileOnOneLine();
    void cellTexts_data();
    void cellTexts();
    void writesTheEditedCells();
    void archiveWithoutCards();

private:
    // Loads an archive of these bytes and writes its file.
    QByteArray exported(ExportRows& rows, const QByteArray& archive);

    ProgramFolderFixture m_dir;
};

QByteArray TestSpreadsheetWriter::exported(ExportRows& rows, const QByteArray& archive)
{
    const QString path = m_dir.file(QStringLiteral("Prova") + rows.kind().extension);
    writeFileBytes(path, archive);
    rows.load(path);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (!SpreadsheetWriter::write(out, rows))
        qFatal("write failed");
    return out.data();
}

void TestSpreadsheetWriter::writesTheWholeFileOnOneLine()
{
    ExportRows rows(Kind::libri());
    const QByteArray file = exported(rows, book("Il nome della rosa", "Umberto Eco", "Milano") +
                                               book("  Se una notte  ", "Italo Calvino", "Torino", "S\xEC") +
                                               book("Gomorra", "Roberto Saviano", "Citt\xE0"));
    QCOMPARE(rows.rowCount(), 3);
    const QByteArray expected = kHead + kBookHeader + dataRow(bookRow("Il nome della rosa", "Umberto Eco", "Milano")) +
                                dataRow(bookRow("Se una notte", "Italo Calvino", "Torino", "S\xEC")) +
                                dataRow(bookRow("Gomorra", "Roberto Saviano", "Citt\xE0")) + kTail;
    QCOMPARE(file, expected);
    QVERIFY(!file.contains('\n'));
    QVERIFY(!file.contains('\r'));
}

void TestSpreadsheetWriter::cellTexts_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("less than") << QByteArray("a<b") << QByteArray("a&lt;b");
    QTest::newRow("end of cell") << QByteArray("</td>") << QByteArray("&lt;/td&gt;");
    QTest::newRow("ampersand") << QByteArray("Tom & Jerry") << QByteArray("Tom &amp; Jerry");
    QTest::newRow("entity stays text") << QByteArray("&amp;") << QByteArray("&amp;amp;");
    QTest::newRow("quotes unchanged") << QByteArray("\"Vento\" dell'est") << QByteArray("\"Vento\" dell'est");
    QTest::newRow("blanks and controls") << QByteArray(" \t\x01Roma\x1F  ") << QByteArray("Roma");
    QTest::newRow("one inner blank") << QByteArray("a b") << QByteArray("a b");
    // Runs of blanks as Excel keeps them and LibreOffice does not fold them.
    QTest::newRow("runs of blanks") << QByteArray("Guerra   e  pace")
                                    << QByteArray("Guerra<span style=\"mso-spacerun:yes\">&#32;&#32;&#32;</span>e"
                                                  "<span style=\"mso-spacerun:yes\">&#32;&#32;</span>pace");
    // Controls are blanks: no raw control byte in the file.
    QTest::newRow("tab") << QByteArray("a\tb") << QByteArray("a b");
    QTest::newRow("line break") << QByteArray("riga 1\nriga 2") << QByteArray("riga 1 riga 2");
    QTest::newRow("CR LF") << QByteArray("riga 1\r\nriga 2")
                           << QByteArray("riga 1<span style=\"mso-spacerun:yes\">&#32;&#32;</span>riga 2");
    QTest::newRow("blank and tab") << QByteArray("a \tb")
                                   << QByteArray("a<span style=\"mso-spacerun:yes\">&#32;&#32;</span>b");
    QTest::newRow("other controls") << QByteArray("a\x01"
                                                  "b\x7F"
                                                  "c\x81"
                                                  "d\x9D"
                                                  "e")
                                    << QByteArray("a b c d e");
    QTest::newRow("no-break space stays") << QByteArray("\xA0x\xA0") << QByteArray("\xA0x\xA0");
    QTest::newRow("accents and euro") << QByteArray("perch\xE9 \x80 12,50") << QByteArray("perch\xE9 \x80 12,50");
    QTest::newRow("leading zeros") << QByteArray("001") << QByteArray("001");
}

void TestSpreadsheetWriter::cellTexts()
{
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, written);
    ExportRows rows(Kind::libri());
    const QByteArray file = exported(rows, book("Titolo", stored));
    QCOMPARE(file, kHead + kBookHeader + dataRow(bookRow("Titolo", written)) + kTail);
}

void TestSpreadsheetWriter::writesTheEditedCells()
{
    ExportRows rows(Kind::fumetti());
    StoredTexts texts{{"Titolo", "Tex"}, {"Numero", "001"}, {"Mancante", "S\xEC"}};
    const QByteArray file = exported(rows, recordBytes(Kind::fumetti(), texts));
    // The missing-issue mark is the last column.
    QVERIFY(file.endsWith("<td class=t style=\"text-align: left;\">S\xEC</td></tr>" + kTail));

    // Numero (column 2) can be edited, Titolo (column 1) cannot.
    QVERIFY(!rows.setData(rows.index(0, 1), QStringLiteral("Zagor")));
    QVERIFY(!(rows.flags(rows.index(0, 1)) & Qt::ItemIsEditable));
    QVERIFY(!(rows.flags(rows.index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(rows.setData(rows.index(0, 2), QStringLiteral("  12 <b> €  ")));
    QVERIFY(rows.setData(rows.index(0, 23), QStringLiteral("No")));
    QCOMPARE(rows.data(rows.index(0, 2)).toString(), QStringLiteral("  12 <b> €  "));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QVERIFY(SpreadsheetWriter::write(out, rows));
    QVERIFY(out.data().contains("<tr><td class=t style=\"text-align: left;\">Tex</td>"
                                "<td class=t style=\"text-align: left;\">12 &lt;b&gt; \x80</td>"));
    QVERIFY(out.data().endsWith("<td class=t style=\"text-align: left;\">No</td></tr>" + kTail));
}

void TestSpreadsheetWriter::archiveWithoutCards()
{
    ExportRows rows(Kind::libri());
    QCOMPARE(exported(rows, {}), kHead + kBookHeader + kTail);
    QCOMPARE(rows.rowCount(), 10);
    QCOMPARE(rows.data(rows.index(0, 0)).toString(), QString());

    // A blank row the user typed into is a row of the file.
    QVERIFY(rows.setData(rows.index(4, 7), QStringLiteral("853.914")));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QVERIFY(SpreadsheetWriter::write(out, rows));
    QList<QByteArray> cells(22);
    cells[6] = "853.914";
    QCOMPARE(out.data(), kHead + kBookHeader + dataRow(cells) + kTail);
}

QTEST_GUILESS_MAIN(TestSpreadsheetWriter)
#include "tst_spreadsheet_writer.moc"
