#pragma once

// Where things stand in the schedule picture of W x H pixels: a 20 px margin on every side (the
// bottom grid line is at H - 21), the day from x = 20 to W - 20, levels 4096 at y = 20 down to 0
// at y = H - 21. The drawing and the drag maths both measure with it.
namespace zorvex {

inline constexpr int MinutesPerDay = 1440;

struct VisualFrame {
    int width = 0;
    int height = 0;

    // A picture too small for a plot area (W <= 40 or H <= 41) shows only its background.
    bool usable() const { return width > 40 && height > 41; }

    // Vertical grid line i = 0..24 (hours, or 15 degrees of the sun's arc each).
    double gridX(int i) const;
    // Horizontal grid line j = 0..10 (10 % of the level each, 100 % at j = 0).
    double gridY(int j) const;

    // Unrounded positions of a level, a time of day and a place on the sun's day arc (0..360).
    double levelY(double level) const;
    double minutesX(double minutes) const;
    double arcX(double degrees) const;

    // The level and the time of day under a mouse position, limited to 0..4096 and 0..1440.
    int levelAt(double y) const;
    int minutesAt(double x) const;
};

} // namespace zorvex
