// The settings editors: typed values into their fields, the sliders' ordering clamps, the focus
// rule, the weather rates, the radio groups and the time-zone edits.
#include "windowfixture.h"

#include "conversions.h"
#include "devicetimezone.h"
#include "expertpage.h"
#include "labelededit.h"
#include "settingcontrols.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace zorvex;
using namespace zorvex::test;
using namespace Qt::StringLiterals;

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);

class WindowSettings : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(English);
        f = std::make_unique<WindowFixture>(QStringList{u"-english"_s, u"-expert"_s});
        f->show();
        connectWith();
    }
    // The records below, shown by a download with no control focused.
    void connectWith() {
        if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus();
        SharedBlock& b = f->block();
        b.Info.TempWater = 251; // the water sensor's edits are enabled
        b.Config.Mode = 1;
        b.Config.FanHigh = 80;
        b.Config.FanLow = 30;
        b.Expert.FanOff = 10;
        b.Config.LCDBLMax = 90;
        b.Config.LCDBLMin = 40;
        b.Expert.LCDBLNight = 20;
        b.Config.TimeLapse = 1;
        b.Config.CloudP = 100;
        b.Config.CloudD = 600;
        b.Expert.FanMode = 2; // every fan control enabled
        f->connectDevice();
        b.AssignRequests(0);
    }
    void TearDown() override { QLocale::setDefault(English); }
    QString text(const QString& edit) const { return f->find<LabeledEdit>(edit)->text(); }
    int position(const QString& slider) const { return f->find<QSlider>(slider)->value(); }
    bool requested(std::uint32_t bit) const { return f->block().IsRequested(bit); }
    std::unique_ptr<WindowFixture> f;
};

using Field = std::function<int(const SharedBlock&)>;

// A radio button reacts to a click on its indicator or caption, not beyond them.
QPoint onIndicator(const QWidget* button) {
    return {6, button->height() / 2};
}

} // namespace

TEST_F(WindowSettings, TypedValuesGoIntoTheirFieldsWhenTheyFit) {
    struct Case {
        QString edit;
        QString typed;
        Field field;
        int expected; // the field's value afterwards (unchanged when the text is refused)
        std::uint32_t request;
        QString slider; // moved to the stored value, as far as its range goes
        int sliderPosition = 0;
    };
    const Case cases[] = {
        {u"edtMoon0"_s, u"50"_s, [](auto& b) { return b.ExpertWeather.MoonColor16[0]; }, 2048,
         rqSetExpertWeather, u"trbMoon0"_s, 2048},
        {u"edtWeatherDelay2"_s, u"25.5"_s, [](auto& b) { return b.ExpertWeather.WeatherDelay[2]; }, 255,
         rqSetExpertWeather, u"trbWeatherDelay2"_s, 255},
        {u"edtWeatherDelay3"_s, u"0.25"_s, [](auto& b) { return b.ExpertWeather.WeatherDelay[3]; }, 2,
         rqSetExpertWeather, u"trbWeatherDelay3"_s, 2},
        {u"edtBalance1"_s, u"70"_s, [](auto& b) { return b.ExpertWeather.Balance[1]; }, 70,
         rqSetExpertWeather, u"trbBalance1"_s, 70},
        {u"edtLightningMask3"_s,
         u"$F0"_s,
         [](auto& b) { return b.ExpertWeather.LightningMask[3]; },
         0xF0,
         rqSetExpertWeather,
         {}},
        // The edits do not clamp: a slow fan level above the fast one is stored as typed.
        {u"edtFanLow"_s, u"95"_s, [](auto& b) { return b.Config.FanLow; }, 95, rqSetConfig, u"trbFanLow"_s,
         95},
        {u"edtLCDBLNight"_s, u"150"_s, [](auto& b) { return b.Expert.LCDBLNight; }, 150, rqSetExpert,
         u"trbLCDBLNight"_s, 100},
        {u"edtTimeLapse"_s, u"200"_s, [](auto& b) { return b.Config.TimeLapse; }, 200, rqSetConfig,
         u"trbTimeLapse"_s, 200},
        {u"edtTempOffset"_s, u"-1.5"_s, [](auto& b) { return b.Expert.TempOffset; }, -15, rqSetExpert, {}},
        {u"edtChartScale"_s, u"25.5"_s, [](auto& b) { return b.Expert.ChartScale; }, 255, rqSetExpert, {}},
        {u"edtCloudTempBoard"_s,
         u"45"_s,
         [](auto& b) { return b.Expert.CloudTempBoard; },
         450,
         rqSetExpert,
         {}},
        {u"edtTempCoolHigh"_s,
         u"28.2"_s,
         [](auto& b) { return b.Expert.TempCoolHigh; },
         282,
         rqSetExpert,
         {}},
        {u"edtChartInterval"_s,
         u"60000"_s,
         [](auto& b) { return b.Expert.ChartInterval; },
         60000,
         rqSetExpert,
         {}},
        {u"edtBalanceSumRamp"_s,
         u"-100"_s,
         [](auto& b) { return b.Expert.BalanceSumRamp; },
         -100,
         rqSetExpert,
         {}},
        {u"edtCloudStep"_s, u"7000"_s, [](auto& b) { return b.ExpertWeather.CloudStep; }, 7000,
         rqSetExpertWeather, u"trbCloudStep"_s, 5000},
        // A hexadecimal integer is a bit pattern: $9C in a signed byte is -100.
        {u"edtBalanceSumRamp"_s,
         u"$9C"_s,
         [](auto& b) { return b.Expert.BalanceSumRamp; },
         -100,
         rqSetExpert,
         {}},
    };
    for (const Case& c : cases) {
        f->block().AssignRequests(0);
        f->typeInto(c.edit, c.typed);
        EXPECT_EQ(c.field(f->block()), c.expected) << c.edit.toStdString();
        EXPECT_TRUE(requested(c.request)) << c.edit.toStdString();
        if (!c.slider.isEmpty()) {
            EXPECT_EQ(position(c.slider), c.sliderPosition) << c.edit.toStdString();
        }
    }
}

