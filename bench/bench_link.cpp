// Link throughput: 500 GetConfig and 500 SetConfig transactions against the simulator paced at
// the line rate, compared with the time the bytes need on the wire at 115200 baud 8N1.
#include "benchreport.h"
#include "commands.h"
#include "deviceprotocol.h"
#include "language.h"
#include "simulatorprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {
class NullSink : public MessageSink {
public:
    void AddMessage(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
};
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    LoadLanguageTable(Language::English);
    constexpr int transactions = 500;

    SimulatorProcess sim;
    if (!sim.start(qEnvironmentVariableIsSet("ZORVEX_BENCH_NO_PACING") ? QStringList{u"--no-pacing"_s}
                                                                       : QStringList{})) {
        std::fprintf(stderr, "simulator did not start\n");
        return 1;
    }
    SerialLink link;
    link.setPortName(sim.linkPath());
    if (!link.open()) {
        std::fprintf(stderr, "%s\n", qPrintable(link.errorString()));
        return 1;
    }
    NullSink sink;
    DeviceProtocol protocol(link, sink);

    // Request "82" + LF, reply "82" + 46 digits + LF.
    const std::size_t readBytes = 3 + (2 * cmd::GetConfig.payloadLength + 3);
    // Request "02" + 46 digits + LF, one acknowledgement byte.
    const std::size_t writeBytes = (2 * cmd::SetConfig.payloadLength + 3) + 1;

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < transactions; ++i) {
        if (!protocol.ReadRecord(cmd::GetConfig))
            return 1;
    }
    const double readMs = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    for (int i = 0; i < transactions; ++i) {
        if (!protocol.WriteRecord(cmd::SetConfig))
            return 1;
    }
    const double writeMs = double(timer.nsecsElapsed()) / 1e6;

    PrintBenchLine("link_get_config_x500", readMs, WireTimeMs(transactions * readBytes));
    PrintBenchLine("link_set_config_x500", writeMs, WireTimeMs(transactions * writeBytes));
    PrintBenchLine("link_config_total", readMs + writeMs,
                   WireTimeMs(transactions * (readBytes + writeBytes)));
    return 0;
}
