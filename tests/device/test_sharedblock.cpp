// Hand-over rules between the window's record copies and the transaction buffer.
#include "arrivals.h"
#include "sharedblock.h"

#include <gtest/gtest.h>

#include <thread>

using namespace zorvex;
using zorvex::test::ArriveAsHeld;

namespace {

RecordBuffer bufferWith(const auto& record) {
    RecordBuffer buffer{};
    storeToBuffer(record, buffer);
    return buffer;
}

Info infoWithRows(std::uint8_t rows) {
    Info info;
    info.RowCount = rows;
    return info;
}

} // namespace

TEST(SharedBlock, StartupValues) {
    SharedBlock block;
    ApplyStartupValues(block);
    for (auto sample : block.Chart.Samples)
        EXPECT_EQ(sample, NoTemperature);
    EXPECT_EQ(block.Config.Lat, 501);
    EXPECT_EQ(block.Config.Lon, 85);
    EXPECT_EQ(block.RequestFlags(), 0u);
}

TEST(SharedBlock, ReplyCrossingAPendingEditIsDropped) {
    SharedBlock block;
    ArriveAsHeld(block);
    block.EditAndRequest(rqSetConfig, [&] { block.Config.FanLow = 42; });
    block.Request(rqGetConfig);

    Config reply;
    reply.FanLow = 7;
    EXPECT_FALSE(block.StoreConfig(bufferWith(reply)));
    EXPECT_EQ(block.Config.FanLow, 42);
    EXPECT_EQ(block.RequestFlags(), std::uint32_t{rqSetConfig}) << "read bit cleared, write bit kept";

    RecordBuffer out{};
    block.LoadConfig(out);
    EXPECT_EQ(block.RequestFlags(), 0u);
    EXPECT_EQ(loadFromBuffer<Config>(out).FanLow, 42);

    EXPECT_TRUE(block.StoreConfig(bufferWith(reply)));
    EXPECT_EQ(block.Config.FanLow, 7);
}

TEST(SharedBlock, EveryRecordStoreRespectsOnlyItsOwnWriteBit) {
    SharedBlock block;
    ArriveAsHeld(block);
    block.Request(rqSetConfig | rqSetExpertWeather);
    Expert expert;
    expert.FanMode = 2;
    EXPECT_TRUE(block.StoreExpert(bufferWith(expert)));
    EXPECT_EQ(block.Expert.FanMode, 2);
    ExpertWeather weather;
    weather.CloudAlpha = 9;
    EXPECT_FALSE(block.StoreExpertWeather(bufferWith(weather)));

    for (std::uint32_t pending :
         {std::uint32_t{rqSetInfoTime}, std::uint32_t{rqSetInfoChannels}, std::uint32_t{rqSetInfoRow}}) {
        SharedBlock b;
        ArriveAsHeld(b);
        b.Request(pending | rqGetInfo);
        EXPECT_FALSE(b.StoreInfo(bufferWith(infoWithRows(4))));
        EXPECT_EQ(b.Info.RowCount, 0);
        EXPECT_TRUE(b.Schedule.empty());
        EXPECT_EQ(b.RequestFlags(), pending);
    }
}

TEST(SharedBlock, InfoResizesThePerRowArrays) {
    SharedBlock block;
    ASSERT_TRUE(block.StoreInfo(bufferWith(infoWithRows(3))));
    ASSERT_EQ(block.Schedule.size(), 3u);
    ArriveAsHeld(block);
    block.Schedule[1].Hour = 9;
    block.VisualPoints[1][0] = 1.5f;
    block.MarkScheduleRowChanged(2);

    ASSERT_TRUE(block.StoreInfo(bufferWith(infoWithRows(5))));
    EXPECT_EQ(block.Schedule.size(), 5u);
    EXPECT_EQ(block.VisualPoints.size(), 5u);
    EXPECT_EQ(block.ScheduleRowDirty(), (std::vector<std::uint8_t>{0, 0, 1, 0, 0}));
    EXPECT_EQ(block.Schedule[1].Hour, 9);
    EXPECT_EQ(block.VisualPoints[1][0], 1.5f);
    EXPECT_EQ(block.Schedule[4], ScheduleRow{});

    ASSERT_TRUE(block.StoreInfo(bufferWith(infoWithRows(2))));
    EXPECT_EQ(block.Schedule.size(), 2u);
    EXPECT_EQ(block.ScheduleRowDirty().size(), 2u);
    EXPECT_EQ(block.Schedule[1].Hour, 9);
}

