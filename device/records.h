#pragma once

#include "recordbuffer.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace zorvex {

inline constexpr std::size_t ChannelCount = 4;
inline constexpr std::int16_t NoTemperature = 32767; // "no sensor" / "no sample"
inline constexpr std::size_t ChartSampleCount = 40;

// Reply to "80": which firmware answers on the line.
struct Device {
    std::uint8_t DeviceType = 0;    // 2 bootloader, 3 ZORVEXPRO 1.x application, 255 no valid reply
    std::uint8_t DeviceVersion = 0; // firmware generation; the program works with 4 only
};

// Read with "81", written with "01".
struct Info {
    std::uint8_t RowCount = 0;
    std::uint8_t EventFlags = 0; // bit 0 cloud, 1 storm, 2 cooler, 3 heater, 5 timer
    std::uint8_t ErrorFlags = 0; // bit 0 over-temperature ... bit 7 PWM error
    std::uint8_t StateFlags = 0; // bit 4 saving to EEPROM
    std::int8_t CurrentRow = 0;
    std::int8_t Hundredths = 0;
    std::int8_t Second = 0;
    std::int8_t Minute = 0;
    std::int8_t Hour = 0;
    std::int8_t Day = 0;
    std::int8_t Month = 0;
    std::int8_t Year = 0; // years since 2000
    std::uint8_t Reserved12 = 0;
    std::array<std::uint8_t, 4> Reserved13{};
    std::array<std::int16_t, ChannelCount> ChannelValue{}; // 0..4096 = 0..100 %
    std::array<std::uint8_t, 3> Reserved25{};
    std::int16_t TempWater = 0; // tenths of °C, 32767 = no sensor
    std::int16_t TempBoard = 0; // tenths of °C, 32767 = not available
};

// Read with "82", written with "02".
struct Config {
    std::uint8_t Mode = 0; // 0 manual, 1 auto, 2 geo, 3 RGB demo, 4 flash
    std::uint8_t Flag = 0; // bit 0 big step, 1 4x20 display, 2 Fahrenheit, 3 12-hour clock
    std::uint8_t FanLow = 0;
    std::uint8_t FanHigh = 0;
    std::uint8_t LCDBLMin = 0;
    std::uint8_t LCDBLMax = 0;
    std::uint8_t TimeLapse = 0;
    std::array<std::uint8_t, ChannelCount> ColorName{}; // colour code 0..15
    std::uint16_t CloudP = 0;
    std::uint16_t CloudD = 0;
    std::uint16_t StormP = 0;
    std::uint16_t StormD = 0;
    std::int16_t Lat = 0; // tenths of a degree, north positive
    std::int16_t Lon = 0; // tenths of a degree, east positive
};

// Order of the learned infrared remote keys in Expert::RC5.
inline constexpr std::array<std::string_view, 8> RC5KeyNames{"Up",       "Down", "Left",     "Right",
                                                             "Previous", "Next", "Settings", "Step"};

// Read with "85", written with "05".
struct Expert {
    std::uint8_t FanMode = 0;
    std::uint8_t JMPMode = 0;
    std::uint8_t ChartMode = 0; // 0 water, 1 board, 2 supply voltage, 3 slave temperature
    std::uint8_t TWIBitrate = 0;
    std::uint8_t RandomInit = 0;
    std::uint8_t FanOff = 0;
    std::uint8_t LCDBLNight = 0;
    std::uint8_t ChartScale = 0; // tenths of °C
    std::int8_t TempOffset = 0;  // tenths of °C
    std::int8_t BalanceSumRamp = 0;
    std::int16_t TempWaterLow = 0;
    std::int16_t TempWaterHigh = 0;
    std::int16_t TempCoolLow = 0;
    std::int16_t TempCoolHigh = 0;
    std::int16_t TempHeatLow = 0;
    std::int16_t TempHeatHigh = 0;
    std::int16_t CloudTempWater = 0;
    std::int16_t CloudTempBoard = 0;
    std::uint16_t ChartInterval = 0; // minutes
    std::int8_t StandardMonth = 0;
    std::int8_t StandardDay = 0;
    std::int8_t StandardHour = 0;
    std::int8_t StandardDayOfWeek = 0;
    std::int8_t DaylightMonth = 0;
    std::int8_t DaylightDay = 0;
    std::int8_t DaylightHour = 0;
    std::int8_t DaylightDayOfWeek = 0;
    std::int16_t Bias = 0; // minutes east of UTC
    std::array<std::uint16_t, RC5KeyNames.size()> RC5{};
};

