#pragma once

#include "deviceview.h"

namespace zorvex {

// A view without a window: it ignores every call and keeps only the last status text. For the
// firmware file's checks outside the window (the command-line tool, the fuzzer), which report
// through the status.
class QuietView : public DeviceView {
public:
    void AddMessage(const QString&) override {}
    void SetStatusMessage(const QString& text) override { lastStatus = text; }
    void SetConnectedState(bool) override {}
    void SetTaskbarProgress(qint64, qint64) override {}
    void RefreshInfo() override {}
    void RefreshConfig() override {}
    void RefreshExpert() override {}
    void RefreshExpertWeather() override {}
    void FillScheduleGrid() override {}
    void DrawChart() override {}
    QString ChooseFirmwareFile() override { return {}; }

    QString lastStatus;
};

} // namespace zorvex
