#include "ManualPdf.h"

#include "HelpTopics.h"
#include "brand/Maker.h"
#include "brand/Palette.h"
#include "storage/Kind.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QUrl>

#include <cmath>
#include <optional>

namespace {
using Palette::kNavy;
using Palette::kSteelBlue;
// The printed page's own colours.
const QColor kAccent(0xF0, 0xA0, 0x30);
const QColor kGrey(0x70, 0x80, 0x90);
const QColor kText(0x20, 0x28, 0x30);

struct Chapter {
    QString title;
    QList<HelpTopics::Topic> sections; // a section without title is the chapter's own text
};

// The overview chapter keeps the start topic's own opening and closing paragraphs; the kinds'
// paragraphs that the help window shows between them have chapters of their own here, which a
// paragraph of the manual alone names.
QList<Chapter> chapters()
{
    QList<Chapter> list;
    // Written before any run: where the data lies is described, not named.
    constexpr auto described = HelpTopics::DataFolder::Described;
    QStringList overview = HelpTopics::piece(QStringLiteral("avvio_inizio"), described);
    overview += HelpTopics::piece(QStringLiteral("manuale_applicazioni"), described);
    overview += HelpTopics::piece(QStringLiteral("avvio_fine"), described);
    list.append({HelpTopics::kStartTitle, {{QString(), overview}}});
    for (const Kind* kind : Kind::all())
        list.append({kind->helpTopic, {{QString(), HelpTopics::paragraphs(kind->helpTopic, described)}}});
    Chapter exports{QStringLiteral("Esportazione in Microsoft Excel."), {}};
    for (const Kind* kind : Kind::all()) {
        const QString title = kind->exportHelpTopic;
        exports.sections.append({title, HelpTopics::paragraphs(title, described)});
    }
    // What the program does beyond what its help window describes has a chapter of the manual's own,
    // which ends with the import's topic.
    list.append({QStringLiteral("Altre funzioni."),
                 {{QString(), HelpTopics::piece(QStringLiteral("altre_funzioni"), described)},
                  {HelpTopics::kImportTitle, HelpTopics::paragraphs(HelpTopics::kImportTitle, described)}}});
    list.append(exports);
    return list;
}

// Topic titles end with a full stop, as the help window shows them; headings do not.
QString heading(const QString& title)
{
    return title.endsWith(u'.') ? title.chopped(1) : title;
}

class Manual {
public:
    Manual(QPdfWriter& writer, const QList<ManualPdf::Picture>& pictures)
        : m_writer(writer), m_page(writer.pageLayout().paintRectPixels(writer.resolution())), m_pictures(pictures)
    {
        // Whole device pixels, as the text layout measures pages, so page n starts at n times the height.
        m_body = QRectF(0, mm(14), std::floor(m_page.width()), std::floor(m_page.height() - mm(28)));
    }

    qreal mm(qreal millimetres) const { return millimetres * m_writer.resolution() / 25.4; }

    // False when the file cannot be written, or a picture is empty or names no topic.
    bool write(const QList<Chapter>& chapters)
    {
        QTextDocument document;
        document.documentLayout()->setPaintDevice(&m_writer);
        QFont font(QStringLiteral("Verdana"));
        font.setPointSizeF(10.5);
        document.setDefaultFont(font);
        document.setDocumentMargin(0);
        document.setPageSize(m_body.size());
        document.setHtml(bodyHtml(chapters));
        if (m_placed.size() != m_pictures.size())
            return false;
        for (qsizetype n = 0; n < m_placed.size(); ++n)
            document.addResource(QTextDocument::ImageResource, pictureName(n),
                                 framed(m_pictures.at(m_placed.at(n)).image));

        QPainter painter;
        if (!painter.begin(&m_writer))
            return false;
        painter.setRenderHint(QPainter::Antialiasing);
        paintTitlePage(painter);
        m_writer.newPage();
        paintContents(painter, chapters, chapterPages(document));
        for (int page = 0; page < document.pageCount(); ++page) {
            m_writer.newPage();
            paintBodyPage(painter, document, page);
        }
        return painter.end();
    }

private:
    QString bodyHtml(const QList<Chapter>& chapters)
    {
        QString html =
            QStringLiteral(
                "<html><head><style>"
                "h1 { color: %1; font-size: 20pt; font-weight: bold; margin-top: 0; margin-bottom: 14pt; }"
                "h2 { color: %2; font-size: 13pt; font-weight: bold; margin-top: 18pt; margin-bottom: 6pt; }"
                "p { font-size: 10.5pt; color: %3; text-align: justify; margin-bottom: 8pt; line-height: 130%; }"
                "p.picture { text-align: center; margin-top: 6pt; margin-bottom: 2pt; line-height: 100%; }"
                "p.caption { font-size: 9pt; font-style: italic; color: %4; text-align: center; "
                "margin-bottom: 12pt; }"
                "</style></head><body>")
                .arg(kNavy.name(), kSteelBlue.name(), kText.name(), kGrey.name());
        for (qsizetype i = 0; i < chapters.size(); ++i) {
            const Chapter& chapter = chapters.at(i);
            const QString newPage = i > 0 ? QStringLiteral(" style=\"page-break-before: always\"") : QString();
            html +=
                QStringLiteral("<h1%1>%2. %3</h1>").arg(newPage).arg(i + 1).arg(heading(chapter.title).toHtmlEscaped());
            for (const HelpTopics::Topic& section : chapter.sections) {
                const QString topic = section.title.isEmpty() ? chapter.title : section.title;
                if (!section.title.isEmpty())
                    html += QStringLiteral("<h2>%1</h2>").arg(heading(section.title).toHtmlEscaped());
                for (const QString& paragraph : section.paragraphs) {
                    html += QStringLiteral("<p>%1</p>").arg(paragraph.toHtmlEscaped());
                    html += picturesHtml(topic, paragraph);
                }
                html += picturesHtml(topic, std::nullopt);
            }
        }
        return html + QStringLiteral("</body></html>");
    }

