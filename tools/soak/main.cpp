// The fault soak: the whole program (offscreen) against the device simulator, whose fault
// switches follow a seeded random plan for a given time. After each fault the program must get
// back to a complete download by itself. Prints the faults, the recoveries, the worst recovery
// time and the memory figures, and exits with 1 when anything did not recover or the memory grew
// beyond what the message log itself accounts for.
#include "comthreadconnection.h"
#include "frmzorvex.h"
#include "sharedblock.h"
#include "simulatorprocess.h"
#include "soakplan.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

constexpr int RecoveryLimitMs = 60000;
// What the memory may grow by besides the log: allocator slack and Qt's caches.
constexpr qint64 MemorySlackKb = 6 * 1024;
// What one character of the message log costs at most (text, layout, undo stack off).
constexpr qint64 LogBytesPerCharacter = 48;

// The soak answers every dialog with "no": a bootloader's file dialog is cancelled.
class NoDialogs : public UserDialogs {
public:
    bool Confirm(const QString&, const QString&) override { return false; }
    QString ChooseOpenFile(const QString&, const QString&, const QString&, const QString&,
                           const QString&) override {
        return {};
    }
    QString ChooseSaveFile(const QString&, const QString&, const QString&, const QString&,
                           const QString&) override {
        return {};
    }
    bool ConfirmTable(const QString&, const QString&, const QStringList&,
                      const QList<QStringList>&) override {
        return false;
    }
    void Warn(const QString&, const QString&) override {}
};

qint64 StatusKb(const char* field) {
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

// The resident memory the program holds, without the free memory the allocator keeps cached for
// its threads: every reconnection runs a new communication thread, and glibc keeps freed blocks
// in per-thread arenas, which would count as growth although nothing is held.
qint64 LiveRssKb() {
#ifdef __GLIBC__
    ::malloc_trim(0);
#endif
    return StatusKb("VmRSS:");
}

bool ServeUntil(const std::function<bool()>& done, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void Serve(int milliseconds) {
    ServeUntil([] { return false; }, milliseconds);
}

// The offscreen platform warns about every window-size hint; that says nothing about the soak.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (text.contains(u"propagateSizeHints"_s))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(text));
    if (type == QtFatalMsg)
        std::abort();
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Fault soak of the ZORVEXPRO program against its simulator"_s);
    parser.addHelpOption();
    const QCommandLineOption secondsOption(u"seconds"_s, u"How long to inject faults (default 60)."_s, u"N"_s,
                                           u"60"_s);
    const QCommandLineOption seedOption(u"seed"_s, u"Seed of the fault plan (default 1)."_s, u"N"_s, u"1"_s);
    parser.addOption(secondsOption);
    parser.addOption(seedOption);
    parser.process(application);
    const int seconds = parser.value(secondsOption).toInt();
    const auto seed = parser.value(seedOption).toUInt();

    SimulatorProcess simulator;
    if (!simulator.start({})) {
        std::fprintf(stderr, "soak: the simulator did not start\n");
        return 1;
    }
    QTemporaryDir folder;
    Platform platform;
    platform.settings = std::make_unique<QSettingsPortSettings>(folder.filePath(u"port.ini"_s));
    platform.dialogs = std::make_unique<NoDialogs>();
    platform.dataFolder = folder.filePath(u"data"_s);
    TfrmZORVEX window(std::move(platform), ComThreadConnection::Factory(),
                      {u"-english"_s, simulator.linkPath()});
    window.show();

    const SharedBlock& block = window.Block();
    QAction* exportItem = window.MenuItem(u"mnuScheduleConfigExport"_s);
    auto* log = window.findChild<QPlainTextEdit*>(u"mem"_s);
    // Identified, every record of this connection read, and a refresh served.
    const auto recovered = [&] {
        return exportItem->isEnabled() && block.HoldsCompleteDownload() && !block.IsRequested(rqAllButChart);
    };
    if (!ServeUntil(recovered, RecoveryLimitMs)) {
        std::fprintf(stderr, "soak: no first download\n");
        return 1;
    }
    const qint64 rssStartKb = LiveRssKb();
    const qint64 logStart = log->document()->characterCount();

    SoakPlan plan(seed);
    std::map<QString, int> injected;
    int faults = 0;
    int recoveries = 0;
    qint64 worstMs = 0;
    QString worstFault;
    QElapsedTimer soak;
    soak.start();
    while (soak.elapsed() < qint64(seconds) * 1000) {
        const SoakFault fault = plan.next();
        // A write for the acknowledgements to matter: the device clock.
        window.mnuSetTimeDateClick();
        for (const QString& command : fault.start)
            simulator.command(command);
        Serve(fault.holdMs);
        for (const QString& command : fault.end)
            simulator.command(command);
        ++faults;
        ++injected[fault.name];

        QElapsedTimer recovery;
        recovery.start();
        Serve(100);
        window.mnuRefreshClick();
        if (!ServeUntil(recovered, RecoveryLimitMs)) {
            std::fprintf(stderr, "soak: no recovery after fault %d (%s)\n", faults, qPrintable(fault.name));
            break;
        }
        ++recoveries;
        if (recovery.elapsed() > worstMs) {
            worstMs = recovery.elapsed();
            worstFault = fault.name;
        }
    }

    window.close();
    const qint64 rssEndKb = LiveRssKb();
    const qint64 peakKb = StatusKb("VmHWM:");
    const qint64 logGrowth = log->document()->characterCount() - logStart;
    const qint64 allowedKb = MemorySlackKb + logGrowth * LogBytesPerCharacter / 1024;

    QStringList kinds;
    for (const auto& [name, count] : injected)
        kinds << name + u'=' + QString::number(count);
    std::printf("soak seed=%u seconds=%d faults=%d recoveries=%d worst_recovery_ms=%lld (%s)\n", seed,
                seconds, faults, recoveries, worstMs, qPrintable(worstFault));
    std::printf("soak faults: %s\n", qPrintable(kinds.join(u' ')));
    std::printf("soak rss_start_kb=%lld rss_end_kb=%lld peak_kb=%lld growth_kb=%lld allowed_kb=%lld "
                "log_characters=%lld\n",
                rssStartKb, rssEndKb, peakKb, rssEndKb - rssStartKb, allowedKb, logGrowth);
    std::printf("BENCH soak faults=%d recoveries=%d worst_recovery_ms=%lld growth_kb=%lld\n", faults,
                recoveries, worstMs, rssEndKb - rssStartKb);
    const bool ok = recoveries == faults && rssEndKb - rssStartKb <= allowedKb;
    if (!ok)
        std::fprintf(stderr, "soak: FAILED\n");
    return ok ? 0 : 1;
}
