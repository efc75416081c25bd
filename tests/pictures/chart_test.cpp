// The chart picture: value range and labels, the hot band, time lines and their labels, the
// no-data text, equal readings and gaps.
#include "chart.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

constexpr QSize DesignSize(1001, 578);
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Band = 0xFFFFF0F0;
const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale German(QLocale::German, QLocale::Germany);

class ChartPictures : public ::testing::Test {
protected:
    ChartPictures() {
        scene.chart.Samples.fill(250);
        scene.chartMode = 1;
        scene.chartInterval = 10;
        scene.info.Hour = 12;
        scene.now = QDateTime(QDate(2024, 1, 15), QTime(9, 41));
        scene.locale = English;
    }
    ChartPicture render() { return RenderChart(scene, DesignSize); }
    // The texts standing with their left edge at 0 (the value labels on the left).
    static QStringList leftLabels(const ChartPicture& picture) {
        QStringList labels;
        for (const PictureText& text : picture.texts)
            if (text.rect.left() == 0)
                labels << text.text;
        return labels;
    }
    static QStringList topLabels(const ChartPicture& picture) {
        QStringList labels;
        for (const PictureText& text : picture.texts)
            if (text.rect.top() == 1)
                labels << text.text;
        return labels;
    }

    ChartScene scene;
};

TEST_F(ChartPictures, SteadyReadingsGetWholeDegreeLabelsAndNoBand) {
    const ChartPicture picture = render();
    ASSERT_TRUE(picture.range.has_value());
    EXPECT_EQ(picture.range->lower, 230);
    EXPECT_EQ(picture.range->upper, 270);
    EXPECT_EQ(picture.range->step, 1);
    EXPECT_EQ(leftLabels(picture),
              (QStringList{u"23.0°C"_s, u"24.0°C"_s, u"25.0°C"_s, u"26.0°C"_s, u"27.0°C"_s}));
    EXPECT_EQ(picture.image.pixel(45, 17), White);
    // The current value in the curve colour (board temperature: red), right-aligned.
    const PictureText& current = picture.texts.back();
    EXPECT_EQ(current.text, u"25.0°C"_s);
    EXPECT_EQ(current.color, 0xFFFF0000u);
    EXPECT_EQ(current.rect.right() + 1, DesignSize.width());
    // The curve lies on the 25.0 line: y = 20 + 537 / 2.
    EXPECT_GT(qRed(picture.image.pixel(500, 288)) - qBlue(picture.image.pixel(500, 288)), 0x40);

    scene.fahrenheit = true;
    EXPECT_EQ(leftLabels(render()).front(), u"73.4°F"_s);
}

TEST_F(ChartPictures, HotReadingsShowThePaleRedBand) {
    for (std::size_t n = 0; n < ChartSampleCount; ++n)
        scene.chart.Samples[n] = static_cast<std::int16_t>(180 + 12 * n);
    scene.chart.Samples[0] = 650;
    scene.chart.Samples[39] = 180;
    const ChartPicture picture = render();
    ASSERT_TRUE(picture.range.has_value());
    EXPECT_EQ(picture.range->lower, 160);
    EXPECT_EQ(picture.range->upper, 690);
    EXPECT_EQ(picture.range->step, 20);
    // The band reaches down to 60.0 °C: y = 20 + 537 * 90 / 530 = 111.2.
    EXPECT_EQ(picture.image.pixel(45, 17), Band);
    EXPECT_EQ(picture.image.pixel(45, 110), Band);
    EXPECT_EQ(picture.image.pixel(45, 120), White);
}

