#include "Report.h"

#include "ReportLayout.h"
#include "ReportReader.h"

#include <QDate>
#include <QFile>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

Report::Report() = default;
Report::Report(Report&&) noexcept = default;
Report& Report::operator=(Report&&) noexcept = default;
Report::~Report() = default;

Report Report::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(
            QStringLiteral("Modello di stampa %1: impossibile leggerlo (%2)").arg(path, file.errorString()));
    return fromJson(file.readAll(), path);
}

Report Report::fromJson(const QByteArray& json, const QString& origin)
{
    return ReportReader::read(json, origin);
}

void Report::index(ReportObject* object)
{
    if (object->name().isEmpty())
        return;
    if (m_objects.contains(object->name()))
        throw ReportError(
            QStringLiteral("Modello di stampa %1: due oggetti si chiamano \"%2\"").arg(m_name, object->name()));
    object->setOrder(int(m_objects.size()));
    m_objects.insert(object->name(), object);
}

ReportPage& Report::page(int index)
{
    if (index < 1 || index > templatePageCount())
        throw ReportError(QStringLiteral("Il modello di stampa \"%1\" non ha la pagina %2").arg(m_name).arg(index));
    return *m_pages[std::size_t(index - 1)];
}

ReportObject* Report::findObject(const QString& name) const
{
    return m_objects.value(name, nullptr);
}

namespace {
template <typename T> T& expect(const Report& report, const QString& name, ReportObject::Kind kind)
{
    ReportObject* object = report.findObject(name);
    if (!object)
        throw ReportError(
            QStringLiteral("Il modello di stampa \"%1\" non ha l'oggetto \"%2\"").arg(report.name(), name));
    if (object->kind() != kind)
        throw ReportError(
            QStringLiteral("Nel modello di stampa \"%1\" l'oggetto \"%2\" è di tipo %3, non %4")
                .arg(report.name(), name, ReportObject::kindName(object->kind()), ReportObject::kindName(kind)));
    return static_cast<T&>(*object);
}
} // namespace

TextObject& Report::text(const QString& name) const
{
    return expect<TextObject>(*this, name, ReportObject::Kind::Text);
}

PictureObject& Report::picture(const QString& name) const
{
    return expect<PictureObject>(*this, name, ReportObject::Kind::Picture);
}

RectangleObject& Report::rectangle(const QString& name) const
{
    return expect<RectangleObject>(*this, name, ReportObject::Kind::Rectangle);
}

Band& Report::band(const QString& name) const
{
    return expect<Band>(*this, name, ReportObject::Kind::Band);
}

void Report::prepare(const QString& dateFormat)
{
    m_preparedPages.clear();
    m_prepared = false;
    const QString date = QDate::currentDate().toString(dateFormat);
    m_preparedPages = ReportLayout::layOut(m_pages, date);
    m_prepared = true;
}

void Report::paintPage(QPainter& painter, int index, double dotsPerInch) const
{
    ReportLayout::paintPage(painter, m_preparedPages.at(std::size_t(index)), dotsPerInch);
}

void Report::paint(QPagedPaintDevice& device, int from, int to, int copies) const
{
    if (!m_prepared)
        throw ReportError(QStringLiteral("Il modello di stampa \"%1\" non è stato preparato").arg(m_name));
    from = std::max(1, from);
    to = to <= 0 ? pageCount() : std::min(to, pageCount());
    QPainter painter;
    for (int copy = 0; copy < std::max(1, copies); ++copy)
        for (int number = from; number <= to; ++number)
            paintOne(painter, device, m_preparedPages[std::size_t(number - 1)]);
    if (painter.isActive() && !painter.end())
        throw ReportError(QStringLiteral("Impossibile completare la stampa di \"%1\"").arg(m_name));
}

void Report::paintOne(QPainter& painter, QPagedPaintDevice& device, const PreparedPage& page) const
{
    // Full-page mode puts the painter's origin at the corner of the paper on every device, so
    // the template's margins are the same on a printer, in a preview and in a PDF file.
    QPageLayout layout(page.paper, page.orientation, page.margins, QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    if (!painter.isActive()) {
        device.setPageLayout(layout);
        if (!painter.begin(&device))
            throw ReportError(
                QStringLiteral("Impossibile stampare \"%1\": il dispositivo non è disponibile").arg(m_name));
    } else {
        if (!device.pageLayout().isEquivalentTo(layout))
            device.setPageLayout(layout);
        if (!device.newPage())
            throw ReportError(QStringLiteral("Impossibile stampare \"%1\": pagina non creata").arg(m_name));
    }
    ReportLayout::paintPage(painter, page, painter.device()->logicalDpiX());
}

void Report::writePdf(const QString& path) const
{
    QPdfWriter writer(path);
    writer.setCreator(QStringLiteral("Cartavox"));
    writer.setTitle(m_name);
    paint(writer);
}
