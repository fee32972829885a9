#pragma once

#include "ReportError.h"
#include "ReportObjects.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;

// One laid-out page: what to draw where, in millimetres from the top left corner of the page's
// printable area. Items point at the template's objects for their look.
struct PreparedItem {
    const ReportObject* object = nullptr;
    QRectF rect;
    QStringList lines; // text objects: the lines that fall in this rectangle, expressions replaced
    QImage image;      // picture objects: the picture at print resolution
};

struct PreparedPage {
    QPageSize paper;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins;
    std::vector<PreparedItem> items;
};

// A report: a template read from a JSON file (see ReportReader.h), whose named objects the caller
// fills, then lays out (prepare) and paints on any paged device: a printer, a print preview or a
// PDF file, all through the same painting code. In use:
//
//   Report report = Report::load(QStringLiteral(":/reports/scheda_libro.json"));
//   report.page(1).setOrientation(QPageLayout::Portrait);
//   report.picture(QStringLiteral("imgLogo")).setPicture(photo);
//   report.text(QStringLiteral("txtTitolo")).setText(title);
//   report.prepare(dateFormat);
//   ReportPrinter::print(window, report);   // or ReportPrinter::preview, or report.writePdf(path)
class Report final {
public:
    struct Options {
        QString printerName;        // empty: the system's default printer
        QStringList previewButtons; // "print", "zoom", "navigation", "fullScreen", "close"
        int previewZoomPercent = 100;
    };

    // Reads a template, from a file or a Qt resource (":/reports/name.json"). Throws ReportError.
    static Report load(const QString& path);
    static Report fromJson(const QByteArray& json, const QString& origin = QString());

    Report(Report&&) noexcept;
    Report& operator=(Report&&) noexcept;
    ~Report();

    const QString& name() const { return m_name; }
    const Options& options() const { return m_options; }

    // Pages of the template, from 1. Throws ReportError for an index that is not there.
    ReportPage& page(int index);
    int templatePageCount() const { return int(m_pages.size()); }

    // The object of that name anywhere in the template, or nullptr.
    ReportObject* findObject(const QString& name) const;
    // The same, as the kind the caller expects; a missing object or one of another kind throws
    // ReportError naming it.
    TextObject& text(const QString& name) const;
    PictureObject& picture(const QString& name) const;
    RectangleObject& rectangle(const QString& name) const;
    Band& band(const QString& name) const;

    // Lays the pages out from the template and the contents set now, discarding any pages laid
    // out before. Texts with expressions get the date of this moment, written in `dateFormat`
    // (a QDate format, the program's short date format).
    void prepare(const QString& dateFormat);
    bool isPrepared() const { return m_prepared; }
    int pageCount() const { return int(m_preparedPages.size()); }
    const std::vector<PreparedPage>& preparedPages() const { return m_preparedPages; }

    // Paints prepared pages `from` to `to` (from 1; 0 is the last) on the device, one device page
    // each, `copies` times over; the device takes each page's paper and orientation. Throws
    // ReportError when the device cannot be painted on.
    void paint(QPagedPaintDevice& device, int from = 1, int to = 0, int copies = 1) const;
    // Paints one prepared page on an active painter whose device is at `dotsPerInch`, with the
    // painter's origin at the corner of the paper.
    void paintPage(QPainter& painter, int index, double dotsPerInch) const;

    // The prepared pages as a PDF file. Throws ReportError when the file cannot be written.
    void writePdf(const QString& path) const;

private:
    Report();
    friend class ReportReader;
    void index(ReportObject* object);
    void paintOne(QPainter& painter, QPagedPaintDevice& device, const PreparedPage& page) const;

    QString m_name;
    Options m_options;
    std::vector<std::unique_ptr<ReportPage>> m_pages;
    QHash<QString, ReportObject*> m_objects;
    std::vector<PreparedPage> m_preparedPages;
    bool m_prepared = false;
};
