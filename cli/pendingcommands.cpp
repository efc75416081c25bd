#include "pendingcommands.h"

#include "extratexts.h"

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {
int NotAvailable(const CliContext& context) {
    return context.Fail(ExitDeviceFailure, ExtraText(u"CliNotAvailable"_s, {context.line.command}));
}
} // namespace

int RunSky(const CliContext& context) {
    // context.line.arguments holds a checked SkyQuery.
    return NotAvailable(context);
}

int RunBluetoothInstall(const CliContext& context) {
    return NotAvailable(context);
}

int RunBluetoothUninstall(const CliContext& context) {
    return NotAvailable(context);
}

} // namespace zorvex
