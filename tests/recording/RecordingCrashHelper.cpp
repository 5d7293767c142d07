// A recording program for the crash-recovery tests: records COUNT samples into
// the temporary directory DIR, prints "recorded COUNT" and then waits, still
// recording, until it is killed, as a crash or a power cut would end it.
#include "recording/RecorderController.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace telmora;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString directory = QString::fromLocal8Bit(argv[1]);
    const int count = std::atoi(argv[2]);

    LiveReading reading;
    bool readingsFlow = true;
    RecorderController recorder(
        {[] { return true; }, [&] { return readingsFlow; }, [&] { return reading; }}, directory);
    if (!recorder.startRecording())
        return 3;
    for (int i = 0; i < count; ++i) {
        const std::string text = " " + std::to_string(i % 10) + ".000";
        reading = LiveReading{};
        reading.mainText.assign(text);
        reading.mainPrefixExponent.assign("0");
        reading.mainCode = 0x6;
        reading.mainModeLabel.assign("DC");
        reading.mainDisplayLine.text.assign(text);
        reading.mainDisplayLine.part2.assign("V");
        recorder.takeSample();
    }
    // The recording stays on, but no further sample arrives before the kill.
    readingsFlow = false;
    std::printf("recorded %d\n", static_cast<int>(recorder.recording().size()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}
