#pragma once

#include "chartscale.h"
#include "picturetext.h"
#include "records.h"

#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QLocale>

#include <optional>
#include <vector>

// The chart picture: the device's last 40 readings of one quantity as a line over time, on white.
namespace zorvex {

inline constexpr std::uint8_t ChartModeVoltage = 2; // Expert.ChartMode of the input voltage

struct ChartScene {
    zorvex::Chart chart;
    std::uint8_t chartMode = 0;                   // Expert.ChartMode
    std::uint16_t chartInterval = 0;              // Expert.ChartInterval, minutes between two readings
    Info info;                                    // the device's time of day dates the newest reading
    bool fahrenheit = false;                      // the device shows temperatures in °F
    QDateTime now = QDateTime::currentDateTime(); // the computer's local date and time
    QLocale locale;
    QFont font = ChartFont();

    // The graph's texts: the default font at 8 points.
    static QFont ChartFont();
};

struct ChartPicture {
    QImage image;
    std::optional<ChartRange> range; // empty when the picture shows the no-data text
    int timeStepMinutes = 0;
    std::vector<double> timeLineX; // the time lines drawn, newest first
    std::vector<PictureText> texts;
};

// Curve colour of a chart mode (ARGB): blue water, red board, black voltage, orange slave
// temperature; fully transparent for any other mode.
QRgb ChartCurveColor(int chartMode);

// The label text of a reading: "12.00 V" for the voltage, else the temperature in the device's
// unit ("25.0°C").
QString ChartValueText(int value, const ChartScene& scene);

// Draws the whole chart at `size` from scratch, reusing `canvas` when it already has that size.
// With no reading 0 or interval 0 it shows only the "QuillTempNotConnected" text.
ChartPicture RenderChart(const ChartScene& scene, QSize size, QImage canvas = {});

} // namespace zorvex
