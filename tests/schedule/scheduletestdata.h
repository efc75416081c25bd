#pragma once

#include "arrivals.h"
#include "records.h"
#include "sharedblock.h"

#include <QFile>
#include <QString>

#include <ostream>

namespace zorvex::test {

// A shared block whose schedule has `rows` rows, grown the way a device reply grows it.
inline void GiveRows(SharedBlock& block, std::uint8_t rows) {
    Info info;
    info.RowCount = rows;
    RecordBuffer buffer{};
    storeToBuffer(info, buffer);
    block.StoreInfo(buffer);
    ArriveAsHeld(block); // the zeroed rows are what the device holds
}

inline QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

inline bool WriteText(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0;
}

} // namespace zorvex::test

namespace zorvex {
// Readable failures.
inline void PrintTo(const ScheduleRow& row, std::ostream* out) {
    *out << int{row.Hour} << ':' << int{row.Minute} << " alt " << row.Alt << " levels " << row.Color16[0]
         << ',' << row.Color16[1] << ',' << row.Color16[2] << ',' << row.Color16[3] << " timer " << row.Timer
         << " switch " << int{row.Switch};
}
} // namespace zorvex
