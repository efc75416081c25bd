// Record layouts against byte strings written out by hand from the record tables: every
// field at its offset, little-endian, signed fields sign-extended.
#include "deviceprotocol.h"
#include "records.h"

#include <gtest/gtest.h>

using namespace zorvex;

namespace {

template <class R> QByteArray writeLine(std::string_view code, const R& record) {
    RecordBuffer buffer{};
    storeToBuffer(record, buffer);
    return EncodeWriteLine(code, RecordSize<R>, buffer);
}

template <class R> R decodeHex(const QByteArray& hex) {
    const QByteArray bytes = QByteArray::fromHex(hex);
    EXPECT_EQ(std::size_t(bytes.size()), RecordSize<R>);
    return decodeRecord<R>(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())));
}

} // namespace

TEST(Records, DeviceReplyOfAZorvexpro14) {
    const auto device = decodeHex<Device>("0304");
    EXPECT_EQ(device.DeviceType, 3);
    EXPECT_EQ(device.DeviceVersion, 4);
}

TEST(Records, ConfigGoesOnTheLineInTableOrderLittleEndian) {
    Config c;
    c.Mode = 1;
    c.Flag = 0x0A;
    c.FanLow = 30;
    c.FanHigh = 80;
    c.LCDBLMin = 10;
    c.LCDBLMax = 100;
    c.TimeLapse = 1;
    c.ColorName = {1, 2, 3, 4};
    c.CloudP = 4096;
    c.CloudD = 0x1234;
    c.StormP = 1;
    c.StormD = 65535;
    c.Lat = 501;
    c.Lon = -85;
    EXPECT_EQ(writeLine("02", c), QByteArray("02"
                                             "010A1E500A6401"
                                             "01020304"
                                             "0010"
                                             "3412"
                                             "0100"
                                             "FFFF"
                                             "F501"
                                             "ABFF"
                                             "\n"));
    EXPECT_EQ(writeLine("02", c).size(), 49); // code + 46 digits + line feed
}

TEST(Records, InfoFieldsAtTheirOffsets) {
    // RowCount 8, events 0x21, errors 0x10, state 0x10, CurrentRow -10 (F6), clock 12:34:56.78,
    // 24.12.26, reserved bytes, channels 4096/0/2048/-1, reserved, water 25.3 °C, board none.
    const auto info = decodeHex<Info>("08211010"
                                      "F6"
                                      "4E"
                                      "38"
                                      "22"
                                      "0C"
                                      "18"
                                      "0C"
                                      "1A"
                                      "00"
                                      "AABBCCDD"
                                      "0010"
                                      "0000"
                                      "0008"
                                      "FFFF"
                                      "010203"
                                      "FD00"
                                      "FF7F");
    EXPECT_EQ(info.RowCount, 8);
    EXPECT_EQ(info.EventFlags, 0x21);
    EXPECT_EQ(info.CurrentRow, -10);
    EXPECT_EQ(info.Hundredths, 78);
    EXPECT_EQ(info.Second, 56);
    EXPECT_EQ(info.Minute, 34);
    EXPECT_EQ(info.Hour, 12);
    EXPECT_EQ(info.Day, 24);
    EXPECT_EQ(info.Month, 12);
    EXPECT_EQ(info.Year, 26);
    EXPECT_EQ(info.Reserved13[3], 0xDD);
    EXPECT_EQ(info.ChannelValue[0], 4096);
    EXPECT_EQ(info.ChannelValue[2], 2048);
    EXPECT_EQ(info.ChannelValue[3], -1);
    EXPECT_EQ(info.Reserved25[2], 3);
    EXPECT_EQ(info.TempWater, 253);
    EXPECT_EQ(info.TempBoard, NoTemperature);
}

