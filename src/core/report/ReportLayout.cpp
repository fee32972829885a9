#include "ReportLayout.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kEpsilon = 0.01; // millimetres: what rounding of set heights may leave over

// A box of `size` fitted into `box` with its proportions kept, centred.
QRectF fitted(const QSizeF& size, const QRectF& box)
{
    if (size.isEmpty() || box.isEmpty())
        return {};
    const QSizeF scaled = size.scaled(box.size(), Qt::KeepAspectRatio);
    return {box.left() + (box.width() - scaled.width()) / 2, box.top() + (box.height() - scaled.height()) / 2,
            scaled.width(), scaled.height()};
}

QStringList evaluated(const TextObject& text, const QStringList& lines, const QString& date)
{
    if (!text.expressions)
        return lines;
    QStringList result = lines;
    for (QString& line : result)
        line.replace(QLatin1String("[DATE]"), date);
    return result;
}

// The lines of a text that may continue over pages: top-aligned, and as many as its box holds,
// counting a line whose greater part is inside. A caller sizes the box as lines times a line height
// rounded in its own unit; over thousands of lines that rounding must not lose the last one.
int linesInBox(const TextObject& text)
{
    const double pitch = ReportLayout::lineHeight(text);
    const int room = pitch > 0 ? int(std::floor(text.geometry().height() / pitch + 0.5)) : 0;
    return std::min(text.lineCount(), room);
}

bool continuesOverPages(const ReportObject& object)
{
    if (object.kind() != ReportObject::Kind::Text)
        return false;
    const auto& text = static_cast<const TextObject&>(object);
    return (text.alignment & Qt::AlignTop) && text.lineCount() > 1;
}

class Flow {
public:
    Flow(const ReportPage& page, std::vector<PreparedPage>& out, const QString& date)
        : m_page(page), m_out(out), m_date(date), m_height(page.printableSize().height()), m_first(out.size())
    {
    }

    void run()
    {
        newPage();
        for (const auto& band : m_page.bands)
            for (int row = 0; row < std::max(1, band->rows); ++row)
                placeBand(*band);
        for (std::size_t i = m_first; i < m_out.size(); ++i)
            std::stable_sort(
                m_out[i].items.begin(), m_out[i].items.end(),
                [](const PreparedItem& a, const PreparedItem& b) { return a.object->order() < b.object->order(); });
    }

private:
    void newPage()
    {
        PreparedPage page;
        page.paper = m_page.paper;
        page.orientation = m_page.orientation;
        page.margins = m_page.margins;
        m_out.push_back(std::move(page));
        m_cursor = 0;
        for (const auto& object : m_page.objects)
            place(*object, 0);
    }

    PreparedPage& current() { return m_out.back(); }

    // The whole object, its top `y` millimetres below the top of the printable area.
    void place(const ReportObject& object, double y)
    {
        const QRectF box = object.geometry().translated(0, y);
        PreparedItem item{&object, box, {}, {}};
        if (object.kind() == ReportObject::Kind::Text) {
            const auto& text = static_cast<const TextObject&>(object);
            item.lines = evaluated(text, text.lines(), m_date);
        } else if (object.kind() == ReportObject::Kind::Picture) {
            item.image = printImage(static_cast<const PictureObject&>(object));
        }
        current().items.push_back(std::move(item));
    }

