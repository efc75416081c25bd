#pragma once

#include "astrotypes.h"
#include "geomap.h"

#include <QColor>
#include <QImage>

// The geo page's pictures: the world map with the cross-hair on the location, and the lit part of
// the moon. QtGui only; each function works on the pictures it is given or returns a new one.
namespace zorvex {

// The compiled-in world map (MapWidth x MapHeight, land and sea), as premultiplied ARGB32: the
// pristine copy every redraw starts from.
QImage WorldMapPicture();

// A copy of `pristine` with the cross-hair at the pixel: a row across the full width and a column
// over the full height in white with alpha 64, each blended over the map (where they cross the pixel
// is blended twice), and an opaque red 5 x 5 square from (x - 2, y - 2) to (x + 2, y + 2). Parts
// outside the picture are clipped away.
QImage GeoMapPicture(const QImage& pristine, MapPixel location);

// Fills the lit part of a moon disc into `picture`, without anti-aliasing: the limb from 90 to 270
// degrees and the terminator (an ellipse with half-axis (2 fraction - 1) radius) back, 15 degree
// steps, turned by rotationDegrees about the centre. Unrotated the lit side is the left one; 0.5
// gives an exact half disc and 1 the full disc. Nothing is drawn for a fraction outside 0..1.
void DrawMoonPhase(QImage& picture, const QColor& colour, double fraction, double rotationDegrees,
                   double radius, double centreX, double centreY);

// Size of the moon picture.
inline constexpr int MoonPictureSize = 60;

// The page's moon picture: 60 x 60 pixels, fully transparent, with the lit part of the moon in
// (224, 224, 0), radius 20 about (30, 30), turned by 180 degrees while it waxes (phase angle up to
// pi) so that the lit side is the right one.
QImage MoonPicture(const BodyPosition& moon);

} // namespace zorvex
