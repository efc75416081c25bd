#pragma once

#include "pagebuilder.h"

namespace zorvex {

// The page tsWeather: cloud and thunderstorm frequencies, durations, remaining brightness and
// dimming speeds, the lightning frequency, the ratio read-outs and the buttons that start or
// stop a cloud or a thunderstorm at once.
class WeatherPage : public Page {
    Q_OBJECT
public:
    explicit WeatherPage(SharedBlock& block, QWidget* parent = nullptr);

    void btnCloudClick();
    void btnStormClick();
    // The device's cloud (thunderstorm) rates from the count and duration sliders, then the ratio
    // read-outs and rqSetConfig.
    void ApplyCloudSettings();
    void ApplyStormSettings();
    // ShowWeatherRatios: the cloud and thunderstorm ratio labels from Config and the events.
    void ShowWeatherRatios();
    // The trigger buttons work in Auto and Geo mode only.
    void SetTriggersEnabled(bool enabled);
    void SetConnected(bool connected) override;

private:
    int Position(const QString& slider) const;
};

} // namespace zorvex
