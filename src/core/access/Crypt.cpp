#include "Crypt.h"

#include <QList>

#include <cstdint>

namespace {
constexpr std::uint16_t kStartKey = 31859;
constexpr std::uint16_t kMultiplier = 28613;
constexpr std::uint16_t kIncrement = 30517;

std::uint16_t nextKey(std::uint16_t key, std::uint8_t scrambled)
{
    return std::uint16_t((std::uint32_t(scrambled) + key) * kMultiplier + kIncrement);
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}
} // namespace

QString Crypt::Scramble(QStringView text)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    QString result;
    std::uint16_t key = kStartKey;
    // Whole code points, so a character beyond U+FFFF counts once, as the user typed it.
    for (const uint code : text.toUcs4()) {
        const std::uint8_t scrambled = std::uint8_t((code & 0xFF) ^ (key >> 8));
        result += QLatin1Char(kDigits[scrambled >> 4]);
        result += QLatin1Char(kDigits[scrambled & 0x0F]);
        key = nextKey(key, scrambled);
    }
    return result;
}

std::optional<QString> Crypt::Unscramble(QStringView hex)
{
    QString result;
    std::uint16_t key = kStartKey;
    for (qsizetype i = 0; i + 1 < hex.size(); i += 2) {
        const int high = hexDigit(hex[i]);
        const int low = hexDigit(hex[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        const auto scrambled = std::uint8_t(high * 16 + low);
        result += QChar(char16_t(scrambled ^ (key >> 8)));
        key = nextKey(key, scrambled);
    }
    return result;
}