TEST_F(WindowSettings, TextThatDoesNotParseOrFitChangesNothing) {
    struct Case {
        QString edit;
        QString typed;
        Field field;
    };
    const Case cases[] = {
        {u"edtTimeLapse"_s, u"300"_s, [](auto& b) { return b.Config.TimeLapse; }},           // 8 bits
        {u"edtTempWaterLow"_s, u"7000"_s, [](auto& b) { return b.Expert.TempWaterLow; }},    // 70000 tenths
        {u"edtChartInterval"_s, u"70000"_s, [](auto& b) { return b.Expert.ChartInterval; }}, // 16 bits
        {u"edtMoon1"_s, u"12,5"_s, [](auto& b) { return b.ExpertWeather.MoonColor16[1]; }},  // separator
        {u"edtBalance0"_s, u"abc"_s, [](auto& b) { return b.ExpertWeather.Balance[0]; }},    // letters
        {u"edtLCDBLMax"_s, QString(), [](auto& b) { return b.Config.LCDBLMax; }},            // empty
        {u"edtCloudAlpha"_s, u"12.5"_s, [](auto& b) { return b.ExpertWeather.CloudAlpha; }}, // no integer
        // A decimal number beyond the numbers the field's type holds, after the scaling.
        {u"edtMoon2"_s, u"1000"_s, [](auto& b) { return b.ExpertWeather.MoonColor16[2]; }},  // 40960
        {u"edtBalanceSumRamp"_s, u"150"_s, [](auto& b) { return b.Expert.BalanceSumRamp; }}, // signed 8
        {u"edtTempOffset"_s, u"12.8"_s, [](auto& b) { return b.Expert.TempOffset; }},        // 128
        {u"edtTempWaterHigh"_s, u"4000"_s, [](auto& b) { return b.Expert.TempWaterHigh; }},  // 40000
        {u"edtFanHigh"_s, u"-5"_s, [](auto& b) { return b.Config.FanHigh; }},
        {u"edtWeatherDelay1"_s, u"-0.1"_s, [](auto& b) { return b.ExpertWeather.WeatherDelay[1]; }},
        {u"edtTimeZoneStandardHour"_s, u"128"_s, [](auto& b) { return b.Expert.StandardHour; }},
    };
    for (const Case& c : cases) {
        const int before = c.field(f->block());
        f->typeInto(c.edit, c.typed);
        EXPECT_EQ(c.field(f->block()), before) << c.edit.toStdString();
        EXPECT_EQ(f->block().RequestFlags(), 0u) << c.edit.toStdString();
    }
}

