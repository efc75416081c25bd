#pragma once

#include "pagebuilder.h"

#include <QDateTime>

class QDateEdit;
class QLabel;
class QSlider;

namespace zorvex {

// The page tsGeo: the world map imgGeo, the sky text lblGeo, the moon picture imgMoon, the
// location edits edtLat and edtLon and the device clock (date picker dtp, edtTime, trbTime,
// btnNow). The map and the sky computation come with the geo work; this page mirrors the
// location and the device clock and sets the clock to now.
class GeoPage : public Page {
    Q_OBJECT
public:
    explicit GeoPage(SharedBlock& block, QWidget* parent = nullptr);

    // edtLat and edtLon from Config ("0.#" degrees).
    void RefreshLocation();
    // edtTime, trbTime and dtp from the Info clock (an invalid date leaves the picker).
    void RefreshClock();
    // The device clock := `now`: Info date and time fields, picker, edit and slider, then
    // rqSetInfoTime. The second half of btnNowClick; the window runs the realtime part first.
    void SetClockNow(const QDateTime& now);

Q_SIGNALS:
    void nowClicked();
};

} // namespace zorvex
