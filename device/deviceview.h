#pragma once

#include <QString>
#include <QtGlobal>

#include <cstdint>

namespace zorvex {

// What the communication thread asks of the window. The thread never calls these directly: every
// call goes through a ViewGate, which runs it on the user-interface thread while the thread
// waits, so an implementation may touch widgets and the record copies of the shared block freely.
class DeviceView {
public:
    virtual ~DeviceView() = default;

    // One time-stamped line in the message log.
    virtual void AddMessage(const QString& text) = 0;
    // The status panel, and the same text as a log line.
    virtual void SetStatusMessage(const QString& text) = 0;
    // True only while a ZORVEXPRO 1.x.4 application is identified.
    virtual void SetConnectedState(bool connected) = 0;
    // Firmware transfer progress: `done` of `total` bytes.
    virtual void SetTaskbarProgress(qint64 done, qint64 total) = 0;

    // Called after a reply of that record has been stored (or dropped for a pending edit).
    virtual void RefreshInfo() = 0;
    virtual void RefreshConfig() = 0;
    virtual void RefreshExpert() = 0;
    virtual void RefreshExpertWeather() = 0;
    // After a schedule download.
    virtual void FillScheduleGrid() = 0;
    // After a stored chart.
    virtual void DrawChart() = 0;

    // The firmware file dialog: the chosen path, or an empty text when the user cancelled.
    virtual QString ChooseFirmwareFile() = 0;

    // Reports a view without widgets needs; the window has no use for them beyond the log.
    // The identity of every new "80" reply that differs from the previous one (255/255: none).
    virtual void DeviceIdentified(std::uint8_t type, std::uint8_t version) {
        Q_UNUSED(type);
        Q_UNUSED(version);
    }
    // A record write (named by its trace name) that the device did not acknowledge.
    virtual void WriteNotAcknowledged(const QString& operation) { Q_UNUSED(operation); }
    // Advice for a port that refused to open, given once per run; the window logs it.
    virtual void ShowPortHelp(const QString& text) { AddMessage(text); }
};

} // namespace zorvex
