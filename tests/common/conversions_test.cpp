// Number patterns, channel levels, temperatures, weather rates and the device clock's time zone.
#include "conversions.h"
#include "devicetimezone.h"

#include <tuple>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {
const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale German(QLocale::German, QLocale::Germany);
} // namespace

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(3.5), 4.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(-3.5), -4.0);
    EXPECT_EQ(RoundHalfEven(2.4999), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5001), 3.0);
}

TEST(FormatNumber, PatternsInTheUsersLocale) {
    EXPECT_EQ(FormatNumber(12.5, Pattern0_HH, German), u"12,5"_s);
    EXPECT_EQ(FormatNumber(12.5, Pattern0_HH, English), u"12.5"_s);
    EXPECT_EQ(FormatNumber(20.0, Pattern0_HH, English), u"20"_s);
    EXPECT_EQ(FormatNumber(24.4140625, Pattern0_HH, English), u"24.41"_s);
    EXPECT_EQ(FormatNumber(3.0, Pattern0_0, German), u"3,0"_s);
    EXPECT_EQ(FormatNumber(0.125, Pattern0_00, English), u"0.12"_s);     // an exact half goes to even
    EXPECT_EQ(FormatNumber(-0.001, Pattern0_H, English), u"0"_s);        // never "-0"
    EXPECT_EQ(FormatNumber(12345.6, Pattern0_H, English), u"12345.6"_s); // no group separator
    EXPECT_EQ(FormatTwoDigits(7), u"07"_s);
    EXPECT_EQ(FormatTwoDigits(24), u"24"_s);
}

TEST(ParseDecimal, OnlyTheLocalesSeparatorCounts) {
    EXPECT_EQ(ParseDecimal(u"12,5"_s, German), 12.5);
    EXPECT_EQ(ParseDecimal(u" 50 "_s, German), 50.0);
    EXPECT_FALSE(ParseDecimal(u"12.5"_s, German).has_value());
    EXPECT_FALSE(ParseDecimal(u"abc"_s, English).has_value());
    EXPECT_FALSE(ParseDecimal(QString(), English).has_value());
    EXPECT_FALSE(ParseDecimal(u"inf"_s, English).has_value());
}

TEST(ChannelLevels, PercentTextAndBack) {
    EXPECT_EQ(LevelPercentText(4096, English), u"100"_s);
    EXPECT_EQ(LevelPercentText(819, English), u"20"_s);
    EXPECT_EQ(LevelPercentText(2048, German), u"50"_s);
    EXPECT_EQ(LevelPercentText(1, English), u"0.02"_s);
    EXPECT_EQ(LevelFromPercentText(u"12,5"_s, German), 512);
    EXPECT_EQ(LevelFromPercentText(u"50"_s, English), 2048);
    EXPECT_EQ(LevelFromPercentText(u"20"_s, English), 819); // 819.2
    EXPECT_FALSE(LevelFromPercentText(u"x"_s, English).has_value());
    // A percent outside 0..100 stays within the slider's range.
    EXPECT_EQ(LevelFromPercent(150.0), 4096);
    EXPECT_EQ(LevelFromPercent(-5.0), 0);
}

TEST(Temperatures, CelsiusAndFahrenheit) {
    EXPECT_EQ(FormatTemperature(253, false, English), u"25.3"_s);
    EXPECT_EQ(FormatTemperature(250, true, English), u"77.0"_s);
    EXPECT_EQ(FormatTemperature(-5, false, German), u"-0,5"_s);
    EXPECT_EQ(TemperatureUnitText(true), u"°F"_s);
    EXPECT_EQ(TemperatureUnitText(false), u"°C"_s);
    EXPECT_EQ(ParseTemperature(u"77"_s, true, English), 250);
    EXPECT_EQ(ParseTemperature(u"25,3"_s, false, German), 253);
    EXPECT_EQ(ParseTemperature(u"0.25"_s, false, English), 2); // 2.5 -> 2
    EXPECT_FALSE(ParseTemperature(u""_s, false, English).has_value());
}

TEST(WeatherRates, CountsAndDurationsFromTheDeviceRates) {
    EXPECT_EQ(CloudCountFromRate(1820), 2999);
    EXPECT_EQ(CloudSecondsFromRate(58), 903);
    EXPECT_EQ(CloudSecondsFromRate(52428), 1);
    EXPECT_FALSE(CloudSecondsFromRate(0).has_value());
    EXPECT_EQ(StormCountFromRate(1387), 999);
    EXPECT_EQ(StormMinutesFromRate(69), 202);
    EXPECT_FALSE(StormMinutesFromRate(0).has_value());
}