// The first and last number each kind of field takes from a typed decimal, and one beyond each.
TEST(SettingValues, TypedDecimalsLieWithinTheFieldsType) {
    const struct {
        const char* edit;
        const char* lowest;
        const char* highest;
        const char* below;
        const char* above;
    } cases[] = {
        {"edtBalanceSumRamp", "-128", "127", "-129", "128"},       // signed 8 bits
        {"edtTempOffset", "-12.8", "12.7", "-12.9", "12.8"},       // signed 8 bits, tenths
        {"edtRandomInit", "0", "255", "-1", "256"},                // unsigned 8 bits
        {"edtWeatherDelay", "0", "25.5", "-0.1", "25.6"},          // unsigned 8 bits, tenths
        {"edtTimeZoneBias", "-32768", "32767", "-32769", "32768"}, // signed 16 bits
        {"edtMoon", "-800", "799.98", "-800.02", "799.99"},        // signed 16 bits, 4096 = 100
        {"edtChartInterval", "0", "65535", "-1", "65536"},         // unsigned 16 bits
    };
    for (const auto& c : cases) {
        const SettingControl* control = FindSettingControl(QString::fromLatin1(c.edit));
        ASSERT_NE(control, nullptr) << c.edit;
        const auto parse = [&](const char* text) {
            return ParseSettingValue(*control, QString::fromLatin1(text), false, English).has_value();
        };
        EXPECT_TRUE(parse(c.lowest) && parse(c.highest)) << c.edit;
        EXPECT_FALSE(parse(c.below) || parse(c.above)) << c.edit;
    }
    // Hexadecimal integers keep their bit pattern in the field's width.
    const SettingControl* bias = FindSettingControl(u"edtTimeZoneBias"_s);
    EXPECT_EQ(ParseSettingValue(*bias, u"0xFFFF"_s, false, English), 0xFFFF); // stored as -1
}

TEST_F(WindowSettings, TemperaturesFollowTheDevicesUnitExceptTheCelsiusFields) {
    f->block().Config.Flag = FlagFahrenheit;
    f->typeInto(u"edtTempWaterLow"_s, u"77"_s);
    EXPECT_EQ(f->block().Expert.TempWaterLow, 250);
    f->typeInto(u"edtCloudTempWater"_s, u"30"_s);
    EXPECT_EQ(f->block().Expert.CloudTempWater, 300);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    f->typeInto(u"edtTempHeatLow"_s, u"77,9"_s);
    EXPECT_EQ(f->block().Expert.TempHeatLow, 255); // 25.5 °C
}

TEST_F(WindowSettings, SlidersKeepTheirOrderBeforeStoring) {
    struct Case {
        QString slider;
        int to;
        Field field;
        int expected;
        std::uint32_t request;
    };
    // Fan 80 / 30 / 10, backlight 90 / 40 / 20 before each move.
    const Case cases[] = {
        {u"trbFanLow"_s, 90, [](auto& b) { return b.Config.FanLow; }, 80, rqSetConfig},
        {u"trbFanLow"_s, 5, [](auto& b) { return b.Config.FanLow; }, 10, rqSetConfig},
        {u"trbFanHigh"_s, 20, [](auto& b) { return b.Config.FanHigh; }, 30, rqSetConfig},
        {u"trbFanOff"_s, 50, [](auto& b) { return b.Expert.FanOff; }, 30, rqSetExpert},
        {u"trbLCDBLMax"_s, 10, [](auto& b) { return b.Config.LCDBLMax; }, 40, rqSetConfig},
        {u"trbLCDBLMin"_s, 95, [](auto& b) { return b.Config.LCDBLMin; }, 90, rqSetConfig},
        {u"trbLCDBLMin"_s, 0, [](auto& b) { return b.Config.LCDBLMin; }, 20, rqSetConfig},
        {u"trbLCDBLNight"_s, 60, [](auto& b) { return b.Expert.LCDBLNight; }, 40, rqSetExpert},
        {u"trbLCDBLNight"_s, 15, [](auto& b) { return b.Expert.LCDBLNight; }, 15, rqSetExpert},
    };
    for (const Case& c : cases) {
        connectWith();
        f->slide(c.slider, c.to);
        const std::string name = c.slider.toStdString() + " to " + std::to_string(c.to);
        EXPECT_EQ(c.field(f->block()), c.expected) << name;
        EXPECT_EQ(position(c.slider), c.expected) << name;
        EXPECT_EQ(text(u"edt"_s + c.slider.mid(3)), QString::number(c.expected)) << name;
        EXPECT_TRUE(requested(c.request)) << name;
    }
}

