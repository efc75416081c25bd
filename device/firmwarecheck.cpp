#include "firmwarecheck.h"

#include "deviceprotocol.h"
#include "extratexts.h"
#include "firmwareupdate.h"
#include "quietview.h"
#include "seriallink.h"
#include "viewcalls.h"
#include "viewgate.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>

using namespace Qt::StringLiterals;

namespace zorvex {

std::optional<QString> FirmwareFileProblem(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ExtraText(u"CliFileError"_s, {path, file.errorString()});
    file.close();
    if (!QFileInfo(path).isFile())
        return ExtraText(u"CliNotFirmwareFile"_s, {path});

    // The checks of the update itself, with a view on this thread (the gate then calls directly)
    // and a port that is never opened.
    QuietView view;
    QObject context;
    const std::shared_ptr<ViewGate> gate = ViewGate::create(&context, view);
    ViewCalls calls(*gate);
    SerialLink link;
    DeviceProtocol protocol(link, calls);
    FirmwareUpdate update(protocol, calls, ComTiming{}, [] { return false; });
    update.FirmwareFile = path;
    if (update.LoadFirmwareFile())
        return std::nullopt;
    return view.lastStatus.isEmpty() ? ExtraText(u"CliNotFirmwareFile"_s, {path})
                                     : ExtraText(u"CliFileError"_s, {path, view.lastStatus});
}

} // namespace zorvex
