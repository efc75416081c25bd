// Command-line options and the arrival times of request lines on a paced line.

#include "linetiming.h"
#include "options.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace zorvex::devsim {
namespace {

std::optional<Options> parse(std::vector<std::string_view> arguments, std::string& error) {
    return parseOptions(arguments, error);
}

TEST(DevsimOptions, OptionsBecomeStartupCommands) {
    std::string error;
    const auto options =
        parse({"--no-pacing", "--type", "6", "--silence=3", "--cr", "--flash-image", "/tmp/f.bin", "--link",
               "/tmp/l", "--bootloader", "--no-water-sensor", "--baud", "9600"},
              error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->linkPath, "/tmp/l");
    EXPECT_EQ(options->flashImage, "/tmp/f.bin");
    EXPECT_EQ(options->baud, 9600);
    EXPECT_EQ(options->startupCommands,
              (std::vector<std::string>{"pacing off", "type 6", "silence 3", "cr on", "bootloader",
                                        "water-sensor off"}));
    EXPECT_FALSE(options->help);

    const auto positional = parse({"/run/x/port"}, error);
    ASSERT_TRUE(positional);
    EXPECT_EQ(positional->linkPath, "/run/x/port");
}

TEST(DevsimOptions, BadArgumentsAreReported) {
    std::string error;
    EXPECT_FALSE(parse({"--rows"}, error));
    EXPECT_EQ(error, "--rows needs a value N");
    EXPECT_FALSE(parse({"--frobnicate"}, error));
    EXPECT_EQ(error, "unknown option --frobnicate");
    EXPECT_FALSE(parse({"--cr=1"}, error));
    EXPECT_FALSE(parse({"--baud", "fast"}, error));
    EXPECT_FALSE(parse({"a", "b"}, error));
}

TEST(DevsimOptions, DefaultLinkPathFollowsTheRuntimeDirectory) {
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedValue = saved ? saved : "";
    setenv("XDG_RUNTIME_DIR", "/run/user/4242", 1);
    std::string error;
    EXPECT_EQ(parse({}, error)->linkPath, "/run/user/4242/zorvexpro-devsim");
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(parse({}, error)->linkPath, "/tmp/zorvexpro-devsim-" + std::to_string(getuid()));
    if (saved)
        setenv("XDG_RUNTIME_DIR", savedValue.c_str(), 1);

    const std::string help = helpText("zorvexpro-devsim");
    for (const char* item :
         {"--no-pacing", "--flash-image FILE", "--drop-acks N", "silence N", "replug", "quit"})
        EXPECT_NE(help.find(item), std::string::npos) << item;
}

TEST(DevsimLineTiming, LinesArriveAfterTheirWireTime) {
    EXPECT_EQ(byteTimeAt(115200).count(), 86805); // 10 bits at 115200 baud
    const MonoTime byte = byteTimeAt(115200);
    const MonoTime t0{std::chrono::seconds(5)};
    LineReceiver receiver(byte);

    // Two requests in one write: the second queues behind the first on the wire.
    auto lines = receiver.feed("80\n81\r\n", t0);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "80");
    EXPECT_EQ(lines[0].arrival, t0 + 3 * byte);
    EXPECT_EQ(lines[1].text, "81\r");
    EXPECT_EQ(lines[1].arrival, t0 + 7 * byte);

    // A line split over two reads, the second read coming while the first part is still on the wire.
    EXPECT_TRUE(receiver.feed("8", t0 + 8 * byte).empty());
    lines = receiver.feed("2\n", t0 + 8 * byte + byte / 2);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "82");
    EXPECT_EQ(lines[0].arrival, t0 + 11 * byte);

    // Without pacing a line counts as arrived when it is read.
    LineReceiver immediate(MonoTime{});
    lines = immediate.feed("80\n", t0);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].arrival, t0);
}

} // namespace
} // namespace zorvex::devsim
