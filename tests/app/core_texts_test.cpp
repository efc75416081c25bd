// The command line of the window.
#include "commandline.h"
#include "language.h"

#include <gtest/gtest.h>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {
bool NoPorts(const QString&) {
    return false;
}
} // namespace

TEST(CommandLine, SwitchesAreCaseInsensitiveWithOneLeadingMark) {
    const CommandLineChoice slash = ParseCommandLine({u"/Expert"_s}, NoPorts);
    EXPECT_TRUE(slash.showExpert);
    EXPECT_TRUE(ParseCommandLine({u"-EXPERT"_s}, NoPorts).showExpert);
    const CommandLineChoice twoDashes = ParseCommandLine({u"--expert"_s}, NoPorts);
    EXPECT_FALSE(twoDashes.showExpert);
    EXPECT_FALSE(twoDashes.portName.has_value());
    EXPECT_EQ(twoDashes.logLines, QStringList{u"Parameter: --expert"_s});
    const CommandLineChoice all = ParseCommandLine({u"-rc433"_s, u"/DEBUG"_s}, NoPorts);
    EXPECT_TRUE(all.showRC433);
    EXPECT_TRUE(all.debug);
}

TEST(CommandLine, TheLastLanguageWins) {
    EXPECT_EQ(ParseCommandLine({u"-german"_s, u"-english"_s}, NoPorts).language, Language::English);
    EXPECT_EQ(ParseCommandLine({u"-english"_s, u"/German"_s}, NoPorts).language, Language::German);
    EXPECT_EQ(ParseCommandLine({}, NoPorts).language, Language::Unset);
}

TEST(CommandLine, PortArguments) {
    EXPECT_EQ(ParseCommandLine({u"com7"_s}, NoPorts).portName, u"COM7"_s);
    EXPECT_EQ(ParseCommandLine({u"x"_s}, NoPorts).portName, u"X"_s);
    EXPECT_EQ(ParseCommandLine({u"-"_s}, NoPorts).portName, u"-"_s);
    EXPECT_EQ(ParseCommandLine({u"com1"_s, u"com2"_s}, NoPorts).portName, u"COM2"_s);
    // A path is a port even when it starts like a switch, and even before the adapter is there;
    // a relative one means a file in the folder the program was started in.
    const auto existing = [](const QString& text) {
        return text == u"/tmp/sim/link" || text == u"/home/a/link";
    };
    const struct {
        QString argument;
        std::optional<QString> port;
    } cases[] = {
        {u"/tmp/sim/link"_s, u"/tmp/sim/link"_s}, {u"/dev/ttyUSB0"_s, u"/dev/ttyUSB0"_s},
        {u"/dev/rfcomm0"_s, u"/dev/rfcomm0"_s},   {u"/tmp/missing"_s, u"/tmp/missing"_s},
        {u"./sim/link"_s, u"/home/a/sim/link"_s}, {u"../b/link"_s, u"/home/b/link"_s},
        {u"link"_s, u"/home/a/link"_s},           {u"/expert2"_s, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseCommandLine({c.argument}, existing, u"/home/a"_s).portName, c.port)
            << c.argument.toStdString();
}

TEST(CommandLine, ExistingDeviceNodesArePorts) {
    EXPECT_TRUE(PortExistsOnDisk(u"/dev/null"_s));
    EXPECT_TRUE(PortExistsOnDisk(u"null"_s)); // a name under /dev
    EXPECT_FALSE(PortExistsOnDisk(u"/expert"_s));
    EXPECT_FALSE(PortExistsOnDisk(QString()));
}
