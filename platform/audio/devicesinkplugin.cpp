// The sound card side of the audio library, as a plug-in of its own: see
// devicesink.h.
#include "devicesink.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

namespace {

using namespace Platform::Audio;

QAudioFormat toQtFormat(const PcmFormat &format)
{
    QAudioFormat qt;
    qt.setSampleRate(format.sampleRate);
    qt.setChannelCount(format.channels);
    qt.setSampleFormat(format.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return qt;
}

class QtDeviceSink : public DeviceSink
{
public:
    QtDeviceSink(const QAudioDevice &device, const PcmFormat &format, const QByteArray &data)
        : m_sink(device, toQtFormat(format))
    {
        m_buffer.setData(data);
        m_buffer.open(QIODevice::ReadOnly);
        m_sink.start(&m_buffer);
    }
    ~QtDeviceSink() override { m_sink.stop(); }

    void stop() override { m_sink.stop(); }

private:
    QBuffer m_buffer; // outlives the sink that reads it
    QAudioSink m_sink;
};

} // namespace

extern "C" __attribute__((visibility("default"))) DeviceSink *kalvoraStartDeviceSink(const PcmFormat *format,
                                                                                   const QByteArray *data)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return nullptr;
    return new QtDeviceSink(device, *format, *data);
}
