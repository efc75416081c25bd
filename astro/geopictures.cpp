#include "geopictures.h"

#include "astromath.h"

#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

constexpr double Step = 15.0 * astro::RadiansPerDegree;

// The angles from `first` to `last` in 15 degree steps, the last step shortened to end exactly there
// (counted in whole steps, so rounding never adds a point next to the last one).
template <class Visit> void ForEachAngle(double first, double last, Visit visit) {
    for (int n = 0; first + n * Step < last - 1e-9; ++n)
        visit(first + n * Step);
    visit(last);
}

} // namespace

QImage WorldMapPicture() {
    return QImage(u":/geo/worldmap.png"_s).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage GeoMapPicture(const QImage& pristine, MapPixel location) {
    QImage picture = pristine.copy();
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QColor crossHair(255, 255, 255, 64);
    painter.fillRect(QRect(0, location.Y, picture.width(), 1), crossHair);
    painter.fillRect(QRect(location.X, 0, 1, picture.height()), crossHair);
    painter.fillRect(QRect(location.X - 2, location.Y - 2, 5, 5), QColor(255, 0, 0));
    return picture;
}

void DrawMoonPhase(QImage& picture, const QColor& colour, double fraction, double rotationDegrees,
                   double radius, double centreX, double centreY) {
    if (!(fraction >= 0.0 && fraction <= 1.0))
        return;
    const double k = (2.0 * fraction - 1.0) * radius;
    const double rotation = astro::Radians(rotationDegrees);
    const double cosR = std::cos(rotation);
    const double sinR = std::sin(rotation);
    QPolygonF polygon;
    const auto add = [&](double u, double w) {
        polygon << QPointF(centreX + u * cosR - w * sinR, centreY + u * sinR + w * cosR);
    };
    // The limb on the lit side, then the terminator back to where the limb began.
    ForEachAngle(astro::Pi / 2.0, 3.0 * astro::Pi / 2.0,
                 [&](double a) { add(radius * std::cos(a), radius * std::sin(a)); });
    ForEachAngle(3.0 * astro::Pi / 2.0 + Step, 5.0 * astro::Pi / 2.0,
                 [&](double a) { add(k * std::cos(a), radius * std::sin(a)); });

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(polygon);
}

QImage MoonPicture(const BodyPosition& moon) {
    QImage picture(MoonPictureSize, MoonPictureSize, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    const double rotation = moon.PhaseAngle <= astro::Pi ? 180.0 : 0.0;
    DrawMoonPhase(picture, QColor(224, 224, 0), moon.IlluminatedFraction, rotation, 20.0, 30.0, 30.0);
    return picture;
}

} // namespace zorvex
