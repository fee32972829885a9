#include "TellicoReader.h"

#include "ImportFile.h"
#include "storage/Text.h"

#include <QFileInfo>
#include <QUrl>

namespace {
constexpr qint64 kChunk = 64 * 1024;
const QString kXmlName = QStringLiteral("tellico.xml");
constexpr QStringView kPictureType = u"10";

// Tellico's collection types, as its files number them.
QString collectionWords(int type)
{
    static const QHash<int, QString> words{
        {1, QStringLiteral("una collezione personalizzata")},
        {2, QStringLiteral("una collezione di libri")},
        {3, QStringLiteral("una collezione di video")},
        {4, QStringLiteral("una collezione di musica")},
        {5, QStringLiteral("una bibliografia")},
        {6, QStringLiteral("una collezione di fumetti")},
        {7, QStringLiteral("una collezione di vini")},
        {8, QStringLiteral("una collezione di monete")},
        {9, QStringLiteral("una collezione di francobolli")},
        {10, QStringLiteral("una collezione di carte collezionabili")},
        {11, QStringLiteral("una collezione di videogiochi")},
        {12, QStringLiteral("un catalogo di file")},
        {13, QStringLiteral("una collezione di giochi da tavolo")},
    };
    return words.value(type, QStringLiteral("una collezione di tipo %1").arg(type));
}

// Where a collection of each kind the program keeps goes; empty for a collection of no such kind.
QString archiveWords(int type)
{
    for (const Kind* kind : Kind::all())
        if (type > 0 && kind->importFrom.tellicoCollection == type)
            return kind->importFrom.archiveWords;
    return {};
}

UserError damaged()
{
    return importRefused(QStringLiteral("Il file di Tellico è danneggiato o incompleto."));
}

// A value as one line of a card: line breaks and other control characters as blanks.
QString oneLine(const QString& text)
{
    return Text::trimmed(Text::withControlsAsBlanks(text));
}
} // namespace

TellicoReader::TellicoReader(std::unique_ptr<QFile> file, const QString& path, bool zipped, const Kind& kind)
    : m_path(path), m_file(std::move(file))
{
    if (zipped) {
        m_zip = std::make_unique<ZipArchive>(m_file->handle());
        if (!m_zip->contains(kXmlName))
            throw ImportFile::unknownFormat();
        m_zipEntry = m_zip->open(kXmlName);
        m_xmlSize = m_zipEntry->claimedSize();
    } else {
        m_xmlSize = m_file->size();
    }
    // Internal entities expand to a few thousand characters at most; external ones are never read.
    m_xml.setEntityExpansionLimit(4096);
    m_xml.setNamespaceProcessing(false);
    readCollectionStart(kind);
    readFields();
    if (m_columns.isEmpty())
        throw importRefused(QStringLiteral("La collezione di Tellico non ha nessun campo di testo da importare."));
}

TellicoReader::~TellicoReader() = default;

QString TellicoReader::description() const
{
    return QStringLiteral("Collezione di Tellico \"%1\"").arg(m_collectionTitle);
}

bool TellicoReader::feed()
{
    if (m_inputEnded)
        return false;
    QByteArray chunk(kChunk, Qt::Uninitialized);
    const qint64 got = m_zipEntry ? m_zipEntry->read(chunk.data(), kChunk) : m_file->read(chunk.data(), kChunk);
    if (got < 0)
        throw importRefused(QStringLiteral("Il file non si può leggere fino in fondo."));
    if (got == 0) {
        m_inputEnded = true;
        return false;
    }
    m_xmlBytesRead += got;
    m_bytesSinceToken += got;
    // A bomb in the zip, or an element with no end: the XML is read no further.
    if (m_xmlBytesRead > ImportLimits::kMostXmlBytes)
        throw importRefused(QStringLiteral("Il file di Tellico contiene più di un gigabyte di dati."));
    if (m_bytesSinceToken > ImportLimits::kMostElementBytes)
        throw importRefused(QStringLiteral("Un elemento del file di Tellico è più grande di %1 MB.")
                                .arg(ImportLimits::kMostElementBytes >> 20));
    chunk.truncate(got);
    m_xml.addData(chunk);
    return true;
}

QXmlStreamReader::TokenType TellicoReader::readNext()
{
    for (;;) {
        const QXmlStreamReader::TokenType type = m_xml.readNext();
        if (type == QXmlStreamReader::Invalid) {
            if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && feed())
                continue;
            // What follows the root element needs no reading.
            if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && m_rootEnded)
                return QXmlStreamReader::EndDocument;
            throw damaged();
        }
        m_bytesSinceToken = 0;
        if (type == QXmlStreamReader::StartElement && ++m_depth > ImportLimits::kMostDepth)
            throw damaged();
        if (type == QXmlStreamReader::EndElement && --m_depth == 0)
            m_rootEnded = true;
        return type;
    }
}

