// A program for the tests of a several-meter save that is killed: it saves a
// recording of METERS meters with SAMPLES samples each as the manifest PATH, over
// whatever recording is there, as the recorder's Save As does. It prints "saving"
// just before the save starts and "saved" when it has ended well.
//
// Every sample of the recording is a gap with the time text of GENERATION (a
// number, see SetSaveCrash.h), so that a test can tell which save a file on the
// disk comes from.
#include "SetSaveCrash.h"
#include "recording/GapSample.h"
#include "recording/recordingset.h"

#include <QCoreApplication>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace telmora;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 5)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int meters = std::atoi(argv[2]);
    const int samples = std::atoi(argv[3]);
    const SampleEntry sample = MakeGapSample(GenerationTime(std::atoi(argv[4])));
    std::vector<RecordStore> stores(static_cast<std::size_t>(meters));
    for (RecordStore& store : stores)
        for (int i = 0; i < samples; ++i)
            store.appendInMemory(sample);
    std::vector<RecordingSetMember> members;
    for (int m = 0; m < meters; ++m)
        members.push_back({QStringLiteral("Meter %1").arg(m + 1), QStringLiteral("S%1").arg(m + 1),
                           &stores[static_cast<std::size_t>(m)]});

    std::puts("saving");
    std::fflush(stdout);
    QString error;
    if (!SaveRecordingSet(path, members, QStringLiteral("M1+M2"), &error)) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        return 1;
    }
    std::puts("saved");
    return 0;
}
