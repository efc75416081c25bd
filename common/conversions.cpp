#include "conversions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zorvex {

using namespace Qt::StringLiterals;

double RoundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which is round-to-nearest-even by default;
    // the explicit form below keeps the result independent of it.
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff > 0.5)
        return floor + 1.0;
    if (diff < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

std::int16_t TenthsOfDegree(double degrees) {
    return static_cast<std::int16_t>(RoundHalfEven(degrees * 10.0));
}

QString FormatNumber(double value, NumberPattern pattern, const QLocale& locale) {
    if (!std::isfinite(value))
        return {};
    const double scale = std::pow(10.0, pattern.maxDecimals);
    double rounded = RoundHalfEven(value * scale) / scale;
    if (rounded == 0.0)
        rounded = 0.0; // no "-0"
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = plain.toString(rounded, 'f', pattern.maxDecimals);
    if (pattern.maxDecimals > pattern.minDecimals) {
        const QString point = plain.decimalPoint();
        const qsizetype dot = text.indexOf(point);
        if (dot >= 0) {
            qsizetype keep = text.size();
            const qsizetype minimum = dot + point.size() + pattern.minDecimals;
            while (keep > minimum && text.at(keep - 1) == plain.zeroDigit().at(0))
                --keep;
            if (keep == dot + point.size())
                keep = dot; // no trailing separator
            text.truncate(keep);
        }
    }
    return text;
}

QString FormatTwoDigits(int value) {
    return value >= 0 && value < 10 ? u"0"_s + QString::number(value) : QString::number(value);
}

std::optional<double> ParseDecimal(const QString& text, const QLocale& locale) {
    QLocale strict = locale;
    strict.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = strict.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> ScaledIntegerFromText(const QString& text, double multiplier, double divisor,
                                                  const QLocale& locale) {
    const auto x = ParseDecimal(text, locale);
    if (!x || divisor == 0.0)
        return std::nullopt;
    const double rounded = RoundHalfEven(*x * multiplier / divisor);
    // 2^63 is the first double beyond the 64-bit range; anything not below it (or NaN) is refused.
    constexpr double limit = 9223372036854775808.0;
    if (!(rounded < limit && rounded >= -limit))
        return std::nullopt;
    return static_cast<std::int64_t>(rounded);
}

QString LevelPercentText(int level, const QLocale& locale) {
    return FormatNumber(level / 40.96, Pattern0_HH, locale);
}

int LevelFromPercent(double percent) {
    const double level = RoundHalfEven(percent * 40.96);
    if (!(level > 0.0))
        return 0;
    if (level > LevelMax)
        return LevelMax;
    return static_cast<int>(level);
}

std::optional<int> LevelFromPercentText(const QString& text, const QLocale& locale) {
    const auto percent = ParseDecimal(text, locale);
    if (!percent)
        return std::nullopt;
    return LevelFromPercent(*percent);
}

QString TemperatureUnitText(bool fahrenheit) {
    return fahrenheit ? u"°F"_s : u"°C"_s;
}

QString FormatTemperature(int tenthsCelsius, bool fahrenheit, const QLocale& locale) {
    const double shown = fahrenheit ? tenthsCelsius * 9.0 / 50.0 + 32.0 : tenthsCelsius / 10.0;
    return FormatNumber(shown, Pattern0_0, locale);
}

std::optional<int> ParseTemperature(const QString& text, bool fahrenheit, const QLocale& locale) {
    const auto x = ParseDecimal(text, locale);
    if (!x)
        return std::nullopt;
    const double tenths = RoundHalfEven(fahrenheit ? (*x - 32.0) / 9.0 * 50.0 : *x * 10.0);
    if (tenths < std::numeric_limits<int>::min() || tenths > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(tenths);
}

int CloudCountFromRate(std::uint16_t cloudP) {
    return static_cast<int>((std::uint64_t{cloudP} * 864000u) >> 19);
}

std::optional<int> CloudSecondsFromRate(std::uint16_t cloudD) {
    if (cloudD == 0)
        return std::nullopt;
    return static_cast<int>((524288u / std::uint64_t{cloudD}) / 10u);
}

int StormCountFromRate(std::uint16_t stormP) {
    return static_cast<int>((std::uint64_t{stormP} * 864000u * 7u) >> 23);
}

std::optional<int> StormMinutesFromRate(std::uint16_t stormD) {
    if (stormD == 0)
        return std::nullopt;
    return static_cast<int>(((8388608u / std::uint64_t{stormD}) / 10u) / 60u);
}

namespace {
constexpr std::int64_t CloudScale = 524288;  // 2^19
constexpr std::int64_t StormScale = 8388608; // 2^23
constexpr std::int64_t TenthsPerDay = 864000;
constexpr std::uint16_t NoEnd = 65535;

std::uint16_t ToRate(std::int64_t value) {
    return static_cast<std::uint16_t>(std::clamp<std::int64_t>(value, 0, 65535));
}
} // namespace

std::uint16_t CloudStartRate(int cloudsPerDay) {
    return ToRate(std::int64_t{cloudsPerDay} * CloudScale / TenthsPerDay);
}

std::uint16_t CloudEndRate(int seconds) {
    if (seconds <= 0)
        return NoEnd;
    return ToRate(CloudScale / seconds / 10);
}

std::uint16_t StormStartRate(int stormsPerWeek) {
    return ToRate(std::int64_t{stormsPerWeek} * StormScale / TenthsPerDay / 7);
}

std::uint16_t StormEndRate(int minutes) {
    if (minutes <= 0)
        return NoEnd;
    return ToRate(StormScale / minutes / 10 / 60);
}

} // namespace zorvex
