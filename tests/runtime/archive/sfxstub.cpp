// Stand-in for the self-extractor stub: finds the settings header that
// follows it in its own file, prints it, and extracts the archive behind it
// into the folder named by its first argument.

#include "safeextract.h"
#include "zipdirectory.h"

#include <zip.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::size_t HeaderSize = 256;

bool isHeaderAt(const std::string &bytes, std::size_t at)
{
    if (at + HeaderSize + 4 > bytes.size())
        return false;
    if (bytes[at] != 'M' || bytes[at + 1] != 'P' || bytes[at + 2] != 'U')
        return false;
    const std::string behind = bytes.substr(at + HeaderSize, 4);
    return behind == std::string("PK\x03\x04", 4) || behind == std::string("PK\x05\x06", 4);
}

std::string readSelf()
{
    std::string bytes;
    FILE *self = std::fopen("/proc/self/exe", "rb");
    if (!self)
        return bytes;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, self)) > 0)
        bytes.append(buffer, got);
    std::fclose(self);
    return bytes;
}

int extract(const std::string &target)
{
    ZipFormat::SafeExtractor out(target);
    int error = 0;
    zip_t *archive = zip_open("/proc/self/exe", ZIP_RDONLY, &error);
    if (!archive || !out.isOpen()) {
        std::fprintf(stderr, "cannot open the archive (%d)\n", error);
        return 2;
    }
    int written = 0;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        const std::string name = zip_get_name(archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        if (!name.empty() && name.back() == '/') {
            out.makeFolder(name);
            continue;
        }
        auto produce = [&](const ZipFormat::SafeExtractor::Writer &write) {
            zip_file_t *file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
            if (!file)
                return false;
            std::vector<char> buffer(65536);
            zip_int64_t got = 0;
            bool ok = true;
            while (ok && (got = zip_fread(file, buffer.data(), buffer.size())) > 0)
                ok = write(buffer.data(), static_cast<std::size_t>(got));
            zip_fclose(file);
            return ok && got == 0;
        };
        if (out.writeFile(name, produce, true) == ZipFormat::SafeExtractor::Status::Written)
            ++written;
    }
    zip_close(archive);
    std::printf("extracted=%d\n", written);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string self = readSelf();
    std::size_t at = 0;
    while (at < self.size() && !isHeaderAt(self, at))
        ++at;
    if (at >= self.size()) {
        std::fprintf(stderr, "no header\n");
        return 1;
    }
    const auto *h = reinterpret_cast<const unsigned char *>(self.data() + at);
    const std::size_t caption = h[4], folder = h[5], command = h[6];
    std::printf("flags=0x%02x\n", h[3]);
    std::printf("caption=%s\n", self.substr(at + 7, caption).c_str());
    std::printf("folder=%s\n", self.substr(at + 7 + caption, folder).c_str());
    std::printf("command=%s\n", self.substr(at + 7 + caption + folder, command).c_str());
    std::printf("stub=%zu\n", at);
    return argc > 1 ? extract(argv[1]) : 0;
}
