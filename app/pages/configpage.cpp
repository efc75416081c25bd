#include "configpage.h"

#include "labelededit.h"
#include "requestflags.h"
#include "settingeditors.h"
#include "sharedblock.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

constexpr std::uint8_t Flag20x4 = 0x02;
constexpr std::uint8_t FlagFahrenheitBit = 0x04;
constexpr std::uint8_t Flag12h = 0x08;

QGroupBox* SettingsGroup(QWidget* parent, const QString& name, const QString& title,
                         const QStringList& edits) {
    auto* group = NewGroup(parent, name, title);
    auto* layout = new QVBoxLayout(group);
    for (const QString& edit : edits)
        layout->addWidget(NewSettingRow(group, edit));
    return group;
}

QGroupBox* RadioPair(QWidget* parent, const QString& name, const QString& title,
                     const std::pair<QString, QString>& first, const std::pair<QString, QString>& second) {
    auto* group = NewGroup(parent, name, title);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(NewRadio(group, first.first, first.second));
    layout->addWidget(NewRadio(group, second.first, second.second));
    return group;
}

} // namespace

ConfigPage::ConfigPage(SharedBlock& block, QWidget* parent)
    : Page(u"tsConfig"_s, u"Configuration"_s, block, parent) {
    auto* layout = new QGridLayout(this);
    auto* timeLapse = new QHBoxLayout;
    timeLapse->addWidget(NewSettingRow(this, u"edtTimeLapse"_s), 1);
    auto* realtime = NewButton(this, u"btnRealtime"_s, u"Realtime"_s);
    timeLapse->addWidget(realtime, 0, Qt::AlignBottom);
    layout->addLayout(timeLapse, 0, 0);
    layout->addWidget(SettingsGroup(this, u"gbxLCDBL"_s, u"Display backlight"_s,
                                    {u"edtLCDBLMax"_s, u"edtLCDBLMin"_s, u"edtLCDBLNight"_s}),
                      1, 0);
    layout->addWidget(
        SettingsGroup(this, u"gbxFan"_s, u"Fan"_s, {u"edtFanHigh"_s, u"edtFanLow"_s, u"edtFanOff"_s}), 2, 0);

    auto* side = new QVBoxLayout;
    side->addWidget(RadioPair(this, u"gbxTemperatureUnit"_s, u"Temperature unit"_s,
                              {u"rbtCelsius"_s, u"Celsius (°C)"_s},
                              {u"rbtFahrenheit"_s, u"Fahrenheit (°F)"_s}));
    side->addWidget(RadioPair(this, u"gbxTimeFormat"_s, u"Time format"_s, {u"rbt12h"_s, u"12 hours"_s},
                              {u"rbt24h"_s, u"24 hours"_s}));
    side->addWidget(RadioPair(this, u"gbxLCDFormat"_s, u"Display size"_s,
                              {u"rbt16x2"_s, u"16 x 2 characters"_s},
                              {u"rbt20x4"_s, u"20 x 4 characters"_s}));
    side->addWidget(NewLabel(this, u"lblLanguage"_s, u"Language"_s));
    auto* language = new QComboBox(this);
    language->setObjectName(u"cmbLanguage"_s);
    side->addWidget(language);
    auto* health = NewLabel(this, u"imgHealth"_s, {});
    health->setFixedSize(160, 60);
    side->addWidget(health);
    side->addStretch(1);
    layout->addLayout(side, 0, 1, 3, 1);

    m_board = NewLabel(this, u"lblBoard"_s, {}, true);
    layout->addWidget(m_board, 3, 0, 1, 2);
    layout->setRowStretch(4, 1);
    layout->setColumnStretch(0, 1);
    connect(realtime, &QPushButton::clicked, this, &ConfigPage::btnRealtimeClick);
    ConnectSettingEditors(this, m_block);
}

void ConfigPage::btnRealtimeClick() {
    m_block.Config.TimeLapse = 1;
    findChild<QSlider*>(u"trbTimeLapse"_s)->setValue(1);
    findChild<LabeledEdit*>(u"edtTimeLapse"_s)->setText(u"1"_s);
    m_block.Request(rqSetConfig);
}

void ConfigPage::RefreshFlags() {
    const std::uint8_t flag = m_block.Config.Flag;
    findChild<QRadioButton*>((flag & Flag20x4) ? u"rbt20x4"_s : u"rbt16x2"_s)->setChecked(true);
    findChild<QRadioButton*>((flag & FlagFahrenheitBit) ? u"rbtFahrenheit"_s : u"rbtCelsius"_s)
        ->setChecked(true);
    findChild<QRadioButton*>((flag & Flag12h) ? u"rbt12h"_s : u"rbt24h"_s)->setChecked(true);
}

void ConfigPage::SetBoardStatus(const QString& text, bool error) {
    m_board->setText(text);
    QPalette palette = m_board->palette();
    palette.setColor(QPalette::WindowText,
                     error ? QColor(255, 0, 0) : QPalette().color(QPalette::WindowText));
    m_board->setPalette(palette);
}

void ConfigPage::ClearHealthPicture() {
    auto* health = findChild<QLabel*>(u"imgHealth"_s);
    QPixmap picture(health->size());
    picture.fill(palette().color(QPalette::Window));
    health->setPixmap(picture);
}

} // namespace zorvex
