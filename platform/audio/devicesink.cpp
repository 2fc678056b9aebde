#include "devicesink.h"

#include "safefile.h"

#include <QByteArray>

#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>

// The plug-in's file, built into the program (devicesinkimage.S).
extern "C" const char kalvora_devicesink_image[];
extern "C" const char kalvora_devicesink_image_end[];

namespace Platform::Audio {
namespace {

// The plug-in travels inside the program, so a menu copied to a CD is still
// one file; the system loads libraries only from files, which a file in
// memory provides.
KalvoraStartDeviceSink loadPlugin()
{
    const int fd = ::memfd_create("kalvora-devicesink", MFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    void *library = nullptr;
    if (writeAll(fd, kalvora_devicesink_image, kalvora_devicesink_image_end - kalvora_devicesink_image)) {
        const QByteArray path = "/proc/self/fd/" + QByteArray::number(fd);
        library = ::dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    }
    ::close(fd); // a loaded library keeps its own mapping
    return library ? reinterpret_cast<KalvoraStartDeviceSink>(::dlsym(library, "kalvoraStartDeviceSink")) : nullptr;
}

KalvoraStartDeviceSink pluginEntry()
{
    static const KalvoraStartDeviceSink start = loadPlugin();
    return start;
}

} // namespace

std::unique_ptr<DeviceSink> startDeviceSink(const PcmFormat &format, const QByteArray &data)
{
    const KalvoraStartDeviceSink start = pluginEntry();
    return std::unique_ptr<DeviceSink>(start ? start(&format, &data) : nullptr);
}

bool deviceSinkPluginLoads()
{
    return pluginEntry() != nullptr;
}

} // namespace Platform::Audio
