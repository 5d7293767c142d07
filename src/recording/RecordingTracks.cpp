#include "recording/RecordingTracks.h"

#include "recording/GapSample.h"
#include "recording/RecordingManifest.h"
#include "recording/TemporaryGroupFile.h"
#include "recording/recordingset.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace telmora {

RecordingTracks::RecordingTracks(QString temporaryDirectory, DecodedReplySource defaultSource)
    : m_directory(std::move(temporaryDirectory)),
      m_defaultSource(std::move(defaultSource)), m_configured{{{}, {}, m_defaultSource}} {
    m_tracks.push_back(std::make_unique<MeterTrack>(m_configured.front(), m_directory));
}

RecordingTracks::~RecordingTracks() {
    // The tracks' files go before the group files that name them.
    m_tracks.clear();
    for (const QString& path : m_groupFiles)
        QFile::remove(path);
}

// --- configuration ---------------------------------------------------------------------

bool RecordingTracks::renameFromConfigured() {
    if (!m_activeIsLive)
        return false; // an opened recording keeps the names its files give
    bool renamed = false;
    const std::vector<int> match = matchConfigured();
    for (int meter = 0; meter < count(); ++meter) {
        const int j = match[static_cast<std::size_t>(meter)];
        if (j < 0)
            continue;
        const RecorderMeter& live = m_configured[static_cast<std::size_t>(j)];
        MeterTrack& own = track(meter);
        if (own.name() != live.name || own.serial() != live.serial) {
            own.rename(live.name, live.serial);
            renamed = true;
        }
    }
    return renamed;
}

void RecordingTracks::setConfigured(std::vector<RecorderMeter> meters) {
    m_configured = std::move(meters);
    // Without any, the default source is the one meter.
    if (m_configured.empty())
        m_configured.push_back({{}, {}, m_defaultSource});
    m_activeIsConfigured = false;
}

bool RecordingTracks::applyConfigured() {
    resetUnits();
    if (m_activeIsConfigured)
        return false;
    m_activeIsConfigured = true;
    m_activeIsLive = true;
    // The tracks that stay keep their temporary files (those of earlier recordings
    // stay until the run ends); tracks no meter takes any more go with theirs.
    m_tracks.resize(std::min(m_tracks.size(), m_configured.size()));
    for (std::size_t i = 0; i < m_configured.size(); ++i) {
        if (i < m_tracks.size())
            m_tracks[i]->reset(m_configured[i]);
        else
            m_tracks.push_back(std::make_unique<MeterTrack>(m_configured[i], m_directory));
    }
    m_math.keepFor(count());
    dropGroupFile();
    return true;
}

std::vector<int> RecordingTracks::matchConfigured() const {
    std::vector<int> match(static_cast<std::size_t>(count()), -1);
    std::vector<bool> taken(m_configured.size(), false);
    // By serial number first.
    for (int meter = 0; meter < count(); ++meter) {
        const QString own = serial(meter);
        for (std::size_t j = 0; j < m_configured.size() && !own.isEmpty(); ++j)
            if (!taken[j] && m_configured[j].serial == own) {
                match[static_cast<std::size_t>(meter)] = static_cast<int>(j);
                taken[j] = true;
                break;
            }
    }
    // Then the meters left over, in order.
    std::size_t next = 0;
    for (int& j : match) {
        while (j < 0 && next < m_configured.size() && taken[next])
            ++next;
        if (j < 0 && next < m_configured.size()) {
            j = static_cast<int>(next);
            taken[next] = true;
        }
    }
    return match;
}

void RecordingTracks::bindMeter(int meter, const RecorderMeter* source) {
    const QString serial = source != nullptr ? source->serial : QString();
    MeterTrack& own = track(meter);
    // Another meter's reading count says nothing about this one's freshness.
    if (own.boundSerial() != serial || serial.isEmpty())
        own.freshness().reset();
    own.bindReadings(source != nullptr ? source->readings : DecodedReplySource{}, serial);
    if (source == nullptr)
        own.freshness().end();
    else
        own.freshness().revive(source->readings);
}

std::vector<int> RecordingTracks::bindConfigured() {
    const std::vector<int> match = matchConfigured();
    std::vector<bool> used(m_configured.size(), false);
    std::vector<int> missing;
    for (int meter = 0; meter < count(); ++meter) {
        const int j = match[static_cast<std::size_t>(meter)];
        if (j >= 0)
            used[static_cast<std::size_t>(j)] = true;
        else
            missing.push_back(meter);
        bindMeter(meter, j >= 0 ? &m_configured[static_cast<std::size_t>(j)] : nullptr);
    }
    // Linked meters the recording does not hold yet join it, with gaps before.
    const Recording& reference = track(0).recording();
    const std::int64_t earlier = ticks();
    for (std::size_t j = 0; j < m_configured.size(); ++j) {
        if (used[j])
            continue;
        auto joining = std::make_unique<MeterTrack>(m_configured[j], m_directory);
        for (std::int64_t i = 0; i < earlier; ++i)
            joining->store(MakeGapSample(std::string(reference.sampleAt(i).main.timeText.view())),
                           std::nullopt);
        joining->markSaved(); // gaps are nothing to save
        m_tracks.push_back(std::move(joining));
        resetUnits();
        // The math channel has no value for the earlier ticks of the new meter's
        // gaps, and its expression does not use it.
    }
    m_activeIsConfigured = false; // a new recording takes the configured meters again
    return missing;
}

