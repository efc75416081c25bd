#pragma once

#include "clicommands.h"

namespace zorvex {

// Commands whose work comes from libraries outside this build's tool: the geo page's sun and
// moon text (astro/) and the Bluetooth install and uninstall procedures (bluetooth/). Their
// arguments are parsed and checked like every other command's; the work reports that it is not
// available here (exit code 1). Wiring them means replacing these functions.
int RunSky(const CliContext& context);
int RunBluetoothInstall(const CliContext& context);
int RunBluetoothUninstall(const CliContext& context);

} // namespace zorvex
