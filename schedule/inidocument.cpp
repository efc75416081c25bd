#include "inidocument.h"

#include "extratexts.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

// Names match without regard to case.
QString Fold(QStringView name) {
    return name.toString().toCaseFolded();
}

} // namespace

IniDocument IniDocument::Parse(QStringView text) {
    return FromUnits(QString::fromLatin1(text.toUtf8()), Encoding::EightBit, false);
}

IniDocument IniDocument::FromBytes(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return FromUnits(QString::fromLatin1(bytes.sliced(3)), Encoding::EightBit, true);
    // Without a byte order mark, UTF-16 shows in its first character: an INI text starts with
    // an ASCII character, whose other byte is zero.
    const bool mark = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    const bool zeroFirst = bytes.size() >= 2 && bytes[0] == 0 && bytes[1] != 0;
    const bool zeroSecond = bytes.size() >= 2 && bytes[0] != 0 && bytes[1] == 0;
    if (!mark && !zeroFirst && !zeroSecond)
        return FromUnits(QString::fromLatin1(bytes), Encoding::EightBit, false);

    const bool bigEndian = mark ? bytes.startsWith("\xFE\xFF") : zeroFirst;
    const QByteArray body = bytes.sliced(mark ? 2 : 0);
    const qsizetype count = body.size() / 2;
    QString units(count, Qt::Uninitialized);
    if (bigEndian)
        qFromBigEndian<char16_t>(body.constData(), count, units.data());
    else
        qFromLittleEndian<char16_t>(body.constData(), count, units.data());
    IniDocument document = FromUnits(units, bigEndian ? Encoding::Utf16BE : Encoding::Utf16LE, mark);
    document.m_oddByte = body.sliced(count * 2);
    return document;
}

IniDocument IniDocument::FromUnits(QStringView units, Encoding encoding, bool byteOrderMark) {
    IniDocument document;
    document.m_encoding = encoding;
    document.m_byteOrderMark = byteOrderMark;
    bool firstEnd = true;
    qsizetype start = 0;
    const auto addLine = [&](qsizetype end, qsizetype endLength) {
        document.m_lines.push_back(Line{
            units.sliced(start, end - start).toString(), units.sliced(end, endLength).toString(), {}, false});
        document.ParseLine(document.m_lines.size() - 1);
        start = end + endLength;
    };
    for (qsizetype i = 0; i < units.size(); ++i) {
        if (units[i] != u'\r' && units[i] != u'\n')
            continue;
        const qsizetype endLength =
            units[i] == u'\r' && i + 1 < units.size() && units[i + 1] == u'\n' ? 2 : 1;
        if (firstEnd)
            document.m_newLine = units.sliced(i, endLength).toString();
        firstEnd = false;
        addLine(i, endLength);
        i += endLength - 1;
    }
    if (start < units.size())
        addLine(units.size(), 0);
    return document;
}

QString IniDocument::Readable(QStringView units) const {
    if (m_encoding != Encoding::EightBit ||
        std::ranges::all_of(units, [](QChar c) { return c.unicode() < 0x80; }))
        return units.toString();
    // Bytes that are no UTF-8 (an older editor's Latin-1) read as Latin-1.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(units.toLatin1());
    return decoder.hasError() ? units.toString() : text;
}

QString IniDocument::Stored(const QString& text) const {
    return m_encoding == Encoding::EightBit ? QString::fromLatin1(text.toUtf8()) : text;
}

void IniDocument::ParseLine(std::size_t line) {
    const QString text = Readable(m_lines[line].units).trimmed();
    if (text.isEmpty() || text.startsWith(u';'))
        return;
    if (text.startsWith(u'[') && text.endsWith(u']')) {
        const QString name = text.sliced(1, text.size() - 2).trimmed();
        m_sections.push_back(Section{name, line, {}});
        m_parseSection = m_sections.size() - 1;
        if (!m_sectionIndex.contains(Fold(name)))
            m_sectionIndex.insert(Fold(name), *m_parseSection);
        return;
    }
    const qsizetype equals = text.indexOf(u'=');
    if (!m_parseSection || equals < 0)
        return;
    Section& section = m_sections[*m_parseSection];
    const QString key = text.left(equals).trimmed();
    m_entries.push_back(Entry{line, key, text.sliced(equals + 1).trimmed()});
    const std::size_t entry = m_entries.size() - 1;
    section.entries.push_back(entry);
    section.anchor = line;
    // A section name may occur more than once; the first entry of the key in text order counts.
    const EntryKey name{Fold(section.name), Fold(key)};
    if (!m_entryIndex.contains(name))
        m_entryIndex.insert(name, entry);
}

