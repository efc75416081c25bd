#pragma once

#include "pagebuilder.h"

#include <QDateTime>

#include <functional>

class QMenu;

namespace zorvex {

class PictureView;

// The page tsTemp: the chart picture imgTemp and its source menu pumChart. A click on the chart
// asks for a fresh download; the menu chooses the quantity the device records (Expert.ChartMode)
// as the radio buttons of the expert page do.
class ChartPage : public Page {
    Q_OBJECT
public:
    explicit ChartPage(SharedBlock& block, QWidget* parent = nullptr);

    // Redraws the whole chart from the Chart record at the picture's size.
    void DrawChart();
    void imgTempClick();
    void pumChartPopup();
    // mnuCHMTempWaterClick .. mnuCHMTempSlaveClick: ChartMode 0..3.
    void ChooseChartMode(int mode);
    // The computer's clock the time axis is dated by (the local date and time by default).
    void SetClock(std::function<QDateTime()> now) { m_now = std::move(now); }

Q_SIGNALS:
    // ChartMode changed here: the expert page's radio buttons are to follow.
    void chartModeChosen();

private:
    PictureView* m_image;
    QMenu* m_menu;
    std::function<QDateTime()> m_now = [] { return QDateTime::currentDateTime(); };
};

} // namespace zorvex
