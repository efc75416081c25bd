// Any text into the schedule cell parser and the number parsers of the editors, in an English
// and a German locale.
#include "conversions.h"
#include "fieldvalue.h"
#include "schedulecells.h"

#include <QLocale>
#include <QStringList>

#include <cstdint>

using namespace zorvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static const QLocale locales[] = {QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany)};
    const QLocale& locale = locales[data[0] & 1];
    const bool altitude = (data[0] & 2) != 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    // The grid's cells: the text split at tabs stands for the cells of one line.
    const QStringList cells = text.split(u'\t');
    const ScheduleRow row = ParseScheduleRowTexts(cells, ScheduleRow{}, altitude, locale);
    (void)ScheduleRowTexts(row, 0, altitude, locale);
    (void)AltFromText(text, locale);
    (void)LevelFromText(text, locale);

    (void)ParseDecimal(text, locale);
    (void)ParseTemperature(text, (data[0] & 4) != 0, locale);
    (void)LevelFromPercentText(text, locale);
    (void)ScaledIntegerFromText(text, 40.96, 1.0, locale);
    (void)ParseFieldValue<std::int16_t>(text);
    (void)ParseFieldValue<std::uint8_t>(text);
    return 0;
}
