#pragma once

#include "records.h"

#include <QTimeZone>

#include <optional>
#include <span>
#include <vector>

// The sun's day arc of the Geo layout: a place p from 0 to 360 degrees, rising on the left half
// (p = altitude + 90) and setting on the right half (p = 270 - altitude).
namespace zorvex {

// Sun altitude of a schedule row in degrees, arcsin(Alt / 10000); empty when |Alt| > 10000.
std::optional<double> RowAltitudeDegrees(std::int16_t alt);

// The place of every row on the arc. Rows from the first one up to the peak (the first row whose
// successor is lower) rise; rows from the last one back to the row after the first dip seen from
// the end set; a row reached from both sides keeps its setting place, a row reached by neither
// stays at 0. A row without a valid altitude counts as altitude 0.
std::vector<double> GeoArcPositions(std::span<const ScheduleRow> schedule);

// The sun's place on the arc at the device's clock (a local time under `zone`) and location
// (Config.Lat, Config.Lon): east of the meridian on the rising half, else on the setting half.
// Empty when the device's date or time of day is not a valid one.
std::optional<double> SunArcPosition(const Config& config, const Info& info, const QTimeZone& zone);

} // namespace zorvex
