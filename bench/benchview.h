#pragma once

#include "deviceview.h"
#include "serveevents.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <functional>

namespace zorvex {

// The window as the benchmarks of the communication thread need it: no widgets, every call
// answered at once, and hooks that note the moment a call arrives.
class BenchView : public QObject, public DeviceView {
public:
    void AddMessage(const QString& text) override { notify(onMessage, text); }
    void SetStatusMessage(const QString& text) override { notify(onStatus, text); }
    void SetConnectedState(bool) override {}
    void SetTaskbarProgress(qint64, qint64) override {}
    void RefreshInfo() override {}
    void RefreshConfig() override {}
    void RefreshExpert() override {}
    void RefreshExpertWeather() override { notify(onStatus, QStringLiteral("RefreshExpertWeather")); }
    void FillScheduleGrid() override {}
    void DrawChart() override {}
    QString ChooseFirmwareFile() override {
        const QString chosen = firmwareFile;
        firmwareFile.clear(); // a second dialog is cancelled
        return chosen;
    }

    std::function<void(const QString&)> onMessage;
    std::function<void(const QString&)> onStatus;
    QString firmwareFile;

private:
    static void notify(const std::function<void(const QString&)>& hook, const QString& text) {
        if (hook)
            hook(text);
    }
};

inline bool ServeUntil(const std::function<bool()>& condition, int timeoutMs) {
    return ServeEventsUntil(condition, timeoutMs);
}

inline double MillisecondsOf(const QElapsedTimer& clock) {
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace zorvex
