// Status texts, mode letters, ratio read-outs, channel names and the device clock.
#include "devicetexts.h"
#include "language.h"
#include "records.h"

#include <gtest/gtest.h>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);

class DeviceTexts : public ::testing::Test {
protected:
    void SetUp() override {
        LoadLanguageTable(Language::English);
        info.TempBoard = NoTemperature;
        info.TempWater = NoTemperature;
    }
    Info info;
    Config config;
};

} // namespace

TEST_F(DeviceTexts, StatusListsErrorsInTheirOrderThenTemperatures) {
    info.ErrorFlags = 0x20 | 0x40 | 0x01;
    info.TempBoard = 312;
    info.TempWater = 251;
    EXPECT_EQ(DeviceStatusText(u"ttyUSB0 (/dev/ttyUSB0)"_s, info, false, English),
              u"ttyUSB0 (/dev/ttyUSB0) \u2022 Overtemperature \u2022 RTC error \u2022 TempBoard error \u2022 "
              u"Board temperature: 31.2°C \u2022 QuillTemp: 25.1°C"_s);
    info.ErrorFlags = 0;
    EXPECT_EQ(DeviceStatusText({}, info, true, English),
              u"Board temperature: 88.2°F \u2022 QuillTemp: 77.2°F"_s);
}

TEST_F(DeviceTexts, WithoutWaterSensorNoQuillTempPart) {
    info.TempBoard = 300;
    EXPECT_EQ(DeviceStatusText(u"P"_s, info, false, English), u"P \u2022 Board temperature: 30.0°C"_s);
}

TEST_F(DeviceTexts, BoardTurnsRedForEveryErrorButFullRam) {
    EXPECT_FALSE(IsBoardErrorShown(0x10));
    EXPECT_FALSE(IsBoardErrorShown(0));
    EXPECT_TRUE(IsBoardErrorShown(0x10 | 0x80));
    EXPECT_TRUE(IsBoardErrorShown(0x02));
}

TEST_F(DeviceTexts, ModePanelLetters) {
    config.Mode = 4;
    info.EventFlags = 0x04 | 0x08 | 0x01;
    EXPECT_EQ(ModePanelText(config, info), u"FlashCH"_s); // no cloud letter outside Auto and Geo
    config.Mode = 1;
    info.EventFlags = 0x01 | 0x04;
    EXPECT_EQ(ModePanelText(config, info), u"AutoOC"_s);
    config.Mode = 2;
    info.EventFlags = 0x02 | 0x20;
    EXPECT_EQ(ModePanelText(config, info), u"GeoST"_s);
    info.StateFlags = 0x10;
    EXPECT_EQ(ModePanelText(config, info), u"Saving"_s);
    config.Mode = 9;
    info.StateFlags = 0;
    info.EventFlags = 0;
    EXPECT_EQ(ModePanelText(config, info), QString());
}

TEST_F(DeviceTexts, RatioReadOuts) {
    EXPECT_EQ(CloudRatioText(1, 3, false, English), u"Cloud ratio: 25%"_s);
    EXPECT_EQ(StormRatioText(0, 0, false, English), QString());
    EXPECT_EQ(CloudRatioText(1, 2, true, English), u"Cloud currently active \u2022 Cloud ratio: 33.3%"_s);
    EXPECT_EQ(ChannelNameText(0, 1), u"W: PureWhite"_s);
    EXPECT_EQ(ChannelNameText(3, 200), u"B: Unnamed"_s);
}

TEST_F(DeviceTexts, DeviceClock) {
    info.Year = 24;
    info.Month = 2;
    info.Day = 29;
    info.Hour = 13;
    info.Minute = 5;
    info.Second = 9;
    EXPECT_EQ(DeviceDateTime(info), QDateTime(QDate(2024, 2, 29), QTime(13, 5, 9)));
    EXPECT_FALSE(DeviceClockText(info, English).isEmpty());
    info.Month = 13;
    EXPECT_TRUE(DeviceClockText(info, English).isEmpty());
}
