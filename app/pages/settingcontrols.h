#pragma once

#include "fieldvalue.h"

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

// What a change of the control does beyond storing its field.
enum class SettingEdit {
    Field,     // parse, store, move the partner, request
    CloudRate, // the count or duration moves the slider; the cloud rates follow (ApplyCloudSettings)
    StormRate, // the same for thunderstorms (ApplyStormSettings)
    TimeZone,  // all nine time-zone edits are read again (edtTimeZoneBiasChange)
};

// One settings control, described once: its edit and slider, the record field it shows and
// stores, the text format, the slider's range and steps and the request its editor raises.
// Per-channel controls are described once with their name stems; the window carries them for
// the channels 0..11 and the records fill 0..3.
struct SettingControl {
    QString edit;   // object name (or stem) of the labelled edit
    QString slider; // object name (or stem) of the slider; empty when there is none
    QString caption;
    // The configuration file's key of the field (its stem for per-channel controls).
    QString key;
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
    // The slider is written even while focused (with its signals blocked); the edit never while
    // the user types in it.
    bool ignoresFocus = false;

    // --- the editing direction ---
    // Stores a typed or slid value; false, with the field unchanged, when the channel has no
    // field or the value needs more bits than the field has. Empty for the weather rates, which
    // their page converts.
    std::function<bool(SharedBlock&, int channel, std::int64_t)> store;
    // The numbers the field's type holds; a typed decimal number beyond them is refused.
    FieldRange range;
    SettingEdit kind = SettingEdit::Field;
    // Ordering clamps of the slider against other sliders' positions, applied before storing:
    // first not above `notAbove`, then not below `notBelow`. The edits do not clamp.
    QString notAbove;
    QString notBelow;
    // The slider stores and requests only a position that differs from the field.
    bool storesOnlyChanges = false;
};

const std::vector<SettingControl>& SettingControls();
// The description of an edit (by object name or per-channel stem); nullptr when unknown.
const SettingControl* FindSettingControl(const QString& edit);

// The text an edit shows for a value in the given format.
QString FormatSettingValue(SettingFormat format, int value, bool fahrenheit,
                           const QLocale& locale = QLocale());

// The number a text typed into the control stands for, the inverse of FormatSettingValue:
// integers in decimal (or hexadecimal, as the configuration file writes them), every other format
// as a decimal number in the locale's notation, scaled and rounded with halves to even. Empty when
// the text does not parse, or when a decimal number, after the scaling, lies beyond the numbers
// the field's type holds (a hexadecimal integer is a bit pattern and only has to fit the width).
std::optional<std::int64_t> ParseSettingValue(const SettingControl& control, const QString& text,
                                              bool fahrenheit, const QLocale& locale = QLocale());

// The refresh direction of one record: every described control of that record found under
// `root` receives its value, except controls that have the focus (focus guard).
void RefreshSettingControls(QWidget* root, SettingRecord record, const SharedBlock& block,
                            const QLocale& locale = QLocale());

} // namespace zorvex
