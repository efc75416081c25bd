// The Home Assistant bridge: the built zorvexpro-cli serving the simulator (paced at 115200 baud)
// to a broker of its own, with a probe client playing Home Assistant.
//   bench_mqtt latency [--commands N]  a brightness command published -> its SetInfo request on
//                                      the wire: median, 90th percentile, maximum
//   bench_mqtt idle [--seconds N]      CPU time of the tool with the lamp connected and nothing
//                                      asked of it, in percent of one core
//   bench_mqtt memory [--minutes N]    resident memory sampled every 10 s while the lamp is polled
// Without a part all three run, each against a tool started afresh.
#include "benchreport.h"
#include "brokerprocess.h"
#include "lampdiscovery.h"
#include "simulatorprocess.h"
#include "tthdcom.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include <sys/prctl.h>
#include <unistd.h>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

constexpr int OnlineTimeoutMs = 60000;
constexpr int WireTimeoutMs = 10000;
constexpr int StopTimeoutMs = 20000;
constexpr int DrainSliceMs = 100;
constexpr int TracePollMicroseconds = 250;
constexpr int MemorySampleSeconds = 10;
constexpr int CommandChannel = 1; // "channel2"

// --- figures from /proc, pure conversions of the kernel's text ---

// utime + stime in clock ticks from the text of /proc/<pid>/stat (or of one of its tasks). The
// command name in parentheses may hold blanks, so the fields are counted after its ")".
std::optional<long long> CpuTicksOfStat(const QByteArray& stat) {
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    // Field 3 (the state) is the first after the name; utime and stime are fields 14 and 15.
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    if (fields.size() < 13)
        return std::nullopt;
    return fields[11].toLongLong() + fields[12].toLongLong();
}

