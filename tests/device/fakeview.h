#pragma once

#include "deviceview.h"

#include <QObject>
#include <QStringList>

#include <functional>

namespace zorvex {

// A window stand-in for the communication thread's tests. It lives on the test's main thread,
// serves as the ViewGate's context object and records every call in the order it arrived:
// "message: <text>", "status: <text>", "connected: true|false", "progress: <done>/<total>",
// and the bare names of the refresh calls and of ChooseFirmwareFile.
class FakeView : public QObject, public DeviceView {
    Q_OBJECT

public:
    void AddMessage(const QString& text) override;
    void SetStatusMessage(const QString& text) override;
    void SetConnectedState(bool connected) override;
    void SetTaskbarProgress(qint64 done, qint64 total) override;
    void RefreshInfo() override { calls << QStringLiteral("RefreshInfo"); }
    void RefreshConfig() override { calls << QStringLiteral("RefreshConfig"); }
    void RefreshExpert() override { calls << QStringLiteral("RefreshExpert"); }
    void RefreshExpertWeather() override { calls << QStringLiteral("RefreshExpertWeather"); }
    void FillScheduleGrid() override { calls << QStringLiteral("FillScheduleGrid"); }
    void DrawChart() override { calls << QStringLiteral("DrawChart"); }
    // Hands out firmwareChoices one by one; an empty list is a cancelled dialog.
    QString ChooseFirmwareFile() override;

    QStringList calls;
    QStringList firmwareChoices;
    // Run inside the call, while the thread waits for it: the place to act "during" a step.
    std::function<void(const QString&)> onMessage;
    std::function<void(qint64, qint64)> onProgress;
};

} // namespace zorvex
