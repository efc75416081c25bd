#include "language.h"

#include "extratexts.h"
#include "message_format.h"

#include <atomic>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

// Each compiled-in table is parsed once, on first use, and never changes afterwards; the
// function-local statics make that first use safe from any thread.
const LanguageTable& TableOf(Language language) {
    if (language == Language::German) {
        static const LanguageTable german = LanguageTable::fromFile(u":/lang/de.ini"_s);
        return german;
    }
    static const LanguageTable english = LanguageTable::fromFile(u":/lang/en.ini"_s);
    return english;
}

// Written by LoadLanguageTable before the other threads start; they only read it.
std::atomic<Language> chosenLanguage{Language::English};

// The "[Messages]" text of `key` in `language`, the system's own wording first.
QString MessageText(const QString& key, Language language) {
    const Language table = language == Language::German ? Language::German : Language::English;
    const std::optional<QString> own = PlatformText(key, table);
    return ExpandLineBreaks(own ? *own : TableOf(table).value(u"Messages"_s, key, key));
}

} // namespace

Language ChooseLanguage(Language choice, QLocale::Language systemLanguage) {
    if (choice != Language::Unset)
        return choice;
    return systemLanguage == QLocale::German ? Language::German : Language::English;
}

Language ChooseLanguage(Language choice) {
    return ChooseLanguage(choice, QLocale::system().language());
}

void LoadLanguageTable(Language language) {
    const Language chosen = ChooseLanguage(language);
    TableOf(chosen);
    chosenLanguage.store(chosen, std::memory_order_release);
}

Language CurrentLanguage() {
    return chosenLanguage.load(std::memory_order_acquire);
}

const LanguageTable& CurrentLanguageTable() {
    return TableOf(CurrentLanguage());
}

QString LookupMessage(const QString& key) {
    return LookupMessageFmt(key, {});
}

QString LookupMessage(const QString& key, Language language) {
    const QString text = MessageText(key, language);
    return FillPlaceholders(text, {}).value_or(text);
}

QString LookupMessageFmt(const QString& key, const QStringList& args) {
    const QString text = MessageText(key, CurrentLanguage());
    return FillPlaceholders(text, args).value_or(text);
}

} // namespace zorvex
