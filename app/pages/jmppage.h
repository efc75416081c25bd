#pragma once

#include "pagebuilder.h"

namespace zorvex {

// The page tsJMP: what the auxiliary output pin does, and the cooler and heater thresholds.
class JmpPage : public Page {
    Q_OBJECT
public:
    explicit JmpPage(SharedBlock& block, QWidget* parent = nullptr);

    // The pin-mode radio buttons from Expert.JMPMode (whatever has the focus).
    void RefreshRadios();
};

} // namespace zorvex
