#include "language_table.h"

#include <QFile>

#include <algorithm>

namespace zorvex {

LanguageTable LanguageTable::parse(QStringView text) {
    LanguageTable table;
    Section* current = nullptr;
    for (QStringView line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue;
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
            current = &table.sectionNamed(trimmed.mid(1, trimmed.size() - 2).trimmed().toString());
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        // Lines before the first section and lines without "=" carry no entry.
        if (current == nullptr || equals < 0)
            continue;
        const QString key = line.left(equals).trimmed().toString();
        if (key.isEmpty() || current->values.contains(key))
            continue;
        current->keys.append(key);
        current->values.insert(key, line.mid(equals + 1).toString());
    }
    return table;
}

LanguageTable LanguageTable::fromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar::ByteOrderMark))
        text.remove(0, 1);
    return parse(text);
}

QStringList LanguageTable::sections() const {
    QStringList names;
    for (const Section& section : m_sections)
        names.append(section.name);
    return names;
}

QStringList LanguageTable::keys(const QString& section) const {
    const Section* found = find(section);
    return found != nullptr ? found->keys : QStringList();
}

bool LanguageTable::contains(const QString& section, const QString& key) const {
    const Section* found = find(section);
    return found != nullptr && found->values.contains(key);
}

QString LanguageTable::value(const QString& section, const QString& key, const QString& fallback) const {
    const Section* found = find(section);
    return found != nullptr ? found->values.value(key, fallback) : fallback;
}

const LanguageTable::Section* LanguageTable::find(const QString& section) const {
    const auto it = std::find_if(m_sections.begin(), m_sections.end(),
                                 [&](const Section& candidate) { return candidate.name == section; });
    return it != m_sections.end() ? &*it : nullptr;
}

LanguageTable::Section& LanguageTable::sectionNamed(const QString& name) {
    // A section opened twice continues the first one, so its keys stay together.
    const auto it = std::find_if(m_sections.begin(), m_sections.end(),
                                 [&](const Section& candidate) { return candidate.name == name; });
    if (it != m_sections.end())
        return *it;
    m_sections.push_back(Section{name, {}, {}});
    return m_sections.back();
}

} // namespace zorvex
