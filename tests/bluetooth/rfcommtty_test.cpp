// The RFCOMM serial port: the capability tests, the kernel's address order, the line for a user
// without the rights, where the helper is, and binding through a stand-in helper.
#include "rfcommtty.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace Qt::StringLiterals;

TEST(RfcommTty, EffectiveCapabilityFromTheProcessStatus) {
    const struct {
        QString status;
        bool netAdmin;
    } cases[] = {
        {u"Name:\tzorvexpro\nCapInh:\t0000000000000000\nCapEff:\t0000000000001000\nCapBnd:\t000001ffffffffff\n"_s,
         true},
        {u"CapPrm:\t0000000000001000\nCapEff:\t0000000000000000\n"_s, false},
        {u"CapEff:\t000001ffffffffff\n"_s, true},
        {u"CapEff:\t00000000a80425fb\n"_s, false}, // a container's root without CAP_NET_ADMIN
        {u"Name:\tno capability line\n"_s, false},
    };
    for (const auto& test : cases)
        EXPECT_EQ(HasEffectiveCapability(test.status, 12), test.netAdmin) << test.status.toStdString();
}

TEST(RfcommTty, AddressesAreKeptLeastSignificantByteFirst) {
    using Bytes = std::array<std::uint8_t, 6>;
    EXPECT_EQ(KernelBluetoothAddress(u"00:1A:7D:DA:71:13"_s), (Bytes{0x13, 0x71, 0xDA, 0x7D, 0x1A, 0x00}));
    EXPECT_EQ(KernelBluetoothAddress(u"aa:bb:cc:dd:ee:0f"_s), (Bytes{0x0F, 0xEE, 0xDD, 0xCC, 0xBB, 0xAA}));
    for (const QString& bad : {u""_s, u"00:1A:7D:DA:71"_s, u"00:1A:7D:DA:71:1G"_s, u"001A7DDA7113"_s})
        EXPECT_FALSE(KernelBluetoothAddress(bad).has_value()) << bad.toStdString();
}

TEST(RfcommTty, OneLineNamesTheHelperNeverTheProgramAndTheRealGroup) {
    QTemporaryDir dir;
    const QString helper = dir.filePath(u"zorvexpro-rfcomm"_s);
    QFile file(helper);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const RfcommRights ready{
        false, helper, true, true, u"uucp"_s, {u"anna"_s, u"uucp"_s}, {u"anna"_s, u"uucp"_s}};
    const struct {
        RfcommRights rights;
        QString line;
    } cases[] = {
        {ready, {}},
        {[&] {
             RfcommRights r = ready;
             r.helperHasCapability = false;
             return r;
         }(),
         u"Making a Bluetooth serial port needs the right CAP_NET_ADMIN for the helper %1 (never for this "
         u"program): run \"sudo setcap cap_net_admin+ep '%1'\"."_s.arg(helper)},
        {[&] {
             RfcommRights r = ready;
             r.helperPath = dir.filePath(u"gone"_s);
             return r;
         }(),
         u"Making a Bluetooth serial port needs the helper %1, which is missing or may not be run: install "
         u"the "
         u"program's package again."_s.arg(dir.filePath(u"gone"_s))},
        {[&] {
             RfcommRights r = ready;
             r.memberOf = r.currentGroups = {u"anna"_s};
             return r;
         }(),
         u"Opening a Bluetooth serial port needs membership in the group \"uucp\": run \"sudo usermod -aG "
         u"uucp anna\", then log out and in again."_s},
        {[&] {
             RfcommRights r = ready;
             r.currentGroups = {u"anna"_s};
             return r;
         }(),
         u"Opening a Bluetooth serial port needs the group \"uucp\", which you joined after this login "
         u"began: "
         u"log out and in again."_s},
        {RfcommRights{true, {}, false, false, u"dialout"_s, {}, {}, true}, {}}, // root binds itself
    };
    for (const auto& test : cases)
        EXPECT_EQ(MissingRightsLine(test.rights, u"anna"_s), test.line) << test.line.toStdString();
}

TEST(RfcommTty, TheHelperIsFoundBesideTheInstalledProgramOrInTheBuildTree) {
    QTemporaryDir root;
    const QDir dir(root.path());
    const QString installed = dir.filePath(u"libexec/zorvexpro/zorvexpro-rfcomm"_s);
    const QString built = dir.filePath(u"bluetooth/rfcommhelper/zorvexpro-rfcomm"_s);
    const QString programDir = dir.filePath(u"bin"_s);
    EXPECT_EQ(RfcommHelperPath(programDir), installed) << "where the package puts it";
    for (const QString& file : {built, installed}) {
        ASSERT_TRUE(dir.mkpath(QFileInfo(file).path()));
        QFile(file).open(QIODevice::WriteOnly);
        EXPECT_EQ(RfcommHelperPath(programDir), file);
    }
}

