// The geo page's pictures: the map with its cross-hair, and the moon.
#include "astromath.h"
#include "geopictures.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zorvex;

namespace {

// Pixels that are not fully transparent, with the bounds they lie in.
struct LitPixels {
    int count = 0;
    int left = 1000, right = -1, top = 1000, bottom = -1;
    bool onlyTheColour = true; // every one exactly opaque (224, 224, 0): no anti-aliasing
};

LitPixels Count(const QImage& picture) {
    LitPixels lit;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            if (qAlpha(pixel) == 0)
                continue;
            ++lit.count;
            lit.left = std::min(lit.left, x);
            lit.right = std::max(lit.right, x);
            lit.top = std::min(lit.top, y);
            lit.bottom = std::max(lit.bottom, y);
            lit.onlyTheColour = lit.onlyTheColour && pixel == qRgba(224, 224, 0, 255);
        }
    return lit;
}

QImage Moon(double fraction, double rotation) {
    QImage picture(MoonPictureSize, MoonPictureSize, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    DrawMoonPhase(picture, QColor(224, 224, 0), fraction, rotation, 20.0, 30.0, 30.0);
    return picture;
}

// Area of the 24-cornered polygon the limb is drawn with (radius 20, 15 degree steps).
const double FullDiscArea = 0.5 * 24 * 20.0 * 20.0 * std::sin(astro::Radians(15.0));

} // namespace

TEST(GeoMapPicture, CrossHairBlendedOverACopyOfThePristineMap) {
    QImage pristine(MapWidth, MapHeight, QImage::Format_ARGB32_Premultiplied);
    pristine.fill(QColor(0, 0, 128));
    const QImage picture = GeoMapPicture(pristine, MapPixelOf(50.1, 8.5)); // (524, 111)

    EXPECT_EQ(pristine.pixel(524, 111), qRgb(0, 0, 128)); // the pristine copy stays as it was
    // White at alpha 64 over the map: 64 + (255 - 64) / 255 of the map's own value.
    const auto blendedOnce = [](int base) { return 64 + base * 191 / 255; };
    const auto near = [](QRgb pixel, int red, int green, int blue) {
        return std::abs(qRed(pixel) - red) <= 1 && std::abs(qGreen(pixel) - green) <= 1 &&
               std::abs(qBlue(pixel) - blue) <= 1;
    };
    for (const QPoint point : {QPoint(0, 111), QPoint(999, 111), QPoint(524, 0), QPoint(524, 499)})
        EXPECT_TRUE(near(picture.pixel(point), 64, 64, blendedOnce(128))) << point.x() << " " << point.y();
    EXPECT_EQ(picture.pixel(523, 10), qRgb(0, 0, 128));
    EXPECT_EQ(picture.pixel(10, 112), qRgb(0, 0, 128));

    int red = 0;
    for (int y = 0; y < MapHeight; ++y)
        for (int x = 0; x < MapWidth; ++x)
            red += picture.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
    EXPECT_EQ(red, 25);
    EXPECT_EQ(picture.pixel(522, 109), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(526, 113), qRgb(255, 0, 0));

    // At the bottom-right corner only the square's visible quarter is drawn.
    const QImage corner = GeoMapPicture(pristine, MapPixelOf(-90.0, 180.0));
    EXPECT_EQ(corner.pixel(998, 498), qRgb(255, 0, 0));
    EXPECT_EQ(corner.pixel(997, 499), qRgb(0, 0, 128));
    EXPECT_EQ(corner.pixel(999, 10), qRgb(0, 0, 128));
}

TEST(GeoMapPicture, CompiledInWorldMap) {
    const QImage map = WorldMapPicture();
    ASSERT_EQ(map.size(), QSize(MapWidth, MapHeight));
    // Land at Frankfurt and in the Sahara, sea in the Pacific and the South Atlantic.
    const QRgb land = map.pixel(524, 111);
    const QRgb sea = map.pixel(0, 250);
    EXPECT_NE(land, sea);
    EXPECT_EQ(map.pixel(MapPixelOf(23.0, 10.0).X, MapPixelOf(23.0, 10.0).Y), land);
    EXPECT_EQ(map.pixel(MapPixelOf(-30.0, -20.0).X, MapPixelOf(-30.0, -20.0).Y), sea);
}

TEST(MoonPhase, FullDiscHalfDiscAndNothing) {
    const LitPixels full = Count(Moon(1.0, 0.0));
    EXPECT_NEAR(full.count, FullDiscArea, 0.02 * FullDiscArea);
    EXPECT_EQ(full.left, 10);
    EXPECT_EQ(full.right, 49);
    EXPECT_EQ(full.top, 10);
    EXPECT_EQ(full.bottom, 49);
    EXPECT_TRUE(full.onlyTheColour);

    EXPECT_EQ(Count(Moon(0.0, 0.0)).count, 0); // new moon
    EXPECT_EQ(Count(Moon(1.5, 0.0)).count, 0); // not a fraction
    EXPECT_EQ(Count(Moon(-0.1, 180.0)).count, 0);

    // Half lit: the left half unturned, the right half turned by 180 degrees.
    const LitPixels left = Count(Moon(0.5, 0.0));
    EXPECT_NEAR(left.count, FullDiscArea / 2, 0.03 * FullDiscArea);
    EXPECT_EQ(left.right, 29);
    const LitPixels right = Count(Moon(0.5, 180.0));
    EXPECT_EQ(right.left, 30);
    EXPECT_NEAR(right.count, left.count, 25);
}

TEST(MoonPhase, WaxingMoonLitOnTheRight) {
    BodyPosition moon;
    moon.IlluminatedFraction = 0.3;
    moon.PhaseAngle = 1.2; // waxing
    const LitPixels waxing = Count(MoonPicture(moon));
    EXPECT_GE(waxing.left, 30);
    EXPECT_TRUE(waxing.onlyTheColour);
    moon.PhaseAngle = 5.0; // waning
    EXPECT_LE(Count(MoonPicture(moon)).right, 29);
}