// Read with "86", written with "06".
struct ExpertWeather {
    std::uint16_t CloudStep = 0;
    std::uint16_t StormStep = 0;
    std::uint16_t LightningP = 0;
    std::uint8_t CloudAlpha = 0;
    std::uint8_t StormAlpha = 0;
    std::uint8_t BalanceSum = 0;
    std::array<std::int16_t, ChannelCount> MoonColor16{}; // 4096 = 100 %
    std::array<std::uint8_t, ChannelCount> Balance{};     // percent
    std::array<std::uint8_t, ChannelCount> LightningMask{};
    std::array<std::uint8_t, ChannelCount> WeatherDelay{}; // tenths of a second
};

// One line of the day schedule.
struct ScheduleRow {
    std::int8_t Hour = 0;
    std::int8_t Minute = 0;
    std::int16_t Alt = 0; // round(sin(sun altitude) * 10000)
    std::array<std::int16_t, ChannelCount> Color16{};
    std::int16_t Timer = 0;
    std::uint8_t Switch = 0;

    friend bool operator==(const ScheduleRow&, const ScheduleRow&) = default;
};

// A schedule row on the line ("83" reply, "03" request): index byte first.
struct IndexedScheduleRow {
    std::int8_t Index = 0;
    ScheduleRow Row;
};

// Read with "87": sample 0 is the newest, 32767 marks an empty slot.
struct Chart {
    std::array<std::int16_t, ChartSampleCount> Samples{};
};

// Reply to "81" while the bootloader runs.
struct BootInfo {
    std::uint16_t PageSize = 0;
    std::uint32_t FlashSize = 0; // the top 1024 bytes belong to the bootloader
};

// --- Field descriptions -------------------------------------------------------------------
// Each record's fields are described once: name (the configuration file key), offset and the
// field itself. The codec and the configuration file are both driven by these visitors. The
// visitor is called as f(name, offset, value) for every scalar; per-channel arrays are
// unrolled into stem + channel digit ("Color160").

// Name of one described field: the stem alone, or stem + channel digit for per-channel arrays.
struct FieldName {
    std::string_view stem;
    int channel = -1;

    std::string key() const {
        return channel < 0 ? std::string(stem) : std::string(stem) + std::to_string(channel);
    }
    // key() == text, without building the key: lookups by name compare every field.
    bool matches(std::string_view text) const {
        if (!text.starts_with(stem))
            return false;
        if (channel < 0)
            return text.size() == stem.size();
        char digits[12];
        const auto end = std::to_chars(digits, digits + sizeof digits, channel).ptr;
        return text.substr(stem.size()) == std::string_view(digits, static_cast<std::size_t>(end - digits));
    }
};

namespace detail {
template <class F, class A>
constexpr void visitArray(F& f, std::string_view stem, std::size_t offset, A& values) {
    using T = std::remove_cvref_t<decltype(values[0])>;
    for (std::size_t i = 0; i < values.size(); ++i)
        f(FieldName{stem, static_cast<int>(i)}, offset + i * sizeof(T), values[i]);
}
} // namespace detail

template <class R, class F>
requires std::is_same_v<std::remove_const_t<R>, Device>
constexpr void visitFields(R& r, F&& f) {
    f(FieldName{"DeviceType"}, 0, r.DeviceType);
    f(FieldName{"DeviceVersion"}, 1, r.DeviceVersion);
}

template <class R, class F>
requires std::is_same_v<std::remove_const_t<R>, Info>
constexpr void visitFields(R& r, F&& f) {
    f(FieldName{"RowCount"}, 0, r.RowCount);
    f(FieldName{"EventFlags"}, 1, r.EventFlags);
    f(FieldName{"ErrorFlags"}, 2, r.ErrorFlags);
    f(FieldName{"StateFlags"}, 3, r.StateFlags);
    f(FieldName{"CurrentRow"}, 4, r.CurrentRow);
    f(FieldName{"Hundredths"}, 5, r.Hundredths);
    f(FieldName{"Second"}, 6, r.Second);
    f(FieldName{"Minute"}, 7, r.Minute);
    f(FieldName{"Hour"}, 8, r.Hour);
    f(FieldName{"Day"}, 9, r.Day);
    f(FieldName{"Month"}, 10, r.Month);
    f(FieldName{"Year"}, 11, r.Year);
    f(FieldName{"Reserved12"}, 12, r.Reserved12);
    detail::visitArray(f, "Reserved13.", 13, r.Reserved13);
    detail::visitArray(f, "ChannelValue", 17, r.ChannelValue);
    detail::visitArray(f, "Reserved25.", 25, r.Reserved25);
    f(FieldName{"TempWater"}, 28, r.TempWater);
    f(FieldName{"TempBoard"}, 30, r.TempBoard);
}

