#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QObject>

#include <memory>

class QAudioSink;

namespace telmora {

// Plays short sine tones (the comparator's alarm) on the default audio output.
// Where there is no audio output (a headless session) it rings the system bell
// instead. play() returns at once; a new tone replaces one still playing.
class ToneGenerator : public QObject {
    Q_OBJECT
public:
    explicit ToneGenerator(QObject* parent = nullptr);
    ~ToneGenerator() override;

    void play(int frequencyHz, int durationMs);

    static bool hasAudioOutput();

private:
    std::unique_ptr<QAudioSink> m_sink;
    QBuffer m_buffer;
    QByteArray m_samples;
};

} // namespace telmora
