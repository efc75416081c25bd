#pragma once

#include <QString>
#include <QtGlobal>

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
};

} // namespace zorvex
