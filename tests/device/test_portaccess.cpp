// The hint for a serial port the system refused: which group to join, or ModemManager.
#include "portaccess.h"

#include <gtest/gtest.h>

using namespace zorvex;
using namespace Qt::StringLiterals;

TEST(PortAccess, TheHintNamesTheNodesRealGroupOrModemManager) {
    const struct {
        QString group;
        QStringList groups;
        bool modemManager;
        QString expected; // a part of the hint; empty: no hint
    } cases[] = {
        {u"dialout"_s, {u"user"_s}, false, u"sudo usermod -aG dialout $USER"_s},
        {u"uucp"_s, {u"user"_s, u"wheel"_s}, true, u"group \"uucp\""_s},
        {u"dialout"_s, {u"user"_s, u"dialout"_s}, true, u"ModemManager"_s},
        {u"dialout"_s, {u"user"_s, u"dialout"_s}, false, {}},
        {u"root"_s, {u"user"_s}, false, {}},
    };
    for (const auto& c : cases) {
        const QString hint = PortAccessHint({u"/dev/ttyUSB0"_s, c.group, c.groups, c.modemManager});
        if (c.expected.isEmpty())
            EXPECT_TRUE(hint.isEmpty()) << hint.toStdString();
        else
            EXPECT_TRUE(hint.contains(c.expected) && hint.contains(u"/dev/ttyUSB0"_s)) << hint.toStdString();
    }
    // The facts come from the node itself; a bare name is a node under /dev.
    EXPECT_EQ(GatherPortAccessFacts(u"null"_s).path, u"/dev/null"_s);
    EXPECT_EQ(GatherPortAccessFacts(u"/dev/null"_s).ownerGroup, u"root"_s);
    EXPECT_TRUE(FirstPortAccessHint());
    EXPECT_FALSE(FirstPortAccessHint());
}
