// The firmware update: the window's own transfer on the communication thread, with the file
// given on the command line instead of the dialog and a progress bar on a terminal.
#include "clireport.h"
#include "clirunners.h"
#include "deviceidentity.h"
#include "devicesession.h"
#include "extratexts.h"
#include "firmwarecheck.h"
#include "language.h"
#include "progressbar.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorvex {

int RunFlash(const CliContext& context) {
    const QString path = QFileInfo(std::get<FileArgument>(context.line.arguments).path).absoluteFilePath();
    if (const std::optional<QString> problem = FirmwareFileProblem(path))
        return context.Fail(ExitFileFailure, *problem);

    DeviceSession session(context.port, context.termination);
    CliView& view = session.View();
    view.firmwareFile = path;
    bool barShown = false;
    if (context.console.progressOnTerminal) {
        view.onProgress = [&](qint64 done, qint64 total) {
            context.console.err << u'\r' << ProgressBarText(done, total) << Qt::flush;
            barShown = true;
        };
    }
    const auto endBar = [&] {
        if (barShown)
            context.console.err << u'\r' << ProgressBarText(view.flash.bytes, view.flash.bytes) << Qt::endl;
        barShown = false;
    };

    // A signal once the device is in its bootloader, or once it has been asked into it, leaves
    // the lamp waiting there: the next flash finishes the update.
    bool bootloaderAsked = false;
    const auto failed = [&] {
        const bool inBootloader = view.identity && view.identity->type == DeviceTypeBootloader;
        if (session.failureCode() > SignalExitBase && (bootloaderAsked || inBootloader))
            return context.Fail(session.failureCode(),
                                session.failureText() + u' ' + ExtraText(u"CliFlashInterrupted"_s));
        return context.Fail(session.failureCode(), session.failureText());
    };

    // Also a device of another firmware version, or one already in its bootloader.
    if (!session.Connect(DeviceSession::Readiness::AnyFirmware))
        return failed();
    SharedBlock& block = session.Block();
    // The application is switched into its bootloader first; the thread itself asks again once
    // the bootloader answers, and then the transfer runs.
    block.Request(rqFirmwareUpdate);
    bootloaderAsked = true;
    const bool ended = session.ServeUntil(
        [&] {
            const bool pending = block.IsRequested(rqFirmwareUpdate);
            if (view.flashOutcome || !view.firmwareRefusal.isEmpty())
                return !pending;
            // Served, and still the application answers: it did not enter its bootloader.
            return !pending && view.firmwareOffers == 0 && view.identity &&
                   view.identity->type == DeviceTypeApplication;
        },
        DeviceSession::FlashTimeoutMs, true);
    endBar();
    if (!ended)
        return failed();
    if (!view.firmwareRefusal.isEmpty())
        return context.Fail(ExitFileFailure, view.firmwareRefusal);
    if (!view.flashOutcome)
        return context.Fail(ExitDeviceFailure, ExtraText(u"CliNoBootloader"_s));
    if (*view.flashOutcome != LookupMessage(u"FirmwareUpdateSuccessful"_s))
        return context.Fail(ExitDeviceFailure, *view.flashOutcome);

    view.flash.file = path;
    if (context.line.options.json) {
        context.console.out << JsonLine(FlashJson(view.flash)) << Qt::endl;
    } else {
        context.console.out << *view.flashOutcome << Qt::endl;
        context.console.out << ExtraText(u"CliFlashSummary"_s, {QString::number(view.flash.blocks),
                                                                QString::number(view.flash.bytes),
                                                                QString::number(view.flash.seconds, 'f', 1)})
                            << Qt::endl;
    }
    session.Close();
    return ExitSuccess;
}

} // namespace zorvex