TEST(SharedBlock, ScheduleRowReplyPlacedByItsIndex) {
    SharedBlock block;
    block.StoreInfo(bufferWith(infoWithRows(4)));
    IndexedScheduleRow reply;
    reply.Row.Hour = 13;

    reply.Index = 3;
    EXPECT_TRUE(block.StoreScheduleRow(bufferWith(reply)));
    EXPECT_EQ(block.Schedule[3].Hour, 13);

    reply.Row.Hour = 99;
    for (std::int8_t bad : {std::int8_t{-1}, std::int8_t{4}, std::int8_t{127}}) {
        reply.Index = bad;
        EXPECT_FALSE(block.StoreScheduleRow(bufferWith(reply))) << int(bad);
    }
    for (const auto& row : block.Schedule)
        EXPECT_NE(row.Hour, 99);
}

TEST(SharedBlock, ChangedRowsGoOutInAscendingOrderOnePerCall) {
    SharedBlock block;
    block.StoreInfo(bufferWith(infoWithRows(6)));
    for (std::size_t i = 0; i < 6; ++i)
        block.Schedule[i].Hour = std::int8_t(10 + i);
    ArriveAsHeld(block);
    block.MarkScheduleRowChanged(4);
    block.MarkScheduleRowChanged(1);
    block.MarkScheduleRowChanged(9); // beyond the schedule: ignored

    RecordBuffer out{};
    ASSERT_TRUE(block.LoadChangedScheduleRow(out));
    auto sent = loadFromBuffer<IndexedScheduleRow>(out);
    EXPECT_EQ(sent.Index, 1);
    EXPECT_EQ(sent.Row.Hour, 11);
    EXPECT_TRUE(block.IsRequested(rqSetSchedule));

    ASSERT_TRUE(block.LoadChangedScheduleRow(out));
    sent = loadFromBuffer<IndexedScheduleRow>(out);
    EXPECT_EQ(sent.Index, 4);
    EXPECT_TRUE(block.IsRequested(rqSetSchedule)) << "cleared only by the call that finds nothing";

    EXPECT_FALSE(block.LoadChangedScheduleRow(out));
    EXPECT_FALSE(block.IsRequested(rqSetSchedule));
}

TEST(SharedBlock, SetInfoVariantsCarryLeaveUnchangedMarkers) {
    SharedBlock block;
    Info info;
    info.RowCount = 8;
    info.CurrentRow = 3;
    info.Minute = 17;
    info.Hour = 9;
    info.Reserved13 = {1, 2, 3, 4};
    info.ChannelValue = {4096, 1, 2, 3};
    block.StoreInfo(bufferWith(info));
    block.Request(rqSetInfoTime | rqSetInfoChannels | rqSetInfoRow);

    RecordBuffer out{};
    block.LoadInfo(InfoVariant::Channels, out);
    auto sent = loadFromBuffer<Info>(out);
    EXPECT_EQ(std::uint8_t(sent.Minute), KeepMinute) << "a channel write never moves the clock";
    EXPECT_EQ(std::uint8_t(sent.CurrentRow), KeepCurrentRow);
    EXPECT_EQ(sent.ChannelValue, info.ChannelValue);
    EXPECT_EQ(sent.Hour, 9);
    EXPECT_EQ(sent.Reserved13, info.Reserved13);
    EXPECT_EQ(block.RequestFlags(), std::uint32_t{rqSetInfoTime | rqSetInfoRow});

    block.LoadInfo(InfoVariant::Time, out);
    sent = loadFromBuffer<Info>(out);
    EXPECT_EQ(sent.Minute, 17);
    EXPECT_EQ(std::uint8_t(sent.CurrentRow), KeepCurrentRow);
    for (auto v : sent.ChannelValue)
        EXPECT_EQ(std::uint16_t(v), KeepChannel);

    block.LoadInfo(InfoVariant::Row, out);
    sent = loadFromBuffer<Info>(out);
    EXPECT_EQ(std::uint8_t(sent.Minute), KeepMinute);
    EXPECT_EQ(sent.CurrentRow, 3);
    for (auto v : sent.ChannelValue)
        EXPECT_EQ(std::uint16_t(v), KeepChannel);

    EXPECT_EQ(block.RequestFlags(), 0u);
    EXPECT_EQ(block.Info.Minute, 17) << "the shared copy keeps its values";
    EXPECT_EQ(block.Info.ChannelValue, info.ChannelValue);
}

TEST(SharedBlock, ChartStoreHasNoWriteToWaitFor) {
    SharedBlock block;
    ApplyStartupValues(block);
    ArriveAsHeld(block);
    block.Request(rqGetChart | rqSetExpert);
    Chart chart;
    chart.Samples.fill(250);
    block.StoreChart(bufferWith(chart));
    EXPECT_EQ(block.Chart.Samples[39], 250);
    EXPECT_EQ(block.RequestFlags(), std::uint32_t{rqSetExpert});
}

TEST(SharedBlock, RequestsFromTwoThreadsAreNeverLost) {
    // The window raises bits while the communication thread clears others; no raise may be
    // swallowed by a concurrent clear of a different bit.
    SharedBlock block;
    ArriveAsHeld(block);
    constexpr int rounds = 20000;
    std::thread window([&] {
        for (int i = 0; i < rounds; ++i)
            block.Request(rqSetConfig);
    });
    std::thread com([&] {
        for (int i = 0; i < rounds; ++i) {
            block.Request(rqGetInfo);
            block.ClearRequest(rqGetInfo);
        }
    });
    window.join();
    com.join();
    EXPECT_EQ(block.RequestFlags(), std::uint32_t{rqSetConfig});
}

