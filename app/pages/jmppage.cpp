#include "jmppage.h"

#include "expertpage.h"
#include "settingeditors.h"
#include "sharedblock.h"

#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {
constexpr int JmpServo = 7;
} // namespace

JmpPage::JmpPage(SharedBlock& block, QWidget* parent) : Page(u"tsJMP"_s, u"JMP pin"_s, block, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(NewLabel(this, u"lblJMPWarning1"_s, u"WARNING"_s, true));
    layout->addWidget(NewLabel(this, u"lblJMPWarning2"_s, {}, true));
    const QStringList captions{u"Input: pair IR remote control"_s,
                               u"On during clouds"_s,
                               u"On during thunderstorms"_s,
                               u"Cooler (QuillTemp)"_s,
                               u"Heater (QuillTemp)"_s,
                               u"Lightning flashes"_s,
                               u"Scheduled"_s,
                               u"Servo"_s,
                               u"PWM"_s};
    for (qsizetype i = 0; i < JmpModeButtons.size(); ++i)
        layout->addWidget(NewRadio(this, JmpModeButtons.at(i), captions.at(i)));
    // Shown by no build; kept for the form's completeness.
    NewRadio(this, u"rbtJMPHighTide"_s, u"High tide"_s)->hide();
    auto* thresholds = new QGridLayout;
    thresholds->addWidget(NewSettingRow(this, u"edtTempCoolLow"_s), 0, 0);
    thresholds->addWidget(NewSettingRow(this, u"edtTempCoolHigh"_s), 0, 1, Qt::AlignBottom);
    thresholds->addWidget(NewSettingRow(this, u"edtTempHeatLow"_s), 1, 0);
    thresholds->addWidget(NewSettingRow(this, u"edtTempHeatHigh"_s), 1, 1, Qt::AlignBottom);
    layout->addLayout(thresholds);
    layout->addStretch(1);
    ConnectSettingEditors(this, m_block);
    // rbtJMPServo (7) only shows what the device reports.
    ConnectRadioGroup(this, m_block, JmpModeButtons, &Expert::JMPMode, JmpServo);
}

void JmpPage::RefreshRadios() {
    CheckRadioOfValue(this, JmpModeButtons, m_block.Expert.JMPMode);
}

} // namespace zorvex
