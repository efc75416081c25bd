#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <string_view>

namespace zorvex {

// Identity values of the "80" reply.
inline constexpr std::uint8_t DeviceTypeBootloader = 2;
inline constexpr std::uint8_t DeviceTypeApplication = 3; // a ZORVEXPRO 1.x application
inline constexpr std::uint8_t SupportedVersion = 4;      // the firmware generation this program speaks
inline constexpr std::uint8_t UnknownIdentity = 255;     // no valid reply (type and version)

// How the program names the device in its messages.
inline constexpr std::string_view SupportedDeviceName = "ZORVEXPRO 1.x.4";
inline constexpr std::string_view DeviceFamilyPrefix = "ZORVEXPRO 1.x."; // followed by the version
inline constexpr std::string_view BootloaderDeviceName = "ZORVEXPRO";
inline constexpr std::string_view FirmwareFamilyName = "ZORVEXPRO 1.x";

// Names of other hardware on the same protocol, indexed by device type div 2.
inline constexpr std::array<std::string_view, 5> HardwareNames{"Ondrel 1.x", "ZORVEXPRO 1.x", "Ondrel 2.x",
                                                               "ZORVEXPRO 2.x", "Pikrel 1.x"};

// The name of another device type for the "OtherHardware" message: its HardwareNames entry, or
// the type in decimal from 10 upward.
inline QString HardwareName(std::uint8_t deviceType) {
    const std::size_t index = deviceType / 2u;
    if (index < HardwareNames.size())
        return QString::fromLatin1(HardwareNames[index]);
    return QString::number(deviceType);
}

} // namespace zorvex
