#include "portarrival.h"

#include "serialports.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSocketNotifier>

#include <libudev.h>

namespace zorvex {

using namespace Qt::StringLiterals;

UdevPortMonitor::UdevPortMonitor(QObject* parent) : PortArrivalSource(parent) {
    m_udev = udev_new();
    if (m_udev == nullptr)
        return;
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (m_monitor == nullptr ||
        udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "tty", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        if (m_monitor != nullptr)
            udev_monitor_unref(m_monitor);
        m_monitor = nullptr;
        return;
    }
    m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UdevPortMonitor::readEvents);
}

UdevPortMonitor::~UdevPortMonitor() {
    delete m_notifier;
    if (m_monitor != nullptr)
        udev_monitor_unref(m_monitor);
    if (m_udev != nullptr)
        udev_unref(m_udev);
}

void UdevPortMonitor::readEvents() {
    bool arrived = false;
    while (udev_device* device = udev_monitor_receive_device(m_monitor)) {
        const char* action = udev_device_get_action(device);
        if (action != nullptr && qstrcmp(action, "add") == 0 && udev_device_get_devnode(device) != nullptr)
            arrived = true;
        udev_device_unref(device);
    }
    if (arrived)
        Q_EMIT portArrived();
}

DevDirectoryWatcher::DevDirectoryWatcher(SerialPortSource& ports, const QString& directory, QObject* parent)
    : PortArrivalSource(parent), m_ports(ports), m_watcher(new QFileSystemWatcher(this)) {
    m_known = m_ports.PortEntries().value_or(QStringList());
    m_watcher->addPath(directory);
    m_debounce.setSingleShot(true);
    m_debounce.setInterval(DebounceMs);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { m_debounce.start(); });
    connect(&m_debounce, &QTimer::timeout, this, &DevDirectoryWatcher::compare);
}

void DevDirectoryWatcher::compare() {
    const std::optional<QStringList> now = m_ports.PortEntries();
    if (!now)
        return;
    bool added = false;
    for (const QString& entry : *now)
        added = added || !m_known.contains(entry);
    m_known = *now;
    if (added)
        Q_EMIT portArrived();
}

std::unique_ptr<PortArrivalSource> CreatePortArrivalSource(SerialPortSource& ports) {
    if (QFileInfo::exists(u"/run/udev/control"_s)) {
        auto monitor = std::make_unique<UdevPortMonitor>();
        if (monitor->isValid())
            return monitor;
    }
    return std::make_unique<DevDirectoryWatcher>(ports);
}

} // namespace zorvex
