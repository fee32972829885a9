// Every write of the program meets a disk that fails part way (full, or failing at a chosen byte)
// or a folder that has vanished, and the user's data must come out of it whole: the old bytes of
// every file, no half-written card, nothing left behind; and once the disk works again the same
// write succeeds.
#include "CardArchiveBytes.h"
#include "DiskFaults.h"
#include "OpenCard.h"
#include "PdfPages.h"
#include "TestSupport.h"
#include "access/Crypt.h"
#include "access/PasswordFile.h"
#include "export/ExportRows.h"
#include "export/SpreadsheetWriter.h"
#include "folder/AttachmentFolder.h"
#include "folder/CoverPhotos.h"
#include "output/ReportPrinter.h"
#include "search/ListPrinting.h"
#include "storage/CatalogueFile.h"

#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {
enum class Write {
    CardInPlace,
    CardAppended,
    PhotoAsStored,
    PhotoConverted,
    Attachment,
    Password,
    Export,
    CardPrinted,
    ShortListPrinted,
    LongListPrinted
};

const QString kArchive = QStringLiteral("Prova.lib");
const QString kPhoto = QStringLiteral("Catalogo_Libri/Prova_Foto_2.jpg");
const QString kDocument = QStringLiteral("Documenti_Allegati/scheda.pdf");
const QString kPasswordFile = QStringLiteral("unins000.dll");
const QString kSpreadsheet = QStringLiteral("Esportati/Prova.xls");
const QString kPrint = QStringLiteral("Stampe/stampa.pdf");
const QString kAccessError = QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                                            "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                            "installazione del programma.");

// A picture whose compressed form changes all through, so a cut anywhere shows.
QImage noisyPicture(int width, int height, quint32 seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random.generate() | 0xFF000000);
    return image;
}

// One write of the program over a program folder that already holds the user's data, and what it
// writes where: `bytes` from byte `start` of an archive, or the whole of a file it makes anew.
struct WriteCase {
    std::function<bool()> run; // false, or an exception caught, when it reports a failure
    QString target;            // relative to the program folder
    qint64 start = 0;
    QByteArray bytes;
    bool wholeFile = true;
    // Of a PDF file, whose bytes hold the time it was made: the text it prints, compared instead.
    QString printedText{};
};

bool succeeds(const std::function<void()>& write)
{
    try {
        write();
        return true;
    } catch (const ArchiveError&) {
    } catch (const PasswordFile::Error&) {
    }
    return false;
}

Record newCard()
{
    Record card(bookLayout());
    card.setText(u"Titolo", QStringLiteral("Il nome della scheda nuova"));
    card.setText(u"Note", QString(200, u'n'));
    return card;
}
} // namespace

Q_DECLARE_METATYPE(Write)

class TestWriteFaults : public WindowTest {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void failingDiskKeepsTheOldBytes_data();
    void failingDiskKeepsTheOldBytes();
    void vanishedFolder_data();
    void vanishedFolder();
    void cardWindowKeepsTheCardOnAFullDisk();
    void aPhotoIsNeverLostToAFailedSave();
    void thePlaceholderReplacesAPhotoOnlyWhenAsked_data();
    void thePlaceholderReplacesAPhotoOnlyWhenAsked();

private:
    // The user's data before the write: three cards, the photo of card 2, a document, a password.
    void layDownUserData();
    WriteCase writeCase(Write write);

    // True when the print that `print` starts shows no message, to the PDF file `path`.
    bool printsWithoutWarning(const QString& path, const std::function<void()>& print);

    std::unique_ptr<QTemporaryDir> m_elsewhere; // where new photos and documents come from
};

void TestWriteFaults::init()
{
    WindowTest::init();
    m_elsewhere = std::make_unique<QTemporaryDir>();
    layDownUserData();
}

void TestWriteFaults::cleanup()
{
    m_elsewhere.reset();
    WindowTest::cleanup();
}

void TestWriteFaults::layDownUserData()
{
    writeFileBytes(folder().file(kArchive), sampleArchive(Kind::libri(), 3));
    QVERIFY(CoverPhotos::save(Kind::libri(), QStringLiteral("Prova"), QStringLiteral("2"),
                              CoverPicture(noisyPicture(40, 30, 1))));
    QDir().mkpath(folder().file(QStringLiteral("Documenti_Allegati")));
    writeFileBytes(folder().file(kDocument), QByteArray(3000, 'v'));
    writeFileBytes(folder().file(kPasswordFile),
                   "[Accesso]\r\nValore=" + Crypt::Scramble(u"VECCHIA").toLatin1() + "\r\n");
    // An export made earlier, which a new export of the archive replaces.
    QDir().mkpath(folder().file(QStringLiteral("Esportati")));
    writeFileBytes(folder().file(kSpreadsheet), QByteArray(2000, 'x'));
    // A print made earlier to the file that a new print is made to.
    QDir().mkpath(folder().file(QStringLiteral("Stampe")));
    writeFileBytes(folder().file(kPrint), QByteArray(2000, 'p'));

    // Small ones, as a thumbnail or a short note is: they go through a file's buffer whole.
    QVERIFY(noisyPicture(64, 48, 2).save(m_elsewhere->filePath(QStringLiteral("nuova.jpg")), "jpeg", 95));
    QVERIFY(noisyPicture(64, 48, 3).save(m_elsewhere->filePath(QStringLiteral("nuova.png")), "png"));
    writeFileBytes(m_elsewhere->filePath(QStringLiteral("scheda.pdf")), QByteArray(5000, 'N'));
}

