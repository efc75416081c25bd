#include "picturetext.h"

#include <QPainter>

namespace zorvex {

namespace {
QFont Aliased(QFont font) {
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}
} // namespace

TextPen::TextPen(QPainter& painter, QFont font)
    : m_painter(painter), m_font(Aliased(std::move(font))), m_metrics(m_font, painter.device()) {}

void TextPen::draw(const QString& text, int left, int top, QRgb color) {
    m_painter.setFont(m_font);
    m_painter.setPen(QColor::fromRgba(color));
    m_painter.drawText(QPoint(left, top + m_metrics.ascent()), text);
    m_drawn.push_back({text, QRect(left, top, width(text), height()), color});
}

void TextPen::drawRightAligned(const QString& text, int right, int top, QRgb color) {
    draw(text, right - width(text), top, color);
}

} // namespace zorvex
