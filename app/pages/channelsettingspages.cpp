#include "channelsettingspages.h"

#include "labelededit.h"
#include "settingeditors.h"

#include <QLabel>
#include <QVBoxLayout>

namespace zorvex {

using namespace Qt::StringLiterals;

ChannelSettingsPage::ChannelSettingsPage(const QString& name, const QString& caption, const QString& label,
                                         const QString& labelText, const QString& editStem,
                                         SharedBlock& block, QWidget* parent)
    : Page(name, caption, block, parent), m_rows(new QWidget(this)), m_stem(editStem) {
    // Twelve channel rows (four shown) and the balance page's sum fit the design height only
    // just: a smaller window scrolls them.
    auto* layout = new QVBoxLayout(ScrollingContent(this));
    m_layout = layout;
    layout->addWidget(NewLabel(this, label, labelText, true));
    auto* rows = new QVBoxLayout(m_rows);
    rows->setContentsMargins(0, 0, 0, 0);
    for (int n = 0; n < WindowChannelCount; ++n)
        rows->addWidget(NewSettingRow(m_rows, editStem, n));
    layout->addWidget(m_rows);
    layout->addStretch(1);
}

void ChannelSettingsPage::SetChannelName(int channel, const QString& text, const QColor& tint) {
    if (auto* edit = findChild<LabeledEdit*>(m_stem + QString::number(channel))) {
        edit->setCaption(text);
        edit->setBackground(tint);
    }
}

DelaysPage::DelaysPage(SharedBlock& block, QWidget* parent)
    : ChannelSettingsPage(u"tsWeatherDelay"_s, u"Delays"_s, u"lblWeatherDelay"_s,
                          u"Delay in seconds with which each channel follows the weather."_s,
                          u"edtWeatherDelay"_s, block, parent) {
    ConnectSettingEditors(this, m_block);
}

MoonPage::MoonPage(SharedBlock& block, QWidget* parent)
    : ChannelSettingsPage(u"tsMoon"_s, u"Moon"_s, u"lblMoon"_s, u"Moon light level of each channel (%)."_s,
                          u"edtMoon"_s, block, parent) {
    ConnectSettingEditors(this, m_block);
}

BalancePage::BalancePage(SharedBlock& block, QWidget* parent)
    : ChannelSettingsPage(u"tsBalance"_s, u"White balance"_s, u"lblBalance"_s,
                          u"Colour mix of the channels."_s, u"edtBalance"_s, block, parent) {
    m_layout->insertWidget(2, NewSettingRow(this, u"edtBalanceSum"_s));
    m_layout->insertWidget(3, NewSettingRow(this, u"edtBalanceSumRamp"_s));
    ConnectSettingEditors(this, m_block);
}

} // namespace zorvex