    // A photo of many megapixels would make every printout and preview as heavy as the photo:
    // it is reduced once to the print resolution of its box.
    QImage printImage(const PictureObject& picture)
    {
        const QImage& source = picture.picture();
        if (source.isNull())
            return {};
        const QRectF target = fitted(source.size(), picture.geometry());
        const QSize pixels(std::max(1, int(std::ceil(target.width() / 25.4 * ReportLayout::kPictureDotsPerInch))),
                           std::max(1, int(std::ceil(target.height() / 25.4 * ReportLayout::kPictureDotsPerInch))));
        if (source.width() <= pixels.width() && source.height() <= pixels.height())
            return source;
        auto cached = m_pictures.find(&picture);
        if (cached == m_pictures.end())
            cached = m_pictures.insert(&picture, source.scaled(pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        return *cached;
    }

    void placeBand(const Band& band)
    {
        double extent = band.geometry().height();
        for (const auto& object : band.objects)
            extent = std::max(extent, object->geometry().bottom());

        if (m_cursor + extent <= m_height + kEpsilon || (!band.allowSplit && m_cursor <= kEpsilon)) {
            placeWhole(band, extent);
            return;
        }
        if (!band.allowSplit) {
            newPage();
            placeWhole(band, extent);
            return;
        }
        placeSplit(band, extent);
    }

    void placeWhole(const Band& band, double extent)
    {
        for (const auto& object : band.objects)
            place(*object, m_cursor);
        m_cursor += extent;
    }

    // A band taller than what is left of the page: its objects go where they fall, its tall texts
    // line by line, and a new page starts where a line or an object would cross the bottom.
    void placeSplit(const Band& band, double extent)
    {
        struct Atom {
            double top;
            double height;
            const ReportObject* object;
            int line; // -1: the whole object
        };
        std::vector<Atom> atoms;
        for (const auto& object : band.objects) {
            const QRectF box = object->geometry();
            if (continuesOverPages(*object)) {
                const auto& text = static_cast<const TextObject&>(*object);
                const double pitch = ReportLayout::lineHeight(text);
                const int lines = linesInBox(text);
                for (int i = 0; i < lines; ++i)
                    atoms.push_back({box.top() + i * pitch, pitch, object.get(), i});
            } else {
                atoms.push_back({box.top(), box.height(), object.get(), -1});
            }
        }
        std::stable_sort(atoms.begin(), atoms.end(), [](const Atom& a, const Atom& b) { return a.top < b.top; });

        // `base` is the band's own coordinate that lies at `start` on the current page.
        double base = 0;
        double start = m_cursor;
        // Consecutive lines of one text on one page become one item.
        QHash<const ReportObject*, std::size_t> openItems;
        for (const Atom& atom : atoms) {
            double y = atom.top - base + start;
            const bool atPageTop = start <= kEpsilon && atom.top - base <= kEpsilon;
            if (y + atom.height > m_height + kEpsilon && !atPageTop) {
                newPage();
                openItems.clear();
                base = atom.top;
                start = 0;
                y = 0;
            }
            if (atom.line < 0) {
                place(*atom.object, y - atom.object->geometry().top());
                continue;
            }
            const auto& text = static_cast<const TextObject&>(*atom.object);
            const QString line = evaluated(text, {text.lines().at(atom.line)}, m_date).constFirst();
            auto open = openItems.find(atom.object);
            if (open == openItems.end()) {
                const QRectF box = atom.object->geometry();
                current().items.push_back({atom.object, QRectF(box.left(), y, box.width(), atom.height), {line}, {}});
                openItems.insert(atom.object, current().items.size() - 1);
            } else {
                PreparedItem& item = current().items[*open];
                item.rect.setBottom(y + atom.height);
                item.lines.append(line);
            }
        }
        m_cursor = std::min(extent - base + start, m_height);
    }

    const ReportPage& m_page;
    std::vector<PreparedPage>& m_out;
    const QString& m_date;
    const double m_height;
    const std::size_t m_first; // this template page's first laid-out page
    double m_cursor = 0;
    QHash<const PictureObject*, QImage> m_pictures;
};

// Font metrics in millimetres do not depend on the device; they are taken at a print resolution so
// that rounding to whole pixels does not show.
const QPaintDevice& metricsDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        image.setDotsPerMeterX(int(std::lround(1200 / 0.0254)));
        image.setDotsPerMeterY(int(std::lround(1200 / 0.0254)));
        return image;
    }();
    return device;
}

