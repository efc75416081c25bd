// The schedule picture: grid and labels, curve points of both layouts, colours, the sun marker,
// and the drag maths that turns mouse positions into row values.
#include "visualdrag.h"
#include "visualization.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <cmath>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

constexpr QSize DesignSize(1001, 578);
constexpr QRgb Black = 0xFF000000;
constexpr QRgb Grid = 0xFF101010;
const QLocale English(QLocale::English, QLocale::UnitedStates);

ScheduleRow Row(int hour, int minute, std::array<std::int16_t, 4> levels, std::int16_t alt = 0) {
    ScheduleRow row;
    row.Hour = static_cast<std::int8_t>(hour);
    row.Minute = static_cast<std::int8_t>(minute);
    row.Alt = alt;
    row.Color16 = levels;
    return row;
}

std::int16_t AltOfDegrees(double degrees) {
    return static_cast<std::int16_t>(std::lround(std::sin(degrees * M_PI / 180.0) * 10000));
}

class Visualization : public ::testing::Test {
protected:
    VisualizationPicture render(QSize size = DesignSize) {
        VisualizationScene scene;
        scene.schedule = rows;
        scene.config = config;
        scene.info = info;
        scene.visualChannel = channel;
        scene.dragRow = dragRow;
        scene.zone = zone;
        scene.locale = English;
        return RenderVisualization(scene, size);
    }
    const PictureText* textAt(const VisualizationPicture& picture, QPoint topLeft) {
        for (const PictureText& text : picture.texts)
            if (text.rect.topLeft() == topLeft)
                return &text;
        return nullptr;
    }

    std::vector<ScheduleRow> rows;
    Config config{.Mode = 1, .ColorName = {1, 2, 3, 4}};
    Info info{.Minute = 30, .Hour = 7};
    int channel = 0;
    int dragRow = -1;
    QTimeZone zone = QTimeZone::utc();
};

TEST_F(Visualization, GridLinesAndLabelsAtDesignSize) {
    const VisualizationPicture picture = render();
    const QImage& image = picture.image;
    ASSERT_EQ(image.size(), DesignSize);
    EXPECT_TRUE(picture.points.empty());
    // Vertical lines at hours 0, 1, 12 and 24; horizontal ones at 100 %, 50 % (268.5 rounds to
    // even) and 0 %. Each is one crisp pixel wide.
    for (int x : {20, 60, 500, 981}) {
        EXPECT_EQ(image.pixel(x, 150), Grid) << x;
        EXPECT_EQ(image.pixel(x - 1, 150), Black) << x;
        EXPECT_EQ(image.pixel(x + 1, 150), Black) << x;
    }
    for (int y : {20, 288, 557}) {
        EXPECT_EQ(image.pixel(80, y), Grid) << y;
        EXPECT_EQ(image.pixel(80, y - 1), Black) << y;
        EXPECT_EQ(image.pixel(80, y + 1), Black) << y;
    }
    EXPECT_EQ(image.pixel(10, 150), Black); // outside the grid

    // Hour labels above and below each line, level labels on both sides.
    const PictureText* noon = textAt(picture, {495, 1});
    ASSERT_NE(noon, nullptr);
    EXPECT_EQ(noon->text, u"12"_s);
    const PictureText* noonBelow = textAt(picture, {495, DesignSize.height() - noon->rect.height()});
    ASSERT_NE(noonBelow, nullptr);
    EXPECT_EQ(noonBelow->text, u"12"_s);
    const PictureText* ninety = textAt(picture, {0, 68});
    ASSERT_NE(ninety, nullptr);
    EXPECT_EQ(ninety->text, u"90%"_s);
    const auto rightNinety =
        std::find_if(picture.texts.begin(), picture.texts.end(),
                     [](const PictureText& t) { return t.text == u"90%"_s && t.rect.left() > 0; });
    ASSERT_NE(rightNinety, picture.texts.end());
    EXPECT_EQ(rightNinety->rect.right() + 1, DesignSize.width());
    EXPECT_EQ(rightNinety->rect.top(), 68);

    // The device's clock, 07:30, as a light line.
    ASSERT_TRUE(picture.markerX.has_value());
    EXPECT_DOUBLE_EQ(*picture.markerX, 320.3125);
    EXPECT_GT(qGray(image.pixel(320, 150)), 0x80);
}

