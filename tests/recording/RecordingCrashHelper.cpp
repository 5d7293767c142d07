// A recording program for the crash-recovery tests: records COUNT samples into
// the temporary directory DIR, prints "recorded N" (N: the samples the recording
// holds) and then waits, still recording, until it is killed, as a crash or a
// power cut would end it.
//
// With "--two-meters" it records a second meter beside the first (its values are
// the first one's times ten).
// With "--mark" it marks the second sample it records and its last one, and edits
// the first of the two markers.
// With "--continue" it first takes up the oldest recording an earlier run left in
// DIR as the recorder's Open of a recovered recording does (load it, then adopt its
// file), and records COUNT more samples after it.
#include "recording/OrphanedRecordings.h"
#include "recording/RecorderController.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace telmora;

namespace {

// Opens the oldest orphan of `directory` into `recorder` and adopts its file.
bool continueOrphan(RecorderController& recorder, const QString& directory) {
    std::vector<OrphanedRecording> orphans = ClaimOrphanedRecordings(directory);
    if (orphans.empty())
        return false;
    OrphanedRecording& orphan = orphans.front();
    QEventLoop loop;
    LoadOutcome outcome = LoadOutcome::Unreadable;
    QObject::connect(&recorder, &RecorderController::loadFinished, &loop,
                     [&](LoadOutcome result, bool) {
                         outcome = result;
                         loop.quit();
                     });
    if (!recorder.startLoad(orphan.path))
        return false;
    loop.exec();
    if (outcome != LoadOutcome::Loaded)
        return false;
    recorder.adoptTemporaryFile(orphan.path, std::move(orphan.claim));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString directory = QString::fromLocal8Bit(argv[1]);
    const int count = std::atoi(argv[2]);
    bool continues = false;
    bool twoMeters = false;
    bool mark = false;
    for (int i = 3; i < argc; ++i) {
        continues |= std::strcmp(argv[i], "--continue") == 0;
        twoMeters |= std::strcmp(argv[i], "--two-meters") == 0;
        mark |= std::strcmp(argv[i], "--mark") == 0;
    }

    DecodedReply reading;
    DecodedReply secondReading;
    std::uint64_t secondCount = 0;
    bool readingsFlow = true;
    const DecodedReplySource firstSource{[] { return true; }, [&] { return readingsFlow; },
                                         [&] { return reading; }};
    RecorderController recorder(firstSource, directory);
    if (twoMeters)
        recorder.setMeters({{{}, {}, firstSource},
                            {QStringLiteral("second"),
                             QStringLiteral("S2"),
                             {[] { return true; }, [&] { return readingsFlow; },
                              [&] { return secondReading; }, [&] { return secondCount; }}}});
    if (continues && !continueOrphan(recorder, directory))
        return 4;
    if (!recorder.startRecording())
        return 3;
    const auto first = static_cast<int>(recorder.recording().size());
    for (int i = first; i < first + count; ++i) {
        const std::string text = " " + std::to_string(i % 10) + ".000";
        reading = DecodedReply{};
        reading.main = MeasureDisplay(text, false, 0x6, 0, DisplayKind::Main);
        secondReading = DecodedReply{};
        secondReading.main =
            MeasureDisplay(" " + std::to_string(i % 10) + "0.00", false, 0x6, 0, DisplayKind::Main);
        ++secondCount;
        recorder.takeSample();
        if (mark && i == first + 1) {
            const int at = recorder.addMarker(QStringLiteral("first draft"));
            recorder.setMarkerNote(at, QStringLiteral("valve opened"));
        }
    }
    if (mark)
        recorder.addMarker(QStringLiteral("heater \"B\", on"), -1, twoMeters ? 1 : -1);
    // The recording stays on, but no further sample arrives before the kill.
    readingsFlow = false;
    std::printf("recorded %d\n", static_cast<int>(recorder.recording().size()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}
