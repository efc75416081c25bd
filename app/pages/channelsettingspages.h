#pragma once

#include "pagebuilder.h"

#include <QColor>

class QVBoxLayout;

namespace zorvex {

// A page of one per-channel setting: an explanation on top, then per channel an edit labelled
// with the channel's name and tinted in its colour, and a slider.
class ChannelSettingsPage : public Page {
    Q_OBJECT
public:
    ChannelSettingsPage(const QString& name, const QString& caption, const QString& label,
                        const QString& labelText, const QString& editStem, SharedBlock& block,
                        QWidget* parent = nullptr);

    // RefreshChannelNames: the channel's edit is labelled "W: PureWhite" and tinted.
    void SetChannelName(int channel, const QString& text, const QColor& tint);

protected:
    QWidget* m_rows;
    QVBoxLayout* m_layout = nullptr;

private:
    QString m_stem;
};

// tsWeatherDelay: the delay with which each channel follows the weather.
class DelaysPage : public ChannelSettingsPage {
    Q_OBJECT
public:
    explicit DelaysPage(SharedBlock& block, QWidget* parent = nullptr);
};

// tsMoon: each channel's moon-light level.
class MoonPage : public ChannelSettingsPage {
    Q_OBJECT
public:
    explicit MoonPage(SharedBlock& block, QWidget* parent = nullptr);
};

// tsBalance: the white balance of each channel, their common sum and its daily ramp.
class BalancePage : public ChannelSettingsPage {
    Q_OBJECT
public:
    explicit BalancePage(SharedBlock& block, QWidget* parent = nullptr);
};

} // namespace zorvex