template <class R, class F>
requires std::is_same_v<std::remove_const_t<R>, Config>
constexpr void visitFields(R& r, F&& f) {
    f(FieldName{"Mode"}, 0, r.Mode);
    f(FieldName{"Flag"}, 1, r.Flag);
    f(FieldName{"FanLow"}, 2, r.FanLow);
    f(FieldName{"FanHigh"}, 3, r.FanHigh);
    f(FieldName{"LCDBLMin"}, 4, r.LCDBLMin);
    f(FieldName{"LCDBLMax"}, 5, r.LCDBLMax);
    f(FieldName{"TimeLapse"}, 6, r.TimeLapse);
    detail::visitArray(f, "ColorName", 7, r.ColorName);
    f(FieldName{"CloudP"}, 11, r.CloudP);
    f(FieldName{"CloudD"}, 13, r.CloudD);
    f(FieldName{"StormP"}, 15, r.StormP);
    f(FieldName{"StormD"}, 17, r.StormD);
    f(FieldName{"Lat"}, 19, r.Lat);
    f(FieldName{"Lon"}, 21, r.Lon);
}

template <class R, class F>
requires std::is_same_v<std::remove_const_t<R>, Expert>
constexpr void visitFields(R& r, F&& f) {
    f(FieldName{"FanMode"}, 0, r.FanMode);
    f(FieldName{"JMPMode"}, 1, r.JMPMode);
    f(FieldName{"ChartMode"}, 2, r.ChartMode);
    f(FieldName{"TWIBitrate"}, 3, r.TWIBitrate);
    f(FieldName{"RandomInit"}, 4, r.RandomInit);
    f(FieldName{"FanOff"}, 5, r.FanOff);
    f(FieldName{"LCDBLNight"}, 6, r.LCDBLNight);
    f(FieldName{"ChartScale"}, 7, r.ChartScale);
    f(FieldName{"TempOffset"}, 8, r.TempOffset);
    f(FieldName{"BalanceSumRamp"}, 9, r.BalanceSumRamp);
    f(FieldName{"TempWaterLow"}, 10, r.TempWaterLow);
    f(FieldName{"TempWaterHigh"}, 12, r.TempWaterHigh);
    f(FieldName{"TempCoolLow"}, 14, r.TempCoolLow);
    f(FieldName{"TempCoolHigh"}, 16, r.TempCoolHigh);
    f(FieldName{"TempHeatLow"}, 18, r.TempHeatLow);
    f(FieldName{"TempHeatHigh"}, 20, r.TempHeatHigh);
    f(FieldName{"CloudTempWater"}, 22, r.CloudTempWater);
    f(FieldName{"CloudTempBoard"}, 24, r.CloudTempBoard);
    f(FieldName{"ChartInterval"}, 26, r.ChartInterval);
    f(FieldName{"StandardMonth"}, 28, r.StandardMonth);
    f(FieldName{"StandardDay"}, 29, r.StandardDay);
    f(FieldName{"StandardHour"}, 30, r.StandardHour);
    f(FieldName{"StandardDayOfWeek"}, 31, r.StandardDayOfWeek);
    f(FieldName{"DaylightMonth"}, 32, r.DaylightMonth);
    f(FieldName{"DaylightDay"}, 33, r.DaylightDay);
    f(FieldName{"DaylightHour"}, 34, r.DaylightHour);
    f(FieldName{"DaylightDayOfWeek"}, 35, r.DaylightDayOfWeek);
    f(FieldName{"Bias"}, 36, r.Bias);
    for (std::size_t i = 0; i < RC5KeyNames.size(); ++i)
        f(FieldName{RC5KeyNames[i]}, 38 + 2 * i, r.RC5[i]);
}

template <class R, class F>
requires std::is_same_v<std::remove_const_t<R>, ExpertWeather>
constexpr void visitFields(R& r, F&& f) {
    f(FieldName{"CloudStep"}, 0, r.CloudStep);
    f(FieldName{"StormStep"}, 2, r.StormStep);
    f(FieldName{"LightningP"}, 4, r.LightningP);
    f(FieldName{"CloudAlpha"}, 6, r.CloudAlpha);
    f(FieldName{"StormAlpha"}, 7, r.StormAlpha);
    f(FieldName{"BalanceSum"}, 8, r.BalanceSum);
    detail::visitArray(f, "MoonColor16", 9, r.MoonColor16);
    detail::visitArray(f, "Balance", 17, r.Balance);
    detail::visitArray(f, "LightningMask", 21, r.LightningMask);
    detail::visitArray(f, "WeatherDelay", 25, r.WeatherDelay);
}

template <class R, class F>
requires std::is_same_v<std::remove_const_t<R>, ScheduleRow>
constexpr void visitFields(R& r, F&& f) {
    f(FieldName{"Hour"}, 0, r.Hour);
    f(FieldName{"Minute"}, 1, r.Minute);
    f(FieldName{"Alt"}, 2, r.Alt);
    detail::visitArray(f, "Color16", 4, r.Color16);
    f(FieldName{"Timer"}, 12, r.Timer);
    f(FieldName{"Switch"}, 14, r.Switch);
}

