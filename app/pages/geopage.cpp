#include "geopage.h"

#include "conversions.h"
#include "focusguard.h"
#include "labelededit.h"
#include "requestflags.h"
#include "sharedblock.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include <cmath>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {
QString ClockText(int hour, int minute) {
    return FormatTwoDigits(hour) + u":"_s + FormatTwoDigits(minute);
}
} // namespace

GeoPage::GeoPage(SharedBlock& block, QWidget* parent) : Page(u"tsGeo"_s, u"Geo"_s, block, parent) {
    auto* map = NewLabel(this, u"imgGeo"_s, {});
    map->setMinimumSize(250, 125);
    map->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    map->setScaledContents(true);
    auto* sky = NewLabel(this, u"lblGeo"_s, {});
    sky->setAlignment(Qt::AlignRight | Qt::AlignTop);
    auto* moon = NewLabel(this, u"imgMoon"_s, {});
    moon->setFixedSize(60, 60);
    auto* date = new QDateEdit(this);
    date->setObjectName(u"dtp"_s);
    date->setCalendarPopup(true);
    date->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));

    auto* layout = new QGridLayout(this);
    layout->addWidget(map, 0, 0, 1, 6);
    layout->addWidget(sky, 1, 0, 1, 5);
    layout->addWidget(moon, 1, 5);
    layout->addWidget(NewEdit(this, u"edtLat"_s, u"Latitude"_s), 2, 0);
    layout->addWidget(NewEdit(this, u"edtLon"_s, u"Longitude"_s), 2, 1);
    layout->addWidget(date, 2, 2, Qt::AlignBottom);
    layout->addWidget(NewEdit(this, u"edtTime"_s, u"Time (HH:MM)"_s), 2, 3);
    layout->addWidget(NewSlider(this, u"trbTime"_s, 0, 1439, 60, 60), 2, 4, Qt::AlignBottom);
    auto* now = NewButton(this, u"btnNow"_s, u"Now"_s);
    layout->addWidget(now, 2, 5, Qt::AlignBottom);
    layout->setColumnStretch(4, 1);
    layout->setRowStretch(0, 1);
    connect(now, &QPushButton::clicked, this, &GeoPage::nowClicked);
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
    auto* picker = findChild<QDateEdit*>(u"dtp"_s);
    const QDate date(2000 + info.Year, info.Month, info.Day);
    if (date.isValid() && !FocusGuard::Acts(picker))
        picker->setDate(date);
}

void GeoPage::SetClockNow(const QDateTime& now) {
    const QDate date = now.date();
    const QTime time = now.time();
    findChild<QDateEdit*>(u"dtp"_s)->setDate(date);
    Info& info = m_block.Info;
    info.Day = static_cast<std::int8_t>(date.day());
    info.Month = static_cast<std::int8_t>(date.month());
    // Years since 2000, from the low byte of the four-digit year (valid for 2000 to 2255).
    info.Year = static_cast<std::int8_t>(static_cast<std::uint8_t>((date.year() + 48) & 0xFF));
    info.Reserved12 = 0;
    info.Hour = static_cast<std::int8_t>(time.hour());
    info.Minute = static_cast<std::int8_t>(time.minute());
    info.Second = static_cast<std::int8_t>(time.second());
    info.Hundredths = static_cast<std::int8_t>(std::min(99.0, RoundHalfEven(time.msec() * 0.1)));
    FocusGuard::Write(findChild<LabeledEdit*>(u"edtTime"_s), ClockText(time.hour(), time.minute()));
    findChild<QSlider*>(u"trbTime"_s)->setValue(time.hour() * 60 + time.minute());
    m_block.Request(rqSetInfoTime);
}

} // namespace zorvex
