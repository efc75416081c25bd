#include "rfcommkernel.h"

#include "hexdigits.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <memory>
#include <span>

#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zorvex::rfcomm {

namespace {

// The kernel's RFCOMM TTY interface (net/bluetooth/rfcomm/tty.c): the requests and records of its
// ioctls on an RFCOMM control socket, with the kernel's natural alignment.
constexpr int BtProtoRfcomm = 3;
constexpr std::uint32_t HangUpNow = 1u << 2;
constexpr int MaxDevices = 256; // RFCOMM_MAX_DEV: every id the kernel can hand out
struct DevReq {
    std::int16_t devId;
    std::uint32_t flags;
    Address src;
    Address dst;
    std::uint8_t channel;
};
struct DevInfo {
    std::int16_t id;
    std::uint32_t flags;
    std::uint16_t state;
    Address src;
    Address dst;
    std::uint8_t channel;
};
struct DevList {
    std::uint16_t count;
    DevInfo devices[MaxDevices];
};
static_assert(sizeof(DevReq) == 24 && sizeof(DevInfo) == 24 && offsetof(DevList, devices) == 4);
const unsigned long CreateDev = _IOW('R', 200, int);
const unsigned long ReleaseDev = _IOW('R', 201, int);
const unsigned long GetDevList = _IOR('R', 210, int);

// An RFCOMM control socket, closed with the object.
class ControlSocket {
public:
    ControlSocket() : m_fd(::socket(AF_BLUETOOTH, SOCK_RAW | SOCK_CLOEXEC, BtProtoRfcomm)), m_error(errno) {}
    ~ControlSocket() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ControlSocket(const ControlSocket&) = delete;
    ControlSocket& operator=(const ControlSocket&) = delete;

    int OpenError() const { return m_fd >= 0 ? 0 : m_error; }

    ListResult List() const {
        auto list = std::make_unique<DevList>();
        list->count = MaxDevices;
        if (::ioctl(m_fd, GetDevList, list.get()) < 0)
            return {errno, {}};
        ListResult result;
        for (const DevInfo& info : std::span(list->devices, std::min<std::size_t>(list->count, MaxDevices)))
            result.bindings.push_back({info.id, info.src, info.dst, info.channel});
        return result;
    }

    // The id of the new binding, or -errno.
    int Create(const Address& adapter, const Address& device, int channel, CapabilityHook hook) const {
        // A negative id lets the kernel choose the first free /dev/rfcommN.
        DevReq request{-1, 0, adapter, device, static_cast<std::uint8_t>(channel)};
        return Privileged(hook, CreateDev, request);
    }

    // 0, or -errno. A binding that went away meanwhile counts as released.
    int Release(int id, CapabilityHook hook) const {
        DevReq request{static_cast<std::int16_t>(id), HangUpNow, {}, {}, 0};
        const int result = Privileged(hook, ReleaseDev, request);
        return result == -ENODEV ? 0 : std::min(result, 0);
    }

private:
    int Privileged(CapabilityHook hook, unsigned long request, DevReq& argument) const {
        if (hook.raise != nullptr)
            hook.raise();
        const int result = ::ioctl(m_fd, request, &argument);
        const int error = errno;
        if (hook.lower != nullptr)
            hook.lower();
        return result < 0 ? -error : result;
    }

    int m_fd;
    int m_error;
};

// Releases the bindings of `device` that `keep` does not name; 0 or an errno value.
int ReleaseOthers(const ControlSocket& control, const std::vector<Binding>& bindings, const Address& device,
                  int keep, CapabilityHook hook) {
    for (const Binding& binding : bindings)
        if (binding.device == device && binding.id != keep)
            if (const int result = control.Release(binding.id, hook); result < 0)
                return -result;
    return 0;
}

} // namespace

std::optional<Address> ParseAddress(std::string_view text) {
    if (text.size() != 17)
        return std::nullopt;
    Address address{};
    for (std::size_t pair = 0; pair < address.size(); ++pair) {
        const std::size_t at = pair * 3;
        const int high = HexDigitValue(text[at]);
        const int low = HexDigitValue(text[at + 1]);
        if (high < 0 || low < 0 || (pair < 5 && text[at + 2] != ':'))
            return std::nullopt;
        address[address.size() - 1 - pair] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return address;
}

std::string FormatAddress(const Address& address) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    for (auto byte = address.rbegin(); byte != address.rend(); ++byte) {
        if (!text.empty())
            text += ':';
        text += Digits[*byte >> 4];
        text += Digits[*byte & 0xF];
    }
    return text;
}

std::string DevicePath(int id) {
    return "/dev/rfcomm" + std::to_string(id);
}

ListResult ListBindings() {
    const ControlSocket control;
    if (const int error = control.OpenError())
        return {error, {}};
    return control.List();
}

BindResult BindDevice(const Address& adapter, const Address& device, int channel, CapabilityHook hook) {
    if (channel < MinChannel || channel > MaxChannel)
        return {EINVAL};
    const ControlSocket control;
    if (const int error = control.OpenError())
        return {error};
    const ListResult list = control.List();
    if (list.error != 0)
        return {list.error};
    const auto kept = std::find_if(list.bindings.begin(), list.bindings.end(), [&](const Binding& binding) {
        return binding.device == device && binding.channel == channel;
    });
    const int keep = kept != list.bindings.end() ? kept->id : -1;
    if (const int error = ReleaseOthers(control, list.bindings, device, keep, hook))
        return {error};
    if (keep >= 0)
        return {0, keep, true};
    const int id = control.Create(adapter, device, channel, hook);
    if (id < 0)
        return {-id};
    return {0, id, false};
}

int ReleaseDevice(const Address& device, CapabilityHook hook) {
    const ControlSocket control;
    if (const int error = control.OpenError())
        return error;
    const ListResult list = control.List();
    if (list.error != 0)
        return list.error;
    return ReleaseOthers(control, list.bindings, device, -1, hook);
}

} // namespace zorvex::rfcomm
