#include "schedulecells.h"

#include "conversions.h"
#include "fieldvalue.h"
#include "language.h"
#include "sharedblock.h"

#include <cmath>
#include <numbers>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

constexpr double AltScale = 10000.0;
constexpr double LevelPerPercent = 40.96;

// A computed value into a 16-bit field under the same width rule as a typed integer.
std::optional<std::int16_t> FitRounded(double value) {
    const double rounded = RoundHalfEven(value);
    // Far beyond any field; keeps the conversion to an integer defined.
    if (!std::isfinite(rounded) || std::fabs(rounded) > 1e15)
        return std::nullopt;
    return FitToField<std::int16_t>(static_cast<std::int64_t>(rounded));
}

void ParseTime(const QString& text, ScheduleRow& row) {
    QStringView rest = text;
    const qsizetype colon = text.indexOf(u':');
    if (colon >= 0) {
        if (const auto hour = ParseFieldValue<std::int8_t>(rest.left(colon)))
            row.Hour = *hour;
        rest = rest.mid(colon + 1);
    }
    if (const auto minute = ParseFieldValue<std::int8_t>(rest))
        row.Minute = *minute;
}

} // namespace

QString ScheduleTimeText(int hour, int minute) {
    return FormatTwoDigits(hour) + u':' + FormatTwoDigits(minute);
}

QString ScheduleAltitudeText(int alt, const QLocale& locale) {
    const double sine = alt / AltScale;
    if (sine < -1.0 || sine > 1.0)
        return u"0"_s;
    return FormatNumber(std::asin(sine) * 180.0 / std::numbers::pi, Pattern0_HH, locale);
}

QString ScheduleLevelText(int level, const QLocale& locale) {
    return FormatNumber(level / LevelPerPercent, Pattern0_HH, locale);
}

QString SwitchText(bool on) {
    return LookupMessage(on ? u"ON"_s : u"OFF"_s);
}

bool IsSwitchOnText(const QString& text) {
    return text != LookupMessage(u"OFF"_s);
}

QString ToggledSwitchText(const QString& text) {
    return SwitchText(text != LookupMessage(u"ON"_s));
}

QString ScheduleCellText(const ScheduleRow& row, int index, int column, bool altitude,
                         const QLocale& locale) {
    if (column == ScheduleLineColumn)
        return QString::number(index);
    if (column == ScheduleStartColumn)
        return altitude ? ScheduleAltitudeText(row.Alt, locale) : ScheduleTimeText(row.Hour, row.Minute);
    if (IsChannelColumn(column))
        return ScheduleLevelText(row.Color16[static_cast<std::size_t>(column - ScheduleFirstChannelColumn)],
                                 locale);
    if (IsSwitchColumn(column))
        return SwitchText(
            (row.Switch & ScheduleSwitchBits[static_cast<std::size_t>(column - ScheduleFirstSwitchColumn)]) !=
            0);
    if (column == ScheduleTimerColumn)
        return QString::number(row.Timer);
    return {};
}

QStringList ScheduleRowTexts(const ScheduleRow& row, int index, bool altitude, const QLocale& locale) {
    QStringList cells;
    cells.reserve(ScheduleColumnCount);
    for (int column = 0; column < ScheduleColumnCount; ++column)
        cells.append(ScheduleCellText(row, index, column, altitude, locale));
    return cells;
}

QList<QStringList> ScheduleChangeRows(const std::vector<ScheduleRow>& current,
                                      const std::vector<FieldChange>& changes, const QStringList& headers,
                                      bool altitude, const QLocale& locale) {
    std::vector<ScheduleRow> imported = current;
    ApplyScheduleChanges(imported, changes);
    QList<QStringList> rows;
    for (std::size_t index = 0; index < current.size(); ++index) {
        const int line = static_cast<int>(index);
        const QStringList before = ScheduleRowTexts(current[index], line, altitude, locale);
        const QStringList after = ScheduleRowTexts(imported[index], line, altitude, locale);
        const qsizetype shownRows = rows.size();
        for (int column = ScheduleStartColumn; column < ScheduleColumnCount; ++column)
            if (before.at(column) != after.at(column))
                rows << QStringList{before.at(ScheduleLineColumn), headers.value(column), before.at(column),
                                    after.at(column)};
        if (rows.size() > shownRows)
            continue;
        const QString section = ScheduleSection(index);
        for (const FieldChange& change : changes)
            if (change.section == section)
                rows << QStringList{before.at(ScheduleLineColumn), change.key,
                                    QString::number(change.current), QString::number(change.fromFile)};
    }
    return rows;
}

std::optional<std::int16_t> AltFromText(const QString& text, const QLocale& locale) {
    const auto degrees = ParseDecimal(text, locale);
    if (!degrees)
        return std::nullopt;
    return FitRounded(std::sin(*degrees * std::numbers::pi / 180.0) * AltScale);
}

std::optional<std::int16_t> LevelFromText(const QString& text, const QLocale& locale) {
    const auto percent = ParseDecimal(text, locale);
    if (!percent)
        return std::nullopt;
    return FitRounded(*percent * LevelPerPercent);
}

ScheduleRow ParseScheduleRowTexts(const QStringList& cells, const ScheduleRow& current, bool altitude,
                                  const QLocale& locale) {
    ScheduleRow row = current;
    const auto has = [&](int column) { return column < cells.size(); };
    if (has(ScheduleStartColumn)) {
        const QString& start = cells.at(ScheduleStartColumn);
        if (!altitude)
            ParseTime(start, row);
        else if (const auto alt = AltFromText(start, locale))
            row.Alt = *alt;
    }
    for (std::size_t channel = 0; channel < ChannelCount; ++channel) {
        const int column = ScheduleFirstChannelColumn + static_cast<int>(channel);
        if (!has(column))
            continue;
        if (const auto level = LevelFromText(cells.at(column), locale))
            row.Color16[channel] = *level;
    }
    for (std::size_t i = 0; i < ScheduleSwitchBits.size(); ++i) {
        const int column = ScheduleFirstSwitchColumn + static_cast<int>(i);
        if (!has(column))
            continue;
        if (IsSwitchOnText(cells.at(column)))
            row.Switch = static_cast<std::uint8_t>(row.Switch | ScheduleSwitchBits[i]);
        else
            row.Switch = static_cast<std::uint8_t>(row.Switch & ~ScheduleSwitchBits[i]);
    }
    if (has(ScheduleTimerColumn)) {
        if (const auto timer = ParseFieldValue<std::int16_t>(cells.at(ScheduleTimerColumn)))
            row.Timer = *timer;
    }
    return row;
}

bool StoreScheduleRowTexts(SharedBlock& block, int index, const QStringList& cells, const QLocale& locale) {
    if (index < 0 || static_cast<std::size_t>(index) >= block.Schedule.size())
        return false;
    const auto i = static_cast<std::size_t>(index);
    block.Schedule[i] =
        ParseScheduleRowTexts(cells, block.Schedule[i], UsesAltitude(block.Config.Mode), locale);
    block.MarkScheduleRowChanged(i);
    return true;
}

} // namespace zorvex