bool TestWriteFaults::printsWithoutWarning(const QString& path, const std::function<void()>& print)
{
    ReportPrinter::setPrintDialogResponder([path](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return ReportPrinter::DialogAnswer::Accept;
    });
    const qsizetype shown = messages().count();
    print();
    ReportPrinter::setPrintDialogResponder({});
    return messages().count() == shown;
}

WriteCase TestWriteFaults::writeCase(Write write)
{
    const int recordSize = bookLayout().recordSize();
    const QString archive = folder().file(kArchive);
    // The file a write makes, from the same write over a copy in a folder of no importance, inside
    // the program folder where the program writes its files, and gone before the test looks.
    const auto made = [this](const QString& copyOf, const std::function<void(const QString&)>& writeTo) {
        QDir scratch(folder().file(QStringLiteral("prove")));
        scratch.mkpath(QStringLiteral("."));
        const QString path = scratch.filePath(QStringLiteral("prova"));
        QFile::copy(folder().file(copyOf), path);
        writeTo(path);
        const QByteArray bytes = fileBytes(path);
        scratch.removeRecursively();
        return bytes;
    };
    const auto photo = [this](const QString& source) {
        return [picture = CoverPicture::fromFile(m_elsewhere->filePath(source), FileScope::UserChoice)] {
            return CoverPhotos::save(Kind::libri(), QStringLiteral("Prova"), QStringLiteral("2"), picture);
        };
    };
    const auto photoBytes = [&](const QString& source) {
        return made(kPhoto, [&](const QString& path) {
            CoverPicture::fromFile(m_elsewhere->filePath(source), FileScope::UserChoice)
                .saveJpeg(path, FileScope::UserChoice);
        });
    };

    // A print to `path` from the card window's print window, or from a list window's Stampa.
    const auto cardPrint = [this, archive](const QString& path) {
        return printsWithoutWarning(path, [&] {
            OpenCard card(KindId::Libri, archive);
            card.click("cmdPrimo");
            whenModalOpens([](QWidget* window) { click(window, QStringLiteral("btnStampa")); });
            card.click("cmdStampa");
        });
    };
    const auto listPrint = [this](int lines) {
        return [this, lines](const QString& path) {
            QStringList list;
            for (int n = 1; n <= lines; ++n)
                list.append(QStringLiteral("Riga %1 dell'elenco, con il titolo e l'autore").arg(n));
            return printsWithoutWarning(
                path, [&] { printList(Windows::card(KindId::Libri), QStringLiteral("Elenco"), list); });
        };
    };
    const auto printCase = [&](const std::function<bool(const QString&)>& print) {
        QString text;
        const QByteArray bytes = made(kPrint, [&](const QString& path) {
            print(path);
            text = PdfPages::pdfText(path);
        });
        return WriteCase{[this, print] { return print(folder().file(kPrint)); }, kPrint, 0, bytes, true, text};
    };

    switch (write) {
    case Write::CardPrinted:
        return printCase(cardPrint);
    case Write::ShortListPrinted:
        return printCase(listPrint(20));
    case Write::LongListPrinted:
        return printCase(listPrint(3000));
    case Write::CardInPlace:
        return {[archive] {
                    return succeeds([&] {
                        CatalogueFile file(bookLayout());
                        file.open(archive);
                        file.writeCard(2, newCard());
                    });
                },
                kArchive, recordSize, newCard().bytes(), false};
    case Write::CardAppended:
        return {[archive] {
                    return succeeds([&] {
                        CatalogueFile file(bookLayout());
                        file.open(archive);
                        file.appendCard(newCard());
                    });
                },
                kArchive, 3 * recordSize, newCard().bytes(), false};
    case Write::PhotoAsStored:
        return {photo(QStringLiteral("nuova.jpg")), kPhoto, 0, photoBytes(QStringLiteral("nuova.jpg"))};
    case Write::PhotoConverted:
        return {photo(QStringLiteral("nuova.png")), kPhoto, 0, photoBytes(QStringLiteral("nuova.png"))};
    case Write::Attachment:
        return {[this] {
                    return AttachmentFolder::store(m_elsewhere->filePath(QStringLiteral("scheda.pdf")),
                                                   QStringLiteral("scheda.pdf"), [] { return true; });
                },
                kDocument, 0, fileBytes(m_elsewhere->filePath(QStringLiteral("scheda.pdf")))};
    case Write::Export: {
        const auto rows = std::make_shared<ExportRows>(Kind::libri());
        if (!rows->load(archive))
            qFatal("the sample archive does not load");
        return {[this, rows] { return SpreadsheetWriter::save(folder().file(kSpreadsheet), *rows); }, kSpreadsheet, 0,
                made(kSpreadsheet, [&](const QString& path) { SpreadsheetWriter::save(path, *rows); })};
    }
    case Write::Password:
        return {[] { return succeeds([] { PasswordFile::store(QStringLiteral("NUOVA PAROLA")); }); }, kPasswordFile, 0,
                made(kPasswordFile,
                     [](const QString& path) { PasswordFile::store(QStringLiteral("NUOVA PAROLA"), path); })};
    }
    qFatal("unknown write");
}

