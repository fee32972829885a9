#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The named objects of a report template. Geometry is kept in millimetres from the top left corner
// of the page's printable area (or of the band that holds the object); heights are also offered in
// the engine unit, 1/96 inch, which is what the program's callers compute in.
namespace ReportUnits {
constexpr double kPerMillimetre = 96.0 / 25.4;
inline double fromMillimetres(double mm)
{
    return mm * kPerMillimetre;
}
inline double toMillimetres(double units)
{
    return units / kPerMillimetre;
}
} // namespace ReportUnits

class ReportObject {
public:
    enum class Kind { Text, Picture, Rectangle, Band };

    virtual ~ReportObject() = default;
    ReportObject(const ReportObject&) = delete;
    ReportObject& operator=(const ReportObject&) = delete;

    Kind kind() const { return m_kind; }
    const QString& name() const { return m_name; }
    static QString kindName(Kind kind);

    QRectF geometry() const { return m_geometry; } // millimetres
    void setGeometry(const QRectF& mm) { m_geometry = mm; }

    // Height in the engine unit (1/96 inch).
    double height() const { return ReportUnits::fromMillimetres(m_geometry.height()); }
    void setHeight(double units);

    // Drawing order within the template; later objects are painted over earlier ones.
    int order() const { return m_order; }
    void setOrder(int order) { m_order = order; }

    QColor fill;           // invalid: no fill
    QColor frameColour;    // invalid: no frame
    double frameWidth = 0; // millimetres

protected:
    ReportObject(Kind kind, QString name) : m_kind(kind), m_name(std::move(name)) {}

private:
    Kind m_kind;
    QString m_name;
    QRectF m_geometry;
    int m_order = 0;
};

class TextObject final : public ReportObject {
public:
    explicit TextObject(QString name) : ReportObject(Kind::Text, std::move(name)) {}

    // The text is kept as lines: a list of thousands of lines is built one append at a time.
    QString text() const { return m_lines.join(u'\n'); }
    void setText(const QString& text);
    void clearLines() { m_lines.clear(); }
    void appendLine(const QString& line) { m_lines.append(line); }
    int lineCount() const { return int(m_lines.size()); }
    const QStringList& lines() const { return m_lines; }

    QString fontFamily = QStringLiteral("Arial");
    double fontPoints = 10;
    bool bold = false;
    bool italic = false;
    QColor colour = Qt::black;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool clip = true;
    // With expressions on, "[DATE]" is replaced when the report is prepared; otherwise square
    // brackets are printed as typed.
    bool expressions = false;
    // Distance between the tops of two lines in millimetres; 0 takes the font's own line spacing.
    double lineHeight = 0;

private:
    QStringList m_lines;
};

class PictureObject final : public ReportObject {
public:
    explicit PictureObject(QString name) : ReportObject(Kind::Picture, std::move(name)) {}

    // A copy (shared until either side changes) of the picture; drawn scaled to fit the box with
    // its proportions kept, centred.
    void setPicture(const QImage& image) { m_picture = image; }
    const QImage& picture() const { return m_picture; }

private:
    QImage m_picture;
};

class RectangleObject final : public ReportObject {
public:
    explicit RectangleObject(QString name) : ReportObject(Kind::Rectangle, std::move(name)) {}
};

// A horizontal strip of a page laid out in the flow: a report title (once, at the top of the first
// page), a data band (printed `rows` times; a band that may split continues its tall texts on the
// following pages) and a footer (once, after the data).
class Band final : public ReportObject {
public:
    enum class Type { ReportTitle, Data, Footer };

    Band(QString name, Type type) : ReportObject(Kind::Band, std::move(name)), m_type(type) {}

    Type type() const { return m_type; }
    int rows = 1;
    bool allowSplit = false;
    std::vector<std::unique_ptr<ReportObject>> objects;

private:
    Type m_type;
};

class ReportPage final {
public:
    QString name;
    QPageSize paper = QPageSize(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{10, 10, 10, 10}; // millimetres: left, top, right, bottom

    void setOrientation(QPageLayout::Orientation value) { orientation = value; }

    // Millimetres of the paper as it lies, and of the part inside the margins.
    QSizeF paperSize() const;
    QSizeF printableSize() const;

    std::vector<std::unique_ptr<ReportObject>> objects; // placed directly on every page
    std::vector<std::unique_ptr<Band>> bands;           // in the order they flow
};