TEST(SharedBlock, ADownloadIsCompleteOnlyWhenEveryRecordAndRowArrivedSinceIdentification) {
    SharedBlock block;
    block.StoreConfig(bufferWith(Config{}));
    block.StoreExpert(bufferWith(Expert{}));
    block.StoreExpertWeather(bufferWith(ExpertWeather{}));
    EXPECT_FALSE(block.HoldsCompleteDownload()); // without Info the rows are unknown
    ASSERT_TRUE(block.StoreInfo(bufferWith(infoWithRows(2))));
    block.StoreConfig(bufferWith(Config{}));
    block.StoreExpert(bufferWith(Expert{}));
    block.StoreExpertWeather(bufferWith(ExpertWeather{}));
    block.StoreScheduleRow(bufferWith(IndexedScheduleRow{0, {}}));
    EXPECT_FALSE(block.HoldsCompleteDownload()); // row 1 is missing
    block.StoreScheduleRow(bufferWith(IndexedScheduleRow{1, {}}));
    EXPECT_TRUE(block.HoldsCompleteDownload());

    // More rows on the device: the new ones have not arrived.
    ASSERT_TRUE(block.StoreInfo(bufferWith(infoWithRows(3))));
    EXPECT_FALSE(block.HoldsCompleteDownload());
    block.StoreScheduleRow(bufferWith(IndexedScheduleRow{2, {}}));
    EXPECT_TRUE(block.HoldsCompleteDownload());

    // A new identification starts over.
    block.ForgetDownload();
    EXPECT_FALSE(block.HoldsCompleteDownload());
}

TEST(SharedBlock, AWriteBitGoesInOnlyForARecordReadInThisConnection) {
    struct Case {
        std::uint32_t write;
        void (*arrive)(SharedBlock&);
    };
    const Case cases[] = {
        {rqSetInfoTime, [](SharedBlock& b) { b.StoreInfo(bufferWith(Info{})); }},
        {rqSetInfoChannels, [](SharedBlock& b) { b.StoreInfo(bufferWith(Info{})); }},
        {rqSetInfoRow, [](SharedBlock& b) { b.StoreInfo(bufferWith(Info{})); }},
        {rqSetConfig, [](SharedBlock& b) { b.StoreConfig(bufferWith(Config{})); }},
        {rqSetExpert, [](SharedBlock& b) { b.StoreExpert(bufferWith(Expert{})); }},
        {rqSetExpertWeather, [](SharedBlock& b) { b.StoreExpertWeather(bufferWith(ExpertWeather{})); }},
    };
    for (const Case& c : cases) {
        SharedBlock block;
        EXPECT_FALSE(block.Request(c.write | rqGetChart)) << c.write;
        EXPECT_FALSE(block.EditAndRequest(c.write, [&] { block.Config.FanLow = 99; }));
        block.AssignRequests(c.write | rqSaveEEPROM);
        EXPECT_EQ(block.RequestFlags(), std::uint32_t{rqSaveEEPROM}) << "reads and commands pass";
        EXPECT_EQ(block.Config.FanLow, 0) << "a refused edit changes nothing";

        c.arrive(block);
        EXPECT_TRUE(block.Request(c.write)) << c.write;
        block.ForgetDownload(); // a new connection or identity
        block.AssignRequests(0);
        EXPECT_FALSE(block.Request(c.write)) << c.write;
    }
}

TEST(SharedBlock, ScheduleRowsAreMarkedOnlyWhenEveryRowArrived) {
    SharedBlock block;
    EXPECT_FALSE(block.MarkScheduleRowChanged(0));
    block.StoreInfo(bufferWith(infoWithRows(2)));
    block.StoreScheduleRow(bufferWith(IndexedScheduleRow{0, {}}));
    EXPECT_FALSE(block.MarkScheduleRowChanged(0)) << "row 1 has not arrived";
    EXPECT_FALSE(block.Request(rqSetSchedule));
    block.StoreScheduleRow(bufferWith(IndexedScheduleRow{1, {}}));
    EXPECT_TRUE(block.MarkScheduleRowChanged(0));

    // A larger row count brings rows that have not been read.
    block.StoreInfo(bufferWith(infoWithRows(3)));
    EXPECT_FALSE(block.MarkScheduleRowChanged(0));
    block.StoreScheduleRow(bufferWith(IndexedScheduleRow{2, {}}));
    EXPECT_TRUE(block.MarkScheduleRowChanged(2));
    EXPECT_EQ(block.ScheduleRowDirty(), (std::vector<std::uint8_t>{1, 0, 1}));
}
