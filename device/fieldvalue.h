#pragma once

#include <QStringView>

#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>

namespace zorvex {

// A typed number goes into a record field only when it fits the field's width: any value from
// -2^(w-1) to 2^w - 1 fits a w-bit field and is stored as its bit pattern (-1 in an unsigned
// byte is 255, 0xF6 in a signed byte is -10, 65535 in a signed 16-bit field is -1). A value that
// needs more bits is refused like text that does not parse, so the field keeps its value.
template <std::integral Field> constexpr std::optional<Field> FitToField(std::int64_t value) {
    using Unsigned = std::make_unsigned_t<Field>;
    constexpr std::int64_t lowest = -(std::int64_t{1} << (std::numeric_limits<Unsigned>::digits - 1));
    constexpr std::int64_t highest = std::int64_t{std::numeric_limits<Unsigned>::max()};
    if (value < lowest || value > highest)
        return std::nullopt;
    return static_cast<Field>(static_cast<Unsigned>(static_cast<std::uint64_t>(value) & highest));
}

// An integer as the configuration file and the number edits write it: decimal with an optional
// sign, or hexadecimal with a leading "$" or "0x"; blanks around it are ignored. Anything else,
// or a value beyond 64 bits, is no integer.
std::optional<std::int64_t> ParseInteger(QStringView text);

// Both steps: the text's integer when it parses and fits the field.
template <std::integral Field> std::optional<Field> ParseFieldValue(QStringView text) {
    if (const std::optional<std::int64_t> value = ParseInteger(text))
        return FitToField<Field>(*value);
    return std::nullopt;
}

} // namespace zorvex
