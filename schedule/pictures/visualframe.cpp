#include "visualframe.h"

#include "conversions.h"

#include <algorithm>

namespace zorvex {

namespace {
constexpr double Margin = 20.0;
} // namespace

double VisualFrame::gridX(int i) const {
    return RoundHalfEven(i * (width - 40) / 24.0) + Margin;
}

double VisualFrame::gridY(int j) const {
    return RoundHalfEven(j * (height - 41) / 10.0 + Margin);
}

double VisualFrame::levelY(double level) const {
    return (1.0 - level / LevelMax) * (height - 41) + Margin;
}

double VisualFrame::minutesX(double minutes) const {
    return minutes * (width - 40) / MinutesPerDay + Margin;
}

double VisualFrame::arcX(double degrees) const {
    return degrees * (width - 40) / 360.0 + Margin;
}

int VisualFrame::levelAt(double y) const {
    const double level = RoundHalfEven((1.0 - (y - Margin) / (height - 41)) * LevelMax);
    return static_cast<int>(std::clamp(level, 0.0, double(LevelMax)));
}

int VisualFrame::minutesAt(double x) const {
    const double minutes = RoundHalfEven((x - Margin) * MinutesPerDay / (width - 40));
    return static_cast<int>(std::clamp(minutes, 0.0, double(MinutesPerDay)));
}

} // namespace zorvex
