#include "HelpTopics.h"

#include "folder/ProgramFolder.h"
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

QStringList paragraphsOf(const Source& source, HelpTopics::DataFolder folder)
{
    QStringList paragraphs;
    for (const QString& name : source.pieces)
        paragraphs += HelpTopics::piece(name, folder);
    return paragraphs;
}

const QString kDataFolderMark = QStringLiteral("{cartella dei dati}");

// What stands in a help text for the folder that holds the data, after "si trovano" or "genera un
// file": where the data lies in this run, as the user would look for it.
QString dataFolderPhrase(HelpTopics::DataFolder folder)
{
    if (folder == HelpTopics::DataFolder::Described)
        return QStringLiteral("nella cartella dei dati (vedi il capitolo \"Altre funzioni\")");
    const QString shown = ProgramFolder::asShown(ProgramFolder::path());
    return ProgramFolder::readOnlyFolder().isEmpty() ? QStringLiteral("nella cartella del programma (%1)").arg(shown)
                                                     : QStringLiteral("nella cartella dei tuoi dati (%1)").arg(shown);
}
} // namespace

QList<HelpTopics::Topic> HelpTopics::all(DataFolder folder)
{
    QList<Topic> topics;
    for (const Source& source : sources())
        topics.append({source.title, paragraphsOf(source, folder)});
    return topics;
}

QStringList HelpTopics::paragraphs(const QString& title, DataFolder folder)
{
    for (const Source& source : sources())
        if (source.title == title)
            return paragraphsOf(source, folder);
    return {};
}

QStringList HelpTopics::piece(const QString& name, DataFolder folder)
{
    QFile file(QStringLiteral(":/help/%1.txt").arg(name));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList paragraphs;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        QString paragraph = Text::trimmed(line);
        if (paragraph.contains(kDataFolderMark))
            paragraph.replace(kDataFolderMark, dataFolderPhrase(folder));
        if (!paragraph.isEmpty())
            paragraphs.append(paragraph);
    }
    return paragraphs;
}

QString HelpTopics::text(const QStringList& paragraphs)
{
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}
