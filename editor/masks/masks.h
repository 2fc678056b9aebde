#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Matching of file names (and file contents) against the masks a user types,
// such as "install.exe;setup.exe" or "*.zip;*.rar". Pure functions, so the
// disk-search threads can call them.
//
// The matcher scans left to right without backtracking: after a "*" a
// literal is looked for at its first occurrence only. Masks stored by users
// rely on that, so "*.exe" does not match "a.exe.exe".
namespace Masks {

// Whether the texts are lower-cased before they are matched; the disk
// searches always do, the file list only when it is asked to.
enum class Case { Lower, Keep };

// The masks of a mask text: "," and ";" separate them, blanks around each
// are dropped, an empty piece stays as an (empty) mask. An empty text gives
// the single mask "*". With addStars a mask holding none of "*?." becomes
// "*mask*", and a mask without "." that does not end in "*" gets one
// appended. The list is sorted.
QStringList SplitMasks(const QString &text, bool addStars, Case textCase = Case::Lower);

// Whether name matches mask. A plain mask (no "*" or "?") must equal the
// name when exact, else occur in it. Comparisons are character for
// character.
bool MatchMask(const QString &name, const QString &mask, bool exact);

// Whether name matches any mask of the list. An empty name is matched like
// any other, so only a mask of stars matches it; an empty list matches
// nothing.
bool MatchMaskList(const QString &name, const QStringList &masks, bool exact, Case textCase = Case::Lower);

// A mask list prepared once for many names (a disk search): matches as
// MatchMaskList does with Case::Lower, without cutting the masks again for
// every name.
class MaskMatcher
{
public:
    explicit MaskMatcher(const QStringList &masks = {});
    ~MaskMatcher();
    MaskMatcher(MaskMatcher &&) noexcept;
    MaskMatcher &operator=(MaskMatcher &&) noexcept;

    bool matches(const QString &name, bool exact) const;
    // For a name already in lower case.
    bool matchesLowerCase(QStringView name, bool exact) const;

private:
    struct Compiled;
    std::vector<Compiled> m_masks;
};

// Whether the lower-cased Windows-1250 text of the file matches the content
// masks (not exact, so a plain mask is found anywhere). An empty list or one
// whose first mask is "*" matches without reading. The file is read in
// chunks of chunkBytes that overlap where a text may straddle them, so a
// file of any size is searched in bounded memory. A file that cannot be
// opened does not match.
bool SearchFileText(const QString &path, const QStringList &masks, qint64 chunkBytes = 64 * 1024);

} // namespace Masks
