// Any latitude, longitude, date and time (NaN and huge values included) into the geo page's sky
// text: it must give text and never crash.
#include "geotext.h"

#include <QDate>
#include <QTime>

#include <cstdint>
#include <cstring>

using namespace zorvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double latitude = 0;
    double longitude = 0;
    std::int64_t day = 0;
    std::int32_t minute = 0;
    std::int32_t offset = 0;
    std::uint8_t language = 0;
    if (size < sizeof latitude + sizeof longitude + sizeof day + sizeof minute + sizeof offset + 1)
        return 0;
    std::memcpy(&latitude, data, sizeof latitude);
    data += sizeof latitude;
    std::memcpy(&longitude, data, sizeof longitude);
    data += sizeof longitude;
    std::memcpy(&day, data, sizeof day);
    data += sizeof day;
    std::memcpy(&minute, data, sizeof minute);
    data += sizeof minute;
    std::memcpy(&offset, data, sizeof offset);
    data += sizeof offset;
    language = *data;
    const QDate date = QDate::fromJulianDay(day % 10'000'000);
    const QTime time = QTime(0, 0).addSecs((minute % 1440) * 60);
    const GeoSky sky = GeoSkyAt(latitude, longitude, date, time, offset);
    if (GeoSkyText(sky, (language & 1) != 0 ? Language::German : Language::English).isEmpty())
        __builtin_trap();
    return 0;
}
