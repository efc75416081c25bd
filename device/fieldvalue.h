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

// The numbers a field's type holds: -2^(w-1) to 2^(w-1) - 1 when it is signed, 0 to 2^w - 1 when
// it is not. A decimal number typed into an editor has to lie within them; only a hexadecimal
// text stands for a bit pattern (FitToField).
struct FieldRange {
    std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
    std::int64_t highest = std::numeric_limits<std::int64_t>::max();

    constexpr bool Contains(std::int64_t value) const { return value >= lowest && value <= highest; }
};
template <std::integral Field> constexpr FieldRange RangeOf() {
    return {std::numeric_limits<Field>::min(), std::numeric_limits<Field>::max()};
}

// Whether an integer text is written in hexadecimal, with a leading "$" or "0x".
bool IsHexadecimalInteger(QStringView text);

// Both steps: the text's integer when it parses and fits the field.
template <std::integral Field> std::optional<Field> ParseFieldValue(QStringView text) {
    if (const std::optional<std::int64_t> value = ParseInteger(text))
        return FitToField<Field>(*value);
    return std::nullopt;
}

} // namespace zorvex
