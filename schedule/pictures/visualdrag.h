#pragma once

#include "records.h"
#include "sharedblock.h"

#include <QPointF>
#include <QSize>

#include <span>

// Dragging a point of the schedule picture: which row a press hits, and what a move does to it.
namespace zorvex {

inline constexpr double HitTolerance = 8.0; // pixels either way, bounds included

// The first row (the lowest index wins) whose point of `channel` lies within HitTolerance of `at`
// on both axes, by the positions the last drawing stored; -1 when none does or the channel is not
// one of 0..3.
int HitTestRow(std::span<const VisualPoint> points, int channel, QPointF at);

// The row after its point of `channel` was dragged to `at` in a picture of `size`: the channel's
// level follows y and, when `moveTime` holds, the time of day follows x, both limited to the day
// (00:00..24:00) and the level range (0..4096) however far the mouse leaves the picture. Nothing
// else of the row changes; an unusable picture size or a channel outside 0..3 changes nothing.
ScheduleRow DragScheduleRow(ScheduleRow row, QSize size, int channel, QPointF at, bool moveTime);

} // namespace zorvex
