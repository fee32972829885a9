#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The user manual "Guida.pdf", made from the same help texts as the help window, so the two
// always say the same thing: a title page, the contents, then one chapter for the overview, one
// for each kind of archive and one for the exports, with page numbers, and pictures of the
// windows beside the text that describes them.
namespace ManualPdf {

// A picture of a window for the help topic titled `topic` (a chapter's, or a section's of the
// export chapter), shown after the topic's first paragraph that contains `after`, or at the end of
// the topic when none does, with `caption` under it.
struct Picture {
    QString topic;
    QString after;
    QString caption;
    QImage image;
};

// False when the file cannot be written, or a picture is empty or names no topic of the manual.
bool write(const QString& path, const QList<Picture>& pictures = {});

} // namespace ManualPdf
