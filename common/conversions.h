#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

namespace zorvex {

// Number patterns the window uses: at least `minDecimals` and at most `maxDecimals` digits after
// the decimal separator, no group separator ("0.##" is {0, 2}, "0.0" is {1, 1}, "0" is {0, 0}).
struct NumberPattern {
    int minDecimals = 0;
    int maxDecimals = 0;
};
inline constexpr NumberPattern Pattern0{0, 0};    // "0"
inline constexpr NumberPattern Pattern0_H{0, 1};  // "0.#"
inline constexpr NumberPattern Pattern0_HH{0, 2}; // "0.##"
inline constexpr NumberPattern Pattern0_0{1, 1};  // "0.0"
inline constexpr NumberPattern Pattern0_00{2, 2}; // "0.00"

// Rounds to the nearest integer, exact halves to the even neighbour.
double RoundHalfEven(double value);
// A place in degrees as the device record keeps it (Config.Lat and Config.Lon): tenths of a
// degree, halves to even.
std::int16_t TenthsOfDegree(double degrees);

// `value` rounded (halves to even) to the pattern's last digit and written with the locale's
// decimal separator; trailing zeros beyond the pattern's minimum are dropped. Never "-0".
QString FormatNumber(double value, NumberPattern pattern, const QLocale& locale = QLocale());
// Two-digit text of an integer ("00" pattern): 7 -> "07", 24 -> "24".
QString FormatTwoDigits(int value);

// A decimal number typed by the user, with the locale's decimal separator and no group
// separators; surrounding blanks are ignored. Empty when the text is not a finite number.
std::optional<double> ParseDecimal(const QString& text, const QLocale& locale = QLocale());

// A typed decimal number times `multiplier` divided by `divisor`, rounded to the nearest integer
// with halves to even: the settings editors' percent (1, 1), tenths (10, 1) and moon levels
// (4096, 100). Empty when the text is not a number or the result lies beyond 64 bits.
std::optional<std::int64_t> ScaledIntegerFromText(const QString& text, double multiplier,
                                                  double divisor = 1.0, const QLocale& locale = QLocale());

// --- channel levels: 0..4096 stand for 0..100 % ---
inline constexpr int LevelMax = 4096;
// The percent text of a level, value / 40.96 with "0.##" (819 -> "20", 4096 -> "100").
QString LevelPercentText(int level, const QLocale& locale = QLocale());
// The level of a typed percentage: round(percent * 40.96), halves to even, limited to 0..4096
// (a channel never receives a level outside the slider's range).
int LevelFromPercent(double percent);
// The same from the text of a channel edit; empty when the text is not a number.
std::optional<int> LevelFromPercentText(const QString& text, const QLocale& locale = QLocale());

// --- temperatures: signed tenths of a degree Celsius ---
inline constexpr std::uint8_t FlagFahrenheit = 0x04;
// "°F" when the device shows Fahrenheit, else "°C".
QString TemperatureUnitText(bool fahrenheit);
// t * 9 / 50 + 32 in Fahrenheit or t / 10 in Celsius, pattern "0.0".
QString FormatTemperature(int tenthsCelsius, bool fahrenheit, const QLocale& locale = QLocale());
// Inverse of FormatTemperature: round((x - 32) / 9 * 50) or round(x * 10), halves to even.
std::optional<int> ParseTemperature(const QString& text, bool fahrenheit, const QLocale& locale = QLocale());

// --- weather rates (integer arithmetic, divisions truncate) ---
// Clouds per day from the chance per tenth of a second in units of 2^-19.
int CloudCountFromRate(std::uint16_t cloudP);
// Average cloud seconds; empty for a zero rate (the slider keeps its position).
std::optional<int> CloudSecondsFromRate(std::uint16_t cloudD);
// Thunderstorms per week from the chance per tenth of a second in units of 2^-23.
int StormCountFromRate(std::uint16_t stormP);
// Average thunderstorm minutes; empty for a zero rate.
std::optional<int> StormMinutesFromRate(std::uint16_t stormD);

// The inverses, as the weather page stores them (64-bit products, truncating divisions; a result
// beyond the 16-bit field is limited to 0..65535).
// CloudP: the chance per tenth of a second that a cloud starts, (count * 2^19) / 864000.
std::uint16_t CloudStartRate(int cloudsPerDay);
// CloudD: the chance per tenth of a second that a cloud ends, (2^19 / seconds) / 10; 65535 when
// seconds <= 0.
std::uint16_t CloudEndRate(int seconds);
// StormP: ((count * 2^23) / 864000) / 7 for thunderstorms per week.
std::uint16_t StormStartRate(int stormsPerWeek);
// StormD: ((2^23 / minutes) / 10) / 60; 65535 when minutes <= 0.
std::uint16_t StormEndRate(int minutes);

} // namespace zorvex
