#pragma once

#include <cstdint>

namespace zorvex {

// Bits of the request word: the window raises them, the communication thread serves them.
enum RequestBit : std::uint32_t {
    rqGetInfo = 0x1,
    rqSetInfoTime = 0x2,
    rqSetInfoChannels = 0x4,
    rqSetInfoRow = 0x8,
    rqGetConfig = 0x10,
    rqSetConfig = 0x20,
    rqGetSchedule = 0x40,
    rqSetSchedule = 0x80,
    rqGetExpert = 0x100,
    rqSetExpert = 0x200,
    rqGetExpertWeather = 0x400,
    rqSetExpertWeather = 0x800,
    rqGetChart = 0x1000,
    rqFirmwareUpdate = 0x2000,
    rqSaveEEPROM = 0x4000,
    rqToggleCloud = 0x8000,
    rqToggleStorm = 0x10000,
};

// Combinations raised together by several parts of the program.
inline constexpr std::uint32_t rqAllReads = 0x1551;       // after a ZORVEXPRO 1.x.4 is identified
inline constexpr std::uint32_t rqAllButChart = 0x551;     // refresh menu, export
inline constexpr std::uint32_t rqPoll = 0x11;             // periodic Info and Config poll
inline constexpr std::uint32_t rqConfigImport = 0xA20;    // write Config, Expert and ExpertWeather
inline constexpr std::uint32_t rqColumnEdit = 0xA0;       // column paste and swap
inline constexpr std::uint32_t rqChartSource = 0x1200;    // chart source menu
inline constexpr std::uint32_t rqDemoModes = rqSetConfig; // RGB demo and flash replace the whole word
inline constexpr std::uint32_t rqAnyInfoWrite = rqSetInfoTime | rqSetInfoChannels | rqSetInfoRow;

static_assert(rqAllReads ==
              (rqGetInfo | rqGetConfig | rqGetSchedule | rqGetExpert | rqGetExpertWeather | rqGetChart));
static_assert(rqAllButChart == (rqAllReads & ~std::uint32_t{rqGetChart}));
static_assert(rqConfigImport == (rqSetConfig | rqSetExpert | rqSetExpertWeather));
static_assert(rqColumnEdit == (rqSetConfig | rqSetSchedule));
static_assert(rqChartSource == (rqSetExpert | rqGetChart));

} // namespace zorvex