template <class R, class F>
requires std::is_same_v<std::remove_const_t<R>, IndexedScheduleRow>
constexpr void visitFields(R& r, F&& f) {
    f(FieldName{"Index"}, 0, r.Index);
    visitFields(r.Row, [&f](FieldName name, std::size_t offset, auto& value) { f(name, offset + 1, value); });
}

template <class R, class F>
requires std::is_same_v<std::remove_const_t<R>, Chart>
constexpr void visitFields(R& r, F&& f) {
    detail::visitArray(f, "Sample", 0, r.Samples);
}

template <class R, class F>
requires std::is_same_v<std::remove_const_t<R>, BootInfo>
constexpr void visitFields(R& r, F&& f) {
    f(FieldName{"PageSize"}, 0, r.PageSize);
    f(FieldName{"FlashSize"}, 2, r.FlashSize);
}

// Wire size of each record in bytes.
template <class R> inline constexpr std::size_t RecordSize = 0;
template <> inline constexpr std::size_t RecordSize<Device> = 2;
template <> inline constexpr std::size_t RecordSize<Info> = 32;
template <> inline constexpr std::size_t RecordSize<Config> = 23;
template <> inline constexpr std::size_t RecordSize<Expert> = 54;
template <> inline constexpr std::size_t RecordSize<ExpertWeather> = 29;
template <> inline constexpr std::size_t RecordSize<ScheduleRow> = 15;
template <> inline constexpr std::size_t RecordSize<IndexedScheduleRow> = 16;
template <> inline constexpr std::size_t RecordSize<Chart> = 80;
template <> inline constexpr std::size_t RecordSize<BootInfo> = 6;

// --- Little-endian codec ------------------------------------------------------------------

namespace detail {
template <class T> void storeLE(std::span<std::uint8_t> bytes, std::size_t offset, T value) {
    using U = std::make_unsigned_t<T>;
    auto u = static_cast<U>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(u >> (8 * i)) & 0xFFu);
}
template <class T> T loadLE(std::span<const std::uint8_t> bytes, std::size_t offset) {
    using U = std::make_unsigned_t<T>;
    U u = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        u = static_cast<U>(u | static_cast<U>(static_cast<U>(bytes[offset + i]) << (8 * i)));
    return static_cast<T>(u);
}
} // namespace detail

// Writes the record's wire bytes into `bytes` (at least RecordSize<R> long).
template <class R> void encodeRecord(const R& record, std::span<std::uint8_t> bytes) {
    visitFields(record, [bytes](FieldName, std::size_t offset, const auto& value) {
        detail::storeLE(bytes, offset, value);
    });
}

// Reads the record from its wire bytes (at least RecordSize<R> long).
template <class R> R decodeRecord(std::span<const std::uint8_t> bytes) {
    R record{};
    visitFields(record, [bytes](FieldName, std::size_t offset, auto& value) {
        value = detail::loadLE<std::remove_reference_t<decltype(value)>>(bytes, offset);
    });
    return record;
}

// The payload area of a RecordBuffer (bytes 2..133).
inline std::span<std::uint8_t> payloadOf(RecordBuffer& buffer) {
    return std::span<std::uint8_t>(buffer).subspan(RecordPayloadIndex);
}
inline std::span<const std::uint8_t> payloadOf(const RecordBuffer& buffer) {
    return std::span<const std::uint8_t>(buffer).subspan(RecordPayloadIndex);
}

template <class R> void storeToBuffer(const R& record, RecordBuffer& buffer) {
    encodeRecord(record, payloadOf(buffer));
}
template <class R> R loadFromBuffer(const RecordBuffer& buffer) {
    return decodeRecord<R>(payloadOf(buffer));
}

// True when the described fields tile the wire size exactly: each field starts where the
// previous one ended and the last one ends at RecordSize<R>.
template <class R> constexpr bool fieldsTileRecord() {
    R r{};
    std::size_t next = 0;
    bool contiguous = true;
    visitFields(r, [&](FieldName, std::size_t offset, auto& value) {
        contiguous = contiguous && offset == next;
        next = offset + sizeof(value);
    });
    return contiguous && next == RecordSize<R>;
}

static_assert(fieldsTileRecord<Device>());
static_assert(fieldsTileRecord<Info>());
static_assert(fieldsTileRecord<Config>());
static_assert(fieldsTileRecord<Expert>());
static_assert(fieldsTileRecord<ExpertWeather>());
static_assert(fieldsTileRecord<ScheduleRow>());
static_assert(fieldsTileRecord<IndexedScheduleRow>());
static_assert(fieldsTileRecord<Chart>());
static_assert(fieldsTileRecord<BootInfo>());
static_assert(RecordSize<Chart> <= MaxPayloadLength);

} // namespace zorvex
