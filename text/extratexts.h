#pragma once

#include <QString>
#include <QStringList>

namespace zorvex {

// Texts of the features this program has beyond the two translation tables (the import preview,
// failed file operations, the backup's debug lines), in the language of the loaded table. Kept
// apart so that the translation tables stay exactly the device maker's.
// The text of `key` with "%1", "%2" ... filled from `args`; the key itself when it is unknown.
QString ExtraText(const QString& key, const QStringList& args = {});

} // namespace zorvex
