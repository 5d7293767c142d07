#include "ui/common/jobprogresstext.h"

#include "logger/LoggerDownload.h"
#include "text/texts.h"

#include <algorithm>

namespace telmora {

namespace {

constexpr int kBarSteps = 1000;

// `done` of `total` in steps of the bar (none of nothing).
int BarValue(qint64 done, qint64 total) {
    if (total <= 0)
        return 0;
    return static_cast<int>(std::clamp<qint64>(done, 0, total) * kBarSteps / total);
}

// "Reading Data : done of total"; nothing before the count is known.
QString ReadingDetail(qint64 done, qint64 total) {
    return total > 0 ? fillNumbers(text(TextId::ReadingDataFormat), {done, total}) : QString();
}

} // namespace

ProgressLook LookOfProgress(const JobProgress& progress) {
    const qint64 done = progress.done;
    const qint64 total = progress.total;
    ProgressLook look;
    look.maximum = kBarSteps;
    look.value = BarValue(done, total);
    switch (progress.stage) {
    case JobStage::ReadingFile:
        look.title = noticeLine(TextId::ReadingSelectedFile);
        look.colour = Qt::red;
        look.detail = ReadingDetail(done, total);
        break;
    case JobStage::AddingToRecording:
        look.title = noticeLine(TextId::AddingDataToBuffer);
        look.colour = Qt::blue;
        look.detail = fillNumbers(text(TextId::ReadingDataFormat), {total, total});
        look.value = kBarSteps;
        look.abortEnabled = false;
        break;
    case JobStage::StoringSessions:
        look.title = noticeLine(TextId::ReadingSelectedFile);
        look.colour = Qt::red;
        look.detail = ReadingDetail(done, total);
        look.value = kBarSteps;
        look.abortEnabled = false;
        break;
    case JobStage::AcquiringMemory:
        look.title = DownloadStageTitle(DownloadStage::Acquiring);
        if (done > 0)
            look.detail = QString::fromStdString(ReadBytesDetail(
                static_cast<std::uint64_t>(done), static_cast<std::uint64_t>(total)));
        break;
    case JobStage::ProcessingMemory:
        look.title = DownloadStageTitle(DownloadStage::Processing);
        look.detail = text(TextId::Translating);
        break;
    case JobStage::WritingFile:
        look.title = translate("RecorderWindow", "Writing the file…");
        if (total > 0)
            look.detail = translate("RecorderWindow", "%1 of %2 samples written")
                              .arg(QString::number(done), QString::number(total));
        else
            look.maximum = 0; // samples not counted yet: the bar only says work goes on
        break;
    }
    return look;
}

} // namespace telmora
