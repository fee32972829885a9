#include "ImportReport.h"

#include <QLocale>

namespace {
QString cardLine(qint64 card, const QString& text)
{
    return QStringLiteral("  scheda %1, %2").arg(card).arg(text);
}
} // namespace

void ImportReport::addCut(qint64 card, const QString& field, qsizetype characters)
{
    m_cuts.append(
        cardLine(card, QStringLiteral("%1: %2 %3 in meno")
                           .arg(field)
                           .arg(characters)
                           .arg(characters == 1 ? QStringLiteral("carattere") : QStringLiteral("caratteri"))));
}

void ImportReport::addReplaced(qint64 card, const QString& field, const QString& characters)
{
    QStringList quoted;
    for (const QChar c : characters)
        quoted.append(u'"' + QString(c) + u'"');
    m_replaced.append(cardLine(card, QStringLiteral("%1: %2").arg(field, quoted.join(u' '))));
}

void ImportReport::addNote(qint64 card, const QString& text)
{
    m_notes.append(cardLine(card, text));
}

QStringList ImportReport::lines() const
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QStringList lines{
        cardsAdded == 1
            ? QStringLiteral("È stata aggiunta 1 scheda all'archivio.")
            : QStringLiteral("Sono state aggiunte %1 schede all'archivio.").arg(italian.toString(cardsAdded))};
    if (!changedAnyCard()) {
        lines.append(QStringLiteral("Tutti i testi sono stati importati così come erano nel file."));
        return lines;
    }
    const auto group = [&lines](const QString& title, const QStringList& entries) {
        if (entries.isEmpty())
            return;
        lines.append(QString());
        lines.append(title);
        lines += entries;
    };
    group(QStringLiteral("Testi tagliati alla lunghezza del loro campo:"), m_cuts);
    group(QStringLiteral("Caratteri che l'archivio non può contenere, sostituiti con \"?\":"), m_replaced);
    group(QStringLiteral("Altre note:"), m_notes);
    return lines;
}
