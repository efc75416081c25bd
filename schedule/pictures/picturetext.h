#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QRgb>
#include <QString>

#include <vector>

class QPainter;

namespace zorvex {

// One text a picture drew: its words, the rectangle it occupies and its colour. The renderers
// hand these back with the image so that callers can see what stands where.
struct PictureText {
    QString text;
    QRect rect;
    QRgb color = 0;
};

// Draws texts without anti-aliasing, placed by their top-left corner, and records each one.
class TextPen {
public:
    TextPen(QPainter& painter, QFont font);

    int width(const QString& text) const { return m_metrics.horizontalAdvance(text); }
    int height() const { return m_metrics.height(); }

    void draw(const QString& text, int left, int top, QRgb color);
    // The text right-aligned to `right` (its left edge at right - width).
    void drawRightAligned(const QString& text, int right, int top, QRgb color);

    std::vector<PictureText> take() { return std::move(m_drawn); }

private:
    QPainter& m_painter;
    QFont m_font;
    QFontMetrics m_metrics;
    std::vector<PictureText> m_drawn;
};

} // namespace zorvex
