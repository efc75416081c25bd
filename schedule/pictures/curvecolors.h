#pragma once

#include <QRgb>

#include <array>
#include <cstddef>

// Colours of the schedule curves by channel colour code 0..15 (Config.ColorName).
namespace zorvex {

// The line of a curve and the points of the chosen channel.
inline constexpr std::array<QRgb, 16> ChannelLineColors = {
    0xFFFFFFFF, 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFC000FF, 0xFFFFFFFF, 0xFFF0F0FF,
    0xFFFFFFE0, 0xFFFFFF00, 0xFFFF0080, 0xFF4000FF, 0xFF00FFFF, 0xFFC000FF, 0xFFFFC000, 0xFFC00000};

// The line colours with alpha 0x20: the faint curves of the other channels and the area under the
// chosen one.
inline constexpr std::array<QRgb, 16> ChannelFillColors = [] {
    std::array<QRgb, 16> fill{};
    for (std::size_t code = 0; code < fill.size(); ++code)
        fill[code] = (ChannelLineColors[code] & 0x00FFFFFFu) | 0x20000000u;
    return fill;
}();

// Table index of a colour code: a code above 15 is coloured like code 0 ("Unnamed").
inline constexpr std::size_t CurveColorIndex(int code) {
    return code >= 0 && code < 16 ? static_cast<std::size_t>(code) : 0;
}

} // namespace zorvex
