// Benchmarks of the main window, one figure set per process so that every start is a cold one:
//   bench_window startup            start-up to the first shown window, and its memory, without a port
//   bench_window startup-connected  the same with the simulator's port on the command line; memory
//                                   also once the download is complete
//   bench_window download           from the opened port to the window leaving the message page,
//                                   32 schedule rows at line-rate pacing, against the wire time
#include "benchreport.h"
#include "comthreadconnection.h"
#include "extratexts.h"
#include "frmzorvex.h"
#include "serveevents.h"
#include "simulatorprocess.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <functional>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

constexpr int ScheduleRows = 32;
constexpr int WaitMs = 30000;

double MillisecondsOf(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// Resident set size of this process in megabytes.
double ResidentMegabytes() {
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0.0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').constFirst().toDouble() / 1024.0;
    return 0.0;
}

bool ServeUntil(const std::function<bool()>& done) {
    return ServeEventsUntil(done, WaitMs);
}

// Request and reply bytes of one read: code + LF, echo + 2 digits per byte + LF.
std::size_t ReadBytes(std::size_t payload) {
    return 3 + 2 * payload + 3;
}

Platform QuietPlatform(const QTemporaryDir& dir) {
    Platform platform;
    platform.settings = std::make_unique<QSettingsPortSettings>(dir.filePath(u"port.ini"_s));
    return platform;
}

// The window with the time it spends in the communication thread's calls added up.
class TimedWindow : public TfrmZORVEX {
public:
    using TfrmZORVEX::TfrmZORVEX;
    double viewMs = 0.0;

    void AddMessage(const QString& text) override {
        timed([&] { TfrmZORVEX::AddMessage(text); });
    }
    void SetStatusMessage(const QString& text) override {
        timed([&] { TfrmZORVEX::SetStatusMessage(text); });
    }
    void SetConnectedState(bool connected) override {
        timed([&] { TfrmZORVEX::SetConnectedState(connected); });
    }
    void RefreshInfo() override {
        timed([&] { TfrmZORVEX::RefreshInfo(); });
    }
    void RefreshConfig() override {
        timed([&] { TfrmZORVEX::RefreshConfig(); });
    }
    void RefreshExpert() override {
        timed([&] { TfrmZORVEX::RefreshExpert(); });
    }
    void RefreshExpertWeather() override {
        timed([&] { TfrmZORVEX::RefreshExpertWeather(); });
    }
    void FillScheduleGrid() override {
        timed([&] { TfrmZORVEX::FillScheduleGrid(); });
    }

private:
    void timed(const std::function<void()>& call) {
        QElapsedTimer clock;
        clock.start();
        call();
        viewMs += MillisecondsOf(clock);
    }
};

bool LeftMessagePage(const TfrmZORVEX& window) {
    return window.PageControl()->currentWidget()->objectName() != u"tsMessages";
}

int Startup(const QElapsedTimer& sinceMain, bool connected) {
    SimulatorProcess simulator;
    QStringList arguments{u"-english"_s};
    if (connected) {
        if (!simulator.start({}))
            return 1;
        arguments << simulator.linkPath();
    }
    QElapsedTimer clock = sinceMain;
    QTemporaryDir dir;
    TfrmZORVEX window(QuietPlatform(dir), ComThreadConnection::Factory(), arguments);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const char* suffix = connected ? "_connected" : "";
    const std::string name = std::string("window_startup") + suffix;
    PrintBenchValue((name + "_ms").c_str(), "ms", MillisecondsOf(clock));
    PrintBenchValue((name + "_rss").c_str(), "MB", ResidentMegabytes());
    if (connected) {
        if (!ServeUntil([&] { return LeftMessagePage(window); }))
            return 1;
        PrintBenchValue("window_after_download_rss", "MB", ResidentMegabytes());
    }
    window.close();
    return 0;
}

int Download() {
    SimulatorProcess simulator;
    if (!simulator.start({u"--rows"_s, QString::number(ScheduleRows)}))
        return 1;
    QTemporaryDir dir;
    TimedWindow window(QuietPlatform(dir), ComThreadConnection::Factory(),
                       {u"-english"_s, simulator.linkPath()});
    window.show();
    // The thread logs that the port is open and it waits for the lamp the moment the port is open.
    QElapsedTimer clock;
    auto* log = window.findChild<QPlainTextEdit*>(u"mem"_s);
    const QString opened = u"] "_s + ExtraText(u"PortOpenWaiting"_s, {simulator.linkPath()});
    QObject::connect(log, &QPlainTextEdit::textChanged, log, [&] {
        if (!clock.isValid() && log->toPlainText().contains(opened))
            clock.start();
    });
    if (!ServeUntil([&] { return LeftMessagePage(window); }) || !clock.isValid())
        return 1;
    const double measured = MillisecondsOf(clock);
    const double viewMs = window.viewMs;
    // Identification, then Config, Info, Expert, the rows, the chart and ExpertWeather.
    const std::size_t bytes = ReadBytes(2) + ReadBytes(23) + ReadBytes(32) + ReadBytes(54) +
                              ScheduleRows * ReadBytes(16) + ReadBytes(80) + ReadBytes(29);
    PrintBenchLine("window_download_32_rows", measured, WireTimeMs(bytes));
    // Of which the window's own work in the thread's calls (refreshes, log lines).
    PrintBenchValue("window_download_view_calls", "ms", viewMs);
    window.close();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"startup"_s;
    int result = 2;
    if (mode == u"startup")
        result = Startup(sinceMain, false);
    else if (mode == u"startup-connected")
        result = Startup(sinceMain, true);
    else if (mode == u"download")
        result = Download();
    if (result != 0)
        std::fprintf(stderr, "bench_window %s failed\n", qPrintable(mode));
    return result;
}