TEST_F(Visualization, CurvesPointsAndTheChosenChannelOnTop) {
    rows = {Row(6, 0, {0, 3000, 1024, 0}), Row(18, 0, {0, 3000, 1024, 0})};
    channel = 1; // red, colour code 2
    const VisualizationPicture picture = render();
    const QImage& image = picture.image;
    ASSERT_EQ(picture.points.size(), 2u);
    EXPECT_FLOAT_EQ(picture.points[0][0], 260.25f);
    EXPECT_FLOAT_EQ(picture.points[1][0], 740.75f);
    EXPECT_FLOAT_EQ(picture.points[0][1], 557.0f);                           // level 0 on the bottom line
    EXPECT_NEAR(picture.points[0][2], (1 - 3000.0 / 4096) * 537 + 20, 1e-4); // the chosen channel
    EXPECT_FLOAT_EQ(picture.points[0][3], 422.75f);

    // The chosen channel's points are squares in its line colour, the area under its curve is
    // tinted with its fill colour; the other channels get faint lines and no squares.
    EXPECT_EQ(image.pixel(260, 164), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(510, 420), 0xFF200000u);
    EXPECT_NE(image.pixel(260, 423), 0xFF00FF00u);
    // The curve starts at midnight with the level of the day's last row.
    EXPECT_GT(qRed(image.pixel(100, 164)) + qRed(image.pixel(100, 163)), 0xC0);
    // Above the curve after the last point it is dark.
    EXPECT_EQ(image.pixel(900, 100), Black);
}

TEST_F(Visualization, DragLabelOfTheDraggedRow) {
    rows = {Row(6, 0, {0, 3000, 0, 0}), Row(7, 30, {0, 1864, 0, 0})};
    channel = 1;
    dragRow = 1;
    const VisualizationPicture picture = render();
    const PictureText* label = textAt(picture, {0, 0});
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text, u"07:30 45.51%"_s);
    EXPECT_EQ(label->color, Black);
    EXPECT_EQ(picture.image.pixel(label->rect.right(), label->rect.bottom()), 0xFFFFFFFFu);

    struct Case {
        std::int16_t alt;
        QString text;
    };
    for (const Case& c :
         {Case{5000, u"30° 50%"_s}, Case{AltOfDegrees(-12.5), u"-12.5° 50%"_s}, Case{12000, u"0° 50%"_s}})
        EXPECT_EQ(GeoDragText(Row(0, 0, {2048, 0, 0, 0}, c.alt), 0, English), c.text);
}

TEST_F(Visualization, GeoLayoutPlacesRowsOnTheSunsArc) {
    config.Mode = ModeGeoLayout;
    for (double degrees : {-10.0, 0.0, 30.0, 60.0, 30.0, 0.0, -10.0})
        rows.push_back(Row(0, 0, {2048, 0, 0, 0}, AltOfDegrees(degrees)));
    // 400 px wide: one pixel per degree of the arc, from x = 20.
    const VisualizationPicture picture = render({400, 300});
    const double expected[] = {80, 90, 120, 210, 240, 270, 280};
    ASSERT_EQ(picture.points.size(), 7u);
    for (std::size_t r = 0; r < 7; ++r)
        EXPECT_NEAR(picture.points[r][0], expected[r] + 20, 0.01) << r;
    EXPECT_EQ(textAt(picture, {195, 1})->text, u"90°"_s);
    EXPECT_EQ(textAt(picture, {285, 1})->text, u"0°"_s);
    EXPECT_EQ(textAt(picture, {15, 1})->text, u"-90°"_s);
    // The device has no date yet: no sun, but the curves are drawn.
    EXPECT_FALSE(picture.markerX.has_value());

    // A schedule that only rises: everything on the rising half but the last row.
    rows = {Row(0, 0, {}, AltOfDegrees(0)), Row(0, 0, {}, AltOfDegrees(20)), Row(0, 0, {}, AltOfDegrees(40))};
    const VisualizationPicture rising = render({400, 300});
    EXPECT_NEAR(rising.points[0][0], 110, 0.01);
    EXPECT_NEAR(rising.points[1][0], 130, 0.01);
    EXPECT_NEAR(rising.points[2][0], 250, 0.01);
}

