#pragma once

#include "pagebuilder.h"

#include <QColor>

class QComboBox;
class QPushButton;

namespace zorvex {

// The page tsChannels: per channel a label, a colour list, a slider 0..4096, a percent edit and
// OFF and ON buttons. Sliders and edits act only while the user operates them (focus guard);
// every change stores the channel level in Info and raises rqSetInfoChannels.
class ChannelsPage : public Page {
    Q_OBJECT
public:
    explicit ChannelsPage(SharedBlock& block, QWidget* parent = nullptr);

    // Handlers (n = the control's channel).
    void trbAChange(int channel);
    void edtAChange(int channel);
    void btnOnAClick(int channel);
    void btnOffAClick(int channel);
    void cmbNameAChange(int channel);

    // All four channels to one level, one request for all.
    void SetAllChannels(int level);

    // Refresh direction: sliders and edits from Info, except the focused ones.
    void RefreshInfo();
    // Colour lists hold the 16 colour names in code order.
    void FillColorLists(const QStringList& names);
    // The channel's colour list selects the code (unless dropped down); the edit takes the tint.
    void ShowChannelColor(int channel, int colorCode, const QColor& tint);

    // Labels and colour lists follow the connection; sliders, edits and buttons also need Manual mode.
    void SetConnected(bool connected) override;
    void SetManualControlsEnabled(bool enabled);

Q_SIGNALS:
    // A colour code changed: the window relabels every per-channel control.
    void channelNamesChanged();

private:
    // Stores a level set by a button or a menu command: Info, slider and edit.
    void ShowLevel(int channel, int level);
    template <class T> T* Control(const QString& stem, int channel) const;
};

} // namespace zorvex
