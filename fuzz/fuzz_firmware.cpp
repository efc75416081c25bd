// Any bytes (up to 70 000) as a firmware file, through the loader the update uses.
#include "comtiming.h"
#include "deviceprotocol.h"
#include "firmwareupdate.h"
#include "quietview.h"
#include "seriallink.h"
#include "viewcalls.h"
#include "viewgate.h"

#include <QFile>
#include <QObject>
#include <QTemporaryDir>

#include <memory>

using namespace zorvex;

namespace {

class NullSink : public MessageSink {
public:
    void AddMessage(const QString&) override {}
};

// Everything the loader needs, made once: calls on this thread go straight to the null view.
struct Loader {
    QTemporaryDir folder;
    QObject context;
    QuietView view;
    std::shared_ptr<ViewGate> gate = ViewGate::create(&context, view);
    ViewCalls calls{*gate};
    SerialLink link;
    NullSink sink;
    DeviceProtocol protocol{link, sink};
    ComTiming timing;
    FirmwareUpdate update{protocol, calls, timing, [] { return false; }};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 70000)
        return 0;
    static Loader loader;
    const QString path = loader.folder.filePath(QStringLiteral("firmware.zvx"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    loader.update.FirmwareFile = path;
    loader.update.DebugMode = (size & 1) != 0;
    loader.update.LoadFirmwareFile();
    return 0;
}
