#pragma once

#include "wave.h"

#include <memory>

namespace Platform::Audio {

// A sound playing on the sound card. Sinks come from a plug-in built into
// the program and loaded when the first sound plays: it brings in Qt
// Multimedia and the sound system's libraries, dozens of them, which a
// program start need not wait for.
class DeviceSink
{
public:
    virtual ~DeviceSink() = default;
    virtual void stop() = 0;
};

// Starts data playing on the default output; null when there is no sound
// card, or the plug-in cannot be loaded.
std::unique_ptr<DeviceSink> startDeviceSink(const PcmFormat &format, const QByteArray &data);
// Loads the plug-in, when that has not happened yet; whether it could be.
bool deviceSinkPluginLoads();

} // namespace Platform::Audio

// The plug-in's one entry point.
extern "C" {
using KalvoraStartDeviceSink = Platform::Audio::DeviceSink *(*)(const Platform::Audio::PcmFormat *format,
                                                                  const QByteArray *data);
}