TEST_F(WindowSettings, HandlersActOnlyForTheFocusedControlAndRefreshesSkipIt) {
    // Changes the program makes in unfocused controls store nothing.
    f->find<QSlider>(u"trbCloudAlpha"_s)->setValue(77);
    f->find<LabeledEdit>(u"edtStormAlpha"_s)->setText(u"66"_s);
    EXPECT_EQ(f->block().ExpertWeather.CloudAlpha, 0);
    EXPECT_EQ(f->block().ExpertWeather.StormAlpha, 0);
    EXPECT_EQ(f->block().RequestFlags(), 0u);

    // A refresh leaves the control being operated alone and fills the others.
    f->typeInto(u"edtCloudAlpha"_s, u"4"_s);
    EXPECT_EQ(f->block().ExpertWeather.CloudAlpha, 4);
    EXPECT_EQ(position(u"trbCloudAlpha"_s), 4);
    f->block().ExpertWeather.CloudAlpha = 50;
    f->window().RefreshExpertWeather();
    EXPECT_EQ(text(u"edtCloudAlpha"_s), u"4"_s);
    EXPECT_EQ(position(u"trbCloudAlpha"_s), 50);
    f->slide(u"trbStormAlpha"_s, 30);
    f->block().ExpertWeather.StormAlpha = 60;
    f->window().RefreshExpertWeather();
    EXPECT_EQ(position(u"trbStormAlpha"_s), 30);
    EXPECT_EQ(text(u"edtStormAlpha"_s), u"60"_s);
}

TEST_F(WindowSettings, TimeLapseSliderStoresOnlyAChangeAndRealtimeResetsIt) {
    f->slide(u"trbTimeLapse"_s, 1); // the stored value: nothing to send
    EXPECT_FALSE(requested(rqSetConfig));
    f->slide(u"trbTimeLapse"_s, 60);
    EXPECT_EQ(f->block().Config.TimeLapse, 60);
    EXPECT_EQ(text(u"edtTimeLapse"_s), u"60"_s);
    EXPECT_TRUE(requested(rqSetConfig));
    f->block().AssignRequests(0);
    QTest::mouseClick(f->find<QPushButton>(u"btnRealtime"_s), Qt::LeftButton);
    EXPECT_EQ(f->block().Config.TimeLapse, 1);
    EXPECT_EQ(position(u"trbTimeLapse"_s), 1);
    EXPECT_EQ(text(u"edtTimeLapse"_s), u"1"_s);
    EXPECT_TRUE(requested(rqSetConfig));
}

TEST_F(WindowSettings, CloudAndStormRatesFollowTheirSliders) {
    f->slide(u"trbCloudSeconds"_s, 900);
    EXPECT_EQ(f->block().Config.CloudD, 58);
    EXPECT_EQ(text(u"edtCloudSeconds"_s), u"900"_s);
    EXPECT_TRUE(requested(rqSetConfig));
    EXPECT_EQ(f->find<QLabel>(u"lblCloudRatio"_s)->text(), u"Cloud ratio: 63.1%"_s);
    EXPECT_EQ(f->block().Config.CloudP, 99); // 164 clouds per day, as the slider showed 100

    // A typed count counts only as far as the slider goes; the edit keeps what was typed.
    f->typeInto(u"edtCloudCount"_s, u"5000"_s);
    EXPECT_EQ(position(u"trbCloudCount"_s), 3000);
    EXPECT_EQ(f->block().Config.CloudP, 1820);
    EXPECT_EQ(text(u"edtCloudCount"_s), u"5000"_s);

    f->typeInto(u"edtStormCount"_s, u"255"_s);
    EXPECT_EQ(f->block().Config.StormP, 353);
    f->slide(u"trbStormMinutes"_s, 200);
    EXPECT_EQ(f->block().Config.StormD, 69);
    f->block().AssignRequests(0);
    f->typeInto(u"edtStormMinutes"_s, u"x"_s);
    EXPECT_EQ(f->block().Config.StormD, 69);
    EXPECT_FALSE(requested(rqSetConfig));
}

TEST_F(WindowSettings, RadioButtonsStoreAlwaysButOnlyAClickRequests) {
    f->block().Expert.FanMode = 1;
    f->block().Expert.JMPMode = 6;
    f->window().RefreshExpert();
    EXPECT_TRUE(f->find<QRadioButton>(u"rbtFMOWater"_s)->isChecked());
    EXPECT_TRUE(f->find<QRadioButton>(u"rbtJMPTimer"_s)->isChecked());
    EXPECT_EQ(f->block().Expert.FanMode, 1);
    EXPECT_FALSE(requested(rqSetExpert));

    auto* led = f->find<QRadioButton>(u"rbtFMOLED"_s);
    f->focus(led);
    QTest::mouseClick(led, Qt::LeftButton, {}, onIndicator(led));

    EXPECT_EQ(f->block().Expert.FanMode, 0);
    EXPECT_TRUE(requested(rqSetExpert));

    f->block().AssignRequests(0);
    auto* lightning = f->find<QRadioButton>(u"rbtJMPLightning"_s);
    f->focus(lightning);
    QTest::mouseClick(lightning, Qt::LeftButton, {}, onIndicator(lightning));
    EXPECT_EQ(f->block().Expert.JMPMode, 5);
    EXPECT_TRUE(requested(rqSetExpert));
}

