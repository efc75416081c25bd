// Anti-aliased lines written into the pixels: coverage shared between neighbouring rows, the
// colour's own alpha, and lines reaching far beyond the picture.
#include "pixellines.h"

#include <gtest/gtest.h>

using namespace zorvex;

namespace {

QImage Black(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(0xFF000000u);
    return image;
}

} // namespace

TEST(PixelLines, CoverageIsSharedByTheRowsTheLineCrosses) {
    struct Case {
        QPointF from, to;
        QRgb color;
        QPoint pixel;
        QRgb expected;
    };
    const Case cases[] = {
        {{2, 10}, {30, 10}, 0xFFFFFFFF, {15, 10}, 0xFFFFFFFF},       // on a pixel row: one row, full
        {{2, 10}, {30, 10}, 0xFFFFFFFF, {15, 11}, 0xFF000000},       //   and nothing beside it
        {{2, 10.25}, {30, 10.25}, 0xFFFFFFFF, {15, 10}, 0xFFBFBFBF}, // a quarter below: 75 % ...
        {{2, 10.25}, {30, 10.25}, 0xFFFFFFFF, {15, 11}, 0xFF404040}, //   ... and 25 %
        {{7.5, 2}, {7.5, 30}, 0xFFFF0000, {7, 15}, 0xFF800000},      // between two columns
        {{2, 10}, {30, 10}, 0x80FFFFFF, {15, 10}, 0xFF808080},       // a translucent colour
        {{0, 0}, {31, 31}, 0xFF00FF00, {16, 16}, 0xFF00FF00},        // the diagonal through centres
    };
    for (const Case& c : cases) {
        QImage image = Black(32, 32);
        BlendLine(image, c.from, c.to, c.color);
        EXPECT_EQ(image.pixel(c.pixel), c.expected)
            << c.from.x() << "," << c.from.y() << " -> " << c.to.x() << "," << c.to.y();
    }
}

TEST(PixelLines, FarPointsAreClippedAndWrongFormatsLeftAlone) {
    QImage image = Black(32, 32);
    BlendLine(image, {-5000, 16}, {5000, 16}, 0xFFFFFFFF);
    BlendLine(image, {16, -1e6}, {16.5, 1e6}, 0xFFFFFFFF);
    BlendLine(image, {0, 0}, {1e300, 5}, 0xFFFFFFFF); // no line rather than a long walk
    EXPECT_EQ(image.pixel(0, 16), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(31, 16), 0xFFFFFFFFu);
    EXPECT_NE(image.pixel(16, 0), 0xFF000000u);

    QImage other(8, 8, QImage::Format_RGB888);
    other.fill(Qt::black);
    BlendLine(other, {0, 4}, {7, 4}, 0xFFFFFFFF);
    EXPECT_EQ(other.pixel(4, 4), 0xFF000000u);
}