void TellicoReader::skipElement()
{
    const int depth = m_depth;
    while (m_depth >= depth)
        if (readNext() == QXmlStreamReader::EndDocument)
            throw damaged();
}

void TellicoReader::readCollectionStart(const Kind& kind)
{
    for (;;) {
        const QXmlStreamReader::TokenType type = readNext();
        if (type == QXmlStreamReader::EndDocument)
            throw importRefused(QStringLiteral("Il file di Tellico non contiene nessuna collezione."));
        if (type != QXmlStreamReader::StartElement)
            continue;
        if (m_depth == 1 && m_xml.name() != u"tellico")
            throw ImportFile::unknownFormat();
        if (m_depth == 2 && m_xml.name() == u"collection")
            break;
    }
    m_collectionTitle = oneLine(m_xml.attributes().value(QLatin1String("title")).toString());
    const int type = m_xml.attributes().value(QLatin1String("type")).toInt();
    if (type > 0 && type == kind.importFrom.tellicoCollection)
        return;
    const QString where = archiveWords(type);
    if (where.isEmpty())
        throw importRefused(
            QStringLiteral("Il file di Tellico contiene %1, che il programma non sa importare: si possono importare "
                           "le collezioni di libri, di fumetti e di video.")
                .arg(collectionWords(type)));
    throw importRefused(QStringLiteral("Il file di Tellico contiene %1, che si può importare soltanto in %2.")
                            .arg(collectionWords(type), where));
}

void TellicoReader::readFields()
{
    for (;;) {
        const QXmlStreamReader::TokenType type = readNext();
        if (type == QXmlStreamReader::EndDocument || (type == QXmlStreamReader::EndElement && m_depth < 2)) {
            m_entriesEnded = true;
            return;
        }
        if (type != QXmlStreamReader::StartElement)
            continue;
        if (m_depth == 3 && m_xml.name() == u"entry") {
            m_entryStarted = true;
            return;
        }
        if (m_depth == 3 && m_xml.name() == u"images") {
            m_entriesEnded = true;
            return;
        }
        if (m_depth == 4 && m_xml.name() == u"field") {
            const QXmlStreamAttributes attributes = m_xml.attributes();
            const QString name = attributes.value(QLatin1String("name")).toString();
            if (name.isEmpty() || m_columnOfField.contains(name))
                continue;
            if (attributes.value(QLatin1String("type")) == kPictureType) {
                if (m_pictureField.isEmpty())
                    m_pictureField = name;
                continue;
            }
            if (m_columns.size() == ImportLimits::kMostColumns)
                throw importRefused(
                    QStringLiteral("La collezione ha più di %1 campi.").arg(ImportLimits::kMostColumns));
            const QString title = oneLine(attributes.value(QLatin1String("title")).toString());
            m_columnOfField.insert(name, int(m_columns.size()));
            m_columns.append({title.isEmpty() ? name : title, name});
        } else if (m_depth == 3 && m_xml.name() != u"fields") {
            skipElement();
        }
    }
}

bool TellicoReader::next(SourceRow& row)
{
    while (!m_entryStarted && !m_entriesEnded) {
        const QXmlStreamReader::TokenType type = readNext();
        if (type == QXmlStreamReader::EndDocument || (type == QXmlStreamReader::EndElement && m_depth < 2))
            m_entriesEnded = true;
        else if (type == QXmlStreamReader::StartElement && m_xml.name() == u"entry")
            m_entryStarted = true;
        else if (type == QXmlStreamReader::StartElement && m_xml.name() == u"images")
            m_entriesEnded = true; // its pictures are read after the rows
        else if (type == QXmlStreamReader::StartElement)
            skipElement();
    }
    if (m_entriesEnded)
        return false;
    m_entryStarted = false;
    readEntry(row);
    return true;
}

