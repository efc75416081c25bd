#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace zorvex {

// Turns the two characters "\" "n" of a translation text into a line break (CR LF).
QString ExpandLineBreaks(const QString& text);

// Fills the "%s" placeholders of `text` left to right with `args` and turns "%%" into "%", as
// printf does. Empty when the count of placeholders and arguments differ or when the text holds
// any other "%" sequence (including a "%" at its very end).
std::optional<QString> FillPlaceholders(const QString& text, const QStringList& args);

} // namespace zorvex