void TestWriteFaults::failingDiskKeepsTheOldBytes_data()
{
    QTest::addColumn<Write>("write");
    QTest::addColumn<int>("point"); // 0 first byte, 1 second byte, 2 half way, 3 last byte
    const QList<std::pair<const char*, Write>> writes = {
        {"card saved in place", Write::CardInPlace},
        {"card appended", Write::CardAppended},
        {"cover photo, a JPEG kept as it is", Write::PhotoAsStored},
        {"cover photo, converted to JPEG", Write::PhotoConverted},
        {"attached document copied", Write::Attachment},
        {"password changed", Write::Password},
        {"archive exported", Write::Export},
        {"card printed to a PDF file", Write::CardPrinted},
        {"short list printed to a PDF file", Write::ShortListPrinted},
        {"long list printed to a PDF file", Write::LongListPrinted},
    };
    const char* points[] = {"at its first byte", "after one byte", "half way", "at its last byte"};
    for (const auto& [name, write] : writes)
        for (int point = 0; point < 4; ++point)
            QTest::addRow("%s, fails %s", name, points[point]) << write << point;
}

void TestWriteFaults::failingDiskKeepsTheOldBytes()
{
    QFETCH(Write, write);
    QFETCH(int, point);
    const WriteCase written = writeCase(write);
    const qint64 length = written.bytes.size();
    QVERIFY(length > 2);
    const qint64 intoWrite[] = {0, 1, length / 2, length - 1};
    const QMap<QString, QByteArray> before = folderContents(folder().path());

    bool done = true;
    {
        const FileSizeLimit fails(rlim_t(written.start + intoWrite[point]));
        done = written.run();
    }
    QVERIFY2(!done, "the write reported success although it could not finish");
    const QMap<QString, QByteArray> after = folderContents(folder().path());
    QCOMPARE(after.keys(), before.keys());
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const QByteArray& now = after.value(it.key());
        qsizetype differs = 0;
        while (differs < now.size() && differs < it->size() && now.at(differs) == it->at(differs))
            ++differs;
        QVERIFY2(now == *it, qPrintable(QStringLiteral("%1 changed from byte %2 (%3 bytes, were %4)")
                                            .arg(it.key())
                                            .arg(differs)
                                            .arg(now.size())
                                            .arg(it->size())));
    }

    // The write itself was sound: with room on the disk it goes through.
    QVERIFY(written.run());
    const QByteArray old = before.value(written.target);
    if (!written.printedText.isEmpty()) {
        QCOMPARE(PdfPages::pdfText(folder().file(written.target)), written.printedText);
        return;
    }
    QCOMPARE(fileBytes(folder().file(written.target)),
             written.wholeFile ? written.bytes
                               : old.left(written.start) + written.bytes + old.mid(written.start + length));
}

void TestWriteFaults::vanishedFolder_data()
{
    QTest::addColumn<Write>("write");
    QTest::addColumn<QString>("vanished"); // relative to the program folder; empty: the program folder
    QTest::addColumn<bool>("succeeds");
    // The photo and document folders are the program's own and made again; an archive or a
    // password file whose folder is gone is not made anew in an empty one.
    QTest::newRow("card saved in place") << Write::CardInPlace << QString() << false;
    QTest::newRow("card appended") << Write::CardAppended << QString() << false;
    QTest::newRow("cover photo") << Write::PhotoAsStored << QStringLiteral("Catalogo_Libri") << true;
    QTest::newRow("attached document") << Write::Attachment << QStringLiteral("Documenti_Allegati") << true;
    QTest::newRow("password changed") << Write::Password << QString() << false;
    QTest::newRow("archive exported") << Write::Export << QStringLiteral("Esportati") << false;
}

