#include "HelpTopics.h"

#include "storage/Text.h"

#include <QFile>

namespace {
// Each topic and the help texts it is made of, in order.
struct Source {
    QString title;
    QStringList pieces;
};

QList<Source> sources()
{
    QList<Source> list{{HelpTopics::kStartTitle, {QStringLiteral("avvio_inizio")}}};
    for (const Kind* kind : Kind::all())
        list.first().pieces.append(kind->tag);
    list.first().pieces.append(QStringLiteral("avvio_fine"));
    for (const Kind* kind : Kind::all())
        list.append({kind->helpTopic, {kind->tag}});
    for (const Kind* kind : Kind::all())
        list.append({kind->exportHelpTopic, {QStringLiteral("esporta_") + kind->tag}});
    list.append({HelpTopics::kImportTitle, {QStringLiteral("importa")}});
    return list;
}

QStringList paragraphsOf(const Source& source)
{
    QStringList paragraphs;
    for (const QString& name : source.pieces)
        paragraphs += HelpTopics::piece(name);
    return paragraphs;
}
} // namespace

QList<HelpTopics::Topic> HelpTopics::all()
{
    QList<Topic> topics;
    for (const Source& source : sources())
        topics.append({source.title, paragraphsOf(source)});
    return topics;
}

QStringList HelpTopics::paragraphs(const QString& title)
{
    for (const Source& source : sources())
        if (source.title == title)
            return paragraphsOf(source);
    return {};
}

QStringList HelpTopics::piece(const QString& name)
{
    QFile file(QStringLiteral(":/help/%1.txt").arg(name));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList paragraphs;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QString paragraph = Text::trimmed(line);
        if (!paragraph.isEmpty())
            paragraphs.append(paragraph);
    }
    return paragraphs;
}

QString HelpTopics::text(const QStringList& paragraphs)
{
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}
