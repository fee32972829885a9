#include "ReportObjects.h"

#include <QStringView>

QString ReportObject::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Text:
        return QStringLiteral("testo");
    case Kind::Picture:
        return QStringLiteral("immagine");
    case Kind::Rectangle:
        return QStringLiteral("rettangolo");
    case Kind::Band:
        return QStringLiteral("banda");
    }
    return {};
}

void ReportObject::setHeight(double units)
{
    m_geometry.setHeight(std::max(0.0, ReportUnits::toMillimetres(units)));
}

void TextObject::setText(const QString& text)
{
    m_lines.clear();
    if (text.isEmpty())
        return;
    // Any of CR LF, LF CR, LF or CR ends a line.
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != u'\n' && c != u'\r')
            continue;
        m_lines.append(text.mid(start, i - start));
        if (i + 1 < size && (text.at(i + 1) == u'\n' || text.at(i + 1) == u'\r') && text.at(i + 1) != c)
            ++i;
        start = i + 1;
    }
    m_lines.append(text.mid(start));
}

QSizeF ReportPage::paperSize() const
{
    const QSizeF portrait = paper.size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? portrait.transposed() : portrait;
}

QSizeF ReportPage::printableSize() const
{
    const QSizeF size = paperSize();
    return {size.width() - margins.left() - margins.right(), size.height() - margins.top() - margins.bottom()};
}
