#pragma once

#include "configfile.h"
#include "records.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace zorvex {

class SharedBlock;

// Columns of the schedule grid: the line number, the start (time of day, or the sun altitude in
// mode Geo), the four channel levels, the Display, Clouds and Thunderstorms switches, the JMP pin.
inline constexpr int ScheduleLineColumn = 0;
inline constexpr int ScheduleStartColumn = 1;
inline constexpr int ScheduleFirstChannelColumn = 2;
inline constexpr int ScheduleFirstSwitchColumn = 6;
inline constexpr int ScheduleTimerColumn = 9;
inline constexpr int ScheduleColumnCount = 10;

// The switch bit of each switch column; bits 0..4 of Switch are neither shown nor edited.
inline constexpr std::array<std::uint8_t, 3> ScheduleSwitchBits{0x20, 0x40, 0x80};

// Mode Geo starts its lines at sun altitudes; every other mode at times of day.
constexpr bool UsesAltitude(std::uint8_t mode) {
    return mode == 2;
}
constexpr bool IsChannelColumn(int column) {
    return column >= ScheduleFirstChannelColumn && column < ScheduleFirstSwitchColumn;
}
constexpr bool IsSwitchColumn(int column) {
    return column >= ScheduleFirstSwitchColumn && column < ScheduleTimerColumn;
}

// --- cell texts ---
// "HH:MM" with two digits each: 7 and 5 give "07:05", the end of the day "24:00".
QString ScheduleTimeText(int hour, int minute);
// The altitude in degrees, arcsin(alt / 10000) with "0.##"; "0" when |alt| > 10000.
QString ScheduleAltitudeText(int alt, const QLocale& locale = QLocale());
// The level in percent without a sign, level / 40.96 with "0.##" (4096 -> "100", 1 -> "0.02").
QString ScheduleLevelText(int level, const QLocale& locale = QLocale());
// The translated "ON" or "OFF".
QString SwitchText(bool on);
// Any text but exactly the translated "OFF" counts as on.
bool IsSwitchOnText(const QString& text);
// What a click makes of a switch cell: the translated "ON" becomes "OFF", anything else "ON".
QString ToggledSwitchText(const QString& text);
// The text of one cell of the line `index`.
QString ScheduleCellText(const ScheduleRow& row, int index, int column, bool altitude,
                         const QLocale& locale = QLocale());
// All ScheduleColumnCount cells of the line `index`.
QStringList ScheduleRowTexts(const ScheduleRow& row, int index, bool altitude,
                             const QLocale& locale = QLocale());

// The rows of the schedule import's preview: for every cell whose text the changes alter, the
// line number, the column's header (from `headers`, by column), the cell's text now and after the
// import. Changes of no row of `current` are left out; a changed field no cell shows (the hidden
// switch bits) gives a row with its key and numbers.
QList<QStringList> ScheduleChangeRows(const std::vector<ScheduleRow>& current,
                                      const std::vector<FieldChange>& changes, const QStringList& headers,
                                      bool altitude, const QLocale& locale = QLocale());

// --- cell texts back to values; empty when the text does not convert or the value needs more
// bits than its field ---
// round(sin(degrees) * 10000), halves to even.
std::optional<std::int16_t> AltFromText(const QString& text, const QLocale& locale = QLocale());
// round(percent * 40.96), halves to even; 200 % is 8192, no limit beyond the field's width.
std::optional<std::int16_t> LevelFromText(const QString& text, const QLocale& locale = QLocale());

// The row that the cell texts of one grid line describe, starting from `current`. Each field is
// converted on its own and keeps its value when its text does not convert: in mode Geo the start
// column sets Alt only, otherwise Hour (the integer before the first ":") and Minute (the integer
// after it, or the whole text without ":"). A missing cell leaves its fields as they are.
ScheduleRow ParseScheduleRowTexts(const QStringList& cells, const ScheduleRow& current, bool altitude,
                                  const QLocale& locale = QLocale());

// Reads the cell texts of line `index` into Schedule[index] (the mode decides the start column)
// and marks the row for upload. Nothing happens, and false is returned, unless index is a row
// of Schedule.
bool StoreScheduleRowTexts(SharedBlock& block, int index, const QStringList& cells,
                           const QLocale& locale = QLocale());

} // namespace zorvex
