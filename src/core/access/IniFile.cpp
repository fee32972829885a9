#include "IniFile.h"

#include "folder/SafeOpen.h"
#include "folder/SafeSave.h"
#include "storage/Text.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

namespace {
// One line of the file as it is stored: its bytes and the line break that ends it (empty on a
// last line without one), so that lines nobody touches are written back byte for byte.
struct Line {
    QByteArray text;
    QByteArray end;
};

struct Position {
    qsizetype sectionHeader = -1; // the line of "[section]"
    qsizetype lastOfSection = -1; // its last non-blank line
    qsizetype key = -1;           // the line of "key=value"
};

QList<Line> splitLines(const QByteArray& bytes)
{
    QList<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        if (newline < 0) {
            lines.append({bytes.mid(start), {}});
            break;
        }
        const bool crlf = newline > start && bytes.at(newline - 1) == '\r';
        const qsizetype textEnd = crlf ? newline - 1 : newline;
        lines.append({bytes.mid(start, textEnd - start), bytes.mid(textEnd, newline + 1 - textEnd)});
        start = newline + 1;
    }
    // A file saved by an editor that marks UTF-8 still has its first section where it belongs.
    if (!lines.isEmpty() && lines.first().text.startsWith("\xEF\xBB\xBF"))
        lines.first().text.remove(0, 3);
    return lines;
}

QByteArray blankTrimmed(const QByteArray& bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && static_cast<unsigned char>(bytes.at(begin)) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(bytes.at(end - 1)) <= 32)
        --end;
    return bytes.mid(begin, end - begin);
}

bool isSectionHeader(const QByteArray& trimmed)
{
    return trimmed.startsWith('[') && trimmed.contains(']');
}

QByteArray sectionName(const QByteArray& trimmed)
{
    return blankTrimmed(trimmed.mid(1, trimmed.indexOf(']') - 1));
}

bool sameName(const QByteArray& a, const QByteArray& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

Position locate(const QList<Line>& lines, const QByteArray& section, const QByteArray& key)
{
    Position found;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray trimmed = blankTrimmed(lines.at(i).text);
        if (isSectionHeader(trimmed)) {
            if (found.sectionHeader >= 0)
                break; // only the first section of that name counts
            if (sameName(sectionName(trimmed), section))
                found.sectionHeader = found.lastOfSection = i;
            continue;
        }
        if (found.sectionHeader < 0 || trimmed.isEmpty())
            continue;
        found.lastOfSection = i;
        const qsizetype equals = trimmed.indexOf('=');
        if (equals > 0 && sameName(blankTrimmed(trimmed.left(equals)), key)) {
            found.key = i;
            break;
        }
    }
    return found;
}

QByteArray valueOf(const QByteArray& line)
{
    QByteArray value = blankTrimmed(line.mid(line.indexOf('=') + 1));
    // A value written between quotes means the text inside them.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

QByteArray readAll(const QString& path)
{
    QFile file;
    if (!SafeOpen::forReading(file, path, FileScope::ProgramData))
        throw IniFile::Error(QStringLiteral("Impossibile leggere %1").arg(path).toStdString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw IniFile::Error(QStringLiteral("Impossibile leggere %1: %2").arg(path, file.errorString()).toStdString());
    return bytes;
}

QByteArray lineBreakOf(const QList<Line>& lines)
{
    for (const Line& line : lines)
        if (!line.end.isEmpty())
            return line.end;
    return QByteArrayLiteral("\r\n");
}
} // namespace

QString IniFile::readString(const QString& path, const QString& section, const QString& key, const QString& fallback)
{
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return fallback;
    return stringIn(readAll(path), section, key, fallback);
}

QString IniFile::stringIn(const QByteArray& text, const QString& section, const QString& key, const QString& fallback)
{
    const QList<Line> lines = splitLines(text);
    const Position found = locate(lines, Text::toWindows1252(section), Text::toWindows1252(key));
    if (found.key < 0)
        return fallback;
    const QByteArray value = valueOf(lines.at(found.key).text);
    return Text::fromWindows1252(value.constData(), int(value.size()));
}

void IniFile::writeString(const QString& path, const QString& section, const QString& key, const QString& value)
{
    // A link in the file's place counts as no file: the new file replaces it, and what the link
    // points at is neither read nor written.
    const QByteArray original = QFileInfo(path).isFile() && !QFileInfo(path).isSymLink() ? readAll(path) : QByteArray();
    writeString(path, original, section, key, value);
}

void IniFile::writeString(const QString& path, const QByteArray& original, const QString& section, const QString& key,
                          const QString& value)
{
    QList<Line> lines = splitLines(original);
    const QByteArray lineBreak = lineBreakOf(lines);
    const QByteArray sectionBytes = Text::toWindows1252(section);
    const QByteArray keyBytes = Text::toWindows1252(key);
    const QByteArray valueBytes = Text::toWindows1252(value);

    const Position found = locate(lines, sectionBytes, keyBytes);
    if (found.key >= 0) {
        // Whatever stands before the value (the key as written, its spacing) stays.
        QByteArray& text = lines[found.key].text;
        const qsizetype equals = text.indexOf('=');
        const qsizetype valueStart = equals + 1 + (text.size() > equals + 1 && text.at(equals + 1) == ' ' ? 1 : 0);
        text = text.left(valueStart) + valueBytes;
    } else if (found.sectionHeader >= 0) {
        Line& last = lines[found.lastOfSection];
        if (last.end.isEmpty())
            last.end = lineBreak;
        lines.insert(found.lastOfSection + 1, {keyBytes + '=' + valueBytes, lineBreak});
    } else {
        if (!lines.isEmpty() && lines.last().end.isEmpty())
            lines.last().end = lineBreak;
        lines.append({'[' + sectionBytes + ']', lineBreak});
        lines.append({keyBytes + '=' + valueBytes, lineBreak});
    }

    QByteArray bytes;
    if (original.startsWith("\xEF\xBB\xBF"))
        bytes = "\xEF\xBB\xBF";
    for (const Line& line : std::as_const(lines))
        bytes += line.text + line.end;

    // The new file replaces the old one only once it is written whole, so a failure keeps the old
    // value. Where the folder allows no new file but the file itself may be written, write it in
    // place.
    SafeSave file(path, FileScope::ProgramData);
    file.allowWritingInPlace();
    if (!file.open() || file.device().write(bytes) != bytes.size() || !file.commit())
        throw Error(QStringLiteral("Impossibile scrivere %1").arg(path).toStdString());
}
