#pragma once

#include "clicommands.h"

namespace zorvex {

// The work of the commands this build carries, one function per command (see clicommands.cpp
// for the table by name).
int RunPorts(const CliContext& context);
int RunInfo(const CliContext& context);
int RunSetChannels(const CliContext& context);
int RunSetMode(const CliContext& context);
int RunSyncTime(const CliContext& context);
int RunExport(const CliContext& context);
int RunImportConfig(const CliContext& context);
int RunImportSchedule(const CliContext& context);
int RunFlash(const CliContext& context);
// The geo page's sun and moon text for a place and local time; no device.
int RunSky(const CliContext& context);
// The UTC offset the sky text uses: the one given, else the geo page's offset of the computer's
// zone at that local time.
int SkyOffsetMinutes(const SkyQuery& query);
// The Bluetooth installation and removal with their log lines (BlueZ on the system bus).
int RunBluetoothInstall(const CliContext& context);
int RunBluetoothUninstall(const CliContext& context);
// The Home Assistant bridge over MQTT, until a termination signal.
int RunServe(const CliContext& context);

} // namespace zorvex
