#pragma once

// Qt's JPEG decoder goes on past data that is missing or broken, a file cut short or a damaged
// scan: it paints the rest of the picture grey and hands it back as a good one, and says so only in
// a warning of its logging category. While a watch lives, those warnings of this thread are taken
// off the log and remembered, so that such a picture counts as unreadable.
class JpegDamageWatch final {
public:
    JpegDamageWatch();
    ~JpegDamageWatch();
    JpegDamageWatch(const JpegDamageWatch&) = delete;
    JpegDamageWatch& operator=(const JpegDamageWatch&) = delete;

    // Whether the decoder met missing or broken picture data since the watch began.
    bool seenDamage() const { return m_damage; }

private:
    bool m_damage = false;
};
