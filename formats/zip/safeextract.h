#pragma once

// The one writer through which every archive plug-in puts entries on disk.
// Nothing it writes can land outside its target folder:
//  - names with "..", absolute names, drive letters, UNC names, NUL bytes,
//    names longer than the system's path limit or no name at all are
//    refused, before any folder of them is made;
//  - every folder below the target is opened without following links, so
//    neither a link entry nor a link already on disk leads outside;
//  - only regular files and folders are written;
//  - a file is written into a temporary name beside it and renamed only
//    when every byte is on disk; a partial file is removed.

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ZipFormat {

// The names of the folders and the file that a stored name (with "/" or
// "\" separators) consists of; empty when the name is refused.
std::vector<std::string> safeNameParts(std::string_view storedName);

class SafeExtractor
{
public:
    enum class Status { Written, Skipped, Refused, Failed, Cancelled };

    // Hands the content in pieces to write; returns false to stop (the
    // file is then removed).
    using Writer = std::function<bool(const char *data, std::size_t size)>;
    using Producer = std::function<bool(const Writer &write)>;

    // The target must be an absolute path naming an existing folder.
    explicit SafeExtractor(const std::string &targetFolder);
    ~SafeExtractor();
    SafeExtractor(const SafeExtractor &) = delete;
    SafeExtractor &operator=(const SafeExtractor &) = delete;

    bool isOpen() const { return m_rootFd >= 0; }

    Status makeFolder(std::string_view storedName);

    // Whether a regular file of that name exists, and its modification time.
    bool fileExists(std::string_view storedName, std::time_t *modified = nullptr) const;

    // Writes a file from what produce hands over. An existing file is kept
    // unless overwrite is set; mtime (when not 0) becomes its time.
    Status writeFile(std::string_view storedName, const Producer &produce, bool overwrite, std::time_t mtime = 0);

    // Why the last call failed or refused.
    const std::string &error() const { return m_error; }

private:
    // A descriptor of the folder holding the last part, each folder opened
    // without following links; -1 on failure. Folders are made when create.
    int openParentFolder(const std::vector<std::string> &parts, bool create) const;
    // Whether the target folder and the parts stay below the system's path
    // limit, so every file written can be opened by its path.
    bool withinPathLimit(const std::vector<std::string> &parts) const;

    int m_rootFd = -1;
    std::size_t m_rootLength = 0;
    mutable std::string m_error;
    // The folder of the last file, kept open: archives list the files of
    // one folder together.
    mutable std::vector<std::string> m_cachedFolder;
    mutable int m_cachedFd = -1;
};

} // namespace ZipFormat
