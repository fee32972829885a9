#include "ReportReader.h"

#include "Report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <functional>

namespace {
void checkKeys(const QJsonObject& json, std::initializer_list<const char*> allowed, const QString& where,
               const std::function<void(const QString&)>& fail)
{
    for (auto it = json.begin(); it != json.end(); ++it) {
        bool known = false;
        for (const char* key : allowed)
            known = known || it.key() == QLatin1String(key);
        if (!known)
            fail(QStringLiteral("proprietà sconosciuta \"%1\" in %2").arg(it.key(), where));
    }
}
} // namespace

Report ReportReader::read(const QByteArray& json, const QString& origin)
{
    ReportReader reader(origin);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull())
        reader.fail(QStringLiteral("JSON non valido (%1, posizione %2)").arg(error.errorString()).arg(error.offset));
    if (!document.isObject())
        reader.fail(QStringLiteral("il modello non è un oggetto JSON"));
    const QJsonObject root = document.object();
    const auto failer = [&reader](const QString& what) { reader.fail(what); };
    checkKeys(root, {"name", "printer", "preview", "styles", "pages"}, QStringLiteral("report"), failer);

    Report report;
    report.m_name = root.value(u"name").toString();
    report.m_options.printerName = root.value(u"printer").toString();
    const QJsonObject preview = root.value(u"preview").toObject();
    checkKeys(preview, {"buttons", "zoom"}, QStringLiteral("preview"), failer);
    for (const QJsonValue& button : preview.value(u"buttons").toArray())
        report.m_options.previewButtons.append(button.toString());
    report.m_options.previewZoomPercent = preview.value(u"zoom").toInt(100);
    reader.m_styles = root.value(u"styles").toObject();

    const QJsonArray pages = root.value(u"pages").toArray();
    if (pages.isEmpty())
        reader.fail(QStringLiteral("il modello non ha pagine"));
    for (const QJsonValue& page : pages)
        reader.readPage(report, page.toObject());
    return report;
}

void ReportReader::fail(const QString& what) const
{
    throw ReportError(QStringLiteral("Modello di stampa %1: %2").arg(m_origin, what));
}

void ReportReader::readPage(Report& report, const QJsonObject& json)
{
    const auto failer = [this](const QString& what) { fail(what); };
    checkKeys(json, {"name", "paper", "orientation", "margins", "objects", "bands"}, QStringLiteral("page"), failer);
    auto page = std::make_unique<ReportPage>();
    page->name = json.value(u"name").toString();

    const QString paper = json.value(u"paper").toString(QStringLiteral("A4"));
    if (paper == u"A4")
        page->paper = QPageSize(QPageSize::A4);
    else if (paper == u"A5")
        page->paper = QPageSize(QPageSize::A5);
    else if (paper == u"Letter")
        page->paper = QPageSize(QPageSize::Letter);
    else
        fail(QStringLiteral("formato di pagina \"%1\" sconosciuto").arg(paper));

    const QString orientation = json.value(u"orientation").toString(QStringLiteral("portrait"));
    if (orientation != u"portrait" && orientation != u"landscape")
        fail(QStringLiteral("orientamento \"%1\" sconosciuto").arg(orientation));
    page->orientation = orientation == u"landscape" ? QPageLayout::Landscape : QPageLayout::Portrait;

    if (json.contains(u"margins")) {
        const QJsonArray margins = json.value(u"margins").toArray();
        if (margins.size() != 4)
            fail(QStringLiteral("i margini sono quattro: sinistro, superiore, destro, inferiore"));
        page->margins = {margins[0].toDouble(), margins[1].toDouble(), margins[2].toDouble(), margins[3].toDouble()};
    }

    for (const QJsonValue& object : json.value(u"objects").toArray())
        page->objects.emplace_back(readObject(report, object.toObject()));
    for (const QJsonValue& band : json.value(u"bands").toArray())
        page->bands.emplace_back(readBand(report, band.toObject()));
    report.m_pages.push_back(std::move(page));
}

std::unique_ptr<Band> ReportReader::readBand(Report& report, const QJsonObject& json)
{
    const auto failer = [this](const QString& what) { fail(what); };
    checkKeys(json, {"name", "type", "height", "rows", "split", "objects"}, QStringLiteral("band"), failer);
    const QString type = json.value(u"type").toString();
    Band::Type bandType;
    if (type == u"reportTitle")
        bandType = Band::Type::ReportTitle;
    else if (type == u"data")
        bandType = Band::Type::Data;
    else if (type == u"footer")
        bandType = Band::Type::Footer;
    else
        fail(QStringLiteral("tipo di banda \"%1\" sconosciuto").arg(type));

    auto band = std::make_unique<Band>(json.value(u"name").toString(), bandType);
    band->setGeometry(QRectF(0, 0, 0, json.value(u"height").toDouble()));
    band->rows = json.value(u"rows").toInt(1);
    band->allowSplit = json.value(u"split").toBool(false);
    for (const QJsonValue& object : json.value(u"objects").toArray())
        band->objects.emplace_back(readObject(report, object.toObject()));
    report.index(band.get());
    return band;
}

