#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace zorvex {

class SharedBlock;

// The record a settings control mirrors, and so the refresh that fills it.
enum class SettingRecord { Config, Expert, ExpertWeather };

// How a stored number appears in its edit (the editors parse with the inverse).
enum class SettingFormat {
    Integer,     // decimal integer
    Percent,     // the value itself, "0.#"
    Tenths,      // value * 0.1, "0.#"
    TenthsFixed, // value / 10, "0.0" (always Celsius where a temperature)
    Level,       // value * 100 / 4096, "0.##"
    Temperature, // FormatTemperature in the device's unit
};

// One settings control, described once: its edit and slider, the record field it shows, the
// text format, the slider's range and steps and the request its editor raises. Per-channel
// controls are described once with their name stems; the window carries them for the channels
// 0..11 and the records fill 0..3.
struct SettingControl {
    QString edit;   // object name (or stem) of the labelled edit
    QString slider; // object name (or stem) of the slider; empty when there is none
    QString caption;
    SettingRecord record;
    SettingFormat format;
    bool perChannel = false;
    // The stored value; empty when the control keeps what it shows (a zero weather rate).
    std::function<std::optional<int>(const SharedBlock&, int channel)> value;
    int minimum = 0;
    int maximum = 0;
    int pageStep = 1;
    int tickInterval = 0;
    std::uint32_t request = 0;
    // The edit shows the slider's position (clipped to its range) instead of the value.
    bool editFollowsSlider = false;
    // Written even while focused.
    bool ignoresFocus = false;
};

const std::vector<SettingControl>& SettingControls();
// The description of an edit (by object name or per-channel stem); nullptr when unknown.
const SettingControl* FindSettingControl(const QString& edit);

// The text an edit shows for a value in the given format.
QString FormatSettingValue(SettingFormat format, int value, bool fahrenheit,
                           const QLocale& locale = QLocale());

// The refresh direction of one record: every described control of that record found under
// `root` receives its value, except controls that have the focus (focus guard).
void RefreshSettingControls(QWidget* root, SettingRecord record, const SharedBlock& block,
                            const QLocale& locale = QLocale());

} // namespace zorvex
