#pragma once

// The geo page's world map: an equirectangular picture of the whole Earth, longitude -180 degrees
// at the left edge and latitude +90 degrees at the top, and the conversions between its pixels and
// places.
namespace zorvex {

inline constexpr int MapWidth = 1000;
inline constexpr int MapHeight = 500;

// A pixel of the map; a place at the right or bottom edge (longitude 180, latitude -90) lies just
// outside the picture.
struct MapPixel {
    int X = 0;
    int Y = 0;
};

// A place in degrees, north and east positive.
struct GeoLocation {
    double Latitude = 0.0;
    double Longitude = 0.0;
};

// The map pixel of a place: x = round((longitude + 180) * 1000 / 360), y = round((90 - latitude) *
// 500 / 180), halves to even. Places outside -90..90 / -180..180 give pixels outside the picture.
MapPixel MapPixelOf(double latitude, double longitude);

// The place at a point of the map (picture coordinates, fractions allowed), the point first
// clipped to 0..1000 and 0..500: latitude = 90 - y * 180 / 500, longitude = x * 360 / 1000 - 180.
GeoLocation LocationOfMapPoint(double x, double y);

// The place under a point of a view that shows the whole map stretched to viewWidth x viewHeight
// (the point relative to the view's top-left corner).
GeoLocation LocationOfViewPoint(double x, double y, double viewWidth, double viewHeight);

} // namespace zorvex
