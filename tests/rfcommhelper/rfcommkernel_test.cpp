// The pure parts of the kernel bindings (address texts, device paths) and the helper's rights.
#include "privileges.h"
#include "rfcommkernel.h"

#include <fstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace zorvex::rfcomm;

TEST(RfcommKernel, AddressesInKernelOrderAndBack) {
    const struct {
        const char* text;
        std::optional<Address> address;
        const char* formatted;
    } cases[] = {
        {"00:1A:7D:DA:71:13", Address{0x13, 0x71, 0xDA, 0x7D, 0x1A, 0x00}, "00:1A:7D:DA:71:13"},
        {"aa:bb:cc:dd:ee:0f", Address{0x0F, 0xEE, 0xDD, 0xCC, 0xBB, 0xAA}, "AA:BB:CC:DD:EE:0F"},
        {"00:1A:7D:DA:71", std::nullopt, ""},
        {"00:1A:7D:DA:71:13:14", std::nullopt, ""},
        {"00:1A:7D:DA:71:GG", std::nullopt, ""},
        {"001A:7D:DA:71:13:", std::nullopt, ""},
        {"00:1A:7D:DA:71:13:", std::nullopt, ""},
        {"00-1A-7D-DA-71-13", std::nullopt, ""},
        {"", std::nullopt, ""},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(ParseAddress(test.text), test.address) << test.text;
        if (test.address) {
            EXPECT_EQ(FormatAddress(*test.address), test.formatted);
        }
    }
    EXPECT_EQ(DevicePath(0), "/dev/rfcomm0");
    EXPECT_EQ(DevicePath(17), "/dev/rfcomm17");
}

namespace {

// The capability sets of this process from the kernel's own account.
std::string CapabilityLine(const std::string& name) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with(name + ":\t"))
            return line.substr(name.size() + 2);
    return {};
}

} // namespace

// Run in a child, whose rights the test may take away.
TEST(RfcommHelperRights, OnlyNetAdminIsKeptAndEffectiveOnlyWhenRaised) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool hadNetAdmin = std::stoull(CapabilityLine("CapPrm"), nullptr, 16) >> 12 & 1;
        const std::string netAdmin = hadNetAdmin ? "0000000000001000" : "0000000000000000";
        const std::string none = "0000000000000000";
        bool ok = KeepOnlyNetAdminPermitted() == 0 && CapabilityLine("CapPrm") == netAdmin &&
                  CapabilityLine("CapEff") == none && CapabilityLine("CapInh") == none;
        RaiseNetAdmin();
        ok = ok && CapabilityLine("CapEff") == netAdmin;
        LowerNetAdmin();
        ok = ok && CapabilityLine("CapEff") == none && CapabilityLine("CapPrm") == netAdmin;
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
