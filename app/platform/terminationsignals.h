#pragma once

#include "terminationsignalnotifier.h"

class QWidget;

namespace zorvex {

// The termination signals (common/terminationsignalnotifier.h) for the window.
class TerminationSignals : public TerminationSignalNotifier {
public:
    using TerminationSignalNotifier::TerminationSignalNotifier;

    // Closes `window` exactly as its close button does when a termination signal arrives: open
    // dialogs are closed first (a dialog is cancelled), then the window, once their loops have
    // returned. The window's close stops the connection and writes the backup file.
    void closeOnTermination(QWidget* window);
};

} // namespace zorvex
