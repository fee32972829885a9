#include "CardSearch.h"

#include "ListText.h"
#include "ResultLine.h"
#include "storage/CatalogueFile.h"
#include "storage/Text.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {
// In Windows-1252 the letters A to Z are the same bytes as in ASCII, so the list windows' folding
// works on the stored bytes as it does on the decoded text.
constexpr std::array<unsigned char, 256> kFold = [] {
    std::array<unsigned char, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = static_cast<unsigned char>(byte >= 'A' && byte <= 'Z' ? byte + 32 : byte);
    return table;
}();

// `key` is already folded and not empty.
bool containsFolded(QByteArrayView text, QByteArrayView key)
{
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const auto* k = reinterpret_cast<const unsigned char*>(key.data());
    const qsizetype m = key.size();
    const unsigned char first = k[0];
    for (qsizetype i = 0, last = text.size() - m; i <= last; ++i) {
        if (kFold[t[i]] != first)
            continue;
        qsizetype j = 1;
        while (j < m && kFold[t[i + j]] == k[j])
            ++j;
        if (j == m)
            return true;
    }
    return false;
}

struct StoredCriterion {
    int field;
    QByteArray key; // folded Windows-1252 bytes
};

// Reads every card in file order and lists those that `wanted` takes; only their fields are
// decoded. Throws ArchiveError; what was listed until then stays in `found`.
template <typename Wanted> void listCards(const Kind& kind, CatalogueFile& archive, Wanted wanted, FoundCards& found)
{
    const ResultLine line(kind);
    const int count = archive.countToList();
    for (int number = 1; number <= count; ++number) {
        const QByteArrayView bytes = archive.cardBytes(number);
        if (!wanted(bytes))
            continue;
        // The bytes are not copied: the record lives only while its line is made.
        found.lines.append(line.of(Record(kind.layout, QByteArray::fromRawData(bytes.data(), bytes.size()))));
        found.numbers.append(number);
    }
}
} // namespace