std::size_t IniDocument::AddLine(const QString& text, bool added) {
    // Only the file's last line can lack a line end; nothing may follow it on the same line.
    if (!m_lines.empty() && m_lines.back().end.isEmpty())
        m_lines.back().end = m_newLine;
    m_lines.push_back(Line{Stored(text), m_newLine, {}, added});
    return m_lines.size() - 1;
}

std::size_t IniDocument::AddSection(const QString& name) {
    const std::size_t header = AddLine(u'[' + name + u']', false);
    AddLine({}, false);
    m_sections.push_back(Section{name, header, {}});
    const std::size_t section = m_sections.size() - 1;
    m_sectionIndex.insert(Fold(name), section);
    return section;
}

const IniDocument::Entry* IniDocument::Find(QStringView section, QStringView key) const {
    const auto it = m_entryIndex.constFind(EntryKey{Fold(section), Fold(key)});
    return it != m_entryIndex.cend() ? &m_entries[*it] : nullptr;
}

std::optional<QString> IniDocument::Value(QStringView section, QStringView key) const {
    if (const Entry* entry = Find(section, key))
        return entry->value;
    return std::nullopt;
}

void IniDocument::SetValue(const QString& section, const QString& key, const QString& value) {
    const QString text = key + u'=' + value;
    if (const Entry* found = Find(section, key)) {
        Entry& entry = m_entries[static_cast<std::size_t>(found - m_entries.data())];
        entry.key = key;
        entry.value = value;
        m_lines[entry.line].units = Stored(text);
        return;
    }
    const auto known = m_sectionIndex.constFind(Fold(section));
    const std::size_t index = known != m_sectionIndex.cend() ? *known : AddSection(section);
    const std::size_t line = AddLine(text, true);
    m_entries.push_back(Entry{line, key, value});
    Section& target = m_sections[index];
    m_lines[target.anchor].added.push_back(line);
    target.entries.push_back(m_entries.size() - 1);
    m_entryIndex.insert(EntryKey{Fold(target.name), Fold(key)}, m_entries.size() - 1);
}

QStringList IniDocument::Sections() const {
    QStringList names;
    for (const Section& section : m_sections)
        names.append(section.name);
    return names;
}

QStringList IniDocument::Keys(QStringView section) const {
    QStringList keys;
    if (const auto index = m_sectionIndex.constFind(Fold(section)); index != m_sectionIndex.cend()) {
        for (const std::size_t entry : m_sections[*index].entries)
            keys.append(m_entries[entry].key);
    }
    return keys;
}

QString IniDocument::Units() const {
    QString units;
    const auto append = [&](const Line& line) {
        units += line.units;
        units += line.end;
    };
    for (const Line& line : m_lines) {
        if (line.isAdded)
            continue;
        append(line);
        for (const std::size_t added : line.added)
            append(m_lines[added]);
    }
    return units;
}

QByteArray IniDocument::ToBytes() const {
    const QString units = Units();
    if (m_encoding == Encoding::EightBit)
        return (m_byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + units.toLatin1();
    const QString marked = m_byteOrderMark ? QChar(QChar::ByteOrderMark) + units : units;
    QByteArray bytes(marked.size() * 2, Qt::Uninitialized);
    if (m_encoding == Encoding::Utf16BE)
        qToBigEndian<char16_t>(marked.utf16(), marked.size(), bytes.data());
    else
        qToLittleEndian<char16_t>(marked.utf16(), marked.size(), bytes.data());
    return bytes + m_oddByte;
}

QString IniDocument::ToText() const {
    return m_encoding == Encoding::EightBit ? QString::fromUtf8(Units().toLatin1()) : Units();
}

std::optional<IniDocument> IniDocument::Read(const QString& path, QString* error) {
    QFile file(path);
    const auto failure = [&](const QString& text) -> std::optional<IniDocument> {
        if (error != nullptr)
            *error = text;
        return std::nullopt;
    };
    if (!file.open(QIODevice::ReadOnly))
        return failure(file.errorString());
    // Checked before reading and on what arrived, for files whose size is not known beforehand.
    if (file.size() > MaxFileSize)
        return failure(ExtraText(u"FileTooLarge"_s));
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return failure(file.errorString());
    if (bytes.size() > MaxFileSize)
        return failure(ExtraText(u"FileTooLarge"_s));
    return FromBytes(bytes);
}

std::optional<IniDocument> IniDocument::ReadForUpdate(const QString& path, QString* error) {
    if (!QFileInfo::exists(path))
        return IniDocument();
    return Read(path, error);
}

FileResult IniDocument::Save(const QString& path) const {
    QSaveFile file(path);
    // Unbuffered: Qt's buffered flush takes a short write as complete, so a disk that fills up
    // halfway would end in a truncated file reported as saved. Written directly, a short write
    // shows and the next call reports the system's error.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileResult::Failure(file.errorString());
    const QByteArray bytes = ToBytes();
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
