// The geo page: map, sky text and moon from the records, and the location and clock editors.
#include "windowfixture.h"

#include "arrivals.h"

#include "geomap.h"
#include "geotext.h"
#include "labelededit.h"
#include "statuspanels.h"

#include <QDateEdit>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace zorvex::test;
using namespace Qt::StringLiterals;

namespace {

class WindowGeo : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        savedZone = qEnvironmentVariableIsSet("TZ") ? std::optional(qgetenv("TZ")) : std::nullopt;
        qputenv("TZ", "Europe/Berlin");
        f = std::make_unique<WindowFixture>(QStringList{u"-english"_s});
        f->show();
        Info& info = f->block().Info;
        info.Year = 24;
        info.Month = 3;
        info.Day = 14;
        info.Hour = 21;
        info.Minute = 0;
        f->block().Config.Lat = 501;
        f->block().Config.Lon = 85;
        f->window().ShowPage(f->window().TabSheet(u"tsGeo"_s));
        test::ArriveAsHeld(f->block()); // what the map and the clock edits change may be sent
        f->block().AssignRequests(0);
        map = f->find<QLabel>(u"imgGeo"_s);
    }
    void TearDown() override {
        f.reset();
        if (savedZone)
            qputenv("TZ", *savedZone);
        else
            qunsetenv("TZ");
    }
    QString text(const QString& label) const { return f->find<QLabel>(label)->text(); }
    QString edit(const QString& name) const { return f->find<LabeledEdit>(name)->text(); }
    bool redAt(double latitude, double longitude) const {
        const MapPixel pixel = MapPixelOf(latitude, longitude);
        return map->pixmap().toImage().pixel(pixel.X, pixel.Y) == qRgb(255, 0, 0);
    }
    std::unique_ptr<WindowFixture> f;
    QLabel* map = nullptr;
    std::optional<QByteArray> savedZone;
};

} // namespace

TEST_F(WindowGeo, SkyTextMoonAndMapFromTheRecordsInTheComputersZone) {
    EXPECT_EQ(text(u"lblGeo"_s),
              u"Sun: Azimuth: 298.1°, Alt: -24°, Rise: 06:46, Set: 18:25, Length of day: 11:39 hours\r\n"
              "Moon: Azimuth: 269.2°, Alt: 29.6°, Rise: 08:15, Set: --:--, Phase: 25.9%\r\n"_s);
    EXPECT_TRUE(redAt(50.1, 8.5));
    // The waxing crescent is lit on the right.
    const QImage moon = f->find<QLabel>(u"imgMoon"_s)->pixmap().toImage();
    EXPECT_GT(qAlpha(moon.pixel(45, 30)), 0);
    EXPECT_EQ(qAlpha(moon.pixel(15, 30)), 0);

    // UTC+5:30 counts as zone hours 5.
    qputenv("TZ", "Asia/Kolkata");
    f->window().pcChange();
    EXPECT_EQ(text(u"lblGeo"_s), GeoSkyText(50.1, 8.5, QDateTime(QDate(2024, 3, 14), QTime(21, 0)), 300,
                                            Language::English, QLocale()));

    // A device clock without a valid date moves the cross-hair and leaves the rest as it was.
    const QString before = text(u"lblGeo"_s);
    f->block().Info.Day = 0;
    f->block().Config.Lat = -339;
    f->window().pcChange();
    EXPECT_TRUE(redAt(-33.9, 8.5));
    EXPECT_EQ(text(u"lblGeo"_s), before);
}

