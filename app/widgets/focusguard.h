#pragma once

#include <QObject>
#include <QString>

class QAbstractSlider;
class QWidget;

namespace zorvex {

class LabeledEdit;

// The one rule that keeps sliders, edits and device polling from feeding back into one another:
// a change handler acts only while its own control has the keyboard focus, and a refresh never
// writes a control that has the focus.
class FocusGuard {
public:
    // True while the user operates `control` (it has the keyboard focus).
    static bool Acts(const QWidget* control);

    // Refresh writes: skipped while the control has the focus. True when written.
    static bool Write(LabeledEdit* edit, const QString& text);
    static bool Write(QAbstractSlider* slider, int position);

    // Connects a control's change signal to `handler`, called only while the control has the
    // focus: the programme's own writes into the control pass unnoticed.
    template <class Control, class Signal, class Handler>
    static QMetaObject::Connection OnUserChange(Control* control, Signal signal, QObject* context,
                                                Handler handler) {
        return QObject::connect(control, signal, context, [control, handler] {
            if (Acts(control))
                handler();
        });
    }
};

} // namespace zorvex
