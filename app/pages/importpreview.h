#pragma once

#include "configfile.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace zorvex {

// How the window labels one of its controls now, in the current language: the caption of the tab
// that holds it, the title of its group box, and its own caption (a radio button's or check box's
// text). Empty parts where there is none.
struct ControlLabel {
    QString page;
    QString group;
    QString caption;
};
using ControlLabels = std::function<ControlLabel(const QString& objectName)>;

// The rows of the configuration import's preview: where the window shows each changed field
// ("page / caption") and its present and imported value as that control shows it (the settings
// controls' formats, the radio buttons' captions, the colour and mode names). The fields of the
// display flag's radio pairs get a row per changed pair; a field without a control of its own is
// named by its file section and key and shows its number.
QList<QStringList> ConfigPreviewRows(const std::vector<FieldChange>& changes, const DeviceSettings& current,
                                     const ControlLabels& labels, const QLocale& locale = QLocale());

} // namespace zorvex
