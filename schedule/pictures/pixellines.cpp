#include "pixellines.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace zorvex {

namespace {

// x * a / 255 for the four bytes of x at once (a = 0..255), rounded.
inline std::uint32_t ByteMul(std::uint32_t x, std::uint32_t a) {
    std::uint32_t t = (x & 0xFF00FFu) * a;
    t = ((t + ((t >> 8) & 0xFF00FFu) + 0x800080u) >> 8) & 0xFF00FFu;
    x = ((x >> 8) & 0xFF00FFu) * a;
    x = (x + ((x >> 8) & 0xFF00FFu) + 0x800080u) & 0xFF00FF00u;
    return x | t;
}

// Pixel writer for one line; `steep` lines are walked along y with the coordinates swapped.
class LinePixels {
public:
    LinePixels(QImage& image, QRgb color, bool steep)
        : m_bits(reinterpret_cast<QRgb*>(image.bits())), m_stride(image.bytesPerLine() / 4),
          m_width(image.width()), m_height(image.height()), m_opaque(color | 0xFF000000u),
          m_alpha(qAlpha(color)), m_steep(steep) {}

    // Extent of the walked (major) axis, for clipping the walk.
    int majorSize() const { return m_steep ? m_height : m_width; }

    // Source-over of the colour at `coverage` (0..1) of its alpha onto the premultiplied pixel.
    void plot(int major, int minor, double coverage) {
        const int x = m_steep ? minor : major;
        const int y = m_steep ? major : minor;
        const auto alpha = static_cast<std::uint32_t>(m_alpha * coverage + 0.5);
        if (alpha == 0 || x < 0 || y < 0 || x >= m_width || y >= m_height)
            return;
        QRgb& pixel = m_bits[static_cast<std::ptrdiff_t>(y) * m_stride + x];
        pixel = ByteMul(m_opaque, alpha) + ByteMul(pixel, 255 - alpha);
    }

    // The same coverage along the walked axis from `begin` to `end` (both included) at `minor`.
    void run(int begin, int end, int minor, double coverage) {
        const int limit = m_steep ? m_width : m_height;
        const auto alpha = static_cast<std::uint32_t>(m_alpha * coverage + 0.5);
        if (minor < 0 || minor >= limit || alpha == 0)
            return;
        begin = std::max(begin, 0);
        end = std::min(end, majorSize() - 1);
        const qsizetype step = m_steep ? m_stride : 1;
        QRgb* pixel = m_steep ? m_bits + static_cast<qsizetype>(begin) * m_stride + minor
                              : m_bits + static_cast<qsizetype>(minor) * m_stride + begin;
        for (int i = begin; i <= end; ++i, pixel += step)
            *pixel = ByteMul(m_opaque, alpha) + ByteMul(*pixel, 255 - alpha);
    }

private:
    QRgb* m_bits;
    qsizetype m_stride;
    int m_width;
    int m_height;
    std::uint32_t m_opaque;
    double m_alpha;
    bool m_steep;
};

double Fraction(double value) {
    return value - std::floor(value);
}

} // namespace

void BlendLine(QImage& image, QPointF from, QPointF to, QRgb color) {
    if (image.format() != QImage::Format_ARGB32_Premultiplied || image.isNull())
        return;
    double x0 = from.x(), y0 = from.y(), x1 = to.x(), y1 = to.y();
    // Record values keep every point within a few picture sizes; anything else is no line.
    constexpr double Far = 1e7;
    for (double coordinate : {x0, y0, x1, y1})
        if (!(std::abs(coordinate) < Far))
            return;
    const bool steep = std::abs(y1 - y0) > std::abs(x1 - x0);
    if (steep) {
        std::swap(x0, y0);
        std::swap(x1, y1);
    }
    if (x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    LinePixels pixels(image, color, steep);
    const double gradient = x1 > x0 ? (y1 - y0) / (x1 - x0) : 0.0;

    // The two end pixels are covered only by the part of the line that reaches into them.
    const auto endPoint = [&](double x, double y, double gap) {
        const double end = std::round(x);
        const double minor = y + gradient * (end - x);
        const int major = static_cast<int>(end);
        const int row = static_cast<int>(std::floor(minor));
        pixels.plot(major, row, (1.0 - Fraction(minor)) * gap);
        pixels.plot(major, row + 1, Fraction(minor) * gap);
        return major;
    };
    const int first = endPoint(x0, y0, 1.0 - Fraction(x0 + 0.5));
    const int last = endPoint(x1, y1, Fraction(x1 + 0.5));

    // Between them two pixels per step share the coverage; only the visible part is walked.
    const int begin = std::max(first + 1, -1);
    const int end = std::min(last - 1, pixels.majorSize());
    double minor = y0 + gradient * (begin - x0);
    if (gradient == 0.0) {
        // A line along a pixel row or column: one or two runs of constant coverage.
        const double row = std::floor(minor);
        pixels.run(begin, end, static_cast<int>(row), 1.0 - (minor - row));
        pixels.run(begin, end, static_cast<int>(row) + 1, minor - row);
        return;
    }
    for (int major = begin; major <= end; ++major, minor += gradient) {
        const double row = std::floor(minor);
        const double fraction = minor - row;
        pixels.plot(major, static_cast<int>(row), 1.0 - fraction);
        if (fraction > 0.0)
            pixels.plot(major, static_cast<int>(row) + 1, fraction);
    }
}

void BlendPolyline(QImage& image, std::span<const QPointF> points, QRgb color) {
    for (std::size_t i = 1; i < points.size(); ++i)
        BlendLine(image, points[i - 1], points[i], color);
}

} // namespace zorvex
