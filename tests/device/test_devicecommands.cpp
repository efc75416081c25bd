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