void TestWriteFaults::vanishedFolder()
{
    QFETCH(Write, write);
    QFETCH(QString, vanished);
    QFETCH(bool, succeeds);
    const WriteCase written = writeCase(write);
    // What a successful write leaves, from the same write while the folder is still there.
    QVERIFY(written.run());
    const QByteArray complete = fileBytes(folder().file(written.target));

    const QString gone = vanished.isEmpty() ? folder().path() : folder().file(vanished);
    QVERIFY(QDir(gone).removeRecursively());
    QCOMPARE(written.run(), succeeds);
    if (succeeds)
        QCOMPARE(fileBytes(folder().file(written.target)), complete);
    else
        QVERIFY(!QFileInfo::exists(gone));
}

void TestWriteFaults::cardWindowKeepsTheCardOnAFullDisk()
{
    const QString archive = folder().file(kArchive);
    const QByteArray before = fileBytes(archive);
    OpenCard card(KindId::Libri, archive);
    card.click("cmdNuovo");
    card.fillRequired();
    card.field(QStringLiteral("Note"))->setText(QStringLiteral("Scritta a mano, da non perdere"));

    {
        const FileSizeLimit full(rlim_t(before.size() + 100));
        card.click("cmdSalva");
    }
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Error);
    QCOMPARE(messages().last().text, kAccessError);
    QCOMPARE(fileBytes(archive), before);
    // The card stays on the screen as typed, still new, so that a second Salva stores it.
    QCOMPARE(card.field(QStringLiteral("Note"))->text(), QStringLiteral("Scritta a mano, da non perdere"));
    QCOMPARE(card.position(), QString());
    QVERIFY(!QFileInfo::exists(folder().file(QStringLiteral("Catalogo_Libri/Prova_Foto_4.jpg"))));

    card.click("cmdSalva");
    QCOMPARE(card.position(), QStringLiteral("4"));
    QCOMPARE(fileBytes(archive).size(), before.size() + bookLayout().recordSize());
}

void TestWriteFaults::aPhotoIsNeverLostToAFailedSave()
{
    const QString archive = folder().file(kArchive);
    const QByteArray oldPhoto = fileBytes(folder().file(kPhoto));
    const QString chosen = m_elsewhere->filePath(QStringLiteral("grande.jpg"));
    QVERIFY(noisyPicture(300, 200, 4).save(chosen, "jpeg", 95));
    OpenCard card(KindId::Libri, archive);
    card.click("cmdPrimo");
    card.click("cmdAvanti");
    fileDialogs().answerNext(chosen);
    card.click("btnCaricaFoto");

    // The card fits on the disk, its new photo does not.
    {
        const FileSizeLimit full(rlim_t(fileBytes(archive).size() + 100));
        card.click("cmdSalva");
    }
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Warning);
    QCOMPARE(fileBytes(folder().file(kPhoto)), oldPhoto);
    // The chosen picture stays in the box, and still counts as not saved.
    QCOMPARE(card.photo()->pictureArea().size(), QSize(300, 200));
    messages().answerNext(QMessageBox::Cancel);
    card.click("cmdAvanti");
    QCOMPARE(messages().count(), 2);
    QCOMPARE(messages().last().kind, MessageBox::Kind::Question);
    QCOMPARE(card.position(), QStringLiteral("2"));

    // Space freed, the next Salva stores it.
    card.click("cmdSalva");
    QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
    QCOMPARE(fileBytes(folder().file(kPhoto)), fileBytes(chosen));
}

void TestWriteFaults::thePlaceholderReplacesAPhotoOnlyWhenAsked_data()
{
    QTest::addColumn<bool>("cancellaFoto");
    QTest::newRow("a photo that cannot be read, saved again") << false;
    QTest::newRow("Cancella foto, then Salva") << true;
}

void TestWriteFaults::thePlaceholderReplacesAPhotoOnlyWhenAsked()
{
    QFETCH(bool, cancellaFoto);
    // The photo cannot be read today (cut short on a server that comes back, say): the card shows
    // the placeholder, which must not take the photo's place unless the user says so.
    const QByteArray unreadable = fileBytes(folder().file(kPhoto)).left(100);
    writeFileBytes(folder().file(kPhoto), unreadable);
    OpenCard card(KindId::Libri, folder().file(kArchive));
    card.click("cmdPrimo");
    card.click("cmdAvanti");
    QVERIFY(card.showsPlaceholder());
    if (cancellaFoto)
        card.click("btnCancFoto");
    card.click("cmdSalva");
    QCOMPARE(messages().last().kind, MessageBox::Kind::Information);
    if (cancellaFoto)
        QCOMPARE(QImageReader(folder().file(kPhoto)).size(), QSize(307, 409));
    else
        QCOMPARE(fileBytes(folder().file(kPhoto)), unreadable);
}

CARTAVOX_TEST_MAIN(TestWriteFaults)
#include "tst_write_faults.moc"
