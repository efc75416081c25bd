// bt-install and bt-uninstall: the window's Bluetooth thread with the tool's main thread serving
// its calls, each log line printed as it comes.
#include "bluezbackend.h"
#include "clireport.h"
#include "clirunners.h"
#include "extratexts.h"
#include "terminationsignalnotifier.h"
#include "tthddiscover.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {

// The thread's log lines on standard output, or collected for the JSON object.
class CliDiscoverView : public DiscoverView {
public:
    CliDiscoverView(QTextStream& out, bool collect) : m_out(out), m_collect(collect) {}

    void AddMessage(const QString& text) override {
        m_lines << text;
        if (!m_collect) {
            m_out << text << u'\n';
            m_out.flush();
        }
    }
    void BringToFront() override {}

    const QStringList& lines() const { return m_lines; }

private:
    QTextStream& m_out;
    const bool m_collect;
    QStringList m_lines;
};

int RunDiscover(const CliContext& context, bool install) {
    CliDiscoverView view(context.console.out, context.line.options.json);
    const std::shared_ptr<WindowGate> gate = WindowGate::create(QCoreApplication::instance());
    TthdDiscover thread(install, SystemBluetooth(QCoreApplication::applicationFilePath()), gate, view);

    QEventLoop loop;
    QObject::connect(&thread, &QThread::finished, &loop, &QEventLoop::quit);
    int signal = 0;
    if (context.termination != nullptr)
        QObject::connect(context.termination, &TerminationSignalNotifier::terminationRequested, &loop,
                         [&](int number) {
                             // The thread ends at its next wait; its calls are served until then.
                             signal = number;
                             thread.Stop();
                         });
    thread.start();
    loop.exec();
    thread.wait();
    if (signal != 0)
        return context.Fail(SignalExitBase + signal, ExtraText(u"CliInterrupted"_s));

    const DiscoverOutcome outcome = thread.Outcome();
    if (context.line.options.json)
        context.console.out << JsonLine(QJsonObject{
                                   {u"log"_s, QJsonArray::fromStringList(view.lines())},
                                   {install ? u"installed"_s : u"removed"_s, outcome.succeeded},
                                   {u"failed"_s, outcome.failed},
                                   {u"bluetoothAvailable"_s, !outcome.searchFailed},
                               })
                            << Qt::endl;
    // A script needs to know whether the lamp is now installed (or gone): anything short of
    // that is a device failure.
    if (outcome.searchFailed)
        return context.Fail(ExitDeviceFailure, ExtraText(u"CliBluetoothUnavailable"_s));
    if (outcome.failed > 0)
        return context.Fail(ExitDeviceFailure, ExtraText(install ? u"CliBluetoothInstallFailed"_s
                                                                 : u"CliBluetoothRemovalFailed"_s,
                                                         {QString::number(outcome.failed)}));
    if (install && outcome.succeeded == 0)
        return context.Fail(ExitDeviceFailure, ExtraText(u"CliBluetoothNoneFound"_s));
    return ExitSuccess;
}

} // namespace

int RunBluetoothInstall(const CliContext& context) {
    return RunDiscover(context, true);
}

int RunBluetoothUninstall(const CliContext& context) {
    return RunDiscover(context, false);
}

} // namespace zorvex
