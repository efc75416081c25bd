#include "hexline.h"

#include "hexdigits.h"

namespace zorvex::devsim {

void appendHex(std::string& out, std::span<const std::uint8_t> bytes, HexCase letterCase) {
    const char* digits = letterCase == HexCase::Upper ? UpperHexDigits : LowerHexDigits;
    for (std::uint8_t b : bytes) {
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 0x0F]);
    }
}

std::optional<std::vector<std::uint8_t>> decodeHex(std::string_view text) {
    if (text.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigitValue(text[i]);
        const int low = HexDigitValue(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

} // namespace zorvex::devsim