// The settings editors' conversions of typed numbers and slider positions into record values.
TEST(SettingConversions, TypedNumbersAndSliderPositionsIntoFields) {
    struct Case {
        const char* what;
        std::int64_t result;
        std::int64_t expected;
    };
    const auto typed = [](const QString& text, double multiplier, double divisor) {
        return ScaledIntegerFromText(text, multiplier, divisor, English).value_or(-999999);
    };
    const Case cases[] = {
        {"moon 50 %", typed(u"50"_s, 4096, 100), 2048},
        {"moon exact half level goes to even", typed(u"0.01220703125"_s, 4096, 100), 0},
        {"weather delay 25.5 s", typed(u"25.5"_s, 10, 1), 255},
        {"weather delay 0.25 s (2.5 to even)", typed(u"0.25"_s, 10, 1), 2},
        {"percent 12.5 (to even)", typed(u"12.5"_s, 1, 1), 12},
        {"77 °F", ParseTemperature(u"77"_s, true, English).value_or(-999999), 250},
        {"CloudD at 900 s", CloudEndRate(900), 58},
        {"CloudD at 1 s", CloudEndRate(1), 52428},
        {"CloudD at 0 s", CloudEndRate(0), 65535},
        {"CloudD below 0 s", CloudEndRate(-3), 65535},
        {"CloudP at 3000 per day", CloudStartRate(3000), 1820},
        {"CloudP below zero", CloudStartRate(-5), 0},
        {"StormP at 1000 per week", StormStartRate(1000), 1387},
        {"StormP at 255 per week", StormStartRate(255), 353},
        {"StormP beyond the field", StormStartRate(1000000), 65535},
        {"StormD at 200 min", StormEndRate(200), 69},
        {"StormD at 0 min", StormEndRate(0), 65535},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, c.expected) << c.what;
    EXPECT_EQ(FormatNumber(1000 * 100.0 / 4096.0, Pattern0_HH, English), u"24.41"_s); // moon slider at 1000
    EXPECT_EQ(ScaledIntegerFromText(u"25,5"_s, 10, 1, German), 255);
    EXPECT_FALSE(ScaledIntegerFromText(u"25.5"_s, 10, 1, German).has_value());
    EXPECT_FALSE(ScaledIntegerFromText(u"1e300"_s, 10, 1, English).has_value()); // beyond 64 bits
}

TEST(DeviceTimeZone, ChangeOversFromTheZonesRules) {
    struct Case {
        const char* zone;
        DeviceTimeZone expected;
    };
    // Standard and daylight change-overs of 2024: month, last day of the week, hour, weekday.
    const Case cases[] = {
        // Winter as a negative daylight offset in the zone's data: GMT from the last Sunday of
        // October at 02:00, summer time from the last Sunday of March at 01:00.
        {"Europe/Dublin", {0, {10, 31, 2, 0}, {3, 31, 1, 0}}},
        // The standard offset in force in July, not the one of 1 January (+06:00 until March).
        {"Asia/Almaty", {300, {}, {}}},
        // Summer time from the last Sunday of September, a 30-day month.
        {"Pacific/Auckland", {720, {4, 7, 3, 0}, {9, 30, 2, 0}}},
        // Last Sunday of October at 03:00 and of March at 02:00.
        {"Europe/Berlin", {60, {10, 31, 3, 0}, {3, 31, 2, 0}}},
        // First Sunday of November, second Sunday of March.
        {"America/New_York", {-300, {11, 7, 2, 0}, {3, 14, 2, 0}}},
        // Southern summer: first Sunday of April back, first Sunday of October on.
        {"Australia/Sydney", {600, {4, 7, 3, 0}, {10, 7, 2, 0}}},
        // No daylight saving time: zeros as the system gives them.
        {"Asia/Tokyo", {540, {}, {}}},
        {"UTC", {0, {}, {}}},
        // Second Sunday of February (back to standard), second Sunday of October.
        {"XST3XDT,M10.2.0,M2.2.0", {-180, {2, 14, 2, 0}, {10, 14, 2, 0}}},
        // Last Sunday of February at 03:00 daylight time, last Sunday of March.
        {"ZST-2ZDT,M3.5.0,M2.5.0/3", {120, {2, 28, 3, 0}, {3, 31, 2, 0}}},
    };
    for (const Case& c : cases) {
        const QTimeZone zone{QByteArray(c.zone)};
        ASSERT_TRUE(zone.isValid()) << c.zone;
        const DeviceTimeZone got =
            DeviceTimeZoneOf(zone, QDateTime(QDate(2024, 7, 1), QTime(12, 0), Qt::UTC));
        EXPECT_EQ(got.bias, c.expected.bias) << c.zone;
        for (const auto& [name, g, e] : {std::tuple{"standard", got.standard, c.expected.standard},
                                         std::tuple{"daylight", got.daylight, c.expected.daylight}})
            EXPECT_TRUE(g == e) << c.zone << ' ' << name << ": " << g.month << '/' << g.day << ' ' << g.hour
                                << "h weekday " << g.dayOfWeek;
    }
}
