#include "settingeditors.h"

#include "conversions.h"
#include "edithistory.h"
#include "extratexts.h"
#include "fieldvalue.h"
#include "focusguard.h"
#include "labelededit.h"
#include "pagebuilder.h"
#include "requestflags.h"
#include "sharedblock.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <limits>
#include <memory>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

bool IsRate(const SettingControl& control) {
    return control.kind == SettingEdit::CloudRate || control.kind == SettingEdit::StormRate;
}

bool Fahrenheit(const SharedBlock& block) {
    return (block.Config.Flag & FlagFahrenheit) != 0;
}

QString NameOf(const QString& stem, int channel) {
    return channel >= 0 ? stem + QString::number(channel) : stem;
}

// The slider's position after the ordering clamps against the other sliders.
int Clamp(QWidget* page, const SettingControl& control, int position) {
    const auto partner = [page](const QString& name) {
        return name.isEmpty() ? nullptr : page->findChild<QSlider*>(name);
    };
    if (const QSlider* above = partner(control.notAbove))
        position = std::min(position, above->value());
    if (const QSlider* below = partner(control.notBelow))
        position = std::max(position, below->value());
    return position;
}

void SliderChange(QWidget* page, SharedBlock& block, const SettingControl& control, int channel,
                  const SettingRateHandler& rates) {
    auto* slider = page->findChild<QSlider*>(NameOf(control.slider, channel));
    auto* edit = page->findChild<LabeledEdit*>(NameOf(control.edit, channel));
    int position = slider->value();
    if (const int clamped = Clamp(page, control, position); clamped != position) {
        // The snap back is the handler's own move, not another change of the user's.
        const QSignalBlocker quiet(slider);
        slider->setValue(clamped);
        position = clamped;
    }
    if (IsRate(control)) {
        FocusGuard::Write(edit, QString::number(position));
        if (rates)
            rates(control.kind);
        return;
    }
    if (control.storesOnlyChanges && control.value(block, channel) == position)
        return;
    if (!control.store(block, channel, position))
        return;
    FocusGuard::Write(edit, FormatSettingValue(control.format, position, Fahrenheit(block)));
    block.Request(control.request);
}

// edtTimeZoneBiasChange: the nine edits in their order, each stored as soon as it is read; the
// first that does not parse or fit ends it without a request.
void TimeZoneChange(QWidget* page, SharedBlock& block) {
    for (const SettingControl& control : SettingControls()) {
        if (control.kind != SettingEdit::TimeZone)
            continue;
        const auto* edit = page->findChild<LabeledEdit*>(control.edit);
        const std::optional<std::int64_t> value =
            edit ? ParseSettingValue(control, edit->text(), false) : std::nullopt;
        if (!value || !control.store(block, -1, *value))
            return;
    }
    block.Request(rqSetExpert);
}

void EditChange(QWidget* page, SharedBlock& block, const SettingControl& control, int channel,
                const SettingRateHandler& rates) {
    if (control.kind == SettingEdit::TimeZone) {
        TimeZoneChange(page, block);
        return;
    }
    const auto* edit = page->findChild<LabeledEdit*>(NameOf(control.edit, channel));
    auto* slider =
        control.slider.isEmpty() ? nullptr : page->findChild<QSlider*>(NameOf(control.slider, channel));
    if (IsRate(control)) {
        // The count or duration counts only as far as its slider goes.
        const std::optional<std::int64_t> typed = ParseInteger(edit->text());
        if (!typed || slider == nullptr)
            return;
        slider->setValue(static_cast<int>(std::clamp<std::int64_t>(*typed, std::numeric_limits<int>::min(),
                                                                   std::numeric_limits<int>::max())));
        if (rates)
            rates(control.kind);
        return;
    }
    const std::optional<std::int64_t> typed = ParseSettingValue(control, edit->text(), Fahrenheit(block));
    if (!typed || !control.store(block, channel, *typed))
        return;
    // The slider shows the stored value as far as its range goes; its own handler stays quiet,
    // as the slider has no focus.
    if (const std::optional<int> stored = control.value(block, channel); slider != nullptr && stored)
        slider->setValue(*stored);
    block.Request(control.request);
}

// The undo step's name: the setting's caption as the page shows it, without accelerator or colon.
QString StepLabel(const QString& caption) {
    QString text = caption;
    text.remove(u'&');
    text = text.trimmed();
    while (text.endsWith(u':'))
        text.chop(1);
    return ExtraText(u"UndoSetting"_s, {text.trimmed()});
}

void ConnectControl(Page* page, SharedBlock& block, const SettingControl& control, int channel,
                    const SettingRateHandler& rates) {
    auto* edit = page->findChild<LabeledEdit*>(NameOf(control.edit, channel));
    const QString key = NameOf(control.edit, channel);
    // The slider and the edit of a setting are one control for the history.
    const auto step = [page, edit, key] {
        return std::make_unique<EditStep>(page->History(), StepLabel(edit ? edit->caption() : key), key);
    };
    if (edit != nullptr)
        FocusGuard::OnUserChange(edit, &LabeledEdit::textChanged, page,
                                 [page, &block, &control, channel, rates, step] {
                                     const auto undoable = step();
                                     EditChange(page, block, control, channel, rates);
                                 });
    if (control.slider.isEmpty())
        return;
    if (auto* slider = page->findChild<QSlider*>(NameOf(control.slider, channel)))
        FocusGuard::OnUserChange(slider, &QSlider::valueChanged, page,
                                 [page, &block, &control, channel, rates, step] {
                                     const auto undoable = step();
                                     SliderChange(page, block, control, channel, rates);
                                 });
}

} // namespace

void ConnectSettingEditors(Page* page, SharedBlock& block, SettingRateHandler rates) {
    for (const SettingControl& control : SettingControls()) {
        if (!control.perChannel) {
            ConnectControl(page, block, control, -1, rates);
            continue;
        }
        // The rows are found by stem and index; rows of channels the records lack store nothing.
        for (int channel = 0;; ++channel) {
            if (page->findChild<LabeledEdit*>(NameOf(control.edit, channel)) == nullptr)
                break;
            ConnectControl(page, block, control, channel, rates);
        }
    }
}

void ConnectRadioGroup(Page* page, SharedBlock& block, const QStringList& buttons,
                       std::uint8_t Expert::*field, int displayOnly) {
    for (int value = 0; value < static_cast<int>(buttons.size()); ++value) {
        auto* button = page->findChild<QRadioButton*>(buttons.at(value));
        if (button == nullptr || value == displayOnly)
            continue;
        QObject::connect(
            button, &QRadioButton::toggled, page, [page, button, &block, field, value](bool checked) {
                if (!checked)
                    return;
                if (!FocusGuard::Acts(button)) {
                    block.Expert.*field = static_cast<std::uint8_t>(value);
                    return;
                }
                const auto* group = qobject_cast<const QGroupBox*>(button->parentWidget());
                const EditStep step(page->History(),
                                    StepLabel(group != nullptr ? group->title() : button->text()));
                block.Expert.*field = static_cast<std::uint8_t>(value);
                block.Request(rqSetExpert);
            });
    }
}

} // namespace zorvex
