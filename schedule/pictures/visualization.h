#pragma once

#include "picturetext.h"
#include "records.h"
#include "sharedblock.h"

#include <QFont>
#include <QImage>
#include <QLocale>
#include <QTimeZone>

#include <optional>
#include <span>
#include <vector>

// The schedule picture: four brightness curves over one day on black, in the time-of-day layout
// or, in mode Geo, along the sun's day arc.
namespace zorvex {

inline constexpr std::uint8_t ModeGeoLayout = 2; // Config.Mode of the sun's-arc layout

struct VisualizationScene {
    std::span<const ScheduleRow> schedule;
    Config config;
    Info info;                                    // the device's clock places the current-time or sun marker
    int visualChannel = 0;                        // the chosen channel, drawn last with its points and area
    int dragRow = -1;                             // the row whose point is being dragged, -1 for none
    QTimeZone zone = QTimeZone::systemTimeZone(); // the zone the device's clock is read in
    QLocale locale;
    QFont font;
};

struct VisualizationPicture {
    QImage image;
    // Per row the x of its points and the y of each channel, unrounded; the hit test reads them.
    std::vector<VisualPoint> points;
    std::optional<double> markerX; // the marker line, when drawn
    std::vector<PictureText> texts;
};

// Texts of the drag label of a row: "07:30 45.5%" in the time layout, "30° 45%" on the sun's arc.
QString TimeDragText(const ScheduleRow& row, int channel, const QLocale& locale);
QString GeoDragText(const ScheduleRow& row, int channel, const QLocale& locale);

// Draws the whole picture at `size` from scratch. `canvas` is reused when it already has that
// size (pass the previous image while dragging).
VisualizationPicture RenderVisualization(const VisualizationScene& scene, QSize size, QImage canvas = {});

} // namespace zorvex