TEST_F(ChartPictures, TimeLinesEveryHourWithTheDateAtMidnight) {
    scene.locale = German;
    scene.info.Hour = 3;
    const ChartPicture picture = render();
    EXPECT_EQ(picture.timeStepMinutes, 60);
    // 03:00 on the right edge, then back to 21:00 the evening before; 20:30 is the left edge.
    ASSERT_EQ(picture.timeLineX.size(), 7u);
    const double plotWidth = DesignSize.width() - 80;
    EXPECT_DOUBLE_EQ(picture.timeLineX[0], 40 + plotWidth);
    EXPECT_NEAR(picture.timeLineX[0] - picture.timeLineX[1], plotWidth * 60 / 390, 1e-9);
    EXPECT_EQ(topLabels(picture).mid(0, 5),
              (QStringList{u"03:00"_s, u"02:00"_s, u"01:00"_s, u"15.01.24"_s, u"23:00"_s}));
    // The line itself (grey, smoothed across two columns), and its label below the plot.
    const int x = static_cast<int>(picture.timeLineX[3]);
    const QRgb left = picture.image.pixel(x, 200);
    const QRgb right = picture.image.pixel(x + 1, 200);
    EXPECT_TRUE(qGray(left) < 0xFF && qRed(left) == qBlue(left)) << std::hex << left;
    EXPECT_TRUE(qGray(right) < 0xFF && qRed(right) == qBlue(right)) << std::hex << right;
    EXPECT_EQ(
        std::count_if(picture.texts.begin(), picture.texts.end(),
                      [](const PictureText& t) { return t.text == u"15.01.24"_s && t.rect.top() == 565; }),
        1);
}

TEST_F(ChartPictures, HourlyReadingsGetOneLinePerDay) {
    scene.chartInterval = 60;
    const ChartPicture picture = render();
    EXPECT_EQ(picture.timeStepMinutes, 24 * 60);
    EXPECT_EQ(topLabels(picture), (QStringList{u"1/15/24"_s, u"1/14/24"_s}));
    // Today's midnight lies 12 of the 39 hours before the right edge.
    EXPECT_NEAR(picture.timeLineX[0], 40 + 921.0 * (1 - 12.0 / 39), 1e-9);
}

TEST_F(ChartPictures, VoltageLabelsAndNoBand) {
    scene.chartMode = ChartModeVoltage;
    scene.chart.Samples.fill(1200);
    const ChartPicture picture = render();
    const QStringList labels = leftLabels(picture);
    ASSERT_EQ(labels.size(), 15);
    EXPECT_EQ(labels.front(), u"11.30 V"_s);
    EXPECT_EQ(labels.back(), u"12.70 V"_s);
    EXPECT_EQ(picture.image.pixel(45, 17), White);
}

TEST_F(ChartPictures, NoDataText) {
    scene.chartInterval = 0; // even with valid readings
    for (const ChartPicture& picture : {render(), [&] {
                                            scene.chartInterval = 10;
                                            scene.chart.Samples[0] = NoTemperature;
                                            return render();
                                        }()}) {
        EXPECT_FALSE(picture.range.has_value());
        ASSERT_EQ(picture.texts.size(), 1u);
        const PictureText& text = picture.texts.front();
        EXPECT_EQ(text.text, u"QuillTemp (Temperature sensor) not connected"_s);
        EXPECT_EQ(text.rect.left(), (DesignSize.width() - text.rect.width()) / 2);
        EXPECT_EQ(text.rect.top(), (DesignSize.height() - text.rect.height()) / 2);
        EXPECT_EQ(picture.image.pixel(45, 17), White);
    }
}

TEST_F(ChartPictures, EqualReadingsWhereTheRoundingsMeetAreDrawnInFull) {
    scene.chart.Samples.fill(-200);
    for (std::size_t n = 10; n < 20; ++n)
        scene.chart.Samples[n] = NoTemperature; // a gap the line crosses
    const ChartPicture picture = render();
    ASSERT_TRUE(picture.range.has_value());
    EXPECT_EQ(picture.range->lower, -201);
    EXPECT_EQ(picture.range->upper, -199);
    EXPECT_EQ(leftLabels(picture), QStringList{u"-20.0°C"_s});
    EXPECT_EQ(picture.texts.back().text, u"-20.0°C"_s);
    // The curve runs through the middle of the plot, across the gap of readings 10..19.
    for (int x : {100, 40 + 921 * 24 / 39, 900})
        EXPECT_GT(qRed(picture.image.pixel(x, 288)) - qGreen(picture.image.pixel(x, 288)), 0x40) << x;

    // Far below zero the range still holds every reading.
    scene.chart.Samples.fill(-300);
    const ChartPicture cold = render();
    EXPECT_LE(cold.range->lower, -300);
    EXPECT_GE(cold.range->upper, -300);
    EXPECT_LT(cold.range->lower, cold.range->upper);
}

} // namespace
