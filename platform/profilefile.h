#pragma once

#include "safefile.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace Platform {

// A profile (INI) file with the behaviour of the Windows profile functions,
// parsed once and kept in memory.
//
// Reading:
//  - section and key names match without regard to letter case, and blanks
//    around them are ignored;
//  - of duplicate sections, and of duplicate keys in one section, the first
//    one wins;
//  - a value loses the blanks around it, and then one pair of matching quotes
//    ('...' or "...") that encloses all of it;
//  - lines starting with ';' and lines without '=' are no keys; they survive
//    writes untouched;
//  - the file is Windows-1250; CRLF and LF line ends are both read.
// Writing:
//  - changing a key rewrites its own line only; a new key goes after the last
//    key of its section, a new section to the end of the file;
//  - line breaks inside a written value become blanks (a value is one line);
//  - changes stay in memory until flush(), which writes the whole file as
//    Windows-1250 with CRLF to a temporary file and renames it over the old
//    one, so a failed write never leaves half a file;
//  - only flush() writes: an object dropped or reloaded with changes pending
//    lets them go, so nothing reaches the disk that no command wrote.
// One object serves one thread at a time: reads remember the section they
// found last. Reading never writes. A file that cannot be read, is no
// regular file, or is larger than maxFileSize, reads as empty, and is never
// overwritten by flush(). A flush that cannot write every byte (a full disk)
// leaves the old file as it was and reports the reason.
// The pieces of profile syntax, for readers that walk a profile text once
// instead of keeping it (large data files). They read as ProfileFile does.
namespace ProfileSyntax {
// The name of a "[name]" header line, trimmed; null when the line is none.
QString sectionName(QStringView line);
// Splits a line of a section into its trimmed key and raw value; false for
// comments, lines without "=" and lines with an empty key.
bool splitKeyLine(QStringView line, QStringView &key, QStringView &value);
// A raw value as read: blanks around it dropped, then one pair of quotes.
QString value(QStringView raw);
// The same as a view into raw.
QStringView valueView(QStringView raw);
// Names compare as their folded forms do: trimmed, letter case folded.
QString foldedName(QStringView name);
bool sameName(QStringView a, QStringView b);
// A hash equal for names that sameName() takes as one.
size_t foldedHash(QStringView name);
} // namespace ProfileSyntax

class ProfileFile
{
public:
    static constexpr qint64 maxFileSize = SizeLimits::Profile;

    explicit ProfileFile(const QString &fileName);
    // Pending changes are let go, not written.
    ~ProfileFile();
    ProfileFile(const ProfileFile &) = delete;
    ProfileFile &operator=(const ProfileFile &) = delete;

    QString fileName() const { return m_fileName; }

    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &key) const;

    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    // Decimal, "$"/"0x" hexadecimal; anything else gives the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    // Read as an integer: any non-zero number is true.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;

    // Section names in file order (first spelling of each).
    QStringList sectionNames() const;
    // Key names of a section in file order.
    QStringList keyNames(const QString &section) const;
    // "key=value" lines of a section in file order (values as read).
    QStringList sectionValues(const QString &section) const;

    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);
    void deleteKey(const QString &section, const QString &key);
    // Removes every key of a section at once; its other lines stay.
    void deleteKeys(const QString &section);
    // Removes every section of that name with all its lines.
    void eraseSection(const QString &section);

    // The whole file as flush() writes it.
    QString text() const;
    // Replaces everything in memory by the profile text; written at flush().
    void setText(const QString &text);

    bool isModified() const { return m_modified; }
    // Writes pending changes. Returns false (and sets errorString) on failure.
    bool flush();
    QString errorString() const { return m_error; }

    // Drops unsaved changes and reads the file again.
    void reload();

private:
    // A name as the lookups compare it: trimmed, with the hash of its folded
    // form, so that names of another hash are never folded letter by letter.
    // The text is a view into the name's own string, which stays put while
    // an index entry holds it.
    struct FoldedName {
        QStringView text;
        size_t hash = 0;
        explicit FoldedName(QStringView name);
        FoldedName(QStringView trimmed, size_t hash) : text(trimmed), hash(hash) {}
        bool operator==(const FoldedName &other) const noexcept;
    };
    struct FoldedNameHash {
        size_t operator()(const FoldedName &name) const noexcept { return name.hash; }
    };
    using NameIndex = std::unordered_map<FoldedName, int, FoldedNameHash>;

    // Text as read: a piece of the parsed file, or a string of its own once
    // written. Moving keeps it in place, as a string's characters stay where
    // they are when the string moves.
    class Piece
    {
    public:
        Piece() = default;
        explicit Piece(QStringView parsed) : m_view(parsed) {}
        explicit Piece(QString own) : m_own(std::move(own)), m_view(m_own) {}
        Piece(const Piece &) = delete;
        Piece &operator=(const Piece &) = delete;
        Piece(Piece &&) noexcept = default;
        Piece &operator=(Piece &&) noexcept = default;
        QStringView view() const { return m_view; }

    private:
        QString m_own;
        QStringView m_view;
    };

    struct Line {
        Piece text;         // the line as in the file, without its line end
        int keyStart = 0;   // the trimmed key is text[keyStart, keyStart + keyLength)
        int keyLength = 0;  // 0 when the line is no key
        int valueStart = 0; // index in text after '='
        size_t keyHash = 0; // of the folded key
        QStringView key() const { return text.view().mid(keyStart, keyLength); }
        FoldedName keyName() const { return {key(), keyHash}; }
        bool isKey() const { return keyLength > 0; }
    };
    struct Section {
        QString name;          // as written between the brackets, trimmed
        Piece headerText;      // the header line as in the file
        bool hasHeader = true; // false for the lines before the first section
        bool duplicate = false;
        std::vector<Line> lines; // the header is not among them
        // Key -> first line with it; kept only for sections with many keys,
        // small ones are searched line by line.
        NameIndex keyIndex;
        int keyCount = 0;
        int lastKeyLine = -1;
    };

    void load(ReadResult file);
    void parse(const QString &text);
    Section *findSection(const FoldedName &name);
    const Section *findSection(const FoldedName &name) const;
    const Line *findLine(const QString &section, const QString &key) const;
    Section *sectionNamed(const QString &section) const;
    void rebuildSectionIndex();
    static void indexLine(Section &section, int lineNumber);
    static void reindexSection(Section &section);
    template <typename Predicate> void eraseKeyLines(Section &section, Predicate isErased);
    static int findKeyLine(const Section &section, const FoldedName &key);

    QString m_fileName;
    QString m_parsedText; // what the pieces of the parsed lines are cut from
    std::vector<std::unique_ptr<Section>> m_sections;
    NameIndex m_sectionIndex; // name -> first section
    mutable QString m_lastSectionName;
    mutable Section *m_lastSection = nullptr; // until the sections are indexed again
    bool m_modified = false;
    QString m_readFailure; // why a file that could not be read is left as it is
    bool m_endsWithNewline = true;
    QString m_error;
    // The file as last read, while the memory holds just what it says; none
    // after a failed read or a write.
    std::optional<QByteArray> m_parsedBytes;
};

} // namespace Platform