TEST_F(WindowSettings, TimeZoneEditsAreReadInOrderUpToTheFirstBadOne) {
    const QStringList edits{u"edtTimeZoneStandardMonth"_s, u"edtTimeZoneStandardDay"_s,
                            u"edtTimeZoneStandardHour"_s,  u"edtTimeZoneStandardDayOfWeek"_s,
                            u"edtTimeZoneDaylightMonth"_s, u"edtTimeZoneDaylightDay"_s,
                            u"edtTimeZoneDaylightHour"_s,  u"edtTimeZoneDaylightDayOfWeek"_s};
    const QStringList values{u"10"_s, u"31"_s, u"x"_s, u"0"_s, u"3"_s, u"31"_s, u"2"_s, u"0"_s};
    for (qsizetype i = 0; i < edits.size(); ++i)
        f->find<LabeledEdit>(edits.at(i))->setText(values.at(i));
    f->typeInto(u"edtTimeZoneBias"_s, u"60"_s);
    const Expert& e = f->block().Expert;
    EXPECT_EQ(e.Bias, 60);
    EXPECT_EQ(e.StandardMonth, 10);
    EXPECT_EQ(e.StandardDay, 31);
    EXPECT_EQ(e.DaylightMonth, 0); // after the bad hour: not read
    EXPECT_FALSE(requested(rqSetExpert));

    f->typeInto(u"edtTimeZoneStandardHour"_s, u"3"_s);
    EXPECT_EQ(e.StandardHour, 3);
    EXPECT_EQ(e.DaylightMonth, 3);
    EXPECT_EQ(e.DaylightDay, 31);
    EXPECT_EQ(e.DaylightHour, 2);
    EXPECT_TRUE(requested(rqSetExpert));
}

TEST_F(WindowSettings, TheSystemsTimeZoneFillsFieldsAndEdits) {
    auto* expert = f->window().findChild<ExpertPage*>(u"tsExpert"_s);
    expert->ApplyTimeZone(
        DeviceTimeZoneOf(QTimeZone("America/New_York"), QDateTime(QDate(2024, 7, 1), QTime(12, 0), Qt::UTC)));
    const Expert& e = f->block().Expert;
    EXPECT_EQ(e.Bias, -300);
    EXPECT_EQ(e.DaylightMonth, 3);
    EXPECT_EQ(e.DaylightDay, 14);
    EXPECT_EQ(e.StandardMonth, 11);
    EXPECT_EQ(text(u"edtTimeZoneBias"_s), u"-300"_s);
    EXPECT_EQ(text(u"edtTimeZoneDaylightDay"_s), u"14"_s);
    EXPECT_TRUE(requested(rqSetExpert));

    // The button takes this system's zone.
    QTest::mouseClick(f->find<QPushButton>(u"btnApplyTZI"_s), Qt::LeftButton);
    const DeviceTimeZone system = DeviceTimeZoneOf(QTimeZone::systemTimeZone(), QDateTime::currentDateTime());
    EXPECT_EQ(e.Bias, system.bias);
    EXPECT_EQ(e.StandardDay, system.standard.day);
}

TEST_F(WindowSettings, ARereadNeverWritesAndANewUnitShowsTheTemperaturesAgain) {
    // The balance sum is shown even under the user's hand, but a re-read raises no write and
    // leaves what is being typed.
    auto* sum = f->find<QSlider>(u"trbBalanceSum"_s);
    f->focus(sum);
    f->block().ExpertWeather.BalanceSum = 70;
    f->window().RefreshExpertWeather();
    EXPECT_EQ(sum->value(), 70);
    EXPECT_EQ(f->block().RequestFlags(), 0u);
    f->typeInto(u"edtBalanceSum"_s, u"6"_s);
    f->block().AssignRequests(0);
    f->block().ExpertWeather.BalanceSum = 90;
    f->window().RefreshExpertWeather();
    EXPECT_EQ(text(u"edtBalanceSum"_s), u"6"_s);
    EXPECT_EQ(f->block().RequestFlags(), 0u);

    // Config read again, now in Fahrenheit: the Celsius text would be read back as °F.
    f->block().Expert.TempWaterLow = 250;
    f->window().RefreshExpert();
    EXPECT_EQ(text(u"edtTempWaterLow"_s), u"25.0"_s);
    f->block().Config.Flag = FlagFahrenheit;
    f->window().RefreshConfig();
    EXPECT_EQ(text(u"edtTempWaterLow"_s), u"77.0"_s);
}
