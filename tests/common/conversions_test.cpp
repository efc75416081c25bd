// Number patterns, channel levels, temperatures and weather rates as the window shows them.
#include "conversions.h"

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
