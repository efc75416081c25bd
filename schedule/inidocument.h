#pragma once

#include "fileresult.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace zorvex {

// An INI text that keeps its order. Reading: every line is trimmed; empty lines and lines
// starting with ";" are skipped; "[name]" starts a section; lines before the first section and
// lines without "=" carry nothing; an entry is split at its first "=" with blanks around key and
// value removed. Section and key names match without regard to case, and the first occurrence of
// a key counts. Writing a value replaces its line in place, appends a new key after the last
// entry of its section and a new section to the end of the text.
//
// A file keeps every line that is not written byte for byte: its encoding (UTF-8, bytes that are
// no UTF-8 such as Latin-1 umlauts, or UTF-16 with or without byte order mark) and each line's
// own line end (CR LF, LF or CR). New lines take the file's first line end; a new file is UTF-8
// with CR LF and one empty line after each section. Lines end at CR LF, LF or CR alike, and
// lookups go through a hash, so reading and writing stay linear in the file's size.
//
// QSettings would reorder sections and keys, drop what it does not know and quote values, so the
// configuration file uses this class instead.
class IniDocument {
public:
    // Larger files are refused: a configuration file holds a few kilobytes.
    static constexpr qint64 MaxFileSize = 1024 * 1024;

    // A UTF-8 text.
    static IniDocument Parse(QStringView text);
    // A file's content, its encoding found from a byte order mark or the first character.
    static IniDocument FromBytes(const QByteArray& bytes);
    // The document in a file; empty with the reason when it cannot be read or is over MaxFileSize.
    static std::optional<IniDocument> Read(const QString& path, QString* error = nullptr);
    // The same, but an empty document when no file exists at `path`: what an export updates.
    static std::optional<IniDocument> ReadForUpdate(const QString& path, QString* error = nullptr);

    std::optional<QString> Value(QStringView section, QStringView key) const;
    void SetValue(const QString& section, const QString& key, const QString& value);

    // Section names in text order (a name repeated in the text is listed each time).
    QStringList Sections() const;
    // Keys of the first section of that name, in text order.
    QStringList Keys(QStringView section) const;

    // The file's content as it would be saved, and the same as text.
    QByteArray ToBytes() const;
    QString ToText() const;
    // Replaces the file as a whole: the old content stays until the new one is complete.
    FileResult Save(const QString& path) const;

private:
    enum class Encoding { EightBit, Utf16LE, Utf16BE };
    struct Line {
        // The line as stored: one character per byte in an 8-bit file (so that any byte survives),
        // one per code unit in a UTF-16 file; its line end in the same form ("" for the last line
        // of a file without a final line end).
        QString units;
        QString end;
        // Lines of keys added to the section after this line, and whether this line is one of them.
        std::vector<std::size_t> added;
        bool isAdded = false;
    };
    struct Entry {
        std::size_t line;
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        // The line new keys go after: the section's last entry, or its header.
        std::size_t anchor;
        std::vector<std::size_t> entries;
    };
    using EntryKey = std::pair<QString, QString>;

    static IniDocument FromUnits(QStringView units, Encoding encoding, bool byteOrderMark);
    QString Readable(QStringView units) const;
    QString Stored(const QString& text) const;
    // The lines in text order, as stored.
    QString Units() const;
    std::size_t AddLine(const QString& text, bool added);
    void ParseLine(std::size_t line);
    const Entry* Find(QStringView section, QStringView key) const;
    std::size_t AddSection(const QString& name);

    Encoding m_encoding = Encoding::EightBit;
    bool m_byteOrderMark = false;
    // The line end of new lines.
    QString m_newLine = QStringLiteral("\r\n");
    // A last odd byte of a UTF-16 file.
    QByteArray m_oddByte;
    std::vector<Line> m_lines;
    std::vector<Entry> m_entries;
    std::vector<Section> m_sections;
    // Case-folded names to the first section of that name and the first entry of a key.
    QHash<QString, std::size_t> m_sectionIndex;
    QHash<EntryKey, std::size_t> m_entryIndex;
    // The section the next parsed entry belongs to (none before the first).
    std::optional<std::size_t> m_parseSection;
};

} // namespace zorvex
