#include "visualdrag.h"

#include "visualframe.h"

#include <cmath>

namespace zorvex {

namespace {
bool IsChannel(int channel) {
    return channel >= 0 && channel < int(ChannelCount);
}
} // namespace

int HitTestRow(std::span<const VisualPoint> points, int channel, QPointF at) {
    if (!IsChannel(channel))
        return -1;
    for (std::size_t r = 0; r < points.size(); ++r) {
        const double x = points[r][0];
        const double y = points[r][static_cast<std::size_t>(channel) + 1];
        if (std::abs(x - at.x()) <= HitTolerance && std::abs(y - at.y()) <= HitTolerance)
            return int(r);
    }
    return -1;
}

ScheduleRow DragScheduleRow(ScheduleRow row, QSize size, int channel, QPointF at, bool moveTime) {
    const VisualFrame frame{size.width(), size.height()};
    if (!frame.usable() || !IsChannel(channel))
        return row;
    if (moveTime) {
        const int minutes = frame.minutesAt(at.x());
        row.Hour = static_cast<std::int8_t>(minutes / 60);
        row.Minute = static_cast<std::int8_t>(minutes % 60);
    }
    row.Color16[static_cast<std::size_t>(channel)] = static_cast<std::int16_t>(frame.levelAt(at.y()));
    return row;
}

} // namespace zorvex
