#include "CardSearch.h"

#include "ListText.h"
#include "ResultLine.h"
#include "storage/CatalogueFile.h"
#include "storage/Text.h"

#include <algorithm>
#include <array>
#include <cstring>
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
    // Every line folded once into one buffer, each character as two bytes high byte first, so
    // that comparing bytes compares characters by code. Lines that begin alike (titles of one
    // series, equal titles) then compare at memory speed instead of a character at a time. The
    // first four characters also stand in each entry, where most comparisons end.
    struct Entry {
        quint64 head;
        qsizetype offset;
        qsizetype length; // in bytes
        int index;
    };
    qsizetype total = 0;
    for (const QString& line : std::as_const(cards.lines))
        total += 2 * line.size();
    std::vector<unsigned char> folded(std::max<qsizetype>(total, 1));
    std::vector<Entry> entries(cards.lines.size());
    qsizetype offset = 0;
    for (int index = 0; index < int(entries.size()); ++index) {
        const QString& line = cards.lines.at(index);
        Entry& entry = entries[index];
        entry.offset = offset;
        entry.length = 2 * line.size();
        entry.index = index;
        entry.head = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const char16_t c = ListText::upperAZ(line.at(i)).unicode();
            folded[offset++] = static_cast<unsigned char>(c >> 8);
            folded[offset++] = static_cast<unsigned char>(c & 0xFF);
            if (i < 4)
                entry.head |= quint64(c) << (48 - 16 * i);
        }
    }
    // A line shorter than four characters has zeros in its head where a longer one has
    // characters, so it sorts first as a prefix should; a true tie goes on to the bytes.
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        if (a.head != b.head)
            return a.head < b.head;
        const int order =
            std::memcmp(folded.data() + a.offset, folded.data() + b.offset, size_t(std::min(a.length, b.length)));
        return order != 0 ? order < 0 : a.length < b.length;
    });
    FoundCards sorted;
    sorted.lines.reserve(cards.lines.size());
    sorted.numbers.reserve(cards.lines.size());
    for (const Entry& entry : entries) {
        sorted.lines.append(cards.lines.at(entry.index));
        sorted.numbers.append(cards.numbers.at(entry.index));
    }
    cards = std::move(sorted);
}

} // namespace CardSearch