std::int64_t RecordingTracks::ticks() const {
    return static_cast<std::int64_t>(track(0).recording().size());
}

QString RecordingTracks::name(int meter) const {
    return meter >= 0 && meter < count() ? track(meter).name() : QString();
}

QString RecordingTracks::serial(int meter) const {
    return meter >= 0 && meter < count() ? track(meter).serial() : QString();
}

bool RecordingTracks::anyDelivers() const {
    return std::any_of(m_tracks.begin(), m_tracks.end(),
                       [](const auto& track) { return track->delivers(); });
}

void RecordingTracks::clearRecordings(bool keepFilesOpen) {
    resetUnits();
    for (auto& track : m_tracks)
        track->clear(keepFilesOpen);
    m_math.clearValues();
    dropGroupFile();
}

void RecordingTracks::setLoaded(std::vector<LoadedMeter>& meters, const QString& math,
                                const std::vector<double>& mathValues, bool closeFiles) {
    resetUnits();
    m_activeIsConfigured = false; // the configured meters come back with a new recording
    m_activeIsLive = false;
    // Tracks that stay keep their temporary files (they go on being this run's).
    m_tracks.resize(std::min(m_tracks.size(), std::max<std::size_t>(meters.size(), 1)));
    for (std::size_t i = 0; i < meters.size(); ++i) {
        if (i >= m_tracks.size())
            m_tracks.push_back(std::make_unique<MeterTrack>(RecorderMeter{}, m_directory));
        MeterTrack& own = *m_tracks[i];
        own.rename(meters[i].name, meters[i].serial);
        own.bindReadings({}, {});
        own.setRecording(std::move(meters[i].recording), closeFiles);
        own.countedStatistics() = std::move(meters[i].statistics);
        own.freshness().reset();
        own.freshness().end(); // recording it again binds a live meter (bindConfigured)
    }
    m_math.setLoaded(math, count(), mathValues);
    dropGroupFile();
}

// --- math --------------------------------------------------------------------------------

bool RecordingTracks::setMathExpression(const QString& expression, QString* error) {
    if (!m_math.setExpression(expression, count(), error))
        return false;
    m_groupMembers.clear(); // the group file names the expression too
    return true;
}

void RecordingTracks::appendMath(const std::vector<SampleEntry>& tick) {
    if (!m_math.isSet() || m_math.pending())
        return;
    std::vector<const ReadingRecord*> mains;
    mains.reserve(tick.size());
    for (const SampleEntry& entry : tick)
        mains.push_back(&entry.main);
    m_math.append(mains);
}

void RecordingTracks::takeMathValues(const std::vector<double>& values) {
    std::int64_t ticks = this->ticks();
    for (const auto& track : m_tracks)
        ticks = std::min(ticks, static_cast<std::int64_t>(track->recording().size()));
    m_math.takeCounted(values, count(), ticks, [this](int meter, std::int64_t i) {
        const std::optional<SampleEntry> sample = track(meter).recording().readSample(i);
        return sample ? MathOperand(sample->main) : std::nan("");
    });
}

std::string RecordingTracks::mathUnit() const {
    if (!m_math.isSet())
        return {};
    // A meter's unit is looked up until it is known (its first reading), then kept.
    m_units.resize(static_cast<std::size_t>(count()));
    for (int meter = 0; meter < count(); ++meter) {
        std::string& unit = m_units[static_cast<std::size_t>(meter)];
        if (unit.empty())
            unit = FirstUnitOf(track(meter).recording().records());
    }
    return m_math.channel().unit(m_units);
}

// --- temporary files and the group file -----------------------------------------------------

bool RecordingTracks::prepareFiles(QString* reason) {
    for (auto& track : m_tracks) {
        if (!track->prepareFile()) {
            *reason = track->errorString();
            closeFiles();
            return false;
        }
    }
    if (!several() || updateGroupFile(reason))
        return true;
    closeFiles();
    return false;
}

void RecordingTracks::closeFiles() {
    for (auto& track : m_tracks)
        track->closeFile();
}

void RecordingTracks::forgetFiles() {
    for (auto& track : m_tracks)
        track->forgetFile();
}

bool RecordingTracks::updateGroupFile(QString* error) {
    QStringList members;
    for (const auto& track : m_tracks)
        members << track->filePath();
    if (members == m_groupMembers)
        return true;
    RecordingManifest group;
    group.math = m_math.channel().expression();
    for (int i = 0; i < count(); ++i)
        group.meters.push_back({name(i), serial(i), QFileInfo(members[i]).fileName()});
    const QString path = GroupFilePath(members.front());
    const bool known =
        std::find(m_groupFiles.begin(), m_groupFiles.end(), path) != m_groupFiles.end();
    // Made like the temporary files: exclusively, never through a link.
    if (!WriteTemporaryGroupFile(path, ManifestJson(group), !known, error)) {
        if (error != nullptr)
            *error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + *error;
        return false;
    }
    if (!known)
        m_groupFiles.push_back(path);
    m_groupMembers = members;
    return true;
}

void RecordingTracks::adoptGroupFile(const QString& path) {
    if (std::find(m_groupFiles.begin(), m_groupFiles.end(), path) == m_groupFiles.end())
        m_groupFiles.push_back(path);
}

void RecordingTracks::dropGroupFile() {
    m_groupMembers.clear();
}

} // namespace telmora
