// The fault switches as they shape the replies, and the control commands that set them.

#include "controlcommands.h"
#include "simulatorharness.h"

#include <gtest/gtest.h>

#include <vector>

namespace zorvex::devsim::test {
namespace {

const std::string DefaultConfig = "01001E500A6401010203046400580214008403F5015500";

class RecordingLink : public LinkControl {
public:
    bool unplug(std::string&) override {
        calls.emplace_back("unplug");
        return true;
    }
    bool replug(std::string& error) override {
        calls.emplace_back("replug");
        error = "no terminal";
        return false;
    }
    void setPacing(bool on) override { calls.emplace_back(on ? "pacing on" : "pacing off"); }
    void setTrace(bool on) override { calls.emplace_back(on ? "trace on" : "trace off"); }
    void quit() override { calls.emplace_back("quit"); }

    std::vector<std::string> calls;
};

struct ControlledHarness : SimulatorHarness {
    RecordingLink link;
    std::string control(std::string_view line) { return runControlCommand(line, simulator, link, now); }
};

TEST(DevsimFaults, ReplyShapeSwitches) {
    ControlledHarness h;
    ASSERT_EQ(h.control("cr on"), "ok");
    EXPECT_EQ(h.send("82"), "82" + DefaultConfig + "\r");
    EXPECT_EQ(h.send("7F02"), Ack); // acknowledgements are single bytes whatever the terminator
    ASSERT_EQ(h.control("cr off"), "ok");

    ASSERT_EQ(h.control("lower on"), "ok");
    EXPECT_EQ(h.send("82"), "8201001e500a6401010203046400580214008403f5015500\n");
    ASSERT_EQ(h.control("lower off"), "ok");

    ASSERT_EQ(h.control("wrong-echo on"), "ok");
    EXPECT_EQ(h.send("82"), "83" + DefaultConfig + "\n");
    EXPECT_EQ(h.send("80"), "810304\n");
    ASSERT_EQ(h.control("wrong-echo off"), "ok");

    ASSERT_EQ(h.control("short on"), "ok");
    EXPECT_EQ(h.send("80"), "800304");
    ASSERT_EQ(h.control("short off"), "ok");

    ASSERT_EQ(h.control("bad-hex on"), "ok");
    EXPECT_EQ(h.send("80"), "80G104\n");
    ASSERT_EQ(h.control("bad-hex off"), "ok");
    EXPECT_EQ(h.send("80"), "800304\n");
}

TEST(DevsimFaults, SilenceAndDroppedAcknowledgementsCountRequests) {
    ControlledHarness h;
    ASSERT_EQ(h.control("silence 2"), "ok");
    EXPECT_EQ(h.send("80"), "");
    EXPECT_EQ(h.send("7F02"), ""); // silenced, but the cloud is toggled all the same
    EXPECT_EQ(h.send("81").substr(4, 2), "01");

    ASSERT_EQ(h.control("drop-acks 1"), "ok");
    EXPECT_EQ(h.send("7F02"), "");
    EXPECT_EQ(h.send("80"), "800304\n"); // reads are not affected
    EXPECT_EQ(h.send("7F02"), Ack);

    ASSERT_EQ(h.control("drop-acks -1"), "ok");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(h.send("7F03"), "");
    ASSERT_EQ(h.control("drop-acks 0"), "ok");
    EXPECT_EQ(h.send("7F03"), Ack);

    ASSERT_EQ(h.control("ack-byte 0"), "ok");
    EXPECT_EQ(h.send("7F03"), std::string(1, '\0'));
    ASSERT_EQ(h.control("ack-byte 0x41"), "ok");
    EXPECT_EQ(h.simulator.handleLine("7F03", h.now).trace, "ack 65");
}

TEST(DevsimFaults, IdentityAndPersonalityCommands) {
    ControlledHarness h;
    EXPECT_EQ(h.control("type 6"), "ok");
    EXPECT_EQ(h.control("version 3"), "ok");
    EXPECT_EQ(h.send("80"), "800603\n");
    EXPECT_EQ(h.control("boot-version 9"), "ok");
    EXPECT_EQ(h.control("page-size 64"), "ok");
    EXPECT_EQ(h.control("bootloader"), "ok");
    EXPECT_EQ(h.send("80"), "800209\n");
    EXPECT_EQ(h.send("81").substr(0, 6), "814000");
    EXPECT_EQ(h.control("app"), "ok");
    EXPECT_EQ(h.send("80"), "800603\n");

    EXPECT_EQ(h.control("rows 12"), "ok");
    EXPECT_EQ(h.send("81").substr(2, 2), "0C");
    EXPECT_EQ(h.control("water-sensor off"), "ok");
    EXPECT_EQ(h.send("81").substr(58, 4), "FF7F");
}

TEST(DevsimFaults, LinkCommandsAndErrors) {
    ControlledHarness h;
    EXPECT_EQ(h.control("unplug"), "ok");
    EXPECT_EQ(h.control("replug"), "error no terminal");
    EXPECT_EQ(h.control("  pacing   off "), "ok");
    EXPECT_EQ(h.control("trace on"), "ok");
    EXPECT_EQ(h.control("quit"), "ok");
    EXPECT_EQ(h.link.calls, (std::vector<std::string>{"unplug", "replug", "pacing off", "trace on", "quit"}));

    EXPECT_EQ(h.control("rows 128"), "error rows expects a number from 0 to 127");
    EXPECT_EQ(h.control("silence -1"), "error silence expects a number from 0 to 2147483647");
    EXPECT_EQ(h.control("cr maybe"), "error cr expects on or off");
    EXPECT_EQ(h.control("cr"), "error cr needs one argument");
    EXPECT_EQ(h.control("quit now"), "error quit takes no argument");
    EXPECT_EQ(h.control("explode"), "error unknown command explode");
    EXPECT_EQ(h.control("type 3x"), "error type expects a number from 0 to 255");
    EXPECT_EQ(h.link.calls.size(), 5u);
    EXPECT_EQ(h.send("81").substr(2, 2), "08");
}

} // namespace
} // namespace zorvex::devsim::test
