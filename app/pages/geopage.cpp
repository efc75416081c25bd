#include "geopage.h"

#include "conversions.h"
#include "focusguard.h"
#include "geopictures.h"
#include "geotext.h"
#include "labelededit.h"
#include "requestflags.h"
#include "sharedblock.h"
#include "utcoffset.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

// The device keeps years since 2000 in a signed byte.
const QDate FirstDeviceDate(2000, 1, 1);
const QDate LastDeviceDate(2127, 12, 31);

void StoreDate(Info& info, QDate date) {
    info.Day = static_cast<std::int8_t>(date.day());
    info.Month = static_cast<std::int8_t>(date.month());
    // Years since 2000, from the low byte of the four-digit year (valid for 2000 to 2255).
    info.Year = static_cast<std::int8_t>(static_cast<std::uint8_t>((date.year() + 48) & 0xFF));
}

// The date picker is operated while it has the focus or while its calendar is open (the calendar
// holds the focus then).
bool PickerActs(const QDateEdit* picker) {
    const QCalendarWidget* calendar = picker->calendarPopup() ? picker->calendarWidget() : nullptr;
    return FocusGuard::Acts(picker) || (calendar != nullptr && calendar->isVisible());
}

} // namespace

GeoPage::GeoPage(SharedBlock& block, QWidget* parent)
    : Page(u"tsGeo"_s, u"Geo"_s, block, parent), m_pristineMap(WorldMapPicture()) {
    m_map = NewLabel(this, u"imgGeo"_s, {});
    m_map->setMinimumSize(250, 125);
    m_map->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_map->setScaledContents(true);
    m_map->setMouseTracking(true);
    m_map->installEventFilter(this);
    m_sky = NewLabel(this, u"lblGeo"_s, {});
    m_sky->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_moon = NewLabel(this, u"imgMoon"_s, {});
    m_moon->setFixedSize(MoonPictureSize, MoonPictureSize);
    m_moon->installEventFilter(this);
    m_date = new QDateEdit(this);
    m_date->setObjectName(u"dtp"_s);
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));
    m_date->setDateRange(FirstDeviceDate, LastDeviceDate);

    auto* latitude = NewEdit(this, u"edtLat"_s, u"Latitude"_s);
    auto* longitude = NewEdit(this, u"edtLon"_s, u"Longitude"_s);
    auto* time = NewEdit(this, u"edtTime"_s, u"Time (HH:MM)"_s);
    auto* slider = NewSlider(this, u"trbTime"_s, 0, 1439, 60, 60);
    // A day's minutes need room to be set; the map gives way first.
    slider->setMinimumWidth(TimeSliderMinimumWidth);
    auto* now = NewButton(this, u"btnNow"_s, u"Now"_s);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_map, 0, 0, 1, 6);
    layout->addWidget(m_sky, 1, 0, 1, 5);
    layout->addWidget(m_moon, 1, 5);
    layout->addWidget(latitude, 2, 0);
    layout->addWidget(longitude, 2, 1);
    layout->addWidget(m_date, 2, 2, Qt::AlignBottom);
    layout->addWidget(time, 2, 3);
    layout->addWidget(slider, 2, 4, Qt::AlignBottom);
    layout->addWidget(now, 2, 5, Qt::AlignBottom);
    layout->setColumnStretch(4, 1);
    layout->setRowStretch(0, 1);

    connect(now, &QPushButton::clicked, this, &GeoPage::nowClicked);
    for (LabeledEdit* edit : {latitude, longitude})
        FocusGuard::OnUserChange(edit, &LabeledEdit::textChanged, this, [this] { edtLatChange(); });
    FocusGuard::OnUserChange(time, &LabeledEdit::textChanged, this, [this] { edtTimeChange(); });
    FocusGuard::OnUserChange(slider, &QSlider::valueChanged, this, [this] { trbTimeChange(); });
    connect(m_date, &QDateEdit::dateChanged, this, [this] {
        if (PickerActs(m_date))
            dtpChange();
    });
}

void GeoPage::RefreshLocation() {
    FocusGuard::Write(findChild<LabeledEdit*>(u"edtLat"_s),
                      FormatNumber(m_block.Config.Lat * 0.1, Pattern0_H));
    FocusGuard::Write(findChild<LabeledEdit*>(u"edtLon"_s),
                      FormatNumber(m_block.Config.Lon * 0.1, Pattern0_H));
}

void GeoPage::RefreshClock() {
    const Info& info = m_block.Info;
    FocusGuard::Write(findChild<LabeledEdit*>(u"edtTime"_s), ClockText(info.Hour, info.Minute));
    FocusGuard::Write(findChild<QSlider*>(u"trbTime"_s), info.Hour * 60 + info.Minute);
    const QDate date(2000 + info.Year, info.Month, info.Day);
    if (date.isValid() && !PickerActs(m_date))
        m_date->setDate(date);
}

void GeoPage::SetClockNow(const QDateTime& now) {
    const QDate date = now.date();
    const QTime time = now.time();
    m_date->setDate(date);
    Info& info = m_block.Info;
    StoreDate(info, date);
    info.Reserved12 = 0;
    info.Hour = static_cast<std::int8_t>(time.hour());
    info.Minute = static_cast<std::int8_t>(time.minute());
    info.Second = static_cast<std::int8_t>(time.second());
    info.Hundredths = static_cast<std::int8_t>(std::min(99.0, RoundHalfEven(time.msec() * 0.1)));
    FocusGuard::Write(findChild<LabeledEdit*>(u"edtTime"_s), ClockText(time.hour(), time.minute()));
    findChild<QSlider*>(u"trbTime"_s)->setValue(time.hour() * 60 + time.minute());
    m_block.Request(rqSetInfoTime);
}

