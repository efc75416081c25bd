// zorvexpro-cli serve: the lamp as Home Assistant devices over MQTT, until a termination signal.
#include "clirunners.h"

#include "extratexts.h"
#include "lampbridge.h"
#include "terminationsignalnotifier.h"

#include <QEventLoop>
#include <QFile>

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {

// The first line of a file without its end; empty after `error` says why the file cannot be read.
std::optional<QByteArray> FirstLine(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return std::nullopt;
    }
    QByteArray line = file.readLine(4096);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

} // namespace

int RunServe(const CliContext& context) {
    const auto& options = std::get<ServeOptions>(context.line.arguments);
    BridgeSettings settings;
    settings.portEntry = context.port;
    settings.topics.topicPrefix = options.topicPrefix;
    settings.topics.discoveryPrefix = options.discoveryPrefix;
    settings.broker.host = options.host;
    settings.broker.port = options.port;
    settings.broker.user = options.user;
    QString error;
    if (!options.passwordFile.isEmpty()) {
        const std::optional<QByteArray> password = FirstLine(options.passwordFile, error);
        if (!password)
            return context.Fail(ExitFileFailure, ExtraText(u"CliFileError"_s, {options.passwordFile, error}));
        settings.broker.password = QString::fromUtf8(*password);
    }
    // The certificate authority is read by the TLS library at each connection: a file it cannot
    // read is said now, not as a broker failure later.
    if (!options.caFile.isEmpty() && !FirstLine(options.caFile, error))
        return context.Fail(ExitFileFailure, ExtraText(u"CliFileError"_s, {options.caFile, error}));
    settings.broker.caFile = options.caFile;

    LampBridge bridge(settings);
    QObject::connect(&bridge, &LampBridge::logLine,
                     [&](const QString& text) { context.console.err << text << Qt::endl; });
    if (const QString problem = bridge.Start(); !problem.isEmpty())
        return context.Fail(ExitFileFailure, ExtraText(u"MqttBrokerSettings"_s, {problem}));

    QEventLoop loop;
    if (context.termination != nullptr)
        QObject::connect(context.termination, &TerminationSignalNotifier::terminationRequested, &loop,
                         &QEventLoop::quit);
    loop.exec();
    // A termination signal is the way to end the bridge: "offline" goes out, the exit is clean.
    bridge.Shutdown();
    return ExitSuccess;
}

} // namespace zorvex
