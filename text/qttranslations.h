#pragma once

#include "language.h"

namespace zorvex {

// Installs Qt's own translations (file dialogs, message boxes, serial port errors) for the
// chosen language into the running application, from the system's Qt translations folder
// (package qt6-translations-l10n on Debian). English needs none; a missing catalogue is skipped.
// Call once, after the language is chosen; the translators live as long as the application.
void InstallQtTranslations(Language language);

} // namespace zorvex
