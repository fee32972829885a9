#include "KindRules.h"

#include "help/HelpTopics.h"
#include "report/Report.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>

#include <functional>

namespace {
// A field's length is one byte in the file.
constexpr int kMostCapacity = 255;
// The card's field area is 472 pixels high: a row needs 45 (a caption of 19 above a field of 26)
// before a caption runs into the field above it.
constexpr int kMostCardRows = 10;
// The search window's criteria stand in five rows of two, numbered 01 to 10 (lblCampoNN, effCampoNN).
constexpr int kMostCriteria = 10;
// ArchiveFolder::archiveName takes this many characters off a file name to show the archive's name.
constexpr qsizetype kExtensionLength = 4;

class Faults final {
public:
    void add(const char* rule, const QString& what)
    {
        m_lines.append(QLatin1String(rule) + QStringLiteral(": ") + what);
    }
    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
};

// Every text object of a template, wherever it stands.
QList<const TextObject*> textObjects(Report& report)
{
    QList<const TextObject*> found;
    const auto collect = [&found](const std::vector<std::unique_ptr<ReportObject>>& objects) {
        for (const auto& object : objects)
            if (object->kind() == ReportObject::Kind::Text)
                found.append(static_cast<const TextObject*>(object.get()));
    };
    for (int page = 1; page <= report.templatePageCount(); ++page) {
        collect(report.page(page).objects);
        for (const auto& band : report.page(page).bands)
            collect(band->objects);
    }
    return found;
}

void checkFiles(const Kind& kind, const QList<const Kind*>& others, Faults& faults)
{
    static const QRegularExpression tagPattern(QStringLiteral("^[a-z0-9_]+$"));
    if (!tagPattern.match(kind.tag).hasMatch())
        faults.add("tag", QStringLiteral("\"%1\" is not made of small letters and digits: it is the caller tag and "
                                         "part of the names of the kind's resource files")
                              .arg(kind.tag));
    if (kind.extension.size() != kExtensionLength || !kind.extension.startsWith(u'.'))
        faults.add("extension", QStringLiteral("\"%1\" is not a dot and three characters: the open window takes four "
                                               "characters off a file name to show the archive's name")
                                    .arg(kind.extension));
    if (kind.pattern != u'*' + kind.extension)
        faults.add(
            "extension",
            QStringLiteral("the pattern \"%1\" lists other files than \"*%2\"").arg(kind.pattern, kind.extension));
    if (kind.helpTopic == HelpTopics::kStartTitle || kind.exportHelpTopic == HelpTopics::kStartTitle ||
        kind.helpTopic == kind.exportHelpTopic)
        faults.add("distinct", QStringLiteral("its help topics are not titled apart: the help finds a topic by title"));

    for (const Kind* other : others) {
        const auto shared = [&](const QString& what, const QString& why) {
            faults.add("distinct", QStringLiteral("%1 is also the %2's: %3").arg(what, other->tag, why));
        };
        if (other->id == kind.id)
            shared(QStringLiteral("its id"), QStringLiteral("Kind::of would find only one of them"));
        if (other->tag == kind.tag)
            shared(QStringLiteral("the tag \"%1\"").arg(kind.tag),
                   QStringLiteral("a window would take the other's card for its own"));
        if (other->extension.compare(kind.extension, Qt::CaseInsensitive) == 0)
            shared(QStringLiteral("the extension \"%1\"").arg(kind.extension),
                   QStringLiteral("each open window would list the other's archives"));
        if (other->photoFolder.compare(kind.photoFolder, Qt::CaseInsensitive) == 0)
            shared(QStringLiteral("the photo folder \"%1\"").arg(kind.photoFolder),
                   QStringLiteral("an archive's photos would replace the other's"));
        if (other->spreadsheet.fileName.compare(kind.spreadsheet.fileName, Qt::CaseInsensitive) == 0)
            shared(QStringLiteral("the export file \"%1\"").arg(kind.spreadsheet.fileName),
                   QStringLiteral("each export would replace the other's"));
        if (other->helpTopic == kind.helpTopic || other->exportHelpTopic == kind.exportHelpTopic)
            shared(QStringLiteral("a help topic's title"), QStringLiteral("the help finds a topic by title"));
    }
}

void checkLayout(const Kind& kind, Faults& faults)
{
    const RecordLayout& layout = kind.layout;
    QSet<QString> names;
    for (const FieldSpec& field : layout.fields()) {
        if (names.contains(field.name))
            faults.add("fields", QStringLiteral("two fields are called %1").arg(field.name));
        names.insert(field.name);
        if (field.capacity < 1 || field.capacity > kMostCapacity)
            faults.add("fields", QStringLiteral("%1 holds %2 characters: a field holds 1 to %3, its length is one byte")
                                     .arg(field.name)
                                     .arg(field.capacity)
                                     .arg(kMostCapacity));
    }
    for (const char* name : {"File01", "File02", "File03", "Desc01", "Desc02", "Desc03"}) {
        const int index = layout.indexOf(QString::fromLatin1(name));
        if (index < 0 || layout.field(index).role != FieldSpec::Role::Attachment)
            faults.add(
                "attachments",
                QStringLiteral("no attachment field %1: the attachments window fills six").arg(QLatin1String(name)));
    }
    for (qsizetype i = 0; i < kind.resultLine.size(); ++i) {
        const Kind::LineColumn& column = kind.resultLine.at(i);
        if (layout.indexOf(column.field) < 0)
            faults.add("result line", QStringLiteral("the column %1 is no field of the kind").arg(column.field));
        if (column.width < 0 || (column.width == 0 && i + 1 < kind.resultLine.size()))
            faults.add("result line", QStringLiteral("the column %1 has the width %2: only the last column may be as "
                                                     "long as its text (0), the others need room")
                                          .arg(column.field)
                                          .arg(column.width));
    }
    for (const Kind::SpreadsheetColumn& column : kind.spreadsheet.columns)
        if (layout.indexOf(column.field) < 0)
            faults.add("spreadsheet", QStringLiteral("the column %1 is no field of the kind").arg(column.field));
}

void checkCard(const Kind& kind, const KindLook& look, Faults& faults)
{
    const QStringList texts = kind.textFields();
    const RecordLayout& layout = kind.layout;
    const auto captionOf = [&](const QString& field) { return layout.field(layout.indexOf(field)).caption; };

    int inRows = 0;
    for (const int size : look.card.rowSizes) {
        if (size < 1)
            faults.add("rowSizes", QStringLiteral("a row of %1 fields").arg(size));
        inRows += size;
    }
    if (inRows != texts.size() - 1)
        faults.add("rowSizes", QStringLiteral("the rows hold %1 fields and the kind has %2 text fields: the rows take "
                                              "every text field but the last, which is the notes row")
                                   .arg(inRows)
                                   .arg(texts.size()));
    if (look.card.rowSizes.size() > kMostCardRows)
        faults.add("rowSizes", QStringLiteral("%1 rows: the card's field area holds %2")
                                   .arg(look.card.rowSizes.size())
                                   .arg(kMostCardRows));

    if (texts.isEmpty()) {
        faults.add("notes row", QStringLiteral("the kind has no text field"));
    } else {
        if (!captionOf(texts.constLast()).isEmpty())
            faults.add("notes row",
                       QStringLiteral("the last text field, %1, becomes the notes row, whose caption is the "
                                      "picture \"Note\": it must have none")
                           .arg(texts.constLast()));
        for (const QString& field : texts.first(texts.size() - 1))
            if (captionOf(field).isEmpty())
                faults.add("captions", QStringLiteral("%1 has no caption: a field is named by its caption, to the eye "
                                                      "and to a screen reader")
                                           .arg(field));
    }

    if (!texts.contains(QStringLiteral("Titolo")))
        faults.add("Titolo", QStringLiteral("no text field Titolo: the card, the search and the print start from it"));
    for (const KindLook::RequiredField& required : look.card.required)
        if (!texts.contains(required.field))
            faults.add("required", QStringLiteral("%1 is no text field of the kind").arg(required.field));
}

void checkSearch(const Kind& kind, const KindLook& look, Faults& faults)
{
    const QStringList texts = kind.textFields();
    const QList<KindLook::SearchCriterion>& criteria = look.search.criteria;
    if (criteria.isEmpty() || criteria.size() > kMostCriteria)
        faults.add("criteria", QStringLiteral("%1 criteria: the search window has room for 1 to %2")
                                   .arg(criteria.size())
                                   .arg(kMostCriteria));
    QSet<QString> fields;
    QSet<int> numbers;
    for (const KindLook::SearchCriterion& criterion : criteria) {
        if (!texts.contains(criterion.field))
            faults.add("criteria", QStringLiteral("%1 is no text field of the kind").arg(criterion.field));
        if (fields.contains(criterion.field))
            faults.add("criteria", QStringLiteral("%1 is searched twice").arg(criterion.field));
        if (criterion.number < 1 || criterion.number > kMostCriteria || numbers.contains(criterion.number))
            faults.add("criteria", QStringLiteral("%1 has the number %2: each criterion has its own, 1 to %3")
                                       .arg(criterion.field)
                                       .arg(criterion.number)
                                       .arg(kMostCriteria));
        fields.insert(criterion.field);
        numbers.insert(criterion.number);
    }
    if (!fields.contains(QStringLiteral("Titolo")))
        faults.add("Titolo", QStringLiteral("Titolo is no search criterion: the search window opens with the focus "
                                            "there"));
    if (look.spreadsheet.gridWidths.size() != kind.spreadsheet.columns.size())
        faults.add("grid widths", QStringLiteral("%1 grid widths for %2 export columns: one per column")
                                      .arg(look.spreadsheet.gridWidths.size())
                                      .arg(kind.spreadsheet.columns.size()));
    if (look.search.listHeadings.size() != kind.resultLine.size())
        faults.add("list headings", QStringLiteral("%1 headings for %2 result-line columns: one per column")
                                        .arg(look.search.listHeadings.size())
                                        .arg(kind.resultLine.size()));
}

void checkPrintTemplate(const Kind& kind, const KindLook& look, Faults& faults)
{
    // Whatever fails while a card is printed, the user is told to make the photo smaller.
    const auto attempt = [&](const std::function<void()>& step) {
        try {
            step();
        } catch (const std::exception& error) {
            faults.add("print template", QString::fromUtf8(error.what()));
        }
    };
    attempt([&] {
        Report report = Report::load(look.card.printTemplate);
        attempt([&] { report.picture(QStringLiteral("imgLogo")); });
        attempt([&] { report.text(QStringLiteral("txtNome")); });
        const QStringList texts = kind.textFields();
        for (const QString& field : texts)
            attempt([&] { report.text(QStringLiteral("txt") + field); });
        // An object the print window does not fill prints as it was designed.
        for (const TextObject* object : textObjects(report)) {
            const QString field = object->name().mid(3);
            if (object->name().startsWith(QLatin1String("txt")) && field != QLatin1String("Nome") &&
                !texts.contains(field))
                faults.add("print template",
                           QStringLiteral("%1 is filled by no field of the kind").arg(object->name()));
        }
    });
}

void checkImport(const Kind& kind, const KindLook& look, const QList<const Kind*>& others, Faults& faults)
{
    const Kind::ImportFrom& from = kind.importFrom;
    QHash<QString, QString> fieldOfName; // lower case
    for (const Kind::OtherNames& other : from.names) {
        const int field = kind.layout.indexOf(other.field);
        if (field < 0 || kind.layout.field(field).role == FieldSpec::Role::Attachment)
            faults.add("import", QStringLiteral("the names %1 are given to %2, which no column can be imported into")
                                     .arg(other.names.join(QStringLiteral(", ")), other.field));
        for (const QString& name : other.names) {
            const QString key = name.toLower();
            if (fieldOfName.contains(key) && fieldOfName.value(key) != other.field)
                faults.add("import", QStringLiteral("the name \"%1\" is given to %2 and to %3: a column of that name "
                                                    "would only ever go to the first")
                                         .arg(name, fieldOfName.value(key), other.field));
            fieldOfName.insert(key, other.field);
        }
    }
    if (from.archiveWords.isEmpty())
        faults.add("import", QStringLiteral("no words for its archive: a Tellico collection of the kind, chosen in "
                                            "another kind's window, would be refused without saying where it goes"));
    for (const QString* text : {&look.importing.caption, &look.importing.newArchive, &look.importing.existingArchive,
                                &look.importing.msgNameInUse, &look.importing.msgChooseArchive})
        if (text->trimmed().isEmpty())
            faults.add("import", QStringLiteral("the import window lacks one of its texts"));
    for (const Kind* other : others)
        if (from.tellicoCollection > 0 && other->importFrom.tellicoCollection == from.tellicoCollection)
            faults.add("distinct",
                       QStringLiteral("the Tellico collection type %1 is also the %2's: each window would take the "
                                      "other's collections")
                           .arg(from.tellicoCollection)
                           .arg(other->tag));
}

void checkResources(const Kind& kind, const KindLook& look, Faults& faults)
{
    for (const QString& path : KindRules::resources(kind, look)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
            faults.add("resources", QStringLiteral("%1 is missing or empty").arg(path));
        else if (path.endsWith(QLatin1String(".svg")) && !QSvgRenderer(path).isValid())
            faults.add("resources", QStringLiteral("%1 is no picture that can be drawn").arg(path));
    }
}
} // namespace

QStringList KindRules::resources(const Kind& kind, const KindLook& look)
{
    const QString& tag = kind.tag;
    return {
        QStringLiteral(":/images/avvio_%1.svg").arg(tag),           // the start window's picture of the kind
        QStringLiteral(":/images/avvio_btn_%1.svg").arg(tag),       // its button there
        QStringLiteral(":/images/avvio_nota_%1.svg").arg(tag),      // its note there
        QStringLiteral(":/images/menu_istruzioni_%1.svg").arg(tag), // the menu's instructions
        QStringLiteral(":/help/%1.txt").arg(tag),                   // its help topic, also in the start topic
        QStringLiteral(":/help/esporta_%1.txt").arg(tag),           // the help topic of its export
        look.card.placeholderImage,
        look.slideShow.startImage,
        look.card.printTemplate,
    };
}

QStringList KindRules::broken(const Kind& kind, const KindLook& look, const QList<const Kind*>& others)
{
    Faults faults;
    checkFiles(kind, others, faults);
    checkLayout(kind, faults);
    checkCard(kind, look, faults);
    checkSearch(kind, look, faults);
    checkPrintTemplate(kind, look, faults);
    checkImport(kind, look, others, faults);
    checkResources(kind, look, faults);
    return faults.lines();
}
