#pragma once

#include "pagebuilder.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace zorvex {

// The channel a wheel turn selects on the visualisation page: towards the user (negative delta)
// the next channel, away from the user the previous one, limited to 0..3.
int NextVisualChannel(int current, int wheelDelta);

// The page tsVisualize: the picture img of the schedule curves, the channel chooser
// cmbVisualize and the check box cbxTimeLock. It keeps VisualChannel (the chosen channel) and
// DragRow (the row whose point is dragged, -1 for none); the drawing comes with the
// visualisation work.
class VisualizePage : public Page {
    Q_OBJECT
public:
    explicit VisualizePage(SharedBlock& block, QWidget* parent = nullptr);

    int VisualChannel() const { return m_visualChannel; }
    int DragRow() const { return m_dragRow; }
    void ResetState(); // DragRow := -1, VisualChannel := 0

    // The chooser's items ("W: PureWhite" ...), selecting VisualChannel.
    void SetChannelItems(const QStringList& items);
    bool IsChannelListDroppedDown() const;

    // The mouse wheel over the window while this page is active: true when handled.
    bool WheelTurned(int delta);
    void cmbVisualizeChange(int index);
    void DrawVisualization();

private:
    QLabel* m_image;
    QComboBox* m_channels;
    QCheckBox* m_timeLock;
    int m_visualChannel = 0;
    int m_dragRow = -1;
};

} // namespace zorvex