namespace CardSearch {

QList<Criterion> inForce(const QList<Criterion>& typed)
{
    QList<Criterion> criteria;
    for (const Criterion& criterion : typed)
        if (!Text::trimmed(criterion.text).isEmpty())
            criteria.append(criterion);
    return criteria;
}

FoundCards find(const Kind& kind, const QString& path, const QList<Criterion>& criteria)
{
    CatalogueFile archive(kind.layout);
    archive.open(path);
    FoundCards found = find(kind, archive, criteria);
    archive.close();
    return found;
}

FoundCards find(const Kind& kind, CatalogueFile& archive, const QList<Criterion>& criteria)
{
    QList<StoredCriterion> stored;
    bool matchesNothing = false;
    for (const Criterion& criterion : criteria) {
        const int field = kind.layout.indexOf(criterion.field);
        Q_ASSERT(field >= 0);
        QByteArray key = Text::toWindows1252(criterion.text);
        // A character the code page lacks can be in no stored field.
        if (Text::fromWindows1252(key.constData(), int(key.size())) != criterion.text)
            matchesNothing = true;
        for (char& byte : key)
            byte = static_cast<char>(kFold[static_cast<unsigned char>(byte)]);
        if (!key.isEmpty())
            stored.append({field, key});
    }

    FoundCards found;
    if (!matchesNothing) {
        listCards(
            kind, archive,
            [&](QByteArrayView bytes) {
                return std::all_of(stored.cbegin(), stored.cend(), [&](const StoredCriterion& criterion) {
                    return containsFolded(Record::trimmedBytes(kind.layout, bytes, criterion.field), criterion.key);
                });
            },
            found);
    } else {
        archive.countToList(); // finding nothing lists nothing, but a list that large is refused all the same
    }
    sortInListOrder(found);
    return found;
}

FoundCards missingIssues(const Kind& kind, const QString& path)
{
    CatalogueFile archive(kind.layout);
    try {
        archive.open(path);
    } catch (const ArchiveError&) {
        return {}; // the window has no message for it
    }
    FoundCards found = missingIssues(kind, archive);
    archive.close();
    return found;
}

FoundCards missingIssues(const Kind& kind, CatalogueFile& archive)
{
    const int flag = kind.layout.indexOf(u"Mancante");
    Q_ASSERT(flag >= 0);
    const QByteArray missing = Text::toWindows1252(QStringLiteral("Sì"));
    FoundCards found;
    try {
        listCards(
            kind, archive,
            [&](QByteArrayView bytes) { return Record::trimmedBytes(kind.layout, bytes, flag) == missing; }, found);
    } catch (const TooManyCards&) {
        throw;
    } catch (const ArchiveError&) {
        // The list shows the cards read before the failure; the window has no message for it.
    }
    sortInListOrder(found);
    return found;
}

std::optional<Card> cardOfLine(const Kind& kind, const QString& path, const QString& line, qint64 number)
{
    const ResultLine lineOf(kind);
    const QString wanted = Text::trimmed(line);
    CatalogueFile archive(kind.layout);
    archive.open(path);
    const qint64 count = archive.recordCount();
    std::optional<Card> card;
    if (number >= 1 && number <= count) {
        Record record = archive.readCard(number);
        if (Text::trimmed(lineOf.of(record)) == wanted)
            card = Card{std::move(record), number};
    }
    if (!card) {
        qint64 last = 0;
        for (qint64 n = 1; n <= count; ++n) {
            const QByteArrayView bytes = archive.cardBytes(n);
            if (Text::trimmed(lineOf.of(Record(kind.layout, QByteArray::fromRawData(bytes.data(), bytes.size())))) ==
                wanted)
                last = n;
        }
        // Of several cards with the line, the last in the archive is the one.
        if (last > 0)
            card = Card{archive.readCard(last), last};
    }
    archive.close();
    return card;
}

void sortInListOrder(FoundCards& cards)
{
    // The entries are sorted by four folded characters of their line at a time, held in the entry
    // itself, so that comparing two entries reads no line: the lines of a series or of one author
    // begin alike for many characters, and reading them at each comparison would cost a cache miss
    // each time. Each run of entries alike so far is then sorted on by its next four characters.
    struct Entry {
        quint64 chunk; // characters [depth, depth + 4) of the line, folded, zeros past its end
        const QChar* text;
        qsizetype length;
        int index;
    };
    std::vector<Entry> entries(cards.lines.size());
    for (int index = 0; index < int(entries.size()); ++index)
        entries[index] = {0, cards.lines.at(index).constData(), cards.lines.at(index).size(), index};
    const auto load = [](Entry& entry, qsizetype depth) {
        entry.chunk = 0;
        for (qsizetype i = 0; i < 4 && depth + i < entry.length; ++i)
            entry.chunk |= quint64(ListText::upperAZ(entry.text[depth + i]).unicode()) << (48 - 16 * i);
    };
    // A line that ends within the chunk sorts before a longer one that has zeros there: the
    // characters it has left within the chunk are the second key. Equal lines keep the order they
    // were found in.
    const auto left = [](const Entry& entry, qsizetype depth) { return std::min<qsizetype>(entry.length - depth, 4); };
    struct Run {
        qsizetype begin;
        qsizetype end;
        qsizetype depth;
    };
    std::vector<Run> runs{{0, qsizetype(entries.size()), 0}};
    while (!runs.empty()) {
        const Run run = runs.back();
        runs.pop_back();
        const auto first = entries.begin() + run.begin;
        const auto last = entries.begin() + run.end;
        for (auto it = first; it != last; ++it)
            load(*it, run.depth);
        std::stable_sort(first, last, [&](const Entry& a, const Entry& b) {
            if (a.chunk != b.chunk)
                return a.chunk < b.chunk;
            return left(a, run.depth) < left(b, run.depth);
        });
        for (auto from = first; from != last;) {
            auto to = from + 1;
            while (to != last && to->chunk == from->chunk && left(*to, run.depth) == left(*from, run.depth))
                ++to;
            if (to - from > 1 && left(*from, run.depth) == 4)
                runs.push_back({from - entries.begin(), to - entries.begin(), run.depth + 4});
            from = to;
        }
    }
    // Moved, not copied: a copy would touch every line's text once more.
    FoundCards sorted;
    sorted.lines.reserve(cards.lines.size());
    sorted.numbers.reserve(cards.lines.size());
    for (const Entry& entry : entries) {
        sorted.lines.append(std::move(cards.lines[entry.index]));
        sorted.numbers.append(cards.numbers.at(entry.index));
    }
    cards = std::move(sorted);
}

} // namespace CardSearch
