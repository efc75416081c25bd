#pragma once

#include "language_table.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace zorvex {

enum class Language { Unset, English, German };

// The choice of ApplyLanguage: an unset choice means German when the user's locale has German
// as its primary language, else English.
Language ChooseLanguage(Language choice, QLocale::Language systemLanguage);
// The same against the primary language of the user's locale.
Language ChooseLanguage(Language choice);

// Loads the chosen compiled-in translation table as the process-wide LanguageTable. Called
// once at start-up before any other thread exists; afterwards the table is only read.
// An unset choice is resolved with ChooseLanguage. Until it is called, lookups use the English
// table, so an early message is never lost.
void LoadLanguageTable(Language language);
Language CurrentLanguage();
// The process-wide table; the window relabels itself by walking its "[frmZORVEX]" keys.
const LanguageTable& CurrentLanguageTable();

// "[Messages]" text of `key` ("\n" turned into CR LF); the key itself when it is missing.
// Safe to call from any thread without locking.
QString LookupMessage(const QString& key);
// The same in a given language, whichever table is loaded (Unset: the English table).
QString LookupMessage(const QString& key, Language language);
// As LookupMessage with the "%s" placeholders filled left to right and "%%" turned into "%" (as
// printf does); the unformatted text when the number of arguments does not match the
// placeholders or the text holds any other "%" sequence.
QString LookupMessageFmt(const QString& key, const QStringList& args);

// "W", "R", "G", "B" for the channels 0..3.
QString ChannelLetter(int channel);
// Translated colour name of a colour code; "ColorUnnamed" for 0 and every code outside 1..15.
QString ColorText(int code);
// Display tints of the 16 colour codes, 32-bit ARGB with alpha first (the same layout as QRgb;
// this library stays free of QtGui).
extern const std::array<std::uint32_t, 16> ChannelColors;

} // namespace zorvex