    // The pictures of a topic not placed yet that go after this paragraph, or all of them at the
    // end of the topic (no paragraph), each with its caption, numbered in the order they appear.
    QString picturesHtml(const QString& topic, const std::optional<QString>& paragraph)
    {
        QString html;
        for (qsizetype i = 0; i < m_pictures.size(); ++i) {
            const ManualPdf::Picture& picture = m_pictures.at(i);
            if (picture.topic != topic || m_placed.contains(i) || picture.image.isNull())
                continue;
            if (paragraph && !paragraph->contains(picture.after))
                continue;
            m_placed.append(i);
            const QSizeF size = printedSize(picture.image.size());
            html += QStringLiteral("<p class=\"picture\"><img src=\"%1\" width=\"%2\" height=\"%3\"></p>")
                        .arg(pictureName(m_placed.size() - 1).toString())
                        .arg(size.width())
                        .arg(size.height());
            html += QStringLiteral("<p class=\"caption\">Figura %1. %2</p>")
                        .arg(m_placed.size())
                        .arg(picture.caption.toHtmlEscaped());
        }
        return html;
    }

    static QUrl pictureName(qsizetype n) { return QUrl(QStringLiteral("figura:%1").arg(n + 1)); }

    // Every window at the same scale, a window 1100 pixels wide across the width of the text, as
    // they stand beside each other on a screen; none wider than the text or taller than half a
    // page. In the units of the text layout's images: pixels of a 96 dpi screen.
    QSizeF printedSize(QSize pixels) const
    {
        const qreal perScreenPixel = qreal(m_writer.resolution()) / 96;
        QSizeF size = QSizeF(pixels) * (m_body.width() / kPixelsAcrossTheText);
        size = size.boundedTo(QSizeF(m_body.width(), m_body.height() * 0.45));
        return QSizeF(pixels).scaled(size, Qt::KeepAspectRatio) / perScreenPixel;
    }

