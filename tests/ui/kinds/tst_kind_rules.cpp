// Every kind keeps every rule that a kind must keep (KindRules), and each rule, broken on purpose in
// a copy of one kind's data, is named by the check.
#include "KindRules.h"
#include "TestSupport.h"

#include <QTest>

#include <functional>

namespace {
// A change to a copy of a kind's data: its fields in record order, the kind, its look.
using Change = std::function<void(QVector<FieldSpec>& fields, Kind& kind, KindLook& look)>;

Kind withLayout(const Kind& kind, const RecordLayout& layout)
{
    return Kind{
        .id = kind.id,
        .tag = kind.tag,
        .extension = kind.extension,
        .pattern = kind.pattern,
        .photoFolder = kind.photoFolder,
        .layout = layout,
        .helpTopic = kind.helpTopic,
        .exportHelpTopic = kind.exportHelpTopic,
        .resultLine = kind.resultLine,
        .spreadsheet = kind.spreadsheet,
        .importFrom = kind.importFrom,
    };
}

qsizetype indexOf(const QVector<FieldSpec>& fields, const QString& name)
{
    for (qsizetype i = 0; i < fields.size(); ++i)
        if (fields.at(i).name == name)
            return i;
    qFatal("no field %s", qPrintable(name));
}

FieldSpec& fieldNamed(QVector<FieldSpec>& fields, const QString& name)
{
    return fields[indexOf(fields, name)];
}

// The names of the rules that the DVDs' data breaks once changed, judged against the other kinds.
QStringList rulesBrokenBy(const Change& change)
{
    const Kind& original = Kind::dvd();
    QVector<FieldSpec> fields = original.layout.fields();
    Kind kind = original;
    KindLook look = KindLook::of(original);
    change(fields, kind, look);
    const RecordLayout layout(fields);
    QList<const Kind*> others;
    for (const Kind* other : Kind::all())
        if (other != &original)
            others.append(other);
    QStringList rules;
    for (const QString& fault : KindRules::broken(withLayout(kind, layout), look, others)) {
        const QString rule = fault.section(QStringLiteral(": "), 0, 0);
        if (!rules.contains(rule))
            rules.append(rule);
    }
    return rules;
}
} // namespace

Q_DECLARE_METATYPE(Change)

class TestKindRules : public QObject {
    Q_OBJECT

private slots:
    void everyKindKeepsEveryRule_data() { addKindRows(); }
    void everyKindKeepsEveryRule();
    void eachBrokenRuleIsNamed_data();
    void eachBrokenRuleIsNamed();
};

void TestKindRules::everyKindKeepsEveryRule()
{
    QFETCH(KindId, kind);
    const Kind& judged = Kind::of(kind);
    QCOMPARE(judged.id, kind);
    QVERIFY2(&KindLook::of(judged).kind == &judged, "the kind's look is another kind's");
    QList<const Kind*> others;
    for (const Kind* other : Kind::all())
        if (other != &judged)
            others.append(other);
    const QStringList broken = KindRules::broken(judged, KindLook::of(judged), others);
    QVERIFY2(broken.isEmpty(), qPrintable(QStringLiteral("\n  ") + broken.join(QStringLiteral("\n  "))));
}

