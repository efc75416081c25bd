#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zorvex::devsim {

enum class HexCase { Upper, Lower };

// Appends two hexadecimal digits per byte to `out`.
void appendHex(std::string& out, std::span<const std::uint8_t> bytes, HexCase letterCase = HexCase::Upper);

// Decodes a text of hexadecimal pairs (either letter case). Returns nothing when the text has
// an odd length or contains a character that is not a hexadecimal digit.
std::optional<std::vector<std::uint8_t>> decodeHex(std::string_view text);

} // namespace zorvex::devsim
