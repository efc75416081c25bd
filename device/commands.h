#pragma once

#include <cstddef>
#include <string_view>

namespace zorvex {

// One entry of the device's command table: the two characters sent on the line, the name
// logged before the operation in debug mode and the number of payload bytes.
struct Command {
    std::string_view code;
    std::string_view traceName;
    std::size_t payloadLength;
};

namespace cmd {
// Application personality.
inline constexpr Command GetDevice{"80", "GetDevice", 2};
inline constexpr Command GetInfo{"81", "GetInfo", 32};
inline constexpr Command SetInfo{"01", "SetInfo", 32};
inline constexpr Command GetConfig{"82", "GetConfig", 23};
inline constexpr Command SetConfig{"02", "SetConfig", 23};
inline constexpr Command GetSchedule{"83", "GetSchedule", 16};
inline constexpr Command SetSchedule{"03", "SetSchedule", 16};
inline constexpr Command GetExpert{"85", "GetExpert", 54};
inline constexpr Command SetExpert{"05", "SetExpert", 54};
inline constexpr Command GetExpertWeather{"86", "GetExpertWeather", 29};
inline constexpr Command SetExpertWeather{"06", "SetExpertWeather", 29};
inline constexpr Command GetChart{"87", "GetChart", 80};
inline constexpr Command SaveEEPROM{"7F", "SaveEEPROM", 1};
inline constexpr Command ToggleCloud{"7F", "ToggleCloud", 1};
inline constexpr Command ToggleStorm{"7F", "ToggleStorm", 1};

// Bootloader personality (same codes, other payloads).
inline constexpr Command GetBootInfo{"81", "GetBootInfo", 6};
inline constexpr Command BootReset{"01", "Reset", 6};
inline constexpr Command FlashBlock{"02", "FlashBlock", 66};
} // namespace cmd

// Payload byte of the three "7F" commands.
enum class SpecialCommand : unsigned char {
    StartBootloader = 0x00,
    SaveEEPROM = 0x01,
    ToggleCloud = 0x02,
    ToggleStorm = 0x03
};

// The raw line that switches the application into its bootloader; no reply is read.
inline constexpr std::string_view StartBootloaderLine = "7F00\n";

} // namespace zorvex
