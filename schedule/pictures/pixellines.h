#pragma once

#include <QImage>
#include <QPointF>
#include <QRgb>

#include <span>

// Anti-aliased one-pixel lines written straight into the pixels of a picture. The pictures draw
// their grids, markers and curves with these because the general rasteriser is slow for exactly
// these lines: measured at 1920 x 1080, about 0.3 ms for each long horizontal or steep line and
// as much again for a translucent colour, which puts a redraw far beyond the drag timer's budget;
// these cost a few microseconds each. Coordinates name pixel centres (x = 20 is the middle of
// pixel column 20); each pixel receives the colour by the share of it the line covers (Xiaolin
// Wu's method, end points at sub-pixel positions).
//
// The image must be Format_ARGB32_Premultiplied. Writing the pixels while a QPainter paints on
// the same image is fine: the painter draws straight into the same memory and keeps no copy.
namespace zorvex {

void BlendLine(QImage& image, QPointF from, QPointF to, QRgb color);

// Consecutive points joined by lines.
void BlendPolyline(QImage& image, std::span<const QPointF> points, QRgb color);

} // namespace zorvex
