// zorvexpro-rfcomm: binds, releases and lists the kernel's RFCOMM TTYs for the program, which
// must not hold CAP_NET_ADMIN itself. Installed with that capability in its permitted and
// effective sets and executable only by the group that owns serial ports. It reads nothing from
// its environment, starts nothing, and holds the capability effective only for the two ioctls
// that need it.
//
// Exit status: 0 done; 2 arguments refused; 3 the kernel refused for lack of rights (no
// CAP_NET_ADMIN); 1 any other failure. Every refusal and failure is one line on standard error.
#include "commandline.h"
#include "privileges.h"
#include "rfcommkernel.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <type_traits>
#include <variant>

namespace {

using namespace zorvex::rfcomm;

enum Status : int { Done = 0, Failed = 1, Refused = 2, NoRight = 3 };

Status Fail(const char* what, int error) {
    const char* name = strerrorname_np(error);
    std::fprintf(stderr, "zorvexpro-rfcomm: %s: %s: %s%s\n", what, name != nullptr ? name : "unknown error",
                 std::strerror(error),
                 error == EPERM || error == EACCES ? " (the helper lacks the capability CAP_NET_ADMIN)" : "");
    return error == EPERM || error == EACCES ? NoRight : Failed;
}

Status Run(const BindCommand& command) {
    const BindResult result =
        BindDevice(command.adapter, command.device, command.channel, {RaiseNetAdmin, LowerNetAdmin});
    if (result.error != 0)
        return Fail(("cannot bind " + FormatAddress(command.device)).c_str(), result.error);
    std::printf("%s\n", DevicePath(result.id).c_str());
    return Done;
}

Status Run(const ReleaseCommand& command) {
    if (const int error = ReleaseDevice(command.device, {RaiseNetAdmin, LowerNetAdmin}))
        return Fail(("cannot release " + FormatAddress(command.device)).c_str(), error);
    return Done;
}

Status Run(const ListCommand&) {
    const ListResult result = ListBindings();
    if (result.error != 0)
        return Fail("cannot list the bindings", result.error);
    for (const Binding& binding : result.bindings)
        std::printf("%s %s %d %s\n", DevicePath(binding.id).c_str(), FormatAddress(binding.device).c_str(),
                    binding.channel, FormatAddress(binding.adapter).c_str());
    return Done;
}

Status Run(const HelpCommand&) {
    std::printf("%s\n", Usage);
    return Done;
}

} // namespace

int main(int argc, char** argv) {
    // Nothing from the caller's environment reaches this process's code (locale, paths, ...).
    if (::clearenv() != 0)
        return Failed;
    if (const int error = HardenProcess())
        return Fail("cannot secure the process", error);
    if (const int error = KeepOnlyNetAdminPermitted())
        return Fail("cannot drop capabilities", error);

    // argc may be 0 (an empty argv is possible with execve); then there are no arguments either.
    const std::span<const char* const> arguments(argv, static_cast<std::size_t>(argc > 0 ? argc : 0));
    const auto parsed = ParseCommandLine(arguments.empty() ? arguments : arguments.subspan(1));
    if (const auto* refusal = std::get_if<Refusal>(&parsed)) {
        std::fprintf(stderr, "zorvexpro-rfcomm: %s\n", refusal->reason.c_str());
        return Refused;
    }
    const Status status =
        std::visit([](const auto& command) { return Run(command); }, std::get<Command>(parsed));
    // A path that never reached the caller is a failure too.
    if (std::fflush(stdout) != 0) {
        std::fprintf(stderr, "zorvexpro-rfcomm: cannot write the result: %s\n", std::strerror(errno));
        return Failed;
    }
    return status;
}
