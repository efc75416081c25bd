#include "serialports.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>
#include <vector>

namespace zorvex {

using namespace Qt::StringLiterals;

std::optional<QStringList> SystemSerialPorts::PortEntries() {
    struct Port {
        QString entry;
        QDateTime appeared;
    };
    std::vector<Port> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QFileInfo node(info.systemLocation());
        ports.push_back(
            {info.portName() + u" ("_s + info.systemLocation() + u")"_s, node.metadataChangeTime()});
    }
    // The system enumerates in no particular order; the newest port goes last.
    std::stable_sort(ports.begin(), ports.end(),
                     [](const Port& a, const Port& b) { return a.appeared < b.appeared; });
    QStringList entries;
    for (const Port& port : ports)
        entries << port.entry;
    return entries;
}

} // namespace zorvex