TEST(RfcommTty, FileCapabilityFromTheExtendedAttribute) {
    // struct vfs_cap_data: magic and revision, then permitted and inheritable per 32 capabilities.
    const auto attribute = [](std::uint32_t magic, std::uint32_t permitted, int words) {
        QByteArray bytes(reinterpret_cast<const char*>(&magic), 4);
        for (int n = 0; n < words; ++n) {
            const std::uint32_t masks[2] = {n == 0 ? permitted : 0u, 0u};
            bytes.append(reinterpret_cast<const char*>(masks), 8);
        }
        return bytes;
    };
    const std::uint32_t revision2 = 0x02000000, effective = 1;
    EXPECT_TRUE(FileCapabilityPermits(attribute(revision2 | effective, 1u << 12, 2), 12));
    EXPECT_FALSE(FileCapabilityPermits(attribute(revision2 | effective, 1u << 13, 2), 12));
    EXPECT_TRUE(FileCapabilityPermits(attribute(0x01000000, 1u << 12, 1), 12));
    EXPECT_FALSE(FileCapabilityPermits(attribute(revision2, 1u << 12, 2).left(10), 12));
    EXPECT_FALSE(FileCapabilityPermits(attribute(0x07000000, 1u << 12, 2), 12)); // unknown revision
}

// The service binds and releases through a stand-in helper that records its arguments.
class RfcommThroughTheHelper : public ::testing::Test {
protected:
    // A helper that writes its arguments to `calls`, prints `output` and exits with `code`.
    void standIn(int code, const QString& output, const QString& standardError = {}) {
        QFile script(helper);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(u"#!/bin/sh\necho \"$*\" >> '%1'\necho '%2'\necho '%3' >&2\nexit %4\n"_s
                         .arg(calls, output, standardError)
                         .arg(code)
                         .toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QStringList called() const {
        QFile file(calls);
        return file.open(QIODevice::ReadOnly)
                   ? QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)
                   : QStringList{};
    }
    RfcommTtyService service(int channel) {
        RfcommTtyService made(helper, [channel](const QString&, const QString&) { return channel; });
        made.UseHelperAlways();
        return made;
    }

    QTemporaryDir dir;
    QString helper = dir.filePath(u"zorvexpro-rfcomm"_s);
    QString calls = dir.filePath(u"calls"_s);
    const QString adapter = u"00:1A:7D:DA:71:13"_s;
    const QString lamp = u"98:D3:31:F5:2A:07"_s;
};

TEST_F(RfcommThroughTheHelper, BindAndReleaseGoThroughTheHelperWithItsOutcome) {
    standIn(0, u"/dev/rfcomm7"_s);
    EXPECT_EQ(service(5).Enable(adapter, lamp), std::nullopt);
    EXPECT_EQ(service(5).Disable(lamp), std::nullopt);
    EXPECT_EQ(called(), (QStringList{u"bind %1 %2 5"_s.arg(adapter, lamp), u"release %1"_s.arg(lamp)}));

    // Channels outside 1..30 never reach the helper.
    for (const int channel : {0, 31, 255})
        EXPECT_EQ(service(channel).Enable(adapter, lamp)->code, u"NoSerialPortService"_s) << channel;
    EXPECT_EQ(called().size(), 2);

    standIn(3, {}, u"zorvexpro-rfcomm: bind failed: EPERM: Operation not permitted"_s);
    const BluetoothResult refused = service(5).Enable(adapter, lamp);
    ASSERT_TRUE(refused && refused->missingRights);
    EXPECT_TRUE(refused->text.contains(u"setcap cap_net_admin+ep '%1'"_s.arg(helper)))
        << refused->text.toStdString();

    standIn(1, {}, u"zorvexpro-rfcomm: cannot bind 98:D3:31:F5:2A:E7: EHOSTDOWN: Host is down"_s);
    const BluetoothResult down = service(5).Enable(adapter, lamp);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->code, u"EHOSTDOWN"_s);
    EXPECT_EQ(down->text, u"Host is down"_s);
    // Without Bluetooth in the kernel nothing is bound, so nothing needs releasing.
    standIn(1, {}, u"zorvexpro-rfcomm: EAFNOSUPPORT: Address family not supported by protocol"_s);
    EXPECT_EQ(service(5).Disable(lamp), std::nullopt);
}
