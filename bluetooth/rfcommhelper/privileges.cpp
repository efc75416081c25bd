#include "privileges.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace zorvex::rfcomm {

namespace {

constexpr __u32 NetAdminMask = CAP_TO_MASK(CAP_NET_ADMIN);
constexpr int NetAdminIndex = CAP_TO_INDEX(CAP_NET_ADMIN);

struct CapabilitySets {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
};

// 0 or an errno value.
int Get(CapabilitySets& sets) {
    return ::syscall(SYS_capget, &sets.header, sets.data) == 0 ? 0 : errno;
}
int Set(CapabilitySets& sets) {
    return ::syscall(SYS_capset, &sets.header, sets.data) == 0 ? 0 : errno;
}

} // namespace

int HardenProcess() {
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0) != 0)
        return errno;
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF)
            continue;
        // The lowest free descriptor is this one.
        if (::open("/dev/null", O_RDWR) != fd)
            return EBADF;
    }
    return 0;
}

int KeepOnlyNetAdminPermitted() {
    CapabilitySets sets;
    if (const int error = Get(sets))
        return error;
    const __u32 permitted = sets.data[NetAdminIndex].permitted & NetAdminMask;
    sets.data[0] = sets.data[1] = {};
    sets.data[NetAdminIndex].permitted = permitted;
    return Set(sets);
}

void RaiseNetAdmin() {
    CapabilitySets sets;
    if (Get(sets) == 0 && (sets.data[NetAdminIndex].permitted & NetAdminMask) != 0) {
        sets.data[NetAdminIndex].effective |= NetAdminMask;
        Set(sets);
    }
}

void LowerNetAdmin() {
    CapabilitySets sets;
    int error = Get(sets);
    if (error == 0) {
        sets.data[0].effective = sets.data[1].effective = 0;
        error = Set(sets);
    }
    if (error != 0) {
        static constexpr char Line[] = "zorvexpro-rfcomm: cannot lower CAP_NET_ADMIN again\n";
        [[maybe_unused]] const auto written = ::write(STDERR_FILENO, Line, sizeof Line - 1);
        ::_exit(1);
    }
}

} // namespace zorvex::rfcomm