// VmRSS in kilobytes from the text of /proc/<pid>/status.
std::optional<long long> ResidentKilobytesOfStatus(const QByteArray& status) {
    for (const QByteArray& line : status.split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').constFirst().toLongLong();
    return std::nullopt;
}

QByteArray ReadProcFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::optional<long long> CpuTicks(const QString& processDirectory) {
    return CpuTicksOfStat(ReadProcFile(processDirectory + u"/stat"_s));
}

// The CPU ticks of every thread of a process, by thread id, with the thread's name.
struct ThreadTicks {
    QString name;
    long long ticks = 0;
};
std::map<QString, ThreadTicks> ThreadCpuTicks(qint64 pid) {
    std::map<QString, ThreadTicks> threads;
    const QString tasks = u"/proc/%1/task"_s.arg(pid);
    for (const QString& tid : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString task = tasks + u'/' + tid;
        if (const auto ticks = CpuTicks(task))
            threads[tid] = {QString::fromUtf8(ReadProcFile(task + u"/comm"_s)).trimmed(), *ticks};
    }
    return threads;
}

// --- the bridge under measurement ---

// The simulator with its traffic trace, a broker on a free port, a probe client subscribed to
// everything, and the built tool serving the simulator's port to the broker until it is online.
class ServedLamp {
public:
    ServedLamp() = default;
    ~ServedLamp() { stop(); }
    ServedLamp(const ServedLamp&) = delete;
    ServedLamp& operator=(const ServedLamp&) = delete;

    bool start() {
        if (!m_home.isValid() || !m_simulator.start({u"--trace"_s})) {
            std::fprintf(stderr, "the simulator did not start\n");
            return false;
        }
        if (!m_broker.start()) {
            std::fprintf(stderr, "the broker did not start (is mosquitto installed?)\n");
            return false;
        }
        m_probe = std::make_unique<MqttProbe>(m_broker.port());
        if (!m_probe->waitConnected()) {
            std::fprintf(stderr, "the probe did not connect\n");
            return false;
        }
        m_topics.portId = PortTopicId(TthdCom::PortNameOfEntry(m_simulator.linkPath()));

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_CONFIG_HOME"_s, m_home.filePath(u"config"_s));
        m_tool.setProcessEnvironment(environment);
        m_tool.setStandardOutputFile(QProcess::nullDevice());
        m_tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_tool.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_tool.start(QStringLiteral(ZORVEX_CLI_PATH),
                     {u"--lang"_s, u"en"_s, u"--port"_s, m_simulator.linkPath(), u"serve"_s, u"--mqtt"_s,
                      m_broker.address()});
        if (!m_tool.waitForStarted()) {
            std::fprintf(stderr, "zorvexpro-cli did not start\n");
            return false;
        }
        // The simulator's trace is drained meanwhile: a full pipe would stall the lamp.
        const QDeadlineTimer deadline(OnlineTimeoutMs);
        while (!m_probe->waitFor(m_topics.Availability(), "online", DrainSliceMs)) {
            m_simulator.takeTrace();
            if (deadline.hasExpired() || m_tool.state() != QProcess::Running) {
                std::fprintf(stderr, "the bridge did not come online\n");
                return false;
            }
        }
        return true;
    }

    void stop() {
        if (m_tool.state() == QProcess::NotRunning)
            return;
        m_tool.terminate(); // the bridge's clean end: "offline", then the exit
        if (!m_tool.waitForFinished(StopTimeoutMs)) {
            m_tool.kill();
            m_tool.waitForFinished();
        }
    }

    // Lets `milliseconds` pass, draining the simulator's trace.
    void pass(int milliseconds) {
        const QDeadlineTimer deadline(milliseconds);
        while (!deadline.hasExpired()) {
            m_simulator.takeTrace();
            QThread::msleep(
                static_cast<unsigned long>(std::min<qint64>(DrainSliceMs, deadline.remainingTime())));
        }
        m_simulator.takeTrace();
    }

    bool stillOnline() { return m_probe->last(m_topics.Availability()) == "online" && toolRunning(); }
    bool toolRunning() const { return m_tool.state() == QProcess::Running; }
    QString processDirectory() const { return u"/proc/%1"_s.arg(m_tool.processId()); }
    qint64 processId() const { return m_tool.processId(); }
    SimulatorProcess& simulator() { return m_simulator; }
    MqttProbe& probe() { return *m_probe; }
    const LampTopics& topics() const { return m_topics; }

private:
    QTemporaryDir m_home;
    SimulatorProcess m_simulator;
    BrokerProcess m_broker;
    std::unique_ptr<MqttProbe> m_probe;
    LampTopics m_topics;
    QProcess m_tool;
};

// --- the three parts ---

// Milliseconds from the probe's publish until the simulator has traced the SetInfo request
// ("rx 01...") that carries the new level.
std::optional<double> CommandToWire(ServedLamp& lamp, const QByteArray& percent) {
    SimulatorProcess& simulator = lamp.simulator();
    simulator.takeTrace();
    QElapsedTimer clock;
    clock.start();
    lamp.probe().publish(lamp.topics().BrightnessCommand(CommandChannel), percent);
    while (clock.elapsed() < WireTimeoutMs) {
        for (const QString& line : simulator.takeTrace())
            if (line.startsWith(u"rx 01"_s))
                return static_cast<double>(clock.nsecsElapsed()) / 1e6;
        QThread::usleep(TracePollMicroseconds);
    }
    return std::nullopt;
}

bool BenchLatency(int commands) {
    ServedLamp lamp;
    if (!lamp.start())
        return false;
    auto* random = QRandomGenerator::global();
    std::vector<double> latencies;
    for (int i = 0; i < commands; ++i) {
        // A pause of random length, so that the command meets the communication thread at any
        // point of its idle sleep and of its periodic poll.
        lamp.pass(150 + random->bounded(200));
        // A new level each time (consecutive ones always differ), so each is one write.
        const QByteArray percent = QByteArray::number(5 + (i * 37) % 90) + ".5";
        const std::optional<double> elapsed = CommandToWire(lamp, percent);
        if (!elapsed) {
            std::fprintf(stderr, "command %d (%s %%) never reached the lamp\n", i + 1, percent.constData());
            return false;
        }
        latencies.push_back(*elapsed);
    }
    // The simulator traces a request when its whole line has arrived, so each figure is an upper
    // bound on the first byte: it includes the line's own wire time (code, 32 bytes in hex, LF).
    PrintBenchLine("mqtt_command_to_wire_median", Median(latencies), 50.0);
    PrintBenchValue("mqtt_command_to_wire_p90", "ms", Percentile(latencies, 0.9));
    PrintBenchValue("mqtt_command_to_wire_max", "ms", *std::max_element(latencies.begin(), latencies.end()));
    PrintBenchValue("mqtt_command_request_line_wire_time", "ms", WireTimeMs(2 + 2 * 32 + 1));
    return true;
}

bool BenchIdle(int seconds) {
    ServedLamp lamp;
    if (!lamp.start())
        return false;
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    const auto threadsBefore = ThreadCpuTicks(lamp.processId());
    const std::optional<long long> before = CpuTicks(lamp.processDirectory());
    QElapsedTimer clock;
    clock.start();
    lamp.pass(seconds * 1000);
    const std::optional<long long> after = CpuTicks(lamp.processDirectory());
    const double wallSeconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    if (!before || !after || !lamp.stillOnline()) {
        std::fprintf(stderr, "the bridge did not stay online\n");
        return false;
    }
    const auto percentOf = [&](long long ticks) {
        return 100.0 * static_cast<double>(ticks) / static_cast<double>(ticksPerSecond) / wallSeconds;
    };
    // Where the time went, thread by thread, for the reader of a missed target.
    for (const auto& [tid, thread] : ThreadCpuTicks(lamp.processId())) {
        const auto earlier = threadsBefore.find(tid);
        const long long ticks = thread.ticks - (earlier == threadsBefore.end() ? 0 : earlier->second.ticks);
        std::printf("  thread %s (%s): %.3f %%\n", qPrintable(tid), qPrintable(thread.name),
                    percentOf(ticks));
    }
    PrintBenchLimit("mqtt_idle_cpu", "percent", percentOf(*after - *before), 1.0);
    PrintBenchValue("mqtt_idle_cpu_window", "s", wallSeconds);
    return true;
}

bool BenchMemory(int seconds) {
    ServedLamp lamp;
    if (!lamp.start())
        return false;
    const QString status = lamp.processDirectory() + u"/status"_s;
    std::vector<long long> samples;
    for (int elapsed = 0;; elapsed += MemorySampleSeconds) {
        const std::optional<long long> resident = ResidentKilobytesOfStatus(ReadProcFile(status));
        if (!resident || !lamp.toolRunning()) {
            std::fprintf(stderr, "the tool ended\n");
            return false;
        }
        samples.push_back(*resident);
        std::printf("  rss after %d s: %lld kB\n", elapsed, *resident);
        std::fflush(stdout);
        if (elapsed >= seconds)
            break;
        lamp.pass(MemorySampleSeconds * 1000);
    }
    if (!lamp.stillOnline()) {
        std::fprintf(stderr, "the bridge did not stay online\n");
        return false;
    }
    PrintBenchValue("mqtt_rss_start", "kB", double(samples.front()));
    PrintBenchValue("mqtt_rss_end", "kB", double(samples.back()));
    PrintBenchValue("mqtt_rss_max", "kB", double(*std::max_element(samples.begin(), samples.end())));
    PrintBenchValue("mqtt_rss_growth", "kB", double(samples.back() - samples.front()));
    // The first interval holds the start's own allocations (discovery, first polls); what follows
    // shows whether the steady state is flat.
    if (samples.size() > 2)
        PrintBenchValue("mqtt_rss_growth_after_first_sample", "kB", double(samples.back() - samples[1]));
    PrintBenchValue("mqtt_rss_duration", "s", double(seconds));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument(u"part"_s, u"latency, idle or memory; all three when none is given"_s);
    const QCommandLineOption commands(u"commands"_s, u"Brightness commands to time (50)."_s, u"N"_s, u"50"_s);
    const QCommandLineOption seconds(u"seconds"_s, u"Idle window in seconds (30)."_s, u"N"_s, u"30"_s);
    const QCommandLineOption minutes(u"minutes"_s, u"Memory run in minutes (1)."_s, u"N"_s, u"1"_s);
    parser.addOptions({commands, seconds, minutes});
    parser.process(app);

    const QStringList parts = parser.positionalArguments();
    const QStringList known{u"latency"_s, u"idle"_s, u"memory"_s};
    for (const QString& part : parts)
        if (!known.contains(part))
            parser.showHelp(2);
    const auto wanted = [&](const QString& part) { return parts.isEmpty() || parts.contains(part); };
    const int commandCount = std::max(1, parser.value(commands).toInt());
    const int idleSeconds = std::max(1, parser.value(seconds).toInt());
    const int memorySeconds = std::max(1, parser.value(minutes).toInt()) * 60;

    if (wanted(u"latency"_s) && !BenchLatency(commandCount))
        return 1;
    if (wanted(u"idle"_s) && !BenchIdle(idleSeconds))
        return 1;
    if (wanted(u"memory"_s) && !BenchMemory(memorySeconds))
        return 1;
    return 0;
}
