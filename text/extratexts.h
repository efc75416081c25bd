#pragma once

#include "language.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace zorvex {

// Texts of the features this program has beyond the two translation tables (the import preview,
// failed file operations, the backup's debug lines), in the language of the loaded table. Kept
// apart so that the translation tables stay exactly the device maker's.
// The text of `key` with "%1", "%2" ... filled from `args`; the key itself when it is unknown.
QString ExtraText(const QString& key, const QStringList& args = {});

// The one place where the program's wording depends on the system: on Linux the texts that speak
// of Windows, the registry or the control panel ("WindowsError", "DiscoveryCompleted",
// "RemovalCompleted", "TryColdStart" of the translation tables, "RegistryRead" and
// "RegistryWritten" above) have a text of their own, in the conventions of the text they replace.
// None for every other key, and on Windows, which keeps the maker's texts.
std::optional<QString> PlatformText(const QString& key, Language language);

} // namespace zorvex
