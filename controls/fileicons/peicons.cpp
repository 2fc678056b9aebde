#include "peicons.h"

#include <optional>
#include <unordered_map>

namespace {

const quint32 ResourceTypeIcon = 3;
const quint32 ResourceTypeGroupIcon = 14;
const qsizetype DirectoryEntrySize = 8;
const qsizetype DirectoryHeaderSize = 16;
const qsizetype SectionHeaderSize = 40;
const qsizetype GroupEntrySize = 14;
const qsizetype IconEntrySize = 16;
// Larger groups and directories do not occur in real programs; the limits
// keep a crafted file from making the reader slow.
const int MaxEntriesPerDirectory = 4096;
const qsizetype MaxImagesInAllGroups = 65536;
const int MaxLanguages = 64;

std::optional<quint16> read16(QByteArrayView bytes, qsizetype offset)
{
    if (offset < 0 || offset > bytes.size() - 2)
        return std::nullopt;
    return quint16(quint8(bytes[offset]) | quint8(bytes[offset + 1]) << 8);
}

std::optional<quint32> read32(QByteArrayView bytes, qsizetype offset)
{
    if (offset < 0 || offset > bytes.size() - 4)
        return std::nullopt;
    return quint32(quint8(bytes[offset])) | quint32(quint8(bytes[offset + 1])) << 8
           | quint32(quint8(bytes[offset + 2])) << 16 | quint32(quint8(bytes[offset + 3])) << 24;
}

// The bytes [offset, offset + size) that lie inside bytes.
QByteArrayView slice(QByteArrayView bytes, qsizetype offset, qsizetype size)
{
    if (offset < 0 || offset >= bytes.size() || size <= 0)
        return {};
    return bytes.sliced(offset, std::min(size, bytes.size() - offset));
}

void put16(QByteArray &out, quint16 value)
{
    out.append(char(value & 0xFF)).append(char(value >> 8));
}

void put32(QByteArray &out, quint32 value)
{
    put16(out, quint16(value & 0xFFFF));
    put16(out, quint16(value >> 16));
}

struct Section {
    quint32 virtualAddress;
    quint32 virtualSize;
    quint32 rawOffset;
    quint32 rawSize;
};

// The sections of a PE file and the address of its resource directory.
struct PeLayout {
    std::vector<Section> sections;
    quint32 resourceRva = 0;

    // The file offset of a relative virtual address with size bytes there.
    std::optional<qsizetype> offsetOf(quint32 rva, quint32 size, qsizetype fileSize) const
    {
        for (const Section &section : sections) {
            // Only what the file holds counts: the rest of a section is zeros.
            const quint64 start = section.virtualAddress;
            if (rva < start || quint64(rva) + size > start + section.rawSize)
                continue;
            const quint64 offset = section.rawOffset + (rva - start);
            if (offset + size > quint64(fileSize))
                return std::nullopt;
            return qsizetype(offset);
        }
        return std::nullopt;
    }
};

std::optional<PeLayout> readLayout(QByteArrayView file)
{
    if (file.size() < 64 || file[0] != 'M' || file[1] != 'Z')
        return std::nullopt;
    const std::optional<quint32> peOffset = read32(file, 0x3C);
    if (!peOffset || *peOffset > quint32(file.size()) || file.size() - *peOffset < 24)
        return std::nullopt;
    const qsizetype pe = *peOffset;
    if (slice(file, pe, 4) != QByteArrayView("PE\0\0", 4))
        return std::nullopt;
    const qsizetype coff = pe + 4;
    const auto sectionCount = read16(file, coff + 2);
    const auto optionalSize = read16(file, coff + 16);
    const qsizetype optional = coff + 20;
    const auto magic = read16(file, optional);
    if (!sectionCount || !optionalSize || !magic)
        return std::nullopt;
    // The data directories follow 96 bytes (PE32) or 112 bytes (PE32+) in.
    const qsizetype directories = optional + (*magic == 0x20B ? 112 : 96);
    const auto directoryCount = read32(file, directories - 4);
    if (*magic != 0x10B && *magic != 0x20B)
        return std::nullopt;
    if (!directoryCount || *directoryCount < 3
        || directories + 3 * 8 > optional + qsizetype(*optionalSize))
        return std::nullopt;
    PeLayout layout;
    const auto resourceRva = read32(file, directories + 2 * 8);
    if (!resourceRva || *resourceRva == 0)
        return std::nullopt;
    layout.resourceRva = *resourceRva;
    const qsizetype sectionTable = optional + *optionalSize;
    for (int i = 0; i < *sectionCount; ++i) {
        const qsizetype header = sectionTable + i * SectionHeaderSize;
        if (header > file.size() - SectionHeaderSize)
            return std::nullopt;
        layout.sections.push_back(
            {*read32(file, header + 12), *read32(file, header + 8), *read32(file, header + 20),
             *read32(file, header + 16)});
    }
    return layout;
}

struct DirectoryEntry {
    quint32 id;         // the name's offset when named
    bool named;
    bool subdirectory;
    quint32 offset;     // from the start of the resource directory
};

// The entries of the resource directory at offset (from the start of the
// resource data at base): named ones first, as the file lists them.
std::vector<DirectoryEntry> readDirectory(QByteArrayView file, qsizetype base, quint32 offset,
                                          int limit = MaxEntriesPerDirectory)
{
    std::vector<DirectoryEntry> entries;
    const qsizetype at = base + qsizetype(offset);
    const auto namedCount = read16(file, at + 12);
    const auto idCount = read16(file, at + 14);
    if (!namedCount || !idCount)
        return entries;
    const int count = std::min<int>(*namedCount + *idCount, limit);
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = at + DirectoryHeaderSize + i * DirectoryEntrySize;
        const auto name = read32(file, entry);
        const auto data = read32(file, entry + 4);
        if (!name || !data)
            break;
        entries.push_back({*name & 0x7FFFFFFF, (*name & 0x80000000) != 0, (*data & 0x80000000) != 0,
                           *data & 0x7FFFFFFF});
    }
    return entries;
}

