// The application personality against literal request and reply lines built from the record
// tables: identity, record reads, writes read back, request syntax.

#include "simulatorharness.h"

#include <gtest/gtest.h>

namespace zorvex::devsim::test {
namespace {

TEST(DevsimProtocol, IdentityAndDefaultRecordsAsOnTheLine) {
    SimulatorHarness h;
    EXPECT_EQ(h.send("80"), "800304\n");
    // Mode 1, Flag 0, fans 30/80, backlight 10/100, time-lapse 1, colours 1..4, CloudP 100,
    // CloudD 600, StormP 20, StormD 900, Lat 501, Lon 85.
    EXPECT_EQ(h.send("82"), "8201001E500A6401010203046400580214008403F5015500\n");
    // Board 38.0 °C and water 25.3 °C close the Info record.
    const std::string info = h.send("81");
    ASSERT_EQ(info.size(), 2u + 64u + 1u);
    EXPECT_EQ(info.substr(58), "FD007C01\n");
    EXPECT_EQ(info.substr(0, 4), "8108"); // eight schedule rows
    // 07:00, -6 degrees (sin = -0.1045), all channels dark, no switches.
    EXPECT_EQ(h.send("83"), "83000700EBFB0000000000000000000000\n");
    EXPECT_EQ(h.send("85").size(), 2u + 108u + 1u);
    EXPECT_EQ(h.send("86").size(), 2u + 58u + 1u);
    const std::string chart = h.send("87");
    ASSERT_EQ(chart.size(), 2u + 160u + 1u);
    EXPECT_EQ(chart.substr(chart.size() - 9), "FF7FFF7F\n"); // oldest slots still empty
}

TEST(DevsimProtocol, ClockRunsAndFollowsATimeWrite) {
    SimulatorHarness h;
    // Info bytes 5..11: hundredths, second, minute, hour, day, month, year since 2000.
    EXPECT_EQ(h.send("81").substr(12, 14), "0038220C060518");
    h.advance(std::chrono::milliseconds(61'500));
    EXPECT_EQ(h.send("81").substr(12, 14), "3239230C060518");

    // Time variant: the clock is set to 2025-12-31 23:59:58.00; row and channels unchanged.
    const std::string timeWrite = "01"
                                  "08000000"
                                  "FF"
                                  "003A3B171F0C19"
                                  "00"
                                  "00000000"
                                  "FFFFFFFFFFFFFFFF"
                                  "000000"
                                  "00000000";
    EXPECT_EQ(h.send(timeWrite), Ack);
    EXPECT_EQ(h.send("81").substr(12, 14), "003A3B171F0C19");
    h.advance(std::chrono::seconds(3));
    EXPECT_EQ(h.send("81").substr(12, 14), "0001000001011A"); // 2026-01-01 00:00:01
}

TEST(DevsimProtocol, ChannelWriteLeavesClockAndUnmarkedChannels) {
    SimulatorHarness h;
    const std::string before = h.send("81");
    // Channels variant: Minute 255 with nonsense in the other time fields, channel 0 set to
    // 4096, channel 2 to 1, channels 1 and 3 marked 65535.
    const std::string channelWrite = "01"
                                     "08000000"
                                     "FF"
                                     "0102FF03040506"
                                     "00"
                                     "00000000"
                                     "0010FFFF0100FFFF"
                                     "000000"
                                     "00000000";
    EXPECT_EQ(h.send(channelWrite), Ack);
    const std::string after = h.send("81");
    EXPECT_EQ(after.substr(12, 14), before.substr(12, 14));
    EXPECT_EQ(after.substr(36, 4), "0010");
    EXPECT_EQ(after.substr(40, 4), before.substr(40, 4));
    EXPECT_EQ(after.substr(44, 4), "0100");
    EXPECT_EQ(after.substr(48, 4), before.substr(48, 4));
}

TEST(DevsimProtocol, RowWriteAndReservedBytesAreKept) {
    SimulatorHarness h;
    // Row variant choosing row 5; reserved bytes 12..16 and 25..27 carry a pattern.
    const std::string rowWrite = "01"
                                 "08000000"
                                 "05"
                                 "0102FF03040506"
                                 "A1"
                                 "B2C3D4E5"
                                 "FFFFFFFFFFFFFFFF"
                                 "F1F2F3"
                                 "00000000";
    EXPECT_EQ(h.send(rowWrite), Ack);
    const std::string info = h.send("81");
    EXPECT_EQ(info.substr(10, 2), "05");
    EXPECT_EQ(info.substr(26, 10), "A1B2C3D4E5");
    EXPECT_EQ(info.substr(52, 6), "F1F2F3");
    // Row 5 (19:00) levels: 2048, 2458, 1229, 2458.
    EXPECT_EQ(info.substr(36, 16), "00089A09CD049A09");
}

TEST(DevsimProtocol, RecordWritesReadBackUnchanged) {
    SimulatorHarness h;
    const std::string config = "00"
                               "0D"
                               "141E0519"
                               "02"
                               "0A0B0C0D"
                               "3412"
                               "7856"
                               "BC9A"
                               "F0DE"
                               "1AFF"
                               "E6FF";
    EXPECT_EQ(h.send("02" + config), Ack);
    EXPECT_EQ(h.send("82"), "82" + config + "\n");

    std::string expert;
    for (int i = 0; i < 54; ++i)
        expert += "0123456789ABCDEF"[i % 16] + std::string(1, "FEDCBA9876543210"[i % 16]);
    EXPECT_EQ(h.send("05" + expert), Ack);
    EXPECT_EQ(h.send("85"), "85" + expert + "\n");

    const std::string weather = "1100220033004455660100020003000400505152535455565758596061";
    ASSERT_EQ(weather.size(), 58u);
    EXPECT_EQ(h.send("06" + weather), Ack);
    EXPECT_EQ(h.send("86"), "86" + weather + "\n");
}

TEST(DevsimProtocol, ScheduleRowsRotateAndWritesLandAtTheirIndex) {
    SimulatorHarness h;
    for (int round = 0; round < 2; ++round) {
        for (int index = 0; index < 8; ++index) {
            const std::string reply = h.send("83");
            ASSERT_EQ(reply.size(), 35u);
            EXPECT_EQ(std::stoi(reply.substr(2, 2), nullptr, 16), index);
        }
    }
    // Row 3 of the default day: 12:00, 30 degrees (5000), 4096/3686/3277/4096, clouds and display.
    h.send("83");
    h.send("83");
    h.send("83");
    EXPECT_EQ(h.send("83"), "83030C0088130010660ECD0C0010000060\n");

    const std::string row = "0D1E"
                            "D007"
                            "0008000400020001"
                            "F401"
                            "E0";
    EXPECT_EQ(h.send("03"
                     "02" +
                     row),
              Ack);
    EXPECT_EQ(h.send("03"
                     "08" +
                     row),
              Ack); // past the last row: acknowledged, not stored
    EXPECT_EQ(h.send("03"
                     "FF" +
                     row),
              Ack);
    std::string all;
    for (int i = 0; i < 8; ++i)
        all += h.send("83");
    EXPECT_NE(all.find("8302" + row + "\n"), std::string::npos);
    EXPECT_EQ(all.find(row), all.find("8302" + row) + 4); // stored once only
    EXPECT_NE(all.find("83030C00"), std::string::npos);   // neighbours untouched
    EXPECT_NE(all.find("83010800"), std::string::npos);
}

TEST(DevsimProtocol, SpecialCommandsSetTheirInfoBits) {
    SimulatorHarness h;
    EXPECT_EQ(h.send("7F02"), Ack);
    EXPECT_EQ(h.send("81").substr(4, 2), "01");
    EXPECT_EQ(h.send("7f03"), Ack);
    EXPECT_EQ(h.send("81").substr(4, 2), "03");
    EXPECT_EQ(h.send("7F02"), Ack);
    EXPECT_EQ(h.send("81").substr(4, 2), "02");

    EXPECT_EQ(h.send("7F01"), Ack);
    EXPECT_EQ(h.send("81").substr(8, 2), "10");
    h.advance(std::chrono::milliseconds(1100));
    EXPECT_EQ(h.send("81").substr(8, 2), "00");
}

TEST(DevsimProtocol, RequestSyntax) {
    SimulatorHarness h;
    EXPECT_EQ(h.send("80\r"), "800304\n");
    const std::string config = "01001E500A6401010203046400580214008403F5015500";
    EXPECT_EQ(h.send("02" + std::string("01001e500a6401010203046400580214008403f5015500")), Ack);
    EXPECT_EQ(h.send("82"), "82" + config + "\n");

    for (const char* malformed :
         {"", "84", "04", "8", "812", "8100", "8G", "0201", "7F04", "7F0102", " 80", "80 "})
        EXPECT_EQ(h.send(malformed), "") << '"' << malformed << '"';
    // A SetConfig one byte short is not applied.
    EXPECT_EQ(h.send("02" + std::string(44, '0')), "");
    EXPECT_EQ(h.send("82"), "82" + config + "\n");
}

TEST(DevsimProtocol, RowCountCanChange) {
    SimulatorHarness h;
    h.simulator.model().setRowCount(32);
    EXPECT_EQ(h.send("81").substr(2, 2), "20");
    std::string last;
    for (int i = 0; i < 32; ++i)
        last = h.send("83");
    EXPECT_EQ(last, "831F180010270000000000000000000000\n");
    EXPECT_EQ(h.send("83").substr(0, 4), "8300");

    h.simulator.model().setRowCount(0);
    EXPECT_EQ(h.send("81").substr(2, 2), "00");
    EXPECT_EQ(h.send("83").substr(0, 4), "83FF"); // no row to give: an index the program ignores
}

} // namespace
} // namespace zorvex::devsim::test
