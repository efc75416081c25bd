#include "clicommands.h"

#include "clireport.h"
#include "clirunners.h"
#include "devicecommands.h"
#include "devicesession.h"
#include "extratexts.h"
#include "language.h"
#include "portsettings.h"
#include "serialports.h"

#include <QDateTime>

#include <map>

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {

// One line on standard error: texts with line breaks are joined.
QString OneLine(QString text) {
    text.replace(u"\r\n"_s, u" "_s);
    text.replace(u'\n', u' ');
    return text.trimmed();
}

// Connects for a command that changes records, lets `edit` store its change and raise its bits,
// and waits until the thread has carried them out.
template <class Edit> int ChangeDevice(const CliContext& context, std::uint32_t writeBits, Edit edit) {
    DeviceSession session(context.port, context.termination);
    if (!session.Connect(DeviceSession::Readiness::Records))
        return context.Fail(session.failureCode(), session.failureText());
    edit(session.Block());
    if (!session.CarryOut(writeBits))
        return context.Fail(session.failureCode(), session.failureText());
    session.Close();
    return ExitSuccess;
}

const std::map<QString, CommandRunner>& Runners() {
    static const std::map<QString, CommandRunner> runners{
        {u"ports"_s, RunPorts},
        {u"info"_s, RunInfo},
        {u"export"_s, RunExport},
        {u"import-config"_s, RunImportConfig},
        {u"import-schedule"_s, RunImportSchedule},
        {u"set-channels"_s, RunSetChannels},
        {u"set-mode"_s, RunSetMode},
        {u"sync-time"_s, RunSyncTime},
        {u"flash"_s, RunFlash},
        {u"sky"_s, RunSky},
        {u"bt-install"_s, RunBluetoothInstall},
        {u"bt-uninstall"_s, RunBluetoothUninstall},
        {u"serve"_s, RunServe},
    };
    return runners;
}

} // namespace

int CliContext::Fail(int exitCode, const QString& text) const {
    console.err << OneLine(text) << Qt::endl;
    return exitCode;
}

int RunCliCommand(const CliCommandLine& line, CliConsole& console, TerminationSignalNotifier* termination,
                  PortSettings& settings, SerialPortSource& serialPorts) {
    CliContext context{line, console, {}, termination, &serialPorts};
    const CliCommandEntry* entry = FindCliCommand(line.command);
    const auto runner = Runners().find(line.command);
    if (entry == nullptr || runner == Runners().end())
        return context.Fail(ExitUsage, ExtraText(u"CliUsageUnknownCommand"_s, {line.command}));
    if (entry->needsPort) {
        context.port = line.options.port.value_or(settings.ReadPort().value_or(QString()));
        if (context.port.trimmed().isEmpty())
            return context.Fail(ExitDeviceFailure, ExtraText(u"CliNoPort"_s));
    }
    return runner->second(context);
}

int RunPorts(const CliContext& context) {
    const std::optional<QStringList> listed = context.serialPorts->PortEntries();
    if (!listed)
        return context.Fail(ExitDeviceFailure, ExtraText(u"CliPortListUnreadable"_s));
    const QStringList& entries = *listed;
    if (context.line.options.json)
        context.console.out << JsonLine(PortsJson(entries)) << Qt::endl;
    else if (entries.isEmpty())
        context.console.err << LookupMessage(u"NoSerialPorts"_s) << Qt::endl;
    for (const QString& entry : entries)
        if (!context.line.options.json)
            context.console.out << entry << Qt::endl;
    return ExitSuccess;
}

int RunInfo(const CliContext& context) {
    DeviceSession session(context.port, context.termination);
    if (!session.Connect(DeviceSession::Readiness::Records))
        return context.Fail(session.failureCode(), session.failureText());
    const SharedBlock& block = session.Block();
    const DeviceIdentity identity = *session.View().identity;
    if (context.line.options.json)
        context.console.out << JsonLine(InfoJson(session.Port(), identity, block.Info, block.Config))
                            << Qt::endl;
    else
        context.console.out << InfoLines(session.Port(), identity, block.Info, block.Config).join(u'\n')
                            << Qt::endl;
    session.Close();
    return ExitSuccess;
}

int RunSetChannels(const CliContext& context) {
    const auto& channels = std::get<ChannelLevels>(context.line.arguments);
    return ChangeDevice(context, rqSetInfoChannels,
                        [&](SharedBlock& block) { SetChannelLevels(block, channels.levels); });
}

int RunSetMode(const CliContext& context) {
    const int mode = std::get<ModeChoice>(context.line.arguments).mode;
    return ChangeDevice(context, rqSetConfig, [&](SharedBlock& block) {
        // Sent also when the device is in that mode already, as the window's mode menu does.
        StoreMode(block, mode);
        RequestModeUpload(block, mode);
    });
}

int RunSyncTime(const CliContext& context) {
    // As the window's "Set current time and date": real time, then the clock.
    return ChangeDevice(context, rqSetConfig | rqSetInfoTime, [](SharedBlock& block) {
        SetRealTime(block);
        SetDeviceClock(block, QDateTime::currentDateTime());
    });
}

} // namespace zorvex
