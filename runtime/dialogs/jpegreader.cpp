#include "jpegreader.h"

#include "dialogtexts.h"

#include <algorithm>
#include <csetjmp>
#include <limits>

#include <jpeglib.h>

namespace JpegReader {

namespace {

// The library reports a fatal error by calling error_exit, which must not
// return; ours jumps back to the call that started the failing step. Only
// plain C data lies in the frames in between, so no destructor is skipped.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    int maxScans = MaxScans; // of this picture
    bool tooManyScans = false; // the library met more than maxScans
};

extern "C" void exitWithError(j_common_ptr info)
{
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    manager->base.format_message(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings (a picture cut short, say) are no reason to print anything: the
// part that decoded is shown.
extern "C" void ignoreMessage(j_common_ptr) {}

struct Decoder {
    jpeg_decompress_struct info;
    ErrorManager errors;
    jpeg_progress_mgr progress;
    bool created = false;
};

constexpr unsigned char MarkerStart = 0xFF;
constexpr unsigned char StartOfImage = 0xD8;
constexpr unsigned char EndOfImage = 0xD9;
constexpr unsigned char StartOfScan = 0xDA;
constexpr unsigned char FirstRestart = 0xD0;
constexpr unsigned char LastRestart = 0xD7;
constexpr unsigned char Temporary = 0x01;

unsigned char byteAt(QByteArrayView bytes, qsizetype at)
{
    return static_cast<unsigned char>(bytes[at]);
}

// The code of the next marker at or after at, which moves past it; 0 at the
// end of the bytes. 0xFF 0x00 is a coded 0xFF, and bytes before a 0xFF are
// passed over, as the library does.
unsigned char nextMarker(QByteArrayView bytes, qsizetype &at)
{
    while (at < bytes.size()) {
        if (byteAt(bytes, at++) != MarkerStart)
            continue;
        while (at < bytes.size() && byteAt(bytes, at) == MarkerStart)
            ++at;
        if (at >= bytes.size())
            return 0;
        const unsigned char code = byteAt(bytes, at++);
        if (code != 0)
            return code;
    }
    return 0;
}

// Markers without a length.
bool standsAlone(unsigned char code)
{
    return (code >= FirstRestart && code <= LastRestart) || code == StartOfImage || code == Temporary;
}

// A progressive picture needs a dozen scans or so; a file that repeats
// scans by the thousand would keep the library busy for minutes, each scan
// a pass over the whole picture. countScans refuses such a file before any
// scan is decoded; the monitor stays as a second bound, should the library
// ever meet a scan the count did not.
extern "C" void boundScans(j_common_ptr common)
{
    auto *info = reinterpret_cast<j_decompress_ptr>(common);
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    if (info->input_scan_number <= manager->maxScans)
        return;
    manager->tooManyScans = true;
    std::longjmp(manager->jump, 1);
}

bool readHeader(Decoder &decoder, const unsigned char *bytes, unsigned long size)
{
    decoder.info.err = jpeg_std_error(&decoder.errors.base);
    decoder.errors.base.error_exit = exitWithError;
    decoder.errors.base.output_message = ignoreMessage;
    decoder.errors.message[0] = '\0';
    if (setjmp(decoder.errors.jump))
        return false;
    jpeg_create_decompress(&decoder.info);
    decoder.created = true;
    decoder.progress = {};
    decoder.progress.progress_monitor = boundScans;
    decoder.info.progress = &decoder.progress;
    jpeg_mem_src(&decoder.info, bytes, size);
    jpeg_read_header(&decoder.info, TRUE);
    decoder.info.out_color_space = JCS_RGB;
    jpeg_calc_output_dimensions(&decoder.info);
    return true;
}

// Fills rows of the decoder's output size, each bytesPerLine apart.
bool readPixels(Decoder &decoder, unsigned char *pixels, qsizetype bytesPerLine)
{
    if (setjmp(decoder.errors.jump))
        return false;
    jpeg_start_decompress(&decoder.info);
    while (decoder.info.output_scanline < decoder.info.output_height) {
        JSAMPROW row = pixels + qsizetype(decoder.info.output_scanline) * bytesPerLine;
        jpeg_read_scanlines(&decoder.info, &row, 1);
    }
    jpeg_finish_decompress(&decoder.info);
    return true;
}

void destroy(Decoder &decoder)
{
    if (decoder.created)
        jpeg_destroy_decompress(&decoder.info);
}

Result failure(Decoder &decoder)
{
    Result result{{}, QString::fromLocal8Bit(decoder.errors.message)};
    if (decoder.errors.tooManyScans) {
        result.error = DialogTexts::tooManyScans(0, decoder.info.output_width, decoder.info.output_height,
                                                 decoder.errors.maxScans);
    }
    if (result.error.isEmpty())
        result.error = DialogTexts::NotJpeg;
    destroy(decoder);
    return result;
}

} // namespace

int scansAllowed(quint32 width, quint32 height)
{
    const qint64 pixels = std::max<qint64>(qint64(width) * height, 1);
    return int(std::clamp<qint64>(MaxScanPixels / pixels, 1, MaxScans));
}

int countScans(QByteArrayView bytes, int limit)
{
    // The library takes only bytes that start with the start of a picture.
    if (bytes.size() < 2 || byteAt(bytes, 0) != MarkerStart || byteAt(bytes, 1) != StartOfImage)
        return 0;
    int scans = 0;
    qsizetype at = 2;
    while (scans <= limit) {
        const unsigned char code = nextMarker(bytes, at);
        if (code == 0 || code == EndOfImage)
            break;
        if (standsAlone(code))
            continue;
        if (at + 2 > bytes.size())
            break;
        // The length counts its own two bytes; a smaller one skips just them.
        const int length = (byteAt(bytes, at) << 8) | byteAt(bytes, at + 1);
        at += std::max(length, 2);
        if (code == StartOfScan)
            ++scans;
    }
    return scans;
}

Result decode(QByteArrayView bytes, int maxSide)
{
    if (bytes.isEmpty())
        return {{}, DialogTexts::EmptyFile};
    Decoder decoder;
    if (!readHeader(decoder, reinterpret_cast<const unsigned char *>(bytes.data()), (unsigned long)bytes.size()))
        return failure(decoder);

    // From here on the file is a JPEG, whether its picture decodes or not.
    const bool jpeg = true;
    const JDIMENSION width = decoder.info.output_width;
    const JDIMENSION height = decoder.info.output_height;
    if (width == 0 || height == 0 || width > JDIMENSION(maxSide) || height > JDIMENSION(maxSide)
        || decoder.info.output_components != 3) {
        destroy(decoder);
        return {{}, DialogTexts::pictureTooLarge(width, height, maxSide), jpeg};
    }
    const int allowed = scansAllowed(width, height);
    decoder.errors.maxScans = allowed;
    // Counted to the end, so a refusal tells how many: a picture within the
    // bound is walked to its end anyway, and the walk decodes nothing.
    if (const int scans = countScans(bytes, std::numeric_limits<int>::max()); scans > allowed) {
        destroy(decoder);
        return {{}, DialogTexts::tooManyScans(scans, width, height, allowed), jpeg};
    }
    QImage picture(int(width), int(height), QImage::Format_RGB888);
    if (picture.isNull()) {
        destroy(decoder);
        return {{}, DialogTexts::noMemoryForPicture(width, height), jpeg};
    }
    // Lines the data leaves out stay black.
    picture.fill(Qt::black);
    if (!readPixels(decoder, picture.bits(), picture.bytesPerLine())) {
        Result refused = failure(decoder);
        refused.jpeg = jpeg;
        return refused;
    }
    destroy(decoder);
    return {picture, {}, jpeg};
}

} // namespace JpegReader
