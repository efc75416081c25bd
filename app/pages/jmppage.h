#pragma once

#include "pagebuilder.h"

#include <QStringList>

namespace zorvex {

// The pin-mode radio buttons in JMPMode order 0..8.
inline const QStringList JmpModeButtons{
    QStringLiteral("rbtJMPIRLearn"), QStringLiteral("rbtJMPCloud"),  QStringLiteral("rbtJMPStorm"),
    QStringLiteral("rbtJMPCooler"),  QStringLiteral("rbtJMPHeater"), QStringLiteral("rbtJMPLightning"),
    QStringLiteral("rbtJMPTimer"),   QStringLiteral("rbtJMPServo"),  QStringLiteral("rbtJMPPWM")};

// The page tsJMP: what the auxiliary output pin does, and the cooler and heater thresholds.
class JmpPage : public Page {
    Q_OBJECT
public:
    explicit JmpPage(SharedBlock& block, QWidget* parent = nullptr);

    // The pin-mode radio buttons from Expert.JMPMode (whatever has the focus).
    void RefreshRadios();
};

} // namespace zorvex
