// One full geo-page computation: the positions of sun and moon plus the rise and set of both on the
// local day, for a spread of places and times.
#include "astromath.h"
#include "geosky.h"

#include <chrono>
#include <cstdio>

using namespace zorvex;

int main() {
    constexpr int calls = 20000;
    constexpr double places[][2] = {{50.1, 8.5}, {40.7, -74.0}, {-33.9, 151.2}, {22.6, 88.4}, {69.6, 18.9}};
    constexpr int zones[] = {1, -5, 10, 5, 1};

    double checksum = 0.0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) {
        const int place = i % 5;
        GeoMoment moment;
        moment.Latitude = astro::Radians(places[place][0]);
        moment.Longitude = astro::Radians(places[place][1]);
        moment.Day = 1 + i % 28;
        moment.Month = 1 + (i / 28) % 12;
        moment.Year = 1990 + i % 60;
        moment.Hour = i % 24;
        moment.Minute = i % 60;
        moment.ZoneHours = zones[place];
        const GeoSky sky = ComputeGeoSky(moment);
        checksum += sky.Sun.Altitude + sky.Moon.Altitude + sky.SunTimes.Rise + sky.MoonTimes.Set;
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const double microseconds = std::chrono::duration<double, std::micro>(elapsed).count();

    std::printf("BENCH astro_geo_page us_per_call=%.2f\n", microseconds / calls);
    std::fprintf(stderr, "checksum %.6f\n", checksum);
    return 0;
}
