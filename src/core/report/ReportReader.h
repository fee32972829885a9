#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <memory>

class Report;
class ReportObject;
class ReportPage;
class Band;

// Reads a report template from JSON. The shape of a template:
//
//   { "name": "...",
//     "printer": "",                         // empty or absent: the system's default printer
//     "preview": { "buttons": ["print", "zoom", "navigation", "fullScreen", "close"], "zoom": 100 },
//     "styles": { "caption": { <object properties> }, ... },
//     "pages": [ { "name": "Page1", "paper": "A4", "orientation": "portrait" | "landscape",
//                  "margins": [left, top, right, bottom],
//                  "objects": [ <object>, ... ],        // placed directly on the page
//                  "bands": [ { "name": "...", "type": "reportTitle" | "data" | "footer",
//                               "height": mm, "rows": 1, "split": true,
//                               "objects": [ <object>, ... ] }, ... ] } ] }
//
// An object: { "name": "...", "type": "text" | "picture" | "rectangle",
//              "rect": [left, top, width, height],   // millimetres, from the printable area's
//                                                    // corner, or from the band's top
//              "style": "caption",                   // properties taken first from a style
//              "fill": "#rrggbb", "frame": { "color": "#rrggbb", "width": mm },
//   texts only: "text": "...", "font": { "family": "Arial", "size": points, "bold": false,
//              "italic": false }, "color": "#rrggbb", "align": "left" | "center" | "right",
//              "valign": "top" | "center" | "bottom", "clip": true, "wordWrap": false,
//              "expressions": false, "lineHeight": mm }
//
// Unknown keys are errors, so a mistyped property cannot go unnoticed. Every error is a
// ReportError naming the template and what is wrong.
class ReportReader final {
public:
    static Report read(const QByteArray& json, const QString& origin);

private:
    explicit ReportReader(const QString& origin) : m_origin(origin) {}

    [[noreturn]] void fail(const QString& what) const;
    void readPage(Report& report, const QJsonObject& json);
    std::unique_ptr<Band> readBand(Report& report, const QJsonObject& json);
    std::unique_ptr<ReportObject> readObject(Report& report, const QJsonObject& json);

    QString m_origin;
    QJsonObject m_styles;
};