TEST(Records, ExpertTimeZoneBiasAndRemoteCodes) {
    Expert e;
    e.FanMode = 2;
    e.TempOffset = -10;
    e.TempWaterLow = -5;
    e.ChartInterval = 15;
    e.StandardMonth = 10;
    e.DaylightDayOfWeek = 0;
    e.Bias = -60;
    e.RC5 = {0x1001, 0x1002, 0x1003, 0x1004, 0x1005, 0x1006, 0x1007, 0x1008};
    const QByteArray line = writeLine("05", e);
    ASSERT_EQ(line.size(), 2 + 108 + 1);
    EXPECT_EQ(line.mid(2 + 2 * 8, 2), "F6");    // TempOffset, signed 8
    EXPECT_EQ(line.mid(2 + 2 * 10, 4), "FBFF"); // TempWaterLow, signed 16
    EXPECT_EQ(line.mid(2 + 2 * 26, 4), "0F00"); // ChartInterval
    EXPECT_EQ(line.mid(2 + 2 * 28, 2), "0A");   // StandardMonth
    EXPECT_EQ(line.mid(2 + 2 * 36, 4), "C4FF"); // Bias -60
    EXPECT_EQ(line.mid(2 + 2 * 38, 32), "0110021003100410051006100710"
                                        "0810");
}

TEST(Records, ExpertWeatherChannelArraysAtOddOffsets) {
    const auto w = decodeHex<ExpertWeather>("0100"
                                            "0200"
                                            "0300"
                                            "32"
                                            "14"
                                            "64"
                                            "0010"
                                            "0008"
                                            "0004"
                                            "0000"
                                            "5A5B5C5D"
                                            "01020408"
                                            "0A0B0CFF");
    EXPECT_EQ(w.CloudStep, 1);
    EXPECT_EQ(w.LightningP, 3);
    EXPECT_EQ(w.CloudAlpha, 50);
    EXPECT_EQ(w.BalanceSum, 100);
    EXPECT_EQ(w.MoonColor16[0], 4096);
    EXPECT_EQ(w.MoonColor16[2], 1024);
    EXPECT_EQ(w.Balance[1], 0x5B);
    EXPECT_EQ(w.LightningMask[3], 8);
    EXPECT_EQ(w.WeatherDelay[3], 255);
}

TEST(Records, ScheduleRowCarriesItsIndexFirst) {
    IndexedScheduleRow r;
    r.Index = 5;
    r.Row.Hour = 7;
    r.Row.Minute = 30;
    r.Row.Alt = -500;
    r.Row.Color16 = {4096, 0, 100, 2048};
    r.Row.Timer = 300;
    r.Row.Switch = 0x81;
    EXPECT_EQ(writeLine("03", r), QByteArray("03"
                                             "05"
                                             "07"
                                             "1E"
                                             "0CFE"
                                             "0010"
                                             "0000"
                                             "6400"
                                             "0008"
                                             "2C01"
                                             "81"
                                             "\n"));

    const auto back = decodeHex<IndexedScheduleRow>("FF"
                                                    "0700"
                                                    "0000"
                                                    "0000000000000000"
                                                    "0000"
                                                    "00");
    EXPECT_EQ(back.Index, -1);
}

TEST(Records, ChartAndBootInfo) {
    QByteArray hex;
    for (int i = 0; i < 40; ++i)
        hex += i == 39 ? "FF7F" : "FD00";
    const auto chart = decodeHex<Chart>(hex);
    EXPECT_EQ(chart.Samples[0], 253);
    EXPECT_EQ(chart.Samples[39], NoTemperature);

    const auto boot = decodeHex<BootInfo>("8000"
                                          "00800000");
    EXPECT_EQ(boot.PageSize, 128);
    EXPECT_EQ(boot.FlashSize, 32768u);
}

TEST(Records, FieldNamesAreTheConfigurationFileKeys) {
    std::vector<std::string> keys;
    ExpertWeather w;
    visitFields(w, [&keys](FieldName name, std::size_t, auto&) { keys.push_back(name.key()); });
    EXPECT_EQ(keys.at(6), "MoonColor160");
    EXPECT_EQ(keys.back(), "WeatherDelay3");

    keys.clear();
    Expert e;
    visitFields(e, [&keys](FieldName name, std::size_t, auto&) { keys.push_back(name.key()); });
    EXPECT_EQ(keys.at(keys.size() - 8), "Up");
    EXPECT_EQ(keys.back(), "Step");
}
