#pragma once

#include "geomap.h"
#include "pagebuilder.h"

#include <QDateTime>
#include <QImage>
#include <QPointF>

class QDateEdit;
class QLabel;
class QSlider;

namespace zorvex {

// The time slider's least width: narrower, a pixel would skip several minutes.
inline constexpr int TimeSliderMinimumWidth = 150;

// The page tsGeo: the world map imgGeo with the cross-hair on the location, the sky text lblGeo,
// the moon picture imgMoon, the location edits edtLat and edtLon and the device clock (date picker
// dtp, edtTime, trbTime, btnNow). Every change the user makes is stored in Config or Info, redrawn
// and sent with its request bit.
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
    // Redraws the map with the cross-hair on Config's location and, for Info's date and time under
    // the computer's time zone, the sky text and the moon. A device clock without a valid date or
    // time leaves text and moon as they were.
    void RefreshGeoView();

Q_SIGNALS:
    void nowClicked();
    // The text of the first status-bar panel: the place under the mouse, empty when it leaves.
    void mousePositionChanged(const QString& text);
    // imgMoonDblClick: the configuration page should come to the front.
    void moonDoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void imgGeoMouseDown(QPointF position);
    void imgGeoMouseMove(QPointF position);
    void imgGeoMouseEnter();
    void imgGeoMouseLeave();
    void edtLatChange();
    void dtpChange();
    void trbTimeChange();
    void edtTimeChange();
    // The place under a point of imgGeo, which shows the map stretched to its size.
    GeoLocation LocationUnder(QPointF position) const;
    void StoreTime(int hour, int minute);

    // The pristine map, kept from the page's creation on; every redraw starts from it.
    const QImage m_pristineMap;
    QLabel* m_map;
    QLabel* m_sky;
    QLabel* m_moon;
    QDateEdit* m_date;
};

} // namespace zorvex
