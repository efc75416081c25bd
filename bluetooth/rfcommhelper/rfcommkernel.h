// The kernel's RFCOMM TTY bindings (/dev/rfcommN): list, bind and release them through the ioctls
// of an RFCOMM control socket, as `rfcomm bind` and `rfcomm release` do. No Qt, so that the
// capability helper can use it without loading anything a user could redirect.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvex::rfcomm {

using Address = std::array<std::uint8_t, 6>; // kernel order: least significant byte first
inline constexpr int MinChannel = 1, MaxChannel = 30;

// "00:1A:7D:DA:71:13": exactly six hexadecimal pairs separated by ':' (either case); else nullopt.
std::optional<Address> ParseAddress(std::string_view text);
std::string FormatAddress(const Address& address); // upper case, most significant first
std::string DevicePath(int id);                    // "/dev/rfcomm" + id

struct Binding {
    int id = -1;
    Address adapter{};
    Address device{};
    int channel = 0;
};
struct ListResult {
    int error = 0; // an errno value, 0 = fine
    std::vector<Binding> bindings;
};
struct BindResult {
    int error = 0;
    int id = -1;
    bool existed = false;
};

// Called around the two ioctls that need CAP_NET_ADMIN (create and release), so that a caller
// holding the capability only in its permitted set makes it effective just for them. Either may be
// null. The list ioctl needs no right.
struct CapabilityHook {
    void (*raise)() = nullptr;
    void (*lower)() = nullptr;
};

// A socket that cannot be made because the kernel has no Bluetooth gives EAFNOSUPPORT.
ListResult ListBindings();
// Binds `device` on `channel` (MinChannel..MaxChannel, else EINVAL) through `adapter`. A binding of
// the same device on the same channel is kept and reported (existed = true); every other binding of
// that device is released (with hang-up) first, so the device ends with exactly one binding. A new
// one gets the first free id.
BindResult BindDevice(const Address& adapter, const Address& device, int channel, CapabilityHook hook = {});
// Releases (with hang-up) every binding of `device` and nothing else; 0 when there was none.
int ReleaseDevice(const Address& device, CapabilityHook hook = {});

} // namespace zorvex::rfcomm
