#pragma once

#include "settingcontrols.h"

#include <QStringList>

#include <cstdint>
#include <functional>

class QWidget;

namespace zorvex {

class Page;
class SharedBlock;
struct Expert;

// Runs the rate conversion of the weather page after a count or duration changed
// (SettingEdit::CloudRate: ApplyCloudSettings, SettingEdit::StormRate: ApplyStormSettings).
using SettingRateHandler = std::function<void(SettingEdit)>;

// The editing direction of every described settings control found under `page`, connected once
// per page. Each handler acts only while its own control has the keyboard focus:
// - a slider (trbFanLowChange, trbMoon0Change ...) applies its ordering clamps, stores its
//   position, shows it in its edit and raises the record's request;
// - an edit (edtFanLowChange, edtMoon0Change ...) parses its text, stores it when it fits the
//   field's type (ParseSettingValue), moves its slider to the stored value and raises the request;
//   text that does not parse or does not fit changes nothing;
// - the weather counts and durations only move their slider and hand over to `rates`;
// - any of the nine time-zone edits reads all nine again (edtTimeZoneBiasChange).
// Each change is a step of the page's undo history, named by the control's caption; the changes
// of one control while it keeps the focus merge into one step.
void ConnectSettingEditors(Page* page, SharedBlock& block, SettingRateHandler rates = {});

// A radio group over one Expert field: the button at index i stands for the value i. A button
// that becomes checked stores its value whoever checked it, and raises rqSetExpert only when it
// has the focus (the user's click, one undo step); a refresh that checks it raises nothing. The button at
// `displayOnly` (if any) has no write path.
void ConnectRadioGroup(Page* page, SharedBlock& block, const QStringList& buttons,
                       std::uint8_t Expert::*field, int displayOnly = -1);

} // namespace zorvex
