#include "channelspage.h"

#include "conversions.h"
#include "focusguard.h"
#include "labelededit.h"
#include "requestflags.h"
#include "sharedblock.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {
bool IsDriven(int channel) {
    return channel >= 0 && channel < static_cast<int>(ChannelCount);
}
bool IsDroppedDown(const QComboBox* list) {
    return list->view() != nullptr && list->view()->isVisible();
}
} // namespace

ChannelsPage::ChannelsPage(SharedBlock& block, QWidget* parent)
    : Page(u"tsChannels"_s, u"Channels"_s, block, parent) {
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    outer->addStretch(1);
    grid->setColumnStretch(2, 1);
    for (int n = 0; n < WindowChannelCount; ++n) {
        const QString digit = QString::number(n);
        auto* label = NewLabel(this, u"lblName"_s + digit, u"Label for channel"_s);
        auto* colours = new QComboBox(this);
        colours->setObjectName(u"cmbName"_s + digit);
        auto* slider = NewSlider(this, u"trb"_s + digit, 0, LevelMax, 128, 512);
        auto* edit = NewEdit(this, u"edt"_s + digit, u"%"_s);
        edit->setFixedWidth(80);
        auto* off = NewButton(this, u"btnOff"_s + digit, u"OFF"_s);
        auto* on = NewButton(this, u"btnOn"_s + digit, u"ON"_s);
        for (QWidget* control : std::initializer_list<QWidget*>{label, colours, slider, edit, off, on})
            control->setProperty("tag", n);
        grid->addWidget(label, n, 0);
        grid->addWidget(colours, n, 1);
        grid->addWidget(slider, n, 2);
        grid->addWidget(edit, n, 3);
        grid->addWidget(off, n, 4, Qt::AlignBottom);
        grid->addWidget(on, n, 5, Qt::AlignBottom);

        FocusGuard::OnUserChange(slider, &QSlider::valueChanged, this, [this, n] { trbAChange(n); });
        FocusGuard::OnUserChange(edit, &LabeledEdit::textChanged, this, [this, n] { edtAChange(n); });
        connect(on, &QPushButton::clicked, this, [this, n] { btnOnAClick(n); });
        connect(off, &QPushButton::clicked, this, [this, n] { btnOffAClick(n); });
        connect(colours, &QComboBox::activated, this, [this, n] { cmbNameAChange(n); });
    }
}

template <class T> T* ChannelsPage::Control(const QString& stem, int channel) const {
    return findChild<T*>(stem + QString::number(channel));
}

void ChannelsPage::trbAChange(int channel) {
    auto* slider = Control<QSlider>(u"trb"_s, channel);
    if (!IsDriven(channel) || slider == nullptr)
        return;
    auto& value = m_block.Info.ChannelValue[static_cast<std::size_t>(channel)];
    if (value == slider->value())
        return;
    value = static_cast<std::int16_t>(slider->value());
    Control<LabeledEdit>(u"edt"_s, channel)->setText(LevelPercentText(value));
    m_block.Request(rqSetInfoChannels);
}

void ChannelsPage::edtAChange(int channel) {
    auto* edit = Control<LabeledEdit>(u"edt"_s, channel);
    if (!IsDriven(channel) || edit == nullptr)
        return;
    const std::optional<int> level = LevelFromPercentText(edit->text());
    if (!level)
        return; // not a number (yet): the text stays as typed
    Control<QSlider>(u"trb"_s, channel)->setValue(*level);
    m_block.Info.ChannelValue[static_cast<std::size_t>(channel)] = static_cast<std::int16_t>(*level);
    m_block.Request(rqSetInfoChannels);
}

void ChannelsPage::ShowLevel(int channel, int level) {
    m_block.Info.ChannelValue[static_cast<std::size_t>(channel)] = static_cast<std::int16_t>(level);
    Control<QSlider>(u"trb"_s, channel)->setValue(level);
    Control<LabeledEdit>(u"edt"_s, channel)->setText(LevelPercentText(level));
}

void ChannelsPage::btnOnAClick(int channel) {
    if (!IsDriven(channel))
        return;
    ShowLevel(channel, LevelMax);
    m_block.Request(rqSetInfoChannels);
}

void ChannelsPage::btnOffAClick(int channel) {
    if (!IsDriven(channel))
        return;
    ShowLevel(channel, 0);
    m_block.Request(rqSetInfoChannels);
}

void ChannelsPage::SetAllChannels(int level) {
    for (int n = 0; n < static_cast<int>(ChannelCount); ++n)
        ShowLevel(n, level);
    m_block.Request(rqSetInfoChannels);
}

void ChannelsPage::cmbNameAChange(int channel) {
    auto* list = Control<QComboBox>(u"cmbName"_s, channel);
    if (!IsDriven(channel) || list == nullptr || list->currentIndex() < 0)
        return;
    m_block.Config.ColorName[static_cast<std::size_t>(channel)] =
        static_cast<std::uint8_t>(list->currentIndex());
    m_block.Request(rqSetConfig);
    Q_EMIT channelNamesChanged();
}

void ChannelsPage::RefreshInfo() {
    for (int n = 0; n < static_cast<int>(ChannelCount); ++n) {
        const int level = m_block.Info.ChannelValue[static_cast<std::size_t>(n)];
        FocusGuard::Write(Control<QSlider>(u"trb"_s, n), level);
        FocusGuard::Write(Control<LabeledEdit>(u"edt"_s, n), LevelPercentText(level));
    }
}

void ChannelsPage::FillColorLists(const QStringList& names) {
    for (int n = 0; n < static_cast<int>(ChannelCount); ++n) {
        auto* list = Control<QComboBox>(u"cmbName"_s, n);
        list->clear();
        list->addItems(names);
    }
}

void ChannelsPage::ShowChannelColor(int channel, int colorCode, const QColor& tint) {
    auto* list = Control<QComboBox>(u"cmbName"_s, channel);
    if (list != nullptr && !IsDroppedDown(list))
        list->setCurrentIndex(colorCode < list->count() ? colorCode : -1);
    if (auto* edit = Control<LabeledEdit>(u"edt"_s, channel))
        edit->setBackground(tint);
}

void ChannelsPage::SetConnected(bool connected) {
    for (int n = 0; n < static_cast<int>(ChannelCount); ++n) {
        Control<QLabel>(u"lblName"_s, n)->setEnabled(connected);
        Control<QComboBox>(u"cmbName"_s, n)->setEnabled(connected);
    }
    SetManualControlsEnabled(connected && m_block.Config.Mode == 0);
}

void ChannelsPage::SetManualControlsEnabled(bool enabled) {
    for (int n = 0; n < static_cast<int>(ChannelCount); ++n)
        for (const QString& stem : {u"trb"_s, u"edt"_s, u"btnOff"_s, u"btnOn"_s})
            findChild<QWidget*>(stem + QString::number(n))->setEnabled(enabled);
}

} // namespace zorvex
