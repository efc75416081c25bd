#include "focusguard.h"

#include "labelededit.h"

#include <QAbstractSlider>

namespace zorvex {

bool FocusGuard::Acts(const QWidget* control) {
    return control != nullptr && control->hasFocus();
}

bool FocusGuard::Write(LabeledEdit* edit, const QString& text) {
    if (edit == nullptr || Acts(edit))
        return false;
    edit->setText(text);
    return true;
}

bool FocusGuard::Write(QAbstractSlider* slider, int position) {
    if (slider == nullptr || Acts(slider))
        return false;
    slider->setValue(position);
    return true;
}

} // namespace zorvex
