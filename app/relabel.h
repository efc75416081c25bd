#pragma once

#include "language.h"

class QObject;
class QString;
class QTabWidget;
class QWidget;

namespace zorvex {

// Sets the caption of one named object of the window: buttons, check and radio boxes, labels,
// group boxes, tab sheets, menus and menu items take it as their text; a labelled edit as its
// label; a memo as its first lines (lines already logged stay after them).
void ApplyCaption(QObject* target, QTabWidget* pages, const QString& value);
// The tool-tip of a control or menu item.
void ApplyHint(QObject* target, const QString& value);

// ApplyLanguage: loads the chosen table (an unset choice follows the user's locale) and
// relabels the window from its "[frmZORVEX]" entries in table order, then the derived texts:
// the channels' ON and OFF buttons and labels from channel 0's templates, the channel letters
// of the per-channel editors, the Channels tab, the chart-source menu items and the language list.
void ApplyLanguage(QWidget* window, QTabWidget* pages, Language choice);

} // namespace zorvex
