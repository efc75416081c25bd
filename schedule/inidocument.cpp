#include "inidocument.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

bool SameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniDocument IniDocument::Parse(QStringView text) {
    IniDocument document;
    Section* current = nullptr;
    for (QStringView line : text.tokenize(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            document.m_sections.push_back(Section{line.sliced(1, line.size() - 2).trimmed().toString(), {}});
            current = &document.m_sections.back();
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (current == nullptr || equals < 0)
            continue;
        current->entries.push_back(
            Entry{line.left(equals).trimmed().toString(), line.sliced(equals + 1).trimmed().toString()});
    }
    return document;
}

std::optional<IniDocument> IniDocument::Read(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error != nullptr)
            *error = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error != nullptr)
            *error = file.errorString();
        return std::nullopt;
    }
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar::ByteOrderMark))
        text.remove(0, 1);
    return Parse(text);
}

const IniDocument::Entry* IniDocument::Find(QStringView section, QStringView key) const {
    // A section name may occur more than once; the first entry of the key in text order counts.
    for (const Section& candidate : m_sections) {
        if (!SameName(candidate.name, section))
            continue;
        const auto it = std::find_if(candidate.entries.begin(), candidate.entries.end(),
                                     [&](const Entry& entry) { return SameName(entry.key, key); });
        if (it != candidate.entries.end())
            return &*it;
    }
    return nullptr;
}

IniDocument::Entry* IniDocument::Find(QStringView section, QStringView key) {
    return const_cast<Entry*>(std::as_const(*this).Find(section, key));
}

std::optional<QString> IniDocument::Value(QStringView section, QStringView key) const {
    if (const Entry* entry = Find(section, key))
        return entry->value;
    return std::nullopt;
}

void IniDocument::SetValue(const QString& section, const QString& key, const QString& value) {
    if (Entry* entry = Find(section, key)) {
        entry->key = key;
        entry->value = value;
        return;
    }
    auto it = std::find_if(m_sections.begin(), m_sections.end(),
                           [&](const Section& candidate) { return SameName(candidate.name, section); });
    if (it == m_sections.end())
        it = m_sections.insert(m_sections.end(), Section{section, {}});
    it->entries.push_back(Entry{key, value});
}

QStringList IniDocument::Sections() const {
    QStringList names;
    for (const Section& section : m_sections)
        names.append(section.name);
    return names;
}

QStringList IniDocument::Keys(QStringView section) const {
    QStringList keys;
    const auto it = std::find_if(m_sections.begin(), m_sections.end(),
                                 [&](const Section& candidate) { return SameName(candidate.name, section); });
    if (it != m_sections.end()) {
        for (const Entry& entry : it->entries)
            keys.append(entry.key);
    }
    return keys;
}

QString IniDocument::ToText() const {
    QString text;
    for (const Section& section : m_sections) {
        text += u'[' + section.name + u"]\r\n"_s;
        for (const Entry& entry : section.entries)
            text += entry.key + u'=' + entry.value + u"\r\n"_s;
        text += u"\r\n"_s;
    }
    return text;
}

FileResult IniDocument::Save(const QString& path) const {
    QSaveFile file(path);
    // Unbuffered: Qt's buffered flush takes a short write as complete, so a disk that fills up
    // halfway would end in a truncated file reported as saved. Written directly, a short write
    // shows and the next call reports the system's error.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileResult::Failure(file.errorString());
    const QByteArray bytes = ToText().toUtf8();
    for (qsizetype written = 0; written < bytes.size();) {
        const qint64 chunk = file.write(bytes.constData() + written, bytes.size() - written);
        if (chunk <= 0) {
            const QString error = file.errorString();
            file.cancelWriting();
            return FileResult::Failure(error);
        }
        written += chunk;
    }
    if (!file.commit())
        return FileResult::Failure(file.errorString());
    return {};
}

} // namespace zorvex
