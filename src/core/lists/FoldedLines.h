#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QStringView>

#include <memory>

// The lines of a list as the quick find reads them: folded (A to Z to small letters) and laid end
// to end in one block, a byte per character. Searching a million separate strings reads memory
// out of order and each line twice (for the small and the capital letter); this block is read once,
// in order, by a search that skips ahead.
//
// A character above U+00FF, or a line break, has no byte of its own: it stands as one substitute
// byte, so a line found through it is only a candidate, and is checked again on its own text.
class FoldedLines final {
public:
    FoldedLines() = default;
    explicit FoldedLines(const QStringList& lines);

    // The first row from `start` on, going round to the rows before it, whose line in `lines` (the
    // lines this was made from) contains `key`, both folded; -1 when none does. `key` is not empty.
    int find(const QStringList& lines, int start, QStringView key) const;

private:
    // A row whose line contains the key, among the bytes [from, to); -1 when none.
    int findBetween(const QStringList& lines, qsizetype from, qsizetype to, const QByteArray& key,
                    QStringView exactKey) const;

    std::shared_ptr<char> m_bytes; // every line's bytes, each line followed by a line break
    qsizetype m_size = 0;
    QList<qsizetype> m_starts; // where each row's bytes begin
};
