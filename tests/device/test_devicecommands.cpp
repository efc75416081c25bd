// The window's commands without widgets: what each stores into the shared block and which
// request bits it raises.
#include "devicecommands.h"
#include "sharedblock.h"

#include "arrivals.h"

#include <gtest/gtest.h>

using namespace zorvex;

TEST(DeviceCommands, ChannelLevelsAreStoredWithinTheSlidersRangeAndSent) {
    SharedBlock block;
    test::ArriveAsHeld(block);
    SetChannelLevels(block, {0, 819, 4096, 5000});
    EXPECT_EQ(block.Info.ChannelValue, (std::array<std::int16_t, ChannelCount>{0, 819, 4096, 4096}));
    EXPECT_EQ(block.RequestFlags(), std::uint32_t{rqSetInfoChannels});
}

TEST(DeviceCommands, ModesAddTheConfigUploadButTheDemoModesReplaceEveryRequest) {
    const struct {
        int mode;
        std::uint32_t requests;
    } cases[] = {{modes::Manual, rqAllReads | rqSetConfig},
                 {modes::Geo, rqAllReads | rqSetConfig},
                 {modes::RGBDemo, rqSetConfig},
                 {modes::Flash, rqSetConfig}};
    for (const auto& test : cases) {
        SharedBlock block;
        block.Config.Mode = modes::Auto;
        test::ArriveAsHeld(block);
        block.AssignRequests(rqAllReads);
        EXPECT_TRUE(StoreMode(block, test.mode));
        EXPECT_FALSE(StoreMode(block, test.mode)) << "already in that mode";
        RequestModeUpload(block, test.mode);
        EXPECT_EQ(block.Config.Mode, test.mode);
        EXPECT_EQ(block.RequestFlags(), test.requests) << test.mode;
    }
}

TEST(DeviceCommands, TheClockIsStoredAsTheDeviceCountsItAndSentAtRealSpeed) {
    SharedBlock block;
    test::ArriveAsHeld(block);
    block.Info.Reserved12 = 9;
    block.Config.TimeLapse = 5;
    SetRealTime(block);
    // 125 ms are 12.5 hundredths, rounded to the even 12; 999 ms would round to 100 and stay 99.
    SetDeviceClock(block, QDateTime(QDate(2031, 2, 28), QTime(23, 59, 58, 125)));
    const Info& info = block.Info;
    EXPECT_EQ(block.Config.TimeLapse, 1);
    EXPECT_EQ(info.Year, 31);
    EXPECT_EQ(info.Month, 2);
    EXPECT_EQ(info.Day, 28);
    EXPECT_EQ(info.Hour, 23);
    EXPECT_EQ(info.Minute, 59);
    EXPECT_EQ(info.Second, 58);
    EXPECT_EQ(info.Hundredths, 12);
    EXPECT_EQ(info.Reserved12, 0);
    EXPECT_EQ(block.RequestFlags(), std::uint32_t{rqSetConfig | rqSetInfoTime});

    SetDeviceClock(block, QDateTime(QDate(2000, 1, 1), QTime(0, 0, 0, 999)));
    EXPECT_EQ(block.Info.Year, 0);
    EXPECT_EQ(block.Info.Hundredths, 99);
}

// The channels a SetInfo write carries, as the device reads them: little-endian from payload byte 17.
std::array<std::uint16_t, ChannelCount> SentChannels(SharedBlock& block) {
    constexpr std::size_t firstChannel = RecordPayloadIndex + 17;
    RecordBuffer buffer{};
    block.LoadInfo(InfoVariant::Channels, buffer);
    std::array<std::uint16_t, ChannelCount> sent{};
    for (std::size_t channel = 0; channel < ChannelCount; ++channel)
        sent[channel] = static_cast<std::uint16_t>(buffer[firstChannel + 2 * channel] |
                                                   buffer[firstChannel + 2 * channel + 1] << 8);
    return sent;
}

TEST(DeviceCommands, OneChannelIsSentWithTheOthersLeftAsTheLampHasThem) {
    SharedBlock block;
    block.Info.ChannelValue = {100, 200, 300, 400};
    EXPECT_FALSE(SetChannelLevel(block, 1, 512)) << "nothing is sent before Info arrived";
    EXPECT_EQ(block.RequestFlags(), 0u);
    test::ArriveAsHeld(block);

    ASSERT_TRUE(SetChannelLevel(block, 1, 512));
    EXPECT_EQ(SentChannels(block),
              (std::array<std::uint16_t, ChannelCount>{KeepChannel, 512, KeepChannel, KeepChannel}));
    // Two channels set before the thread's next pass go out together.
    SetChannelLevel(block, 0, 7);
    SetChannelLevel(block, 3, 9);
    EXPECT_EQ(SentChannels(block), (std::array<std::uint16_t, ChannelCount>{7, KeepChannel, KeepChannel, 9}));
    // The four levels of set-channels and the window's sliders are sent whole.
    SetChannelLevel(block, 2, 5);
    SetChannelLevels(block, {1, 2, 3, 4});
    EXPECT_EQ(SentChannels(block), (std::array<std::uint16_t, ChannelCount>{1, 2, 3, 4}));
    EXPECT_EQ(block.RequestFlags(), 0u);
}

TEST(DeviceCommands, AWeatherEventStartsOnlyInTheWeatherModesAndIsNeverEndedByIt) {
    const struct {
        int mode;
        std::uint8_t events;
        WeatherEvent event;
        WeatherStart result;
        std::uint32_t requests;
    } cases[] = {
        {modes::Auto, 0, WeatherEvent::Clouds, WeatherStart::Started, rqToggleCloud},
        {modes::Geo, 0x01, WeatherEvent::Thunderstorm, WeatherStart::Started, rqToggleStorm},
        {modes::Geo, 0x01, WeatherEvent::Clouds, WeatherStart::AlreadyRunning, 0},
        {modes::Auto, 0x02, WeatherEvent::Thunderstorm, WeatherStart::AlreadyRunning, 0},
        {modes::Manual, 0, WeatherEvent::Clouds, WeatherStart::NotInWeatherMode, 0},
    };
    for (const auto& test : cases) {
        SharedBlock block;
        block.Config.Mode = static_cast<std::uint8_t>(test.mode);
        block.Info.EventFlags = test.events;
        test::ArriveAsHeld(block);
        EXPECT_EQ(StartWeatherEvent(block, test.event), test.result) << test.mode << ' ' << int(test.events);
        EXPECT_EQ(block.RequestFlags(), test.requests);
    }
}
