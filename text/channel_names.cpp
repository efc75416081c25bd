#include "language.h"

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

// Message keys of the colour codes 1..15; code 0 and every unknown code are "ColorUnnamed".
constexpr std::array<const char16_t*, 16> ColorKeys = {
    u"ColorUnnamed",   u"ColorWhite",  u"ColorRed",       u"ColorGreen",
    u"ColorBlue",      u"ColorUV",     u"ColorMoonLight", u"ColorColdWhite",
    u"ColorWarmWhite", u"ColorYellow", u"ColorPurple",    u"ColorRoyalBlue",
    u"ColorCyan",      u"ColorViolet", u"ColorOrange",    u"ColorDeepRed"};

} // namespace

const std::array<std::uint32_t, 16> ChannelColors = {
    0xFFFFFFFF, 0xFFFFFFFF, 0xFFFF8080, 0xFF80FF80, 0xFF8080FF, 0xFFC080FF, 0xFFFFFFFF, 0xFFF0F0FF,
    0xFFFFFFE0, 0xFFFFFF00, 0xFFFF80C0, 0xFFA080FF, 0xFF80FFFF, 0xFFC080FF, 0xFFFFC080, 0xFFC08080};

QString ChannelLetter(int channel) {
    static constexpr QStringView letters = u"WRGB";
    if (channel < 0 || channel >= letters.size())
        return {};
    return letters.mid(channel, 1).toString();
}

QString ColorText(int code) {
    const bool known = code > 0 && code < static_cast<int>(ColorKeys.size());
    const char16_t* key = known ? ColorKeys[static_cast<std::size_t>(code)] : ColorKeys[0];
    return LookupMessage(QString::fromUtf16(key));
}

} // namespace zorvex
