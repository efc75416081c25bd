#pragma once

#include "fileresult.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

namespace zorvex {

// An INI text that keeps its order. Reading: every line is trimmed; empty lines and lines
// starting with ";" are skipped; "[name]" starts a section; lines before the first section and
// lines without "=" carry nothing; an entry is split at its first "=" with blanks around key and
// value removed. Section and key names match without regard to case, and the first occurrence of
// a key counts. Writing a value replaces it in place, appends a new key to the end of its section
// and a new section to the end of the text; every other section and key stays where it was.
// The text is written with CR LF line ends and one empty line after each section.
//
// QSettings would reorder sections and keys, drop what it does not know and quote values, so the
// configuration file uses this class instead.
class IniDocument {
public:
    static IniDocument Parse(QStringView text);
    // The document in a file; empty with the system's error text when it cannot be read.
    static std::optional<IniDocument> Read(const QString& path, QString* error = nullptr);

    std::optional<QString> Value(QStringView section, QStringView key) const;
    void SetValue(const QString& section, const QString& key, const QString& value);

    // Section names in text order (a name repeated in the text is listed each time).
    QStringList Sections() const;
    // Keys of the first section of that name, in text order.
    QStringList Keys(QStringView section) const;

    QString ToText() const;
    // Replaces the file as a whole: the old content stays until the new one is complete.
    FileResult Save(const QString& path) const;

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };

    Entry* Find(QStringView section, QStringView key);
    const Entry* Find(QStringView section, QStringView key) const;

    std::vector<Section> m_sections;
};

} // namespace zorvex
