#pragma once

#include "pagebuilder.h"

#include <QColor>
#include <QStringList>

namespace zorvex {

// The radio buttons of the fan and chart-source modes, in the order of the modes' values.
inline const QStringList FanModeButtons{QStringLiteral("rbtFMOLED"), QStringLiteral("rbtFMOWater"),
                                        QStringLiteral("rbtFMOWaterMaster")};
inline const QStringList ChartModeButtons{QStringLiteral("rbtCHMTempWater"),
                                          QStringLiteral("rbtCHMTempBoard"), QStringLiteral("rbtCHMVoltage"),
                                          QStringLiteral("rbtCHMTempSlave")};

struct DeviceTimeZone;

// Checks the radio button of `value` among `names` (in value order); a value outside the list
// leaves the buttons as they are.
void CheckRadioOfValue(QWidget* root, const QStringList& names, int value);

// The page tsExpert: bus speed, sensor offset, fan control, chart source, time zone, lightning
// masks, random start value and the temperatures that trigger clouds.
class ExpertPage : public Page {
    Q_OBJECT
public:
    explicit ExpertPage(SharedBlock& block, QWidget* parent = nullptr);

    // btnApplyTZI: the time-zone settings of this computer's zone as they are now.
    void btnApplyTZIClick();
    // Stores the time-zone settings, shows them in the nine edits and raises rqSetExpert.
    void ApplyTimeZone(const DeviceTimeZone& zone);
    // The fan-mode and chart-source radio buttons from Expert (whatever has the focus).
    void RefreshRadios();
    void SetLightningMaskTint(int channel, const QColor& tint);
};

} // namespace zorvex
