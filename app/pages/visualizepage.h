#pragma once

#include "pagebuilder.h"

#include <QTimeZone>

class QCheckBox;
class QComboBox;
class QTimer;

namespace zorvex {

class PictureView;

// The channel a wheel turn selects on the visualisation page: towards the user (negative delta)
// the next channel, away from the user the previous one, limited to 0..3.
int NextVisualChannel(int current, int wheelDelta);

// The page tsVisualize: the picture img of the schedule curves, the channel chooser
// cmbVisualize and the check box cbxTimeLock. It keeps VisualChannel (the chosen channel) and
// DragRow (the row whose point is dragged, -1 for none). A press on a point of the chosen channel
// starts a drag; each move changes that row's level (and time), the timer tmrVisualize redraws
// every 25 ms meanwhile, and the release flags the row for upload.
class VisualizePage : public Page {
    Q_OBJECT
public:
    explicit VisualizePage(SharedBlock& block, QWidget* parent = nullptr);

    int VisualChannel() const { return m_visualChannel; }
    int DragRow() const { return m_dragRow; }
    void ResetState(); // DragRow := -1, VisualChannel := 0
    // Ends a drag without flagging its row (the connection ended or a download replaced the rows).
    void EndDrag();
    bool IsRedrawing() const;

    // The chooser's items ("W: PureWhite" ...), selecting VisualChannel.
    void SetChannelItems(const QStringList& items);
    bool IsChannelListDroppedDown() const;

    // The mouse wheel over the window while this page is active: true when handled.
    bool WheelTurned(int delta);
    void cmbVisualizeChange(int index);
    void DrawVisualization();

    // Mouse on the picture, in its pixels.
    void imgMouseDown(QPoint at);
    void imgMouseMove(QPoint at);
    void imgMouseUp();
    void tmrVisualizeTimer();

    // The zone the device's clock is read in for the sun (the computer's own by default).
    void SetTimeZone(const QTimeZone& zone) { m_zone = zone; }

private:
    void imgResize();

    PictureView* m_image;
    QComboBox* m_channels;
    QCheckBox* m_timeLock;
    QTimer* m_timer;
    QTimeZone m_zone = QTimeZone::systemTimeZone();
    int m_visualChannel = 0;
    int m_dragRow = -1;
};

} // namespace zorvex
