#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace zorvex {

// A translation table in INI form: "[name]" opens a section, "key=value" lines fill it, blank
// lines are ignored. Sections and keys keep the order of the text, and values are kept exactly
// as written (only the line end is dropped), which QSettings would not do.
class LanguageTable {
public:
    static LanguageTable parse(QStringView text);
    // The table stored in a UTF-8 file or resource; an empty table when it cannot be read.
    static LanguageTable fromFile(const QString& path);

    QStringList sections() const;
    // The keys of a section in table order; empty for an unknown section.
    QStringList keys(const QString& section) const;
    bool contains(const QString& section, const QString& key) const;
    QString value(const QString& section, const QString& key, const QString& fallback = {}) const;

private:
    struct Section {
        QString name;
        QStringList keys;
        QHash<QString, QString> values;
    };

    const Section* find(const QString& section) const;
    Section& sectionNamed(const QString& name);

    std::vector<Section> m_sections;
};

} // namespace zorvex
