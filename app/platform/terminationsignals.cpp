#include "terminationsignals.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace zorvex {

void TerminationSignals::closeOnTermination(QWidget* window) {
    connect(this, &TerminationSignals::terminationRequested, window, [target = QPointer<QWidget>(window)] {
        while (QWidget* dialog = QApplication::activeModalWidget()) {
            if (dialog == target)
                break;
            dialog->close();
            if (QApplication::activeModalWidget() == dialog)
                break; // it refused to close; the window's close still follows
        }
        // Queued, so that the loops of the closed dialogs have returned first.
        QTimer::singleShot(0, target, [target] {
            if (target)
                target->close();
        });
    });
}

} // namespace zorvex
