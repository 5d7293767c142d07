#include "cli/inputchecks.h"

#include "recording/RecorderFile.h"

#include <QIODevice>

namespace telmora::cli {

bool OpenRecorderInput(RecorderFileReader& reader, const char* path, std::FILE* err,
                       FileLinks links) {
    // The file is opened by the exact bytes given, so names that are not valid
    // UTF-8 are found too.
    switch (reader.openNative(QByteArray(path), links)) {
    case RecorderFileReader::OpenStatus::CannotOpen:
        std::fprintf(err, "telmora-cli: cannot open '%s' as a recorder file: %s\n", path,
                     reader.openError().toStdString().c_str());
        return false;
    case RecorderFileReader::OpenStatus::NegativeCount:
        std::fprintf(err, "telmora-cli: '%s' announces a negative number of samples\n", path);
        return false;
    case RecorderFileReader::OpenStatus::Ok:
        break;
    }
    using NoSamples = RecorderFileReader::NoSamples;
    switch (reader.noSamples()) {
    case NoSamples::No:
        return true;
    case NoSamples::Empty:
        std::fprintf(err, "telmora-cli: '%s' holds no samples\n", path);
        return true;
    case NoSamples::TooShort:
        std::fprintf(err,
                     reader.format() == RecorderFormat::G53
                         ? "telmora-cli: '%s' is damaged and holds no samples: it is too short "
                           "for its sample count\n"
                         : "telmora-cli: '%s' is damaged and holds no samples: it is shorter "
                           "than one sample\n",
                     path);
        return false;
    case NoSamples::DataAfterZero:
        std::fprintf(err,
                     "telmora-cli: '%s' is damaged and holds no samples: its sample count is 0 "
                     "but data follows it\n",
                     path);
        return false;
    }
    return false;
}

bool CheckSessionCount(QIODevice& in, std::size_t sessions, const char* path, std::FILE* err) {
    if (sessions != 0) {
        return true;
    }
    if (!in.atEnd()) {
        std::fprintf(err,
                     "telmora-cli: '%s' is damaged and holds no sessions: its session count is "
                     "0 but data follows it\n",
                     path);
        return false;
    }
    std::fprintf(err, "telmora-cli: '%s' holds no sessions\n", path);
    return true;
}

} // namespace telmora::cli
