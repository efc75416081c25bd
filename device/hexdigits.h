#pragma once

namespace zorvex {

// Value of one hexadecimal digit of either letter case, or -1 for any other character.
constexpr int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

inline constexpr char UpperHexDigits[] = "0123456789ABCDEF";
inline constexpr char LowerHexDigits[] = "0123456789abcdef";

static_assert(HexDigitValue('f') == 15 && HexDigitValue('A') == 10 && HexDigitValue('g') == -1);

} // namespace zorvex
