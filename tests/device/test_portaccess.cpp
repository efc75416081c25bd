// The advice for a serial port that refused to open: the decision from the node's group, the
// user's groups and the kind of refusal, and the probe of a real node.
#include "language.h"
#include "portaccess.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

PortAccessFacts Facts(PortRefusal refusal, const QString& group, const QStringList& memberOf,
                      const QStringList& current, bool modemManager = false, qint64 ageSeconds = 3600) {
    PortAccessFacts facts;
    facts.port = u"/dev/ttyUSB0"_s;
    facts.nodePath = u"/dev/ttyUSB0"_s;
    facts.refusal = refusal;
    facts.ownerGroup = group;
    facts.memberOf = memberOf;
    facts.currentGroups = current;
    facts.modemManagerRunning = modemManager;
    facts.nodeAgeSeconds = ageSeconds;
    return facts;
}

struct HelpCase {
    const char* name;
    PortAccessFacts facts;
    QStringList contains;
    QStringList lacks;
};

} // namespace

TEST(PortAccessHelp, FromTheNodesGroupTheUsersGroupsAndTheRefusal) {
    const QStringList user{u"anna"_s, u"users"_s};
    const HelpCase cases[] = {
        {"Debian's group, not joined",
         Facts(PortRefusal::NoAccess, u"dialout"_s, user, user),
         {u"\"dialout\""_s, u"sudo usermod -aG dialout $USER"_s, u"new login"_s},
         {u"ModemManager"_s}},
        {"Arch's group, not joined",
         Facts(PortRefusal::NoAccess, u"uucp"_s, user, user),
         {u"\"uucp\""_s, u"sudo usermod -aG uucp $USER"_s, u"new login"_s},
         {u"dialout"_s}},
        {"joined after this login began",
         Facts(PortRefusal::NoAccess, u"dialout"_s, user + QStringList{u"dialout"_s}, user),
         {u"\"dialout\""_s, u"Log out and in again"_s},
         {u"usermod"_s}},
        {"in the group, yet the group may not use it",
         Facts(PortRefusal::NoAccess, u"dialout"_s, user + QStringList{u"dialout"_s},
               user + QStringList{u"dialout"_s}),
         {u"\"dialout\""_s, u"does not let its group"_s},
         {u"usermod -aG dialout"_s}},
        {"only root",
         Facts(PortRefusal::NoAccess, u"root"_s, user, user),
         {u"only root"_s, u"udev rule"_s},
         {u"usermod -aG root"_s}},
        {"busy right after it appeared, ModemManager running",
         Facts(PortRefusal::Busy, u"dialout"_s, user, user, true, 5),
         {u"ModemManager is probing"_s},
         {u"usermod"_s}},
        {"busy long after it appeared",
         Facts(PortRefusal::Busy, u"dialout"_s, user, user, true, 3600),
         {u"another program"_s},
         {u"ModemManager"_s}},
        {"busy without ModemManager",
         Facts(PortRefusal::Busy, u"dialout"_s, user, user, false, 5),
         {u"another program"_s},
         {u"ModemManager"_s}},
    };
    for (const HelpCase& test : cases) {
        const QString help = PortAccessHelp(test.facts);
        for (const QString& part : test.contains)
            EXPECT_TRUE(help.contains(part)) << test.name << ": " << help.toStdString();
        for (const QString& part : test.lacks)
            EXPECT_FALSE(help.contains(part)) << test.name << ": " << help.toStdString();
        EXPECT_TRUE(help.contains(u"/dev/ttyUSB0"_s)) << test.name;
    }
}

TEST(PortAccessHelp, NothingToSayWithoutADeviceNode) {
    PortAccessFacts facts = Facts(PortRefusal::NoAccess, u"dialout"_s, {}, {});
    facts.nodePath.clear();
    EXPECT_TRUE(PortAccessHelp(facts).isEmpty());
}

TEST(PortAccessHelp, SpeaksTheLoadedLanguage) {
    LoadLanguageTable(Language::German);
    const QString help = PortAccessHelp(Facts(PortRefusal::NoAccess, u"dialout"_s, {}, {}));
    LoadLanguageTable(Language::English);
    EXPECT_TRUE(help.contains(u"Gruppe \"dialout\""_s)) << help.toStdString();
    EXPECT_TRUE(help.contains(u"sudo usermod -aG dialout $USER"_s));
}

TEST(ProbePortAccess, ReadsTheNodesRealGroupAndTheUsersGroups) {
    QTemporaryFile node;
    ASSERT_TRUE(node.open());
    const PortAccessFacts facts = ProbePortAccess(node.fileName());
    EXPECT_EQ(facts.nodePath, node.fileName());
    EXPECT_EQ(facts.ownerGroup, QFileInfo(node.fileName()).group());
    // Our own file: whatever refused the port, it was not the permission.
    EXPECT_EQ(facts.refusal, PortRefusal::Busy);
    EXPECT_FALSE(facts.currentGroups.isEmpty());
    ASSERT_TRUE(facts.nodeAgeSeconds.has_value());
    EXPECT_LT(*facts.nodeAgeSeconds, 60);

    EXPECT_TRUE(ProbePortAccess(u"/nonexistent/ttyUSB9"_s).nodePath.isEmpty());
}