    // A thin frame, so a window with a white edge does not melt into the page.
    static QImage framed(const QImage& image)
    {
        QImage copy = image.convertToFormat(QImage::Format_RGB32);
        QPainter painter(&copy);
        painter.setPen(QPen(kGrey, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(copy.rect()).adjusted(1, 1, -1, -1));
        return copy;
    }

    // The physical page on which each chapter heading lands, in the order of the chapters.
    QList<int> chapterPages(QTextDocument& document) const
    {
        QList<int> pages;
        document.pageCount(); // lays the whole document out, page breaks included
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            if (block.blockFormat().headingLevel() == 1) {
                pages.append(kFirstBodyPage + int(lineTop(document, block, 0) / m_body.height()));
            }
        return pages;
    }

    static qreal lineTop(QTextDocument& document, const QTextBlock& block, int line)
    {
        return document.documentLayout()->blockBoundingRect(block).top() + block.layout()->lineAt(line).y();
    }

    QFont font(const QString& family, qreal points, bool bold = false) const
    {
        QFont f(family);
        f.setPointSizeF(points);
        f.setBold(bold);
        return f;
    }

    void paintTitlePage(QPainter& painter)
    {
        const qreal width = m_page.width();
        painter.fillRect(QRectF(0, 0, width, mm(8)), kSteelBlue);
        QSvgRenderer(QStringLiteral(":/images/cartavox.svg"))
            .render(&painter, QRectF((width - mm(46)) / 2, mm(52), mm(46), mm(46)));

        painter.setPen(kNavy);
        painter.setFont(font(QStringLiteral("Verdana"), 40, true));
        painter.drawText(QRectF(0, mm(108), width, mm(22)), Qt::AlignCenter, QStringLiteral("Cartavox"));
        painter.fillRect(QRectF((width - mm(30)) / 2, mm(133), mm(30), mm(1.6)), kAccent);
        painter.setFont(font(QStringLiteral("Verdana"), 18));
        painter.drawText(QRectF(0, mm(142), width, mm(12)), Qt::AlignCenter,
                         QStringLiteral("Guida all'utilizzo del software"));
        painter.setPen(kSteelBlue);
        painter.setFont(font(QStringLiteral("Verdana"), 12));
        painter.drawText(QRectF(0, mm(156), width, mm(10)), Qt::AlignCenter,
                         QStringLiteral("Catalogazione di libri, fumetti e DVD"));

        painter.setPen(kGrey);
        painter.setFont(font(QStringLiteral("Verdana"), 10));
        const QString footer =
            Maker::kName + QStringLiteral("  ·  ") + Maker::kWebSiteShown + QStringLiteral("  ·  ") + Maker::kEmail;
        painter.drawText(QRectF(0, m_page.height() - mm(16), width, mm(8)), Qt::AlignCenter, footer);
        painter.fillRect(QRectF(0, m_page.height() - mm(4), width, mm(4)), kSteelBlue);
    }

    void paintContents(QPainter& painter, const QList<Chapter>& chapters, const QList<int>& pages)
    {
        painter.setPen(kNavy);
        painter.setFont(font(QStringLiteral("Verdana"), 20, true));
        painter.drawText(QRectF(0, m_body.top(), m_page.width(), mm(12)), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Indice"));
        painter.fillRect(QRectF(0, m_body.top() + mm(14), mm(24), mm(1.2)), kAccent);

        painter.setFont(font(QStringLiteral("Verdana"), 12));
        qreal y = m_body.top() + mm(26);
        for (qsizetype i = 0; i < chapters.size(); ++i) {
            const QRectF line(0, y, m_page.width(), mm(9));
            const QString title = QStringLiteral("%1.  %2").arg(i + 1).arg(heading(chapters.at(i).title));
            painter.setPen(kNavy);
            painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, title);
            const QString number = QString::number(pages.value(i));
            painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, number);
            // Dots lead the eye from the title to its page.
            const QFontMetricsF metrics(painter.font(), &m_writer);
            const qreal from = metrics.horizontalAdvance(title) + mm(3);
            const qreal to = m_page.width() - metrics.horizontalAdvance(number) - mm(3);
            painter.setPen(QPen(kGrey, mm(0.3), Qt::DotLine));
            painter.drawLine(QPointF(from, line.center().y() + mm(1.5)), QPointF(to, line.center().y() + mm(1.5)));
            y += mm(11);
        }
        paintFooter(painter, 2);
    }

    void paintBodyPage(QPainter& painter, QTextDocument& document, int page)
    {
        // Each line is printed on the page where it starts and nowhere else: clipping the whole
        // document to the page would hide the neighbours' lines but still write them into the
        // file, where search and copy would find them twice.
        const qreal top = page * m_body.height();
        painter.save();
        painter.translate(m_body.left(), m_body.top() - top);
        painter.setPen(kText);
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            const QPointF origin = document.documentLayout()->blockBoundingRect(block).topLeft();
            for (int i = 0; i < block.layout()->lineCount(); ++i) {
                const qreal y = lineTop(document, block, i);
                if (y >= top && y < top + m_body.height())
                    block.layout()->lineAt(i).draw(&painter, origin);
            }
        }
        painter.restore();

        painter.setPen(kGrey);
        painter.setFont(font(QStringLiteral("Verdana"), 8));
        painter.drawText(QRectF(0, 0, m_page.width(), mm(8)), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Cartavox – Guida all'utilizzo del software"));
        painter.setPen(QPen(kSteelBlue, mm(0.3)));
        painter.drawLine(QPointF(0, mm(9)), QPointF(m_page.width(), mm(9)));
        paintFooter(painter, kFirstBodyPage + page);
    }

    void paintFooter(QPainter& painter, int number)
    {
        painter.setPen(kGrey);
        painter.setFont(font(QStringLiteral("Verdana"), 9));
        painter.drawText(QRectF(0, m_page.height() - mm(8), m_page.width(), mm(8)), Qt::AlignCenter,
                         QString::number(number));
    }

    static constexpr int kFirstBodyPage = 3; // after the title page and the contents
    static constexpr qreal kPixelsAcrossTheText = 1100;

    QPdfWriter& m_writer;
    QRectF m_page;
    QRectF m_body;
    const QList<ManualPdf::Picture>& m_pictures;
    QList<qsizetype> m_placed; // indexes into m_pictures, in the order they appear
};
} // namespace

bool ManualPdf::write(const QString& path, const QList<Picture>& pictures)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(22, 16, 22, 16), QPageLayout::Millimeter);
    writer.setResolution(300);
    writer.setTitle(QStringLiteral("Cartavox - Guida all'utilizzo del software"));
    writer.setCreator(Maker::kName);
    return Manual(writer, pictures).write(chapters());
}
