// The communication thread against the simulator paced at 115200 baud:
// - the full download after identification (Config, Info, Expert, 32 schedule rows, chart,
//   ExpertWeather), from the first request to the last reply, against the time its bytes need
//   on the wire;
// - the latency from raising rqSetInfoChannels on an idle link until the "01" line has been
//   written to the port (an upper bound for its first byte on the wire), over 200 tries.
#include "benchreport.h"
#include "benchview.h"
#include "commands.h"
#include "language.h"
#include "requestflags.h"
#include "simulatorprocess.h"
#include "tthdcom.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

constexpr int ScheduleRows = 32;
constexpr int DownloadRuns = 5;
constexpr int LatencyTries = 200;
constexpr int WaitMs = 30000;

// Request and reply bytes of one read: code + LF, echo + 2 digits per byte + LF.
std::size_t readBytes(const Command& command) {
    return 3 + 2 * command.payloadLength + 3;
}

struct Connection {
    Connection(const QString& port, bool debugMode, BenchView& view)
        : shared(std::make_shared<SharedBlock>()), gate(ViewGate::create(&view, view)),
          thread(TthdCom::Create(port, debugMode, shared, gate)) {}
    ~Connection() {
        thread->Stop();
        ServeUntil([&] { return thread->Finished(); }, WaitMs);
        thread->wait();
        gate->Close();
    }
    std::shared_ptr<SharedBlock> shared;
    std::shared_ptr<ViewGate> gate;
    std::unique_ptr<TthdCom> thread;
};

bool benchDownload(const QString& port) {
    std::vector<double> runs;
    for (int run = 0; run < DownloadRuns; ++run) {
        BenchView view;
        QElapsedTimer clock;
        bool done = false;
        view.onStatus = [&](const QString& text) {
            if (text.startsWith(u"Connected to ZORVEXPRO 1.x.4"_s))
                clock.start(); // the first request follows at once
            else if (text == u"RefreshExpertWeather"_s && clock.isValid() && !done) {
                runs.push_back(MillisecondsOf(clock));
                done = true;
            }
        };
        Connection connection(port, false, view);
        if (!ServeUntil([&] { return done; }, WaitMs)) {
            std::fprintf(stderr, "download did not complete\n");
            return false;
        }
    }
    const std::size_t bytes = readBytes(cmd::GetConfig) + readBytes(cmd::GetInfo) +
                              readBytes(cmd::GetExpert) + ScheduleRows * readBytes(cmd::GetSchedule) +
                              readBytes(cmd::GetChart) + readBytes(cmd::GetExpertWeather);
    PrintBenchLine("comthread_full_download_32_rows", Median(runs), WireTimeMs(bytes));
    return true;
}

bool benchLatency(const QString& port) {
    BenchView view;
    bool connected = false;
    view.onStatus = [&](const QString& text) {
        if (text == u"RefreshExpertWeather"_s)
            connected = true;
    };
    // Debug mode logs the request trace of the "01" line the moment it has been written.
    QElapsedTimer clock;
    double elapsed = -1;
    view.onMessage = [&](const QString& text) {
        if (clock.isValid() && elapsed < 0 && text.startsWith(u"OUT: \"01"_s))
            elapsed = MillisecondsOf(clock);
    };
    Connection connection(port, true, view);
    if (!ServeUntil([&] { return connected; }, WaitMs))
        return false;

    std::vector<double> latencies;
    auto* random = QRandomGenerator::global();
    for (int i = 0; i < LatencyTries; ++i) {
        // Idle for a random while, so that the request meets the loop at any point of its
        // 20 ms sleep and of the periodic poll.
        const int idleMs = 30 + random->bounded(40);
        ServeUntil([] { return false; }, idleMs);
        elapsed = -1;
        clock.start();
        connection.shared->EditAndRequest(
            rqSetInfoChannels, [&] { connection.shared->Info.ChannelValue[0] = std::int16_t(i % 4097); });
        if (!ServeUntil([&] { return elapsed >= 0; }, WaitMs))
            return false;
        latencies.push_back(elapsed);
        clock.invalidate();
    }
    PrintBenchLine("comthread_setinfo_latency_median", Median(latencies), 25.0);
    PrintBenchValue("comthread_setinfo_latency_max", "ms",
                    *std::max_element(latencies.begin(), latencies.end()));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    LoadLanguageTable(Language::English);
    SimulatorProcess sim;
    if (!sim.start({u"--rows"_s, QString::number(ScheduleRows)})) {
        std::fprintf(stderr, "simulator did not start\n");
        return 1;
    }
    if (!benchDownload(sim.linkPath()) || !benchLatency(sim.linkPath()))
        return 1;
    return 0;
}