TEST_F(Visualization, SunMarkerInWinterAtUtcMinusFive) {
    config.Mode = ModeGeoLayout;
    config.Lat = 407; // New York
    config.Lon = -740;
    info = Info{.Minute = 0, .Hour = 10, .Day = 15, .Month = 1, .Year = 24};
    zone = QTimeZone("America/New_York");
    ASSERT_TRUE(zone.isValid());
    const std::optional<double> newYork = render({400, 300}).markerX;
    ASSERT_TRUE(newYork.has_value());
    // 10:00 in New York in January is 15:00 UT: the same sun as a device clock of 15:00 in UTC.
    zone = QTimeZone::utc();
    info.Hour = 15;
    EXPECT_DOUBLE_EQ(render({400, 300}).markerX.value(), *newYork);
    // A winter morning: the sun is up in the east, 10..25 degrees high.
    EXPECT_GT(*newYork - 20, 90 + 10);
    EXPECT_LT(*newYork - 20, 90 + 25);
    // Read as UT, 10:00 is before sunrise there: low in the east, below the horizon.
    info.Hour = 10;
    EXPECT_LT(render({400, 300}).markerX.value() - 20, 90);
}

TEST(VisualDrag, MovesStayWithinTheDayAndTheLevelRange) {
    const ScheduleRow start = [] {
        ScheduleRow row = Row(7, 30, {100, 200, 300, 400}, 5000);
        row.Timer = 12;
        row.Switch = 0xA5;
        return row;
    }();
    struct Case {
        QPointF at;
        bool moveTime;
        int hour, minute, level;
    };
    const Case cases[] = {
        {{5000, 288.5}, true, 24, 0, 2048}, // far right: the end of the day
        {{-300, 288.5}, true, 0, 0, 2048},  // far left: midnight
        {{500.5, -500}, true, 12, 0, 4096}, // above the top
        {{500.5, 5000}, true, 12, 0, 0},    // below the bottom
        {{5000, 20}, false, 7, 30, 4096},   // times locked (or the Geo layout): only the level
    };
    for (const Case& c : cases) {
        const ScheduleRow moved = DragScheduleRow(start, DesignSize, 2, c.at, c.moveTime);
        EXPECT_EQ(moved.Hour, c.hour) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(moved.Minute, c.minute) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(moved.Color16[2], c.level) << c.at.x() << "," << c.at.y();
        // Nothing but the dragged channel's level and the time changes.
        ScheduleRow rest = moved;
        rest.Hour = start.Hour;
        rest.Minute = start.Minute;
        rest.Color16[2] = start.Color16[2];
        EXPECT_EQ(rest, start);
    }
    EXPECT_EQ(DragScheduleRow(start, DesignSize, 4, {500, 100}, true), start);
    EXPECT_EQ(DragScheduleRow(start, {30, 30}, 0, {500, 100}, true), start);
}

TEST(VisualDrag, HitTestTheLowerRowWins) {
    const std::vector<VisualPoint> points = {{100, 0, 200, 0, 0}, {105, 0, 205, 0, 0}};
    EXPECT_EQ(HitTestRow(points, 1, {103, 203}), 0);
    EXPECT_EQ(HitTestRow(points, 1, {108, 208}), 0); // 8 px away still hits
    EXPECT_EQ(HitTestRow(points, 1, {112, 212}), 1);
    EXPECT_EQ(HitTestRow(points, 1, {130, 130}), -1);
    EXPECT_EQ(HitTestRow(points, 0, {103, 203}), -1); // another channel's point
    EXPECT_EQ(HitTestRow(points, -1, {103, 203}), -1);
}

} // namespace