TEST_F(WindowGeo, MapClicksAndTheMousePositionOnAScaledView) {
    map->setFixedSize(500, 250); // the map at half its size
    f->mouse(map, QEvent::Enter);
    EXPECT_EQ(map->cursor().shape(), Qt::CrossCursor);
    f->mouse(map, QEvent::MouseMove, {125, 50});
    EXPECT_EQ(f->window().StatusBar()->panelText(0), u"Mouse position: Latitude: 54°, Longitude: -90°"_s);

    f->mouse(map, QEvent::MouseButtonPress, {0, 0});
    EXPECT_EQ(f->block().Config.Lat, 900);
    EXPECT_EQ(f->block().Config.Lon, -1800);
    EXPECT_EQ(edit(u"edtLat"_s), u"90"_s);
    EXPECT_EQ(edit(u"edtLon"_s), u"-180"_s);
    EXPECT_TRUE(f->block().IsRequested(rqSetConfig));
    // Dragged beyond the bottom-right corner: the corner.
    f->mouse(map, QEvent::MouseButtonPress, {620, 300});
    EXPECT_EQ(f->block().Config.Lat, -900);
    EXPECT_EQ(f->block().Config.Lon, 1800);
    // The click writes the edits even while one has the focus.
    f->focus(f->find<LabeledEdit>(u"edtLat"_s));
    f->mouse(map, QEvent::MouseButtonPress, {250, 125});
    EXPECT_EQ(edit(u"edtLat"_s), u"0"_s);
    EXPECT_TRUE(redAt(0.0, 0.0));

    f->mouse(map, QEvent::Leave);
    EXPECT_TRUE(f->window().StatusBar()->panelText(0).isEmpty());
    EXPECT_FALSE(map->testAttribute(Qt::WA_SetCursor));
}

TEST_F(WindowGeo, TypedPlacesWithinTheEarthOnly) {
    f->typeInto(u"edtLat"_s, u"48.5"_s);
    EXPECT_EQ(f->block().Config.Lat, 485);
    EXPECT_TRUE(f->block().IsRequested(rqSetConfig));
    EXPECT_TRUE(redAt(48.5, 8.5));
    for (const auto& [name, typed] : {std::pair{u"edtLat"_s, u"91"_s}, std::pair{u"edtLon"_s, u"-180.5"_s},
                                      std::pair{u"edtLon"_s, u"east"_s}}) {
        f->block().AssignRequests(0);
        f->typeInto(name, typed);
        EXPECT_EQ(f->block().Config.Lat, 485) << typed.toStdString();
        EXPECT_EQ(f->block().Config.Lon, 85) << typed.toStdString();
        EXPECT_FALSE(f->block().IsRequested(rqSetConfig)) << typed.toStdString();
    }
}

TEST_F(WindowGeo, TimeEditSliderAndDatePickerSetTheDeviceClock) {
    f->typeInto(u"edtTime"_s, u"06:45"_s);
    EXPECT_EQ(f->block().Info.Hour, 6);
    EXPECT_EQ(f->block().Info.Minute, 45);
    EXPECT_EQ(f->find<QSlider>(u"trbTime"_s)->value(), 405);
    EXPECT_TRUE(f->block().IsRequested(rqSetInfoTime));
    for (const QString& refused : {u"25:70"_s, u"ab:cd"_s}) {
        f->block().AssignRequests(0);
        f->typeInto(u"edtTime"_s, refused);
        EXPECT_EQ(f->block().Info.Hour * 60 + f->block().Info.Minute, 405) << refused.toStdString();
        EXPECT_FALSE(f->block().IsRequested(rqSetInfoTime)) << refused.toStdString();
    }

    f->slide(u"trbTime"_s, 600);
    EXPECT_EQ(f->block().Info.Hour, 10);
    EXPECT_EQ(f->block().Info.Minute, 0);
    EXPECT_EQ(edit(u"edtTime"_s), u"10:00"_s);
    EXPECT_TRUE(f->block().IsRequested(rqSetInfoTime));
    // The device's own time: nothing more to do.
    f->block().AssignRequests(0);
    f->block().Info.Hour = 11;
    f->slide(u"trbTime"_s, 660);
    EXPECT_FALSE(f->block().IsRequested(rqSetInfoTime));

    auto* picker = f->find<QDateEdit>(u"dtp"_s);
    picker->setDate(QDate(2030, 1, 2)); // without the focus: a refresh, not the user
    EXPECT_EQ(f->block().Info.Year, 24);
    f->focus(picker);
    picker->setDate(QDate(2031, 3, 4));
    EXPECT_EQ(f->block().Info.Year, 31);
    EXPECT_EQ(f->block().Info.Month, 3);
    EXPECT_EQ(f->block().Info.Day, 4);
    EXPECT_TRUE(f->block().IsRequested(rqSetInfoTime));
}

TEST_F(WindowGeo, DoubleClickOnTheMoonOpensTheConfiguration) {
    f->mouse(f->find<QLabel>(u"imgMoon"_s), QEvent::MouseButtonDblClick, {30, 30});
    EXPECT_EQ(f->window().PageControl()->currentWidget()->objectName(), u"tsConfig"_s);
}
