#pragma once

// Archives of many cards for the benchmarks, filled in as a catalogue in use.
#include "storage/Kind.h"
#include "storage/Record.h"

#include <QFile>
#include <QRandomGenerator>
#include <QString>

#include <algorithm>

inline const QString kWords = QStringLiteral("Città libertà perché età Milano romanzo storia edizione prima Einaudi "
                                             "Garzanti Adelphi Mondadori giallo saggio poesia Roma Torino volume ");

// Writes `cards` cards of the kind, the same ones at every run.
inline void generate(const Kind& kind, const QString& path, int cards)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray chunk;
    QRandomGenerator random(1252);
    for (int n = 1; n <= cards; ++n) {
        Record record(kind.layout);
        for (int i = 0; i < kind.layout.fieldCount(); ++i) {
            // As a catalogue in use: every field of a kind filled in, most with a few words, a
            // quarter left empty, and documents attached to one card in ten.
            const FieldSpec& field = kind.layout.field(i);
            const bool attachment = field.role == FieldSpec::Role::Attachment;
            if (attachment ? random.bounded(10) != 0 : (i > 1 && random.bounded(4) == 0))
                continue;
            const int length = 4 + int(random.bounded(std::max(1, field.capacity / 3)));
            const int start = int(random.bounded(kWords.size() / 2));
            record.setText(i, kWords.repeated(1 + length / int(kWords.size())).mid(start, length));
        }
        chunk += record.bytes();
        if (chunk.size() > (1 << 22)) {
            file.write(chunk);
            chunk.clear();
        }
    }
    file.write(chunk);
}