void TellicoReader::readEntry(SourceRow& row)
{
    const int entryDepth = m_depth;
    row.cells = QStringList(m_columns.size());
    row.picture.clear();
    qsizetype rowLength = 0;
    while (m_depth >= entryDepth) {
        if (readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = m_xml.name().toString();
        QString valueName;
        const QStringList values = readValues(valueName);
        const QString field = m_columnOfField.contains(name) || name == m_pictureField ? name : valueName;
        if (!m_pictureField.isEmpty() && field == m_pictureField) {
            row.picture = values.value(0);
            continue;
        }
        const int column = m_columnOfField.value(field, -1);
        if (column < 0)
            continue;
        row.cells[column] = values.join(QStringLiteral(", "));
        rowLength += row.cells.at(column).size();
        if (rowLength > ImportLimits::kMostRowBytes)
            throw importRefused(
                QStringLiteral("Una scheda del file di Tellico è più lunga di un milione di caratteri."));
    }
}

// The values of the field element just started, which ends it: its own text, or one value per
// element inside it (<authors><author>...), each named in `valueName`. A date of three elements
// (<year>, <month>, <day>) is one value.
QStringList TellicoReader::readValues(QString& valueName)
{
    const int depth = m_depth;
    QString ownText;
    QList<Value> values;
    while (m_depth >= depth) {
        const QXmlStreamReader::TokenType type = readNext();
        if (type == QXmlStreamReader::Characters && m_depth == depth)
            ownText += m_xml.text();
        else if (type == QXmlStreamReader::StartElement)
            values.append(readValue());
    }
    if (values.isEmpty())
        return {oneLine(ownText)};
    valueName = values.first().name;
    if (values.size() == 3 && values.at(0).name == u"year" && values.at(1).name == u"month" &&
        values.at(2).name == u"day")
        return {QStringLiteral("%1/%2/%3")
                    .arg(values.at(2).text.rightJustified(2, u'0'), values.at(1).text.rightJustified(2, u'0'),
                         values.at(0).text)};
    QStringList texts;
    for (const Value& value : values)
        if (!value.text.isEmpty())
            texts.append(value.text);
    return texts;
}

// One value element just started, which ends it: its text, or for a row of a table its columns as
// "first (second, ...)".
TellicoReader::Value TellicoReader::readValue()
{
    const int depth = m_depth;
    Value value{m_xml.name().toString(), {}};
    QStringList columns;
    while (m_depth >= depth) {
        const QXmlStreamReader::TokenType type = readNext();
        if (type == QXmlStreamReader::Characters && m_depth == depth)
            value.text += m_xml.text();
        else if (type == QXmlStreamReader::StartElement)
            columns.append(oneLine(readText()));
    }
    if (columns.isEmpty()) {
        value.text = oneLine(value.text);
        return value;
    }
    const QString first = columns.takeFirst();
    columns.removeAll(QString());
    value.text = columns.isEmpty() ? first : first + QStringLiteral(" (") + columns.join(QStringLiteral(", ")) + u')';
    return value;
}

// The text of the element just started, and of every element inside it, which ends it.
QString TellicoReader::readText()
{
    const int depth = m_depth;
    QString text;
    while (m_depth >= depth)
        if (readNext() == QXmlStreamReader::Characters)
            text += m_xml.text();
    return text;
}

void TellicoReader::readPictures(const QSet<QString>& wanted, const PictureFound& found)
{
    QSet<QString> left = wanted;
    if (m_zip) {
        for (const QString& key : wanted) {
            const std::optional<QByteArray> bytes =
                m_zip->readWhole(QStringLiteral("images/") + key, CoverPicture::kMostFileBytes);
            const CoverPicture picture = bytes ? CoverPicture::fromBytes(*bytes) : CoverPicture();
            if (!picture.isNull()) {
                found(key, picture);
                left.remove(key);
            }
        }
    } else {
        readEmbeddedPictures(left, found);
    }
    for (const QString& key : std::as_const(left)) {
        const CoverPicture picture = pictureBeside(key);
        if (!picture.isNull())
            found(key, picture);
    }
}

// The pictures that a plain XML file keeps after its entries, in base64.
void TellicoReader::readEmbeddedPictures(QSet<QString>& left, const PictureFound& found)
{
    while (!left.isEmpty()) {
        const QXmlStreamReader::TokenType type = readNext();
        if (type == QXmlStreamReader::EndDocument)
            return;
        if (type != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = m_xml.attributes();
        const QString key = attributes.value(QLatin1String("id")).toString();
        if (m_xml.name() != u"image" || !left.contains(key) || attributes.value(QLatin1String("link")) == u"true") {
            if (m_xml.name() == u"image")
                skipElement();
            continue;
        }
        const CoverPicture picture = CoverPicture::fromBytes(QByteArray::fromBase64(readText().toLatin1()));
        if (!picture.isNull()) {
            found(key, picture);
            left.remove(key);
        }
    }
}

// A picture that Tellico only links to, by its file name: beside the collection's file, or in the
// folder "<name>_files" beside it, where Tellico keeps pictures next to a collection.
CoverPicture TellicoReader::pictureBeside(const QString& key) const
{
    const QString name =
        key.contains(QStringLiteral("://")) ? QUrl(key).fileName() : key.section(u'/', -1).section(u'\\', -1);
    if (name.isEmpty() || name == u"." || name == u"..")
        return {};
    const QFileInfo collection(m_path);
    for (const QString& folder :
         {collection.absolutePath(), collection.absolutePath() + u'/' + collection.completeBaseName() + "_files"}) {
        const CoverPicture picture = CoverPicture::fromFile(folder + u'/' + name, FileScope::UserChoice);
        if (!picture.isNull())
            return picture;
    }
    return {};
}