std::unique_ptr<ReportObject> ReportReader::readObject(Report& report, const QJsonObject& object)
{
    const QString name = object.value(u"name").toString();
    const QString where = QStringLiteral("oggetto \"%1\"").arg(name);
    const auto failer = [this](const QString& what) { fail(what); };

    // Properties of the style first, then the object's own.
    QJsonObject json;
    if (object.contains(u"style")) {
        const QString style = object.value(u"style").toString();
        if (!m_styles.contains(style))
            fail(QStringLiteral("stile \"%1\" sconosciuto in %2").arg(style, where));
        json = m_styles.value(style).toObject();
    }
    for (auto it = object.begin(); it != object.end(); ++it)
        json.insert(it.key(), it.value());

    const QString type = json.value(u"type").toString();
    std::unique_ptr<ReportObject> result;
    if (type == u"text") {
        checkKeys(json,
                  {"name", "type", "style", "rect", "fill", "frame", "text", "font", "color", "align", "valign", "clip",
                   "wordWrap", "expressions", "lineHeight"},
                  where, failer);
        auto text = std::make_unique<TextObject>(name);
        text->setText(json.value(u"text").toString());
        const QJsonObject font = json.value(u"font").toObject();
        checkKeys(font, {"family", "size", "bold", "italic"}, where, failer);
        text->fontFamily = font.value(u"family").toString(text->fontFamily);
        text->fontPoints = font.value(u"size").toDouble(text->fontPoints);
        text->bold = font.value(u"bold").toBool(false);
        text->italic = font.value(u"italic").toBool(false);
        if (json.contains(u"color"))
            text->colour = QColor(json.value(u"color").toString());
        if (!text->colour.isValid())
            fail(QStringLiteral("colore non valido in %1").arg(where));

        const QString align = json.value(u"align").toString(QStringLiteral("left"));
        const QString valign = json.value(u"valign").toString(QStringLiteral("top"));
        Qt::Alignment alignment;
        if (align == u"left")
            alignment = Qt::AlignLeft;
        else if (align == u"center")
            alignment = Qt::AlignHCenter;
        else if (align == u"right")
            alignment = Qt::AlignRight;
        else
            fail(QStringLiteral("allineamento \"%1\" sconosciuto in %2").arg(align, where));
        if (valign == u"top")
            alignment |= Qt::AlignTop;
        else if (valign == u"center")
            alignment |= Qt::AlignVCenter;
        else if (valign == u"bottom")
            alignment |= Qt::AlignBottom;
        else
            fail(QStringLiteral("allineamento verticale \"%1\" sconosciuto in %2").arg(valign, where));
        text->alignment = alignment;

        text->clip = json.value(u"clip").toBool(true);
        // Lines are printed as they are, each on one line, cut at the box's edge: nothing in the
        // program's printouts wraps.
        if (json.value(u"wordWrap").toBool(false))
            fail(QStringLiteral("%1: l'a capo automatico non è disponibile").arg(where));
        text->expressions = json.value(u"expressions").toBool(false);
        text->lineHeight = json.value(u"lineHeight").toDouble(0);
        result = std::move(text);
    } else if (type == u"picture") {
        checkKeys(json, {"name", "type", "style", "rect", "fill", "frame"}, where, failer);
        result = std::make_unique<PictureObject>(name);
    } else if (type == u"rectangle") {
        checkKeys(json, {"name", "type", "style", "rect", "fill", "frame"}, where, failer);
        result = std::make_unique<RectangleObject>(name);
    } else {
        fail(QStringLiteral("tipo \"%1\" sconosciuto in %2").arg(type, where));
    }

    const QJsonArray rect = json.value(u"rect").toArray();
    if (rect.size() != 4)
        fail(QStringLiteral("%1: \"rect\" vuole sinistra, alto, larghezza, altezza").arg(where));
    result->setGeometry(QRectF(rect[0].toDouble(), rect[1].toDouble(), rect[2].toDouble(), rect[3].toDouble()));

    if (json.contains(u"fill")) {
        result->fill = QColor(json.value(u"fill").toString());
        if (!result->fill.isValid())
            fail(QStringLiteral("colore di riempimento non valido in %1").arg(where));
    }
    if (json.contains(u"frame")) {
        const QJsonObject frame = json.value(u"frame").toObject();
        checkKeys(frame, {"color", "width"}, where, failer);
        result->frameColour = QColor(frame.value(u"color").toString(QStringLiteral("#000000")));
        result->frameWidth = frame.value(u"width").toDouble(0.26);
        if (!result->frameColour.isValid())
            fail(QStringLiteral("colore della cornice non valido in %1").arg(where));
    }
    report.index(result.get());
    return result;
}