void TestKindRules::eachBrokenRuleIsNamed_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QStringList>("rules");
    using F = QVector<FieldSpec>;
    QTest::newRow("unchanged") << Change([](F&, Kind&, KindLook&) {}) << QStringList{};

    // What the files need
    QTest::newRow("tag of a capital letter")
        << Change([](F&, Kind& k, KindLook&) { k.tag = "Dvd"; }) << QStringList{"tag", "resources"};
    QTest::newRow("tag of another kind") << Change([](F&, Kind& k, KindLook&) { k.tag = "libri"; })
                                         << QStringList{"distinct"};
    QTest::newRow("extension of four letters") << Change([](F&, Kind& k, KindLook&) {
        k.extension = ".dvdx";
        k.pattern = "*.dvdx";
    }) << QStringList{"extension"};
    QTest::newRow("pattern of other files")
        << Change([](F&, Kind& k, KindLook&) { k.pattern = "*.dv?"; }) << QStringList{"extension"};
    QTest::newRow("extension of another kind, in capitals") << Change([](F&, Kind& k, KindLook&) {
        k.extension = ".LIB";
        k.pattern = "*.LIB";
    }) << QStringList{"distinct"};
    QTest::newRow("photo folder of another kind")
        << Change([](F&, Kind& k, KindLook&) { k.photoFolder = "Catalogo_Libri"; }) << QStringList{"distinct"};
    QTest::newRow("export file of another kind")
        << Change([](F&, Kind& k, KindLook&) { k.spreadsheet.fileName = "Catalogo_Libri.xls"; })
        << QStringList{"distinct"};
    QTest::newRow("help topic of the start window")
        << Change([](F&, Kind& k, KindLook&) { k.helpTopic = "Uno sguardo a Cartavox."; }) << QStringList{"distinct"};
    QTest::newRow("two fields of one name") << Change([](F& f, Kind&, KindLook&) {
        f.append({"Desc03", 250, {}, FieldSpec::Role::Attachment});
    }) << QStringList{"fields"};
    QTest::newRow("field longer than its length byte")
        << Change([](F& f, Kind&, KindLook&) { fieldNamed(f, "Note").capacity = 256; }) << QStringList{"fields"};
    QTest::newRow("attachment field missing")
        << Change([](F& f, Kind&, KindLook&) { f.removeIf([](const FieldSpec& s) { return s.name == "File03"; }); })
        << QStringList{"attachments"};
    QTest::newRow("result line of no field")
        << Change([](F&, Kind& k, KindLook&) { k.resultLine[1].field = "Attore"; }) << QStringList{"result line"};
    QTest::newRow("result line as long as its text before the end")
        << Change([](F&, Kind& k, KindLook&) { k.resultLine[1].width = 0; }) << QStringList{"result line"};
    QTest::newRow("export column of no field")
        << Change([](F&, Kind& k, KindLook&) { k.spreadsheet.columns[1].field = "Attore"; })
        << QStringList{"spreadsheet"};

    // What the windows show
    QTest::newRow("rows one field short")
        << Change([](F&, Kind&, KindLook& l) { l.card.rowSizes.last() -= 1; }) << QStringList{"rowSizes"};
    QTest::newRow("rows one field over") << Change([](F&, Kind&, KindLook& l) { l.card.rowSizes.first() += 1; })
                                         << QStringList{"rowSizes"};
    QTest::newRow("eleven rows") << Change([](F&, Kind&, KindLook& l) {
        l.card.rowSizes = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 9};
    }) << QStringList{"rowSizes"};
    QTest::newRow("notes row with a caption")
        << Change([](F& f, Kind&, KindLook&) { fieldNamed(f, "Note").caption = "Note:"; }) << QStringList{"notes row"};
    QTest::newRow("field without a caption")
        << Change([](F& f, Kind&, KindLook&) { fieldNamed(f, "Regista").caption.clear(); }) << QStringList{"captions"};
    QTest::newRow("Titolo no criterion") << Change([](F&, Kind&, KindLook& l) {
        l.search.criteria[0].field = "Originale";
    }) << QStringList{"Titolo"};
    QTest::newRow("no field Titolo") << Change([](F& f, Kind&, KindLook&) {
        fieldNamed(f, "Titolo").name = "Testata";
    }) << QStringList{"result line", "spreadsheet", "Titolo", "required", "criteria", "print template", "import"};
    QTest::newRow("required field of no field")
        << Change([](F&, Kind&, KindLook& l) { l.card.required[1].field = "Attore"; }) << QStringList{"required"};
    QTest::newRow("eleven criteria") << Change([](F&, Kind&, KindLook& l) {
        l.search.criteria.append({"Originale", "Titolo originale:", 11});
    }) << QStringList{"criteria"};
    QTest::newRow("criterion of no field")
        << Change([](F&, Kind&, KindLook& l) { l.search.criteria[1].field = "Attore"; }) << QStringList{"criteria"};
    QTest::newRow("criterion number twice")
        << Change([](F&, Kind&, KindLook& l) { l.search.criteria[1].number = 1; }) << QStringList{"criteria"};
    QTest::newRow("grid width missing") << Change([](F&, Kind&, KindLook& l) { l.spreadsheet.gridWidths.removeLast(); })
                                        << QStringList{"grid widths"};
    QTest::newRow("list heading missing")
        << Change([](F&, Kind&, KindLook& l) { l.search.listHeadings.removeLast(); }) << QStringList{"list headings"};

    // What an import reads
    QTest::newRow("import names of no field")
        << Change([](F&, Kind& k, KindLook&) { k.importFrom.names[1].field = "Attore"; }) << QStringList{"import"};
    QTest::newRow("import names of an attachment") << Change([](F&, Kind& k, KindLook&) {
        k.importFrom.names.append(Kind::OtherNames{"File01", {"Attachment"}});
    }) << QStringList{"import"};
    QTest::newRow("one import name for two fields")
        << Change([](F&, Kind& k, KindLook&) { k.importFrom.names[2].names.append("director"); })
        << QStringList{"import"};
    QTest::newRow("no words for the archive")
        << Change([](F&, Kind& k, KindLook&) { k.importFrom.archiveWords.clear(); }) << QStringList{"import"};
    QTest::newRow("import window text missing")
        << Change([](F&, Kind&, KindLook& l) { l.importing.msgChooseArchive.clear(); }) << QStringList{"import"};
    QTest::newRow("Tellico collection of another kind")
        << Change([](F&, Kind& k, KindLook&) { k.importFrom.tellicoCollection = 2; }) << QStringList{"distinct"};

    // A new field in its row that its print template lacks: printed, it would tell the user to
    // make the photo smaller.
    QTest::newRow("field without its template object") << Change([](F& f, Kind&, KindLook& l) {
        f.insert(indexOf(f, "Note"), {"Supporto", 50, "Supporto:"});
        l.card.rowSizes.last() += 1;
    }) << QStringList{"print template"};
    QTest::newRow("template of another kind")
        << Change([](F&, Kind&, KindLook& l) { l.card.printTemplate = ":/reports/scheda_libro.json"; })
        << QStringList{"print template"};
    QTest::newRow("missing picture") << Change([](F&, Kind&, KindLook& l) {
        l.slideShow.startImage = ":/images/slideshow_riviste.svg";
    }) << QStringList{"resources"};
}

void TestKindRules::eachBrokenRuleIsNamed()
{
    QFETCH(Change, change);
    QFETCH(QStringList, rules);
    QCOMPARE(rulesBrokenBy(change), rules);
}

CARTAVOX_TEST_MAIN(TestKindRules)
#include "tst_kind_rules.moc"