void paintText(QPainter& painter, const TextObject& text, const QRectF& box, const QStringList& lines, double scale)
{
    if (lines.isEmpty())
        return;
    const QFont font = ReportLayout::fontOf(text);
    painter.setFont(font);
    painter.setPen(text.colour);
    const QFontMetricsF metrics(font, painter.device());
    const double pitch = text.lineHeight > 0 ? text.lineHeight * scale : metrics.lineSpacing();
    const double block = pitch * lines.size();
    double top = box.top();
    if (text.alignment & Qt::AlignVCenter)
        top += (box.height() - block) / 2;
    else if (text.alignment & Qt::AlignBottom)
        top += box.height() - block;

    painter.save();
    if (text.clip)
        painter.setClipRect(box, Qt::IntersectClip);
    const double glyphTop = (pitch - (metrics.ascent() + metrics.descent())) / 2 + metrics.ascent();
    const double widest = metrics.maxWidth();
    for (int i = 0; i < lines.size(); ++i) {
        const double lineTop = top + i * pitch;
        if (text.clip && (lineTop + pitch < box.top() || lineTop > box.bottom()))
            continue;
        QString line = lines.at(i);
        if (line.isEmpty())
            continue;
        double x = box.left();
        if (!(text.alignment & Qt::AlignLeft) || widest * line.size() > box.width()) {
            const double width = metrics.horizontalAdvance(line);
            if (text.clip && width > box.width()) {
                // Too wide for its box, whatever its alignment: it keeps its beginning at the box's
                // left edge and is cut at the right one. Only what shows goes to the page: the
                // characters up to the first one that the box's edge cuts, so a text reader finds
                // what the eye sees.
                qsizetype low = 0;
                qsizetype high = line.size();
                while (low < high) {
                    const qsizetype middle = (low + high) / 2;
                    if (metrics.horizontalAdvance(line.left(middle)) < box.width())
                        low = middle + 1;
                    else
                        high = middle;
                }
                line.truncate(low);
            } else if (text.alignment & Qt::AlignHCenter) {
                x += (box.width() - width) / 2;
            } else if (text.alignment & Qt::AlignRight) {
                x += box.width() - width;
            }
        }
        painter.drawText(QPointF(x, lineTop + glyphTop), line);
    }
    painter.restore();
}
} // namespace

std::vector<PreparedPage> ReportLayout::layOut(const std::vector<std::unique_ptr<ReportPage>>& pages,
                                               const QString& date)
{
    std::vector<PreparedPage> out;
    for (const auto& page : pages)
        Flow(*page, out, date).run();
    return out;
}

QFont ReportLayout::fontOf(const TextObject& text)
{
    QFont font(text.fontFamily);
    font.setPointSizeF(text.fontPoints);
    font.setBold(text.bold);
    font.setItalic(text.italic);
    return font;
}

double ReportLayout::lineHeight(const TextObject& text)
{
    if (text.lineHeight > 0)
        return text.lineHeight;
    const QFontMetricsF metrics(fontOf(text), &metricsDevice());
    return metrics.lineSpacing() / metricsDevice().logicalDpiY() * 25.4;
}

void ReportLayout::paintPage(QPainter& painter, const PreparedPage& page, double dotsPerInch)
{
    const double scale = dotsPerInch / 25.4;
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.translate(page.margins.left() * scale, page.margins.top() * scale);
    for (const PreparedItem& item : page.items) {
        const ReportObject& object = *item.object;
        const QRectF box(item.rect.left() * scale, item.rect.top() * scale, item.rect.width() * scale,
                         item.rect.height() * scale);
        if (object.fill.isValid())
            painter.fillRect(box, object.fill);
        if (object.kind() == ReportObject::Kind::Text)
            paintText(painter, static_cast<const TextObject&>(object), box, item.lines, scale);
        else if (object.kind() == ReportObject::Kind::Picture && !item.image.isNull())
            painter.drawImage(fitted(item.image.size(), box), item.image);
        if (object.frameColour.isValid() && object.frameWidth > 0) {
            QPen pen(object.frameColour, object.frameWidth * scale);
            pen.setJoinStyle(Qt::MiterJoin);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box);
        }
    }
    painter.restore();
}
