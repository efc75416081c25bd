#include "visualization.h"

#include "conversions.h"
#include "curvecolors.h"
#include "geoarc.h"
#include "onecorefill.h"
#include "pixellines.h"
#include "visualframe.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <array>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

constexpr QRgb Background = 0xFF000000;
constexpr QRgb GridColor = 0xFF101010;
constexpr QRgb LabelColor = 0xFF808080;
constexpr QRgb MarkerColor = 0xFFC0C0C0;
constexpr QRgb DragLabelText = 0xFF000000;
constexpr QRgb DragLabelBack = 0xFFFFFFFF;
constexpr int AxisLabelCount = 25;
constexpr int LevelLineCount = 11;
constexpr int PointHalfSize = 5;

// Coordinates name pixel centres (x = 20 is the middle of pixel column 20); QPainter counts from
// the pixels' corners.
QPointF Pixel(double x, double y) {
    return {x + 0.5, y + 0.5};
}

int Round(double value) {
    return static_cast<int>(RoundHalfEven(value));
}

double LevelPercent(const ScheduleRow& row, int channel) {
    return row.Color16[static_cast<std::size_t>(channel)] / (LevelMax / 100.0);
}

// What differs between the two layouts: the axis texts, the rows' x and the marker.
struct Layout {
    std::array<QString, AxisLabelCount> axisLabels;
    std::vector<double> rowX;
    std::optional<double> markerX;
    bool geo = false;
};

Layout TimeLayout(const VisualizationScene& scene, const VisualFrame& frame) {
    Layout layout;
    for (int i = 0; i < AxisLabelCount; ++i)
        layout.axisLabels[static_cast<std::size_t>(i)] = QString::number(i);
    for (const ScheduleRow& row : scene.schedule)
        layout.rowX.push_back(frame.minutesX(row.Hour * 60 + row.Minute));
    layout.markerX = frame.minutesX(scene.info.Hour * 60 + scene.info.Minute);
    return layout;
}

Layout GeoLayout(const VisualizationScene& scene, const VisualFrame& frame) {
    Layout layout;
    layout.geo = true;
    for (int i = 0; i < AxisLabelCount; ++i)
        layout.axisLabels[static_cast<std::size_t>(i)] =
            QString::number(i <= 12 ? i * 15 - 90 : 270 - i * 15) + u"°"_s;
    for (double position : GeoArcPositions(scene.schedule))
        layout.rowX.push_back(frame.arcX(position));
    if (const auto sun = SunArcPosition(scene.config, scene.info, scene.zone))
        layout.markerX = frame.arcX(*sun);
    return layout;
}

void DrawGridAndLabels(QImage& canvas, TextPen& pen, const VisualFrame& frame, const Layout& layout) {
    const int w = frame.width;
    const int h = frame.height;
    for (int i = 0; i < AxisLabelCount; ++i) {
        const double x = frame.gridX(i);
        BlendLine(canvas, {x, 20}, {x, double(h - 21)}, GridColor);
    }
    for (int j = 0; j < LevelLineCount; ++j) {
        const double y = frame.gridY(j);
        BlendLine(canvas, {20, y}, {double(w - 20), y}, GridColor);
    }
    for (int i = 0; i < AxisLabelCount; ++i) {
        const QString& text = layout.axisLabels[static_cast<std::size_t>(i)];
        const int left = Round(frame.gridX(i)) - 5;
        pen.draw(text, left, 1, LabelColor);
        pen.draw(text, left, h - pen.height(), LabelColor);
    }
    for (int j = 1; j < LevelLineCount - 1; ++j) {
        const QString text = QString::number(100 - 10 * j) + u"%"_s;
        const int top = Round(frame.gridY(j)) - 6;
        pen.drawRightAligned(text, w, top, LabelColor);
        pen.draw(text, 0, top, LabelColor);
    }
}

void DrawDragLabel(QPainter& painter, TextPen& pen, const QString& text) {
    painter.fillRect(QRect(0, 0, pen.width(text), pen.height()), QColor::fromRgba(DragLabelBack));
    pen.draw(text, 0, 0, DragLabelText);
}

} // namespace

QString TimeDragText(const ScheduleRow& row, int channel, const QLocale& locale) {
    return FormatTwoDigits(row.Hour) + u":"_s + FormatTwoDigits(row.Minute) + u" "_s +
           FormatNumber(LevelPercent(row, channel), Pattern0_HH, locale) + u"%"_s;
}

