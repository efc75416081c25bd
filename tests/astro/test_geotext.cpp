// The geo page's texts and map coordinates.
#include "geomap.h"
#include "geotext.h"

#include <gtest/gtest.h>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {
const QLocale English(QLocale::English);
const QLocale German(QLocale::German);
} // namespace

TEST(GeoMap, PlacesAndPixelsBothWays) {
    struct Case {
        double latitude, longitude;
        int x, y;
    };
    for (const Case& c : {Case{90.0, -180.0, 0, 0}, Case{-90.0, 180.0, 1000, 500}, Case{0.0, 0.0, 500, 250},
                          Case{50.1, 8.5, 524, 111}, Case{-33.9, 151.2, 920, 344}}) {
        const MapPixel pixel = MapPixelOf(c.latitude, c.longitude);
        EXPECT_EQ(pixel.X, c.x) << c.latitude << " " << c.longitude;
        EXPECT_EQ(pixel.Y, c.y) << c.latitude << " " << c.longitude;
    }
    struct Back {
        double x, y, latitude, longitude;
    };
    // The corners give the extreme places; points beyond the map are clipped to its edge.
    for (const Back& b : {Back{0, 0, 90, -180}, Back{1000, 500, -90, 180}, Back{500, 250, 0, 0},
                          Back{250, 100, 54, -90}, Back{-20, 620, -90, -180}, Back{1300, -5, 90, 180}}) {
        const GeoLocation place = LocationOfMapPoint(b.x, b.y);
        EXPECT_DOUBLE_EQ(place.Latitude, b.latitude) << b.x << " " << b.y;
        EXPECT_DOUBLE_EQ(place.Longitude, b.longitude) << b.x << " " << b.y;
    }
    // A view half the map's size shows every pixel at half the distance.
    const GeoLocation place = LocationOfViewPoint(125, 50, 500, 250);
    EXPECT_DOUBLE_EQ(place.Latitude, 54.0);
    EXPECT_DOUBLE_EQ(place.Longitude, -90.0);
}

TEST(GeoText, HoursAndMinutes) {
    struct Case {
        double hours;
        const char16_t* text;
    };
    for (const Case& c : {Case{-1.0, u"--:--"}, Case{0.0, u"00:00"}, Case{5.35, u"05:21"},
                          Case{16.15, u"16:09"}, Case{1.125, u"01:08"}, // 7.5 minutes: halves to even
                          Case{1.375, u"01:22"},                        // 22.5 minutes
                          Case{2.9921875, u"03:00"},                    // 59.53 minutes: the next hour
                          Case{23.999, u"24:00"}}) {
        EXPECT_EQ(FormatHoursMinutes(c.hours), QString::fromUtf16(c.text)) << c.hours;
    }
}

TEST(GeoText, TypedTimesOfDay) {
    EXPECT_EQ(ParseClockText(u" 23 : 59 "_s), QTime(23, 59));
    EXPECT_EQ(ParseClockText(u"0:0"_s), QTime(0, 0));
    for (const QString& refused : {u"24:00"_s, u"12:60"_s, u"-1:30"_s, u"1230"_s, u"12:30:00"_s})
        EXPECT_FALSE(ParseClockText(refused).has_value()) << refused.toStdString();
}

TEST(GeoText, SkyLinesInBothLanguages) {
    struct Case {
        double latitude, longitude;
        QDateTime local;
        int utcOffset;
        Language language;
        const char* text;
    };
    const QDateTime frankfurtSummer(QDate(2020, 6, 21), QTime(9, 0));
    const QDateTime frankfurtMarch(QDate(2024, 3, 14), QTime(21, 0));
    const QDateTime sydney(QDate(2024, 12, 25), QTime(20, 30));
    const Case cases[] = {
        {50.1, 8.5, frankfurtSummer, 120, Language::English,
         "Sun: Azimuth: 91.4°, Alt: 32.4°, Rise: 05:23, Set: 21:33, Length of day: 16:10 hours\r\n"
         "Moon: Azimuth: 91.1°, Alt: 31.6°, Rise: 05:16, Set: 22:07, Phase: 0%\r\n"},
        {50.1, 8.5, frankfurtSummer, 120, Language::German,
         "Sonne: Azimut: 91,4°, Höhe: 32,4°, Aufgang: 05:23, Untergang: 21:33, Tageslänge: 16:10 Stunden\r\n"
         "Mond: Azimut: 91,1°, Höhe: 31,6°, Aufgang: 05:16, Untergang: 22:07, Phase: 0%\r\n"},
        // The waxing moon rose in the morning and sets only after midnight.
        {50.1, 8.5, frankfurtMarch, 60, Language::English,
         "Sun: Azimuth: 298.1°, Alt: -24°, Rise: 06:46, Set: 18:25, Length of day: 11:39 hours\r\n"
         "Moon: Azimuth: 269.2°, Alt: 29.6°, Rise: 08:15, Set: --:--, Phase: 25.9%\r\n"},
        {50.1, 8.5, frankfurtMarch, 60, Language::German,
         "Sonne: Azimut: 298,1°, Höhe: -24°, Aufgang: 06:46, Untergang: 18:25, Tageslänge: 11:39 Stunden\r\n"
         "Mond: Azimut: 269,2°, Höhe: 29,6°, Aufgang: 08:15, Untergang: --:--, Phase: 25,9%\r\n"},
        {-33.9, 151.2, sydney, 660, Language::English,
         "Sun: Azimuth: 237.6°, Alt: -4.8°, Rise: 05:49, Set: 20:04, Length of day: 14:15 hours\r\n"
         "Moon: Azimuth: 179.3°, Alt: -42.8°, Rise: 01:30, Set: 14:53, Phase: 27.7%\r\n"},
        // Polar day at Tromsø: no sunrise, sunset or day length; the moon stays below the horizon.
        {69.6, 18.9, QDateTime(QDate(2024, 6, 21), QTime(12, 0)), 120, Language::English,
         "Sun: Azimuth: 165.3°, Alt: 43.3°\r\n"
         "Moon: Azimuth: 356.6°, Alt: -49.1°, Phase: 99.5%\r\n"},
        // Polar night: the moon still rises and sets.
        {69.6, 18.9, QDateTime(QDate(2024, 12, 21), QTime(12, 0)), 60, Language::German,
         "Sonne: Azimut: 183,9°, Höhe: -3,1°\r\n"
         "Mond: Azimut: 290,1°, Höhe: 0,1°, Aufgang: 22:04, Untergang: 12:12, Phase: 64%\r\n"},
    };
    for (const Case& c : cases) {
        const QLocale& locale = c.language == Language::German ? German : English;
        EXPECT_EQ(GeoSkyText(c.latitude, c.longitude, c.local, c.utcOffset, c.language, locale),
                  QString::fromUtf8(c.text));
    }
}
