#pragma once

#include <QStatusBar>

#include <array>
#include <cstdint>

class QLabel;
class QProgressBar;

namespace zorvex {

// States of the progress display (the taskbar button's on Windows).
enum class ProgressState { Normal, Paused, Error };

// The status bar `sb` with its three panels: 0 status message (the bar's width less 260),
// 1 device date and time (160, centred), 2 mode and event letters (100, centred). Panel 0 ends
// in the progress indicator that stands in for the taskbar button's progress.
class StatusPanels : public QStatusBar {
    Q_OBJECT
public:
    static constexpr std::array<int, 3> DesignWidths{462, 160, 100};
    static constexpr int FixedPanelsWidth = 260;

    explicit StatusPanels(QWidget* parent = nullptr);

    QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);
    int panelWidth(int panel) const;

    // Multiplies the panel widths and the bar height by the screen's dots per inch / 96.
    void setScale(double scale);

    // The progress display: value `done` of `total` and its colour state.
    void setProgress(std::uint64_t done, std::uint64_t total);
    void setProgressState(ProgressState state);
    ProgressState progressState() const { return m_state; }
    int progressPermille() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // sbResize: panel 0 follows the bar's width.
    void sbResize();

    std::array<QLabel*, 3> m_panels{};
    QWidget* m_panel0 = nullptr;
    QProgressBar* m_progress = nullptr;
    ProgressState m_state = ProgressState::Error;
    double m_scale = 1.0;
};

} // namespace zorvex
