#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <memory>

class QFileSystemWatcher;
class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace zorvex {

class SerialPortSource;

// Tells the window that a serial port has appeared.
class PortArrivalSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

Q_SIGNALS:
    void portArrived();
};

// Port arrival from the udev daemon: "add" events of the tty subsystem.
class UdevPortMonitor : public PortArrivalSource {
    Q_OBJECT
public:
    explicit UdevPortMonitor(QObject* parent = nullptr);
    ~UdevPortMonitor() override;
    bool isValid() const { return m_monitor != nullptr; }

private:
    void readEvents();

    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    QSocketNotifier* m_notifier = nullptr;
};

// Port arrival without a udev daemon: a change in /dev starts a short wait, after which the
// port list is compared with the one seen before; any new entry counts as an arrival.
class DevDirectoryWatcher : public PortArrivalSource {
    Q_OBJECT
public:
    static constexpr int DebounceMs = 300;

    DevDirectoryWatcher(SerialPortSource& ports, const QString& directory = QStringLiteral("/dev"),
                        QObject* parent = nullptr);

private:
    void compare();

    SerialPortSource& m_ports;
    QFileSystemWatcher* m_watcher;
    QTimer m_debounce;
    QStringList m_known;
};

// The udev monitor when a udev daemon runs (/run/udev/control exists), else the /dev watcher.
std::unique_ptr<PortArrivalSource> CreatePortArrivalSource(SerialPortSource& ports);

} // namespace zorvex
