#pragma once

// A zip archive spread over several volumes (disks or numbered part files):
// its directory read across the volumes, and the whole set joined into one
// ordinary archive that any zip reader opens.

#include "zipdirectory.h"

#include <functional>

namespace ZipFormat {

// The volumes of a set, numbered from 0; how a volume is found (a part file,
// a disk to insert) is the caller's.
class VolumeProvider
{
public:
    virtual ~VolumeProvider() = default;
    // The volume's bytes, valid until the next call; nullptr when it cannot
    // be had (the provider may throw to stop the whole operation).
    virtual const Source *volume(int number) = 0;
};

struct SpanDirectory
{
    int error = 0; // message id; the rest is empty then
    EndLocation end;
    std::string bytes; // the central directory as stored
    std::vector<Entry> entries;
};

// The directory of a set whose last volume is last: it starts in its own
// volume at the offset recorded there, and may continue in the next ones.
SpanDirectory readSpanDirectory(VolumeProvider &volumes, const Source &last, CodePage codePage = CodePage::Auto);

struct JoinProgress
{
    std::function<void(int files, std::int64_t bytes)> totals;
    std::function<void(const Entry &entry, std::int64_t size)> newFile;
    // Bytes just written; returns false to stop.
    std::function<bool(std::int64_t written)> update;
};

// Writes the joined archive through write (returns false on a write error).
// Each entry's data is taken from where the directory says, so entries of
// equal names stay apart and gaps between entries are dropped; entries
// with a data descriptor keep it. 0 or the failing message id.
int joinSpannedSet(VolumeProvider &volumes, const SpanDirectory &directory,
                   const std::function<bool(const char *data, std::size_t size)> &write,
                   const JoinProgress &progress = {});

// Message ids of the join.
namespace Message {
inline constexpr int Cancelled = 11007;
inline constexpr int LocalReadFailed = 11012;
inline constexpr int LocalSignatureWrong = 11014;
inline constexpr int LocalNameReadFailed = 11016;
inline constexpr int LocalExtraReadFailed = 11018;
inline constexpr int DataReadFailed = 11021;
inline constexpr int LocalWriteFailed = 11028;
inline constexpr int CentralWriteFailed = 11029;
inline constexpr int EndWriteFailed = 11030;
inline constexpr int SpanSignatureWrong = 11031;
inline constexpr int OverlappingEntries = 11106;
} // namespace Message

} // namespace ZipFormat
