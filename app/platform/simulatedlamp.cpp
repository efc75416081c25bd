#include "simulatedlamp.h"

#include <QDir>
#include <QFileInfo>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {
const QString SimulatorName = u"zorvexpro-devsim"_s;
constexpr int StartTimeoutMs = 5000;
constexpr int StopTimeoutMs = 2000;
} // namespace

SimulatedLamp::SimulatedLamp(QString simulatorPath) : m_simulatorPath(std::move(simulatorPath)) {}

SimulatedLamp::~SimulatedLamp() {
    Stop();
}

QString SimulatedLamp::FindSimulator(const QString& programDir) {
    const QDir dir(programDir);
    for (const QString& candidate :
         {dir.filePath(SimulatorName), dir.filePath(u"../tools/devsim/"_s + SimulatorName)})
        if (const QFileInfo file(candidate); file.isFile() && file.isExecutable())
            return QDir::cleanPath(file.absoluteFilePath());
    return {};
}

QString SimulatedLamp::Start(QString* error) {
    Stop();
    // A folder only this user may enter holds the link, so no one else can open the lamp.
    m_folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/zorvexpro-simulation-XXXXXX"_s);
    if (!m_folder->isValid()) {
        *error = m_folder->errorString();
        m_folder.reset();
        return {};
    }
    m_process = std::make_unique<QProcess>();
    // Standard input stays open: the simulator takes control commands there and ends with SIGTERM.
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->start(m_simulatorPath, {u"--link"_s, m_folder->filePath(u"lamp"_s)});
    // The first line it prints is the port.
    while (m_process->waitForReadyRead(StartTimeoutMs) && !m_process->canReadLine()) {
    }
    if (!m_process->canReadLine()) {
        *error = m_process->errorString();
        Stop();
        return {};
    }
    m_port = QString::fromLocal8Bit(m_process->readLine()).trimmed();
    return m_port;
}

void SimulatedLamp::Stop() {
    if (m_process) {
        m_process->terminate();
        if (!m_process->waitForFinished(StopTimeoutMs)) {
            m_process->kill();
            m_process->waitForFinished(StopTimeoutMs);
        }
        m_process.reset();
    }
    m_folder.reset();
    m_port.clear();
}

bool SimulatedLamp::IsRunning() const {
    return m_process && m_process->state() == QProcess::Running;
}

QString SimulatedLamp::Port() const {
    return IsRunning() ? m_port : QString();
}

} // namespace zorvex