QString GeoDragText(const ScheduleRow& row, int channel, const QLocale& locale) {
    const auto altitude = RowAltitudeDegrees(row.Alt);
    const QString degrees = altitude ? FormatNumber(*altitude, Pattern0_HH, locale) : u"0"_s;
    return degrees + u"° "_s + FormatNumber(LevelPercent(row, channel), Pattern0, locale) + u"%"_s;
}

VisualizationPicture RenderVisualization(const VisualizationScene& scene, QSize size, QImage canvas) {
    VisualizationPicture picture;
    if (canvas.size() != size || canvas.format() != QImage::Format_ARGB32_Premultiplied)
        canvas = QImage(size, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Background);
    picture.points.assign(scene.schedule.size(), VisualPoint{});

    const VisualFrame frame{size.width(), size.height()};
    if (canvas.isNull() || !frame.usable()) {
        picture.image = std::move(canvas);
        return picture;
    }
    const Layout layout =
        scene.config.Mode == ModeGeoLayout ? GeoLayout(scene, frame) : TimeLayout(scene, frame);
    const int w = frame.width;
    const int h = frame.height;
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        TextPen pen(painter, scene.font);
        DrawGridAndLabels(canvas, pen, frame, layout);
        if (layout.markerX && *layout.markerX >= 0.0 && *layout.markerX <= w) {
            BlendLine(canvas, {*layout.markerX, 0}, {*layout.markerX, double(h)}, MarkerColor);
            picture.markerX = layout.markerX;
        }

        const std::size_t rows = scene.schedule.size();
        for (std::size_t r = 0; r < rows; ++r) {
            picture.points[r][0] = static_cast<float>(layout.rowX[r]);
            for (std::size_t c = 0; c < ChannelCount; ++c)
                picture.points[r][c + 1] = static_cast<float>(frame.levelY(scene.schedule[r].Color16[c]));
        }

        // The chosen channel comes last, on top of the others.
        const int chosen = std::clamp(scene.visualChannel, 0, int(ChannelCount) - 1);
        for (int step = 1; rows > 0 && step <= int(ChannelCount); ++step) {
            const int channel = (chosen + step) % int(ChannelCount);
            const auto c = static_cast<std::size_t>(channel);
            const std::size_t color = CurveColorIndex(scene.config.ColorName[c]);
            // The level at midnight is carried over from the end of the day.
            std::vector<QPointF> curve;
            curve.reserve(rows + 1);
            curve.emplace_back(20.0, picture.points[rows - 1][c + 1]);
            for (const VisualPoint& point : picture.points)
                curve.emplace_back(point[0], point[c + 1]);
            if (channel != chosen) {
                BlendPolyline(canvas, curve, ChannelFillColors[color]);
                continue;
            }
            for (std::size_t r = 0; r < rows; ++r) {
                if (int(r) == scene.dragRow) {
                    const ScheduleRow& row = scene.schedule[r];
                    DrawDragLabel(painter, pen,
                                  layout.geo ? GeoDragText(row, channel, scene.locale)
                                             : TimeDragText(row, channel, scene.locale));
                }
                const QPointF at = curve[r + 1];
                const QRect square(
                    QPoint(Round(at.x() - PointHalfSize), Round(at.y() - PointHalfSize)),
                    QPoint(Round(at.x() + PointHalfSize) - 1, Round(at.y() + PointHalfSize) - 1));
                painter.fillRect(square, QColor::fromRgba(ChannelLineColors[color]));
            }
            BlendPolyline(canvas, curve, ChannelLineColors[color]);
            // The translucent area under the curve, down to the bottom of the plot.
            QPolygonF area;
            area.reserve(qsizetype(rows) + 3);
            for (const QPointF& point : curve)
                area << Pixel(point.x(), point.y());
            area << Pixel(w - 20, h - 20) << Pixel(20, h - 20);
            RunFillOnOneThread([&] {
                painter.setPen(Qt::NoPen);
                painter.setBrush(QColor::fromRgba(ChannelFillColors[color]));
                painter.drawPolygon(area, Qt::OddEvenFill);
            });
        }
        picture.texts = pen.take();
    }
    picture.image = std::move(canvas);
    return picture;
}

} // namespace zorvex