void GeoPage::RefreshGeoView() {
    const double latitude = m_block.Config.Lat / 10.0;
    const double longitude = m_block.Config.Lon / 10.0;
    m_map->setPixmap(QPixmap::fromImage(GeoMapPicture(m_pristineMap, MapPixelOf(latitude, longitude))));

    const Info& info = m_block.Info;
    const QDate date(2000 + info.Year, info.Month, info.Day);
    const QTime time(info.Hour, info.Minute);
    if (!date.isValid() || !time.isValid())
        return;
    const GeoSky sky = GeoSkyAt(latitude, longitude, date, time, LocalUtcOffset(date, time));
    m_sky->setText(GeoSkyText(sky, CurrentLanguage()));
    m_moon->setPixmap(QPixmap::fromImage(MoonPicture(sky.Moon)));
}

bool GeoPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_map) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            imgGeoMouseDown(static_cast<QMouseEvent*>(event)->position());
            break;
        case QEvent::MouseMove:
            imgGeoMouseMove(static_cast<QMouseEvent*>(event)->position());
            break;
        case QEvent::Enter:
            imgGeoMouseEnter();
            break;
        case QEvent::Leave:
            imgGeoMouseLeave();
            break;
        default:
            break;
        }
    } else if (watched == m_moon && event->type() == QEvent::MouseButtonDblClick) {
        Q_EMIT moonDoubleClicked(); // imgMoonDblClick
    }
    return Page::eventFilter(watched, event);
}

GeoLocation GeoPage::LocationUnder(QPointF position) const {
    const QRect shown = m_map->contentsRect();
    return LocationOfViewPoint(position.x() - shown.x(), position.y() - shown.y(), shown.width(),
                               shown.height());
}

void GeoPage::imgGeoMouseDown(QPointF position) {
    const GeoLocation location = LocationUnder(position);
    m_block.Config.Lat = TenthsOfDegree(location.Latitude);
    m_block.Config.Lon = TenthsOfDegree(location.Longitude);
    {
        // The program's own writes, also into an edit that has the focus.
        auto* latitude = findChild<LabeledEdit*>(u"edtLat"_s);
        auto* longitude = findChild<LabeledEdit*>(u"edtLon"_s);
        const QSignalBlocker quietLatitude(latitude);
        const QSignalBlocker quietLongitude(longitude);
        latitude->setText(FormatNumber(m_block.Config.Lat * 0.1, Pattern0_H));
        longitude->setText(FormatNumber(m_block.Config.Lon * 0.1, Pattern0_H));
    }
    RefreshGeoView();
    m_block.Request(rqSetConfig);
}

void GeoPage::imgGeoMouseMove(QPointF position) {
    Q_EMIT mousePositionChanged(MousePositionText(LocationUnder(position), CurrentLanguage()));
}

void GeoPage::imgGeoMouseEnter() {
    m_map->setCursor(Qt::CrossCursor);
}

void GeoPage::imgGeoMouseLeave() {
    m_map->unsetCursor();
    Q_EMIT mousePositionChanged({});
}

void GeoPage::edtLatChange() {
    // Text that does not parse, and a place that cannot exist, change nothing.
    const std::optional<GeoLocation> location = ParseLocation(findChild<LabeledEdit*>(u"edtLat"_s)->text(),
                                                              findChild<LabeledEdit*>(u"edtLon"_s)->text());
    if (!location)
        return;
    m_block.Config.Lat = TenthsOfDegree(location->Latitude);
    m_block.Config.Lon = TenthsOfDegree(location->Longitude);
    RefreshGeoView();
    m_block.Request(rqSetConfig);
}

void GeoPage::dtpChange() {
    StoreDate(m_block.Info, m_date->date());
    RefreshGeoView();
    m_block.Request(rqSetInfoTime);
}

void GeoPage::trbTimeChange() {
    const int position = findChild<QSlider*>(u"trbTime"_s)->value();
    const int hour = position / 60;
    const int minute = position % 60;
    if (hour == m_block.Info.Hour && minute == m_block.Info.Minute)
        return;
    StoreTime(hour, minute);
    FocusGuard::Write(findChild<LabeledEdit*>(u"edtTime"_s), ClockText(hour, minute));
    RefreshGeoView();
    m_block.Request(rqSetInfoTime);
}

void GeoPage::edtTimeChange() {
    // Text that is no time of day (no ":", letters, 25:70) changes nothing.
    const std::optional<QTime> time = ParseClockText(findChild<LabeledEdit*>(u"edtTime"_s)->text());
    if (!time)
        return;
    findChild<QSlider*>(u"trbTime"_s)->setValue(time->hour() * 60 + time->minute());
    StoreTime(time->hour(), time->minute());
    RefreshGeoView();
    m_block.Request(rqSetInfoTime);
}

void GeoPage::StoreTime(int hour, int minute) {
    m_block.Info.Hour = static_cast<std::int8_t>(hour);
    m_block.Info.Minute = static_cast<std::int8_t>(minute);
}

} // namespace zorvex