struct ResourceData {
    qsizetype offset;
    qsizetype size;
};

class ResourceReader
{
public:
    ResourceReader(QByteArrayView file, const PeLayout &layout, qsizetype base)
        : m_file(file), m_layout(layout), m_base(base)
    {
    }

    // The first language's data of each resource of a type, in directory order.
    std::vector<std::pair<DirectoryEntry, ResourceData>> resourcesOfType(quint32 type) const
    {
        std::vector<std::pair<DirectoryEntry, ResourceData>> found;
        for (const DirectoryEntry &typeEntry : readDirectory(m_file, m_base, 0)) {
            if (typeEntry.named || typeEntry.id != type || !typeEntry.subdirectory)
                continue;
            for (const DirectoryEntry &nameEntry : readDirectory(m_file, m_base, typeEntry.offset)) {
                if (!nameEntry.subdirectory)
                    continue;
                if (const auto data = firstLanguage(nameEntry.offset))
                    found.emplace_back(nameEntry, *data);
            }
            break; // the first directory of the type is the one used
        }
        return found;
    }

private:
    std::optional<ResourceData> firstLanguage(quint32 directoryOffset) const
    {
        for (const DirectoryEntry &language : readDirectory(m_file, m_base, directoryOffset, MaxLanguages)) {
            if (language.subdirectory)
                continue;
            const qsizetype entry = m_base + qsizetype(language.offset);
            const auto rva = read32(m_file, entry);
            const auto size = read32(m_file, entry + 4);
            if (!rva || !size)
                return std::nullopt;
            const auto offset = m_layout.offsetOf(*rva, *size, m_file.size());
            if (!offset)
                return std::nullopt;
            return ResourceData{*offset, qsizetype(*size)};
        }
        return std::nullopt;
    }

    QByteArrayView m_file;
    const PeLayout &m_layout;
    qsizetype m_base;
};

using IconsById = std::unordered_map<quint32, ResourceData>;

std::optional<PeIconGroup> readGroup(QByteArrayView file, ResourceData group, const IconsById &icons,
                                     qsizetype imageBudget)
{
    const QByteArrayView bytes = slice(file, group.offset, group.size);
    const auto type = read16(bytes, 2);
    const auto count = read16(bytes, 4);
    if (!type || *type != 1 || !count)
        return std::nullopt;
    PeIconGroup result;
    for (int i = 0; i < *count && qsizetype(result.images.size()) < imageBudget; ++i) {
        const qsizetype entry = 6 + i * GroupEntrySize;
        const auto id = read16(bytes, entry + 12);
        if (!id)
            break;
        const auto icon = icons.find(*id);
        if (icon == icons.end())
            continue;
        QByteArray header = slice(bytes, entry, 8).toByteArray();
        // The stored size is the resource's real one, whatever the group says.
        put32(header, quint32(icon->second.size));
        result.images.push_back({header, icon->second.offset, icon->second.size});
    }
    if (result.images.empty())
        return std::nullopt;
    return result;
}

} // namespace

std::vector<PeIconGroup> readPeIconGroups(QByteArrayView file)
{
    std::vector<PeIconGroup> groups;
    const std::optional<PeLayout> layout = readLayout(file);
    if (!layout)
        return groups;
    const auto base = layout->offsetOf(layout->resourceRva, DirectoryHeaderSize, file.size());
    if (!base)
        return groups;
    const ResourceReader reader(file, *layout, *base);
    IconsById icons;
    for (const auto &[entry, data] : reader.resourcesOfType(ResourceTypeIcon)) {
        if (!entry.named)
            icons.emplace(entry.id, data); // the first of an id wins
    }
    qsizetype imageBudget = MaxImagesInAllGroups;
    for (const auto &[entry, data] : reader.resourcesOfType(ResourceTypeGroupIcon)) {
        if (imageBudget <= 0)
            break;
        if (auto group = readGroup(file, data, icons, imageBudget)) {
            imageBudget -= qsizetype(group->images.size());
            groups.push_back(std::move(*group));
        }
    }
    return groups;
}

QByteArray iconFileFromGroup(QByteArrayView file, const PeIconGroup &group)
{
    const qsizetype count = qsizetype(group.images.size());
    qsizetype total = 6 + count * IconEntrySize;
    for (const PeIconImage &image : group.images) {
        if (image.dataOffset < 0 || image.dataSize < 0 || image.dataOffset > file.size() - image.dataSize)
            return {};
        total += image.dataSize;
        if (total > maxIconFileSize || count > 0xFFFF)
            return {};
    }
    QByteArray out;
    out.reserve(total);
    put16(out, 0);
    put16(out, 1);
    put16(out, quint16(count));
    qsizetype dataOffset = 6 + count * IconEntrySize;
    for (const PeIconImage &image : group.images) {
        out.append(image.entry.left(12));
        put32(out, quint32(dataOffset));
        dataOffset += image.dataSize;
    }
    for (const PeIconImage &image : group.images)
        out.append(slice(file, image.dataOffset, image.dataSize));
    return out;
}

bool looksLikeIconFile(QByteArrayView bytes)
{
    const auto reserved = read16(bytes, 0);
    const auto type = read16(bytes, 2);
    const auto count = read16(bytes, 4);
    return reserved && *reserved == 0 && type && *type == 1 && count && *count > 0;
}
