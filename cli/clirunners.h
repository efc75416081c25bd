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

} // namespace zorvex
