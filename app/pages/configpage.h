#pragma once

#include "pagebuilder.h"

class QLabel;

namespace zorvex {

// The page tsConfig: time lapse, display backlight and fan levels, the device status line
// lblBoard, the health picture imgHealth and the display-only option groups (temperature unit,
// time format, display size) with the hidden language list.
class ConfigPage : public Page {
    Q_OBJECT
public:
    explicit ConfigPage(SharedBlock& block, QWidget* parent = nullptr);

    // TimeLapse := 1 (real time), slider and edit follow, rqSetConfig.
    void btnRealtimeClick();
    // The option radio buttons from Config.Flag (written whatever has the focus).
    void RefreshFlags();
    // The status line, red for errors.
    void SetBoardStatus(const QString& text, bool error);
    // Fills the health picture with the window colour.
    void ClearHealthPicture();

private:
    QLabel* m_board;
};

} // namespace zorvex
