// The three record layouts held to their description, field by field, and the program's reader
// and writer held to reference archives written byte by byte by tests/data/make_reference.py.
#include "CoreTestSupport.h"
#include "storage/CatalogueFile.h"
#include "storage/Kind.h"

#include <QFile>
#include <QTest>

namespace {
struct FieldRow {
    QString name;
    int capacity;
    int offset;
};
using Layout = QList<FieldRow>;

const Layout kBook{
    {"Titolo", 120, 0},      {"Autore", 50, 121},   {"Nazione", 50, 172},    {"Anno", 20, 223},
    {"Editore", 50, 244},    {"Citta", 50, 295},    {"Dewey", 12, 346},      {"Genere", 50, 359},
    {"ISBN", 20, 410},       {"Lingua", 50, 431},   {"Originale", 120, 482}, {"Traduttore", 50, 603},
    {"Collana", 120, 654},   {"Curatore", 50, 775}, {"Posizione", 120, 826}, {"Etichetta", 50, 947},
    {"Formato", 50, 998},    {"Volumi", 50, 1049},  {"Pagine", 20, 1100},    {"Prezzo", 20, 1121},
    {"Giudizio", 250, 1142}, {"Note", 250, 1393},   {"File01", 250, 1644},   {"File02", 250, 1895},
    {"File03", 250, 2146},   {"Desc01", 250, 2397}, {"Desc02", 250, 2648},   {"Desc03", 250, 2899},
};

const Layout kComic{
    {"Titolo", 120, 0},       {"Numero", 20, 121},      {"Autore", 50, 142},      {"Nazione", 50, 193},
    {"Data", 20, 244},        {"Editore", 50, 265},     {"Citta", 50, 316},       {"Direttore", 50, 367},
    {"Genere", 50, 418},      {"Disegnatore", 50, 469}, {"Lingua", 50, 520},      {"Storia", 250, 571},
    {"Personaggi", 250, 822}, {"Contenuti", 250, 1073}, {"Posizione", 120, 1324}, {"Etichetta", 50, 1445},
    {"Formato", 50, 1496},    {"Stato", 50, 1547},      {"Pagine", 20, 1598},     {"Prezzo", 20, 1619},
    {"Giudizio", 250, 1640},  {"Note", 250, 1891},      {"Mancante", 2, 2142},    {"File01", 250, 2145},
    {"File02", 250, 2396},    {"File03", 250, 2647},    {"Desc01", 250, 2898},    {"Desc02", 250, 3149},
    {"Desc03", 250, 3400},
};

const Layout kDvd{
    {"Titolo", 120, 0},         {"Regista", 50, 121},     {"Nazione", 50, 172},      {"Anno", 20, 223},
    {"Protagonista", 50, 244},  {"Cast", 250, 295},       {"Genere", 50, 546},       {"Distribuzione", 50, 597},
    {"Lingua", 50, 648},        {"Originale", 120, 699},  {"AltreLingue", 250, 820}, {"Collana", 120, 1071},
    {"Sottotitoli", 250, 1192}, {"Posizione", 120, 1443}, {"Etichetta", 50, 1564},   {"Premi", 120, 1615},
    {"Durata", 50, 1736},       {"Prezzo", 20, 1787},     {"Giudizio", 250, 1808},   {"Note", 250, 2059},
    {"File01", 250, 2310},      {"File02", 250, 2561},    {"File03", 250, 2812},     {"Desc01", 250, 3063},
    {"Desc02", 250, 3314},      {"Desc03", 250, 3565},
};

// The text the reference archives hold in field `number` (from 1), by make_reference.py's rule:
// its name, a blank, then letters up to the whole capacity for odd numbers, half of it for even.
QString referenceText(int number, const FieldRow& field)
{
    if (field.name == QLatin1String("Mancante"))
        return QStringLiteral("Sì");
    static const QString letters =
        QStringLiteral("àèéìòù€ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    const qsizetype length = number % 2 ? field.capacity : field.capacity / 2;
    QString text = field.name + u' ';
    while (text.size() < length)
        text += letters.at((number + text.size()) % letters.size());
    return text;
}

QString referenceArchive(KindId kind)
{
    return QFINDTESTDATA(QStringLiteral("../../data/reference") + Kind::of(kind).extension);
}
} // namespace

Q_DECLARE_METATYPE(Layout)

class TestRecordLayouts : public QObject {
    Q_OBJECT

private slots:
    void kinds_data();
    void layoutsAreAsDescribed_data() { kinds_data(); }
    void layoutsAreAsDescribed();
    void readsTheReferenceArchive_data() { kinds_data(); }
    void readsTheReferenceArchive();
    void writesTheReferenceArchive_data() { kinds_data(); }
    void writesTheReferenceArchive();
};

void TestRecordLayouts::kinds_data()
{
    QTest::addColumn<KindId>("kind");
    QTest::addColumn<int>("recordSize");
    QTest::addColumn<Layout>("fields");
    const KindRows<std::pair<int, Layout>> layouts{
        "layouts", {{"libri", {3150, kBook}}, {"fumetti", {3651, kComic}}, {"dvd", {3816, kDvd}}}};
    for (const Kind* kind : Kind::all()) {
        const auto& [recordSize, fields] = layouts.of(*kind);
        addKindRow(kind->id) << recordSize << fields;
    }
}

void TestRecordLayouts::layoutsAreAsDescribed()
{
    QFETCH(KindId, kind);
    QFETCH(int, recordSize);
    QFETCH(Layout, fields);
    const RecordLayout& layout = Kind::of(kind).layout;
    QCOMPARE(layout.recordSize(), recordSize);
    QCOMPARE(layout.fieldCount(), int(fields.size()));
    // One line a field, so a failure names the field and shows both sides.
    const auto line = [](const QString& name, int capacity, int offset) {
        return QStringLiteral("%1: %2 characters at byte %3").arg(name).arg(capacity).arg(offset);
    };
    for (int i = 0; i < layout.fieldCount(); ++i)
        QCOMPARE(line(layout.field(i).name, layout.field(i).capacity, layout.offset(i)),
                 line(fields.at(i).name, fields.at(i).capacity, fields.at(i).offset));
}

void TestRecordLayouts::readsTheReferenceArchive()
{
    QFETCH(KindId, kind);
    QFETCH(Layout, fields);
    ProgramFolderFixture folder;
    const QString path = folder.file(QStringLiteral("Prova") + Kind::of(kind).extension);
    QVERIFY(QFile::copy(referenceArchive(kind), path));

    CatalogueFile archive(Kind::of(kind).layout);
    archive.open(path);
    QCOMPARE(archive.recordCount(), 1);
    const Record card = archive.readCard(1);
    for (int i = 0; i < fields.size(); ++i)
        QCOMPARE(card.text(fields.at(i).name), referenceText(i + 1, fields.at(i)));
}

void TestRecordLayouts::writesTheReferenceArchive()
{
    QFETCH(KindId, kind);
    QFETCH(Layout, fields);
    const QByteArray reference = fileBytes(referenceArchive(kind));
    QVERIFY(!reference.isEmpty());

    // A card filled from its texts stores each one, length byte first, where the reference has it.
    Record filled(Kind::of(kind).layout);
    for (int i = 0; i < fields.size(); ++i)
        filled.setText(fields.at(i).name, referenceText(i + 1, fields.at(i)));
    for (const FieldRow& field : fields) {
        const int stored = 1 + uchar(reference.at(field.offset));
        QVERIFY2(filled.bytes().mid(field.offset, stored) == reference.mid(field.offset, stored),
                 qPrintable(field.name));
    }

    // A card read and written back leaves the archive as it was, to the last byte.
    ProgramFolderFixture folder;
    const QString path = folder.file(QStringLiteral("Prova") + Kind::of(kind).extension);
    writeFileBytes(path, reference);
    CatalogueFile archive(Kind::of(kind).layout);
    archive.open(path);
    archive.writeCard(1, archive.readCard(1));
    QCOMPARE(archive.appendCard(archive.readCard(1)), 2);
    archive.close();
    QCOMPARE(fileBytes(path), reference + reference);
}

QTEST_GUILESS_MAIN(TestRecordLayouts)
#include "tst_record_layouts.moc"
