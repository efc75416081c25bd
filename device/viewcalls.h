#pragma once

#include "messagesink.h"
#include "viewgate.h"

#include <functional>

namespace zorvex {

// The window's operations as the communication thread calls them: each one a synchronous call
// through the ViewGate. Once the gate is closed they do nothing (ChooseFirmwareFile then reports
// a cancelled dialog, OnWindowThread false).
class ViewCalls : public MessageSink {
public:
    explicit ViewCalls(ViewGate& gate) : m_gate(gate) {}

    void AddMessage(const QString& text) override {
        m_gate.Call([&](DeviceView& view) { view.AddMessage(text); });
    }
    void SetStatusMessage(const QString& text) {
        m_gate.Call([&](DeviceView& view) { view.SetStatusMessage(text); });
    }
    void SetConnectedState(bool connected) {
        m_gate.Call([&](DeviceView& view) { view.SetConnectedState(connected); });
    }
    void SetTaskbarProgress(qint64 done, qint64 total) {
        m_gate.Call([&](DeviceView& view) { view.SetTaskbarProgress(done, total); });
    }
    void RefreshInfo() {
        m_gate.Call([](DeviceView& view) { view.RefreshInfo(); });
    }
    void RefreshConfig() {
        m_gate.Call([](DeviceView& view) { view.RefreshConfig(); });
    }
    void RefreshExpert() {
        m_gate.Call([](DeviceView& view) { view.RefreshExpert(); });
    }
    void RefreshExpertWeather() {
        m_gate.Call([](DeviceView& view) { view.RefreshExpertWeather(); });
    }
    void FillScheduleGrid() {
        m_gate.Call([](DeviceView& view) { view.FillScheduleGrid(); });
    }
    void DrawChart() {
        m_gate.Call([](DeviceView& view) { view.DrawChart(); });
    }
    void DeviceIdentified(std::uint8_t type, std::uint8_t version) {
        m_gate.Call([&](DeviceView& view) { view.DeviceIdentified(type, version); });
    }
    void WriteNotAcknowledged(const QString& operation) {
        m_gate.Call([&](DeviceView& view) { view.WriteNotAcknowledged(operation); });
    }
    void ShowPortHelp(const QString& text) {
        m_gate.Call([&](DeviceView& view) { view.ShowPortHelp(text); });
    }
    QString ChooseFirmwareFile() {
        QString path;
        m_gate.Call([&](DeviceView& view) { path = view.ChooseFirmwareFile(); });
        return path;
    }

    // Runs a load or store operation of the shared block on the window's thread, where the
    // record copies live. False when the window is gone and nothing ran.
    bool OnWindowThread(const std::function<void()>& operation) {
        return m_gate.Call([&](DeviceView&) { operation(); });
    }

    bool WindowGone() const { return m_gate.IsClosed(); }

private:
    ViewGate& m_gate;
};

} // namespace zorvex
