#include "Text.h"

#include <algorithm>
#include <array>

namespace {
// The code points of bytes 0x80 to 0x9F; the five bytes the code page leaves undefined map to
// the control character of the same number, so they survive a round trip.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte of `c` in the code page, or -1 when the code page lacks it.
int byteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == c)
            return 0x80 + i;
    return -1;
}

char encodeOne(char16_t c)
{
    const int byte = byteOf(c);
    return byte < 0 ? '?' : static_cast<char>(byte);
}

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
}

bool isBlank(QChar c)
{
    return c.unicode() <= 32;
}
} // namespace

QString Text::trimmed(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return (begin == 0 && end == text.size()) ? text : text.mid(begin, end - begin);
}

QString Text::withControlsAsBlanks(QString text)
{
    // Most texts have none: they stay shared rather than copied.
    if (std::none_of(text.cbegin(), text.cend(), isControl))
        return text;
    std::replace_if(text.begin(), text.end(), isControl, QChar(u' '));
    return text;
}

QByteArray Text::toWindows1252(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    qsizetype length = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // A character outside the basic plane is one substitute, not two.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        bytes[length++] = encodeOne(c.unicode());
    }
    bytes.truncate(length);
    return bytes;
}

bool Text::isWindows1252(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return byteOf(c.unicode()) >= 0; });
}

QString Text::fromWindows1252(const char* bytes, int length)
{
    static const auto table = [] {
        std::array<char16_t, 256> codes{};
        for (int byte = 0; byte < 256; ++byte)
            codes[byte] = (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : char16_t(byte);
        return codes;
    }();
    QString text(length, Qt::Uninitialized);
    auto* out = reinterpret_cast<char16_t*>(text.data());
    for (int i = 0; i < length; ++i)
        out[i] = table[static_cast<unsigned char>(bytes[i])];
    return text;
}

QString Text::upperAscii(const QString& text)
{
    QString result = text;
    for (QChar& c : result)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return result;
}
