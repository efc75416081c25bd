#include "geomap.h"

#include "conversions.h"

#include <algorithm>

namespace zorvex {

MapPixel MapPixelOf(double latitude, double longitude) {
    return {static_cast<int>(RoundHalfEven((longitude + 180.0) * MapWidth / 360.0)),
            static_cast<int>(RoundHalfEven((90.0 - latitude) * MapHeight / 180.0))};
}

GeoLocation LocationOfMapPoint(double x, double y) {
    x = std::clamp(x, 0.0, double{MapWidth});
    y = std::clamp(y, 0.0, double{MapHeight});
    return {90.0 - y * 180.0 / MapHeight, x * 360.0 / MapWidth - 180.0};
}

GeoLocation LocationOfViewPoint(double x, double y, double viewWidth, double viewHeight) {
    // An empty view shows nothing; its points count as the map's top-left corner.
    const double mapX = viewWidth > 0.0 ? x * MapWidth / viewWidth : 0.0;
    const double mapY = viewHeight > 0.0 ? y * MapHeight / viewHeight : 0.0;
    return LocationOfMapPoint(mapX, mapY);
}

} // namespace zorvex
