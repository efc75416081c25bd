#pragma once

#include "records.h"

#include <cstddef>
#include <vector>

namespace zorvex::devsim {

// The settings a freshly started device reports: what its firmware holds after a reset.

inline constexpr std::int16_t DefaultTempWater = 253; // 25.3 °C
inline constexpr std::int16_t DefaultTempBoard = 380; // 38.0 °C
inline constexpr std::size_t DefaultRowCount = 8;
inline constexpr std::size_t MaxRowCount = 127;

Config defaultConfig();
Expert defaultExpert();
ExpertWeather defaultExpertWeather();

// A day programme: dawn from 07:00, a plateau around noon, dusk ending at 22:00. Row i of any
// length is row i of that day (rows past the eighth mark the end of the day, 24:00, dark).
ScheduleRow defaultScheduleRow(std::size_t index);
std::vector<ScheduleRow> defaultSchedule(std::size_t rowCount);

// Round(sin(altitude) * 10000), the schedule's encoding of a sun altitude in degrees.
std::int16_t encodeAltitude(double degrees);

// The recorded chart for the chosen source: 36 samples of a gently varying curve, the oldest
// slots still empty as if the device had been switched on a while ago. Without a water sensor
// the water chart is empty.
Chart defaultChart(std::uint8_t chartMode, bool waterSensor);

} // namespace zorvex::devsim
