#pragma once

// Random-access bytes of an archive: a regular file or a buffer.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ZipFormat {

class Source
{
public:
    virtual ~Source() = default;
    virtual std::int64_t size() const = 0;
    // Exactly count bytes at offset, or false.
    virtual bool readAt(std::int64_t offset, void *buffer, std::size_t count) const = 0;
};

class MemorySource : public Source
{
public:
    explicit MemorySource(std::string_view bytes) : m_bytes(bytes) {}
    std::int64_t size() const override { return static_cast<std::int64_t>(m_bytes.size()); }
    bool readAt(std::int64_t offset, void *buffer, std::size_t count) const override;

private:
    std::string_view m_bytes;
};

// A regular file opened for reading; a FIFO, a device or a folder is refused
// before anything is read from it.
class FileSource : public Source
{
public:
    explicit FileSource(const std::string &path);
    ~FileSource() override;
    FileSource(const FileSource &) = delete;
    FileSource &operator=(const FileSource &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    std::int64_t size() const override { return m_size; }
    bool readAt(std::int64_t offset, void *buffer, std::size_t count) const override;

private:
    int m_fd = -1;
    std::int64_t m_size = 0;
};

} // namespace ZipFormat
