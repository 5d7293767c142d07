#include "ui/live/ToneGenerator.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

#include <cmath>
#include <cstring>

namespace telmora {

namespace {

constexpr double kVolume = 0.35;
constexpr double kPi = 3.14159265358979323846;

// One tone in the sink's sample format, with short fades so that it starts and
// ends without a click.
QByteArray makeTone(const QAudioFormat& format, int frequencyHz, int durationMs) {
    const int rate = format.sampleRate() > 0 ? format.sampleRate() : 48000;
    const int channels = std::max(1, format.channelCount());
    const int frames = std::max(1, rate * durationMs / 1000);
    const int fade = std::min(frames / 4, rate / 200); // up to 5 ms
    const int bytesPerSample = format.bytesPerSample();
    QByteArray data(frames * channels * bytesPerSample, '\0');
    char* out = data.data();
    for (int i = 0; i < frames; ++i) {
        double envelope = 1.0;
        if (fade > 0 && i < fade)
            envelope = static_cast<double>(i) / fade;
        else if (fade > 0 && i >= frames - fade)
            envelope = static_cast<double>(frames - 1 - i) / fade;
        const double v = kVolume * envelope * std::sin(2.0 * kPi * frequencyHz * i / rate);
        for (int c = 0; c < channels; ++c) {
            switch (format.sampleFormat()) {
            case QAudioFormat::UInt8: {
                const auto s = static_cast<quint8>(std::lround(128.0 + v * 127.0));
                std::memcpy(out, &s, 1);
                break;
            }
            case QAudioFormat::Int16: {
                const auto s = static_cast<qint16>(std::lround(v * 32767.0));
                std::memcpy(out, &s, 2);
                break;
            }
            case QAudioFormat::Int32: {
                const auto s = static_cast<qint32>(std::lround(v * 2147483647.0));
                std::memcpy(out, &s, 4);
                break;
            }
            case QAudioFormat::Float: {
                const auto s = static_cast<float>(v);
                std::memcpy(out, &s, 4);
                break;
            }
            default:
                break;
            }
            out += bytesPerSample;
        }
    }
    return data;
}

} // namespace

ToneGenerator::ToneGenerator(QObject* parent) : QObject(parent) {}

ToneGenerator::~ToneGenerator() {
    if (m_sink)
        m_sink->stop();
}

bool ToneGenerator::hasAudioOutput() {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

void ToneGenerator::play(int frequencyHz, int durationMs) {
    if (frequencyHz <= 0 || durationMs <= 0)
        return;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        QApplication::beep();
        return;
    }
    QAudioFormat format;
    format.setSampleRate(48000);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        format = device.preferredFormat();
    if (format.sampleFormat() == QAudioFormat::Unknown || format.bytesPerSample() <= 0) {
        QApplication::beep();
        return;
    }

    if (m_sink)
        m_sink->stop();
    if (!m_sink || m_sink->format() != format) {
        m_sink = std::make_unique<QAudioSink>(device, format);
        connect(m_sink.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
            if (state == QAudio::IdleState && m_sink)
                m_sink->stop();
        });
    }
    m_buffer.close();
    m_samples = makeTone(format, frequencyHz, durationMs);
    m_buffer.setData(m_samples);
    m_buffer.open(QIODevice::ReadOnly);
    m_sink->start(&m_buffer);
    if (m_sink->error() != QAudio::NoError)
        QApplication::beep();
}

} // namespace telmora
