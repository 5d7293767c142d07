#include "recording/RecorderMeters.h"

#include "recording/GapSample.h"
#include "recording/RecordingManifest.h"
#include "recording/recordingset.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace telmora {

RecorderMeters::RecorderMeters(QString temporaryDirectory, DecodedReplySource defaultSource)
    : m_directory(std::move(temporaryDirectory)),
      m_defaultSource(std::move(defaultSource)), m_configured{{{}, {}, m_defaultSource}},
      m_firstSource(m_defaultSource) {}

RecorderMeters::~RecorderMeters() {
    for (const QString& path : m_groupFiles)
        QFile::remove(path);
}

// --- configuration ---------------------------------------------------------------------

bool RecorderMeters::renameFromConfigured() {
    if (!m_activeIsLive)
        return false; // an opened recording keeps the names its files give
    bool renamed = false;
    const std::vector<int> match = matchConfigured();
    for (int meter = 0; meter < count(); ++meter) {
        const int j = match[static_cast<std::size_t>(meter)];
        if (j < 0)
            continue;
        const RecorderMeter& live = m_configured[static_cast<std::size_t>(j)];
        if (meter == 0) {
            renamed |= m_activeFirstName != live.name || m_activeFirstSerial != live.serial;
            m_activeFirstName = live.name;
            m_activeFirstSerial = live.serial;
        } else if (track(meter).name() != live.name) {
            track(meter).rename(live.name);
            renamed = true;
        }
    }
    return renamed;
}

void RecorderMeters::setConfigured(std::vector<RecorderMeter> meters) {
    m_configured = std::move(meters);
    // Without any, the default source is the one meter.
    if (m_configured.empty())
        m_configured.push_back({{}, {}, m_defaultSource});
    m_activeIsConfigured = false;
}

bool RecorderMeters::applyConfigured() {
    m_units.clear();
    if (m_activeIsConfigured)
        return false;
    m_activeIsConfigured = true;
    m_activeIsLive = true;
    m_firstFresh.reset();
    m_tracks.clear();
    const RecorderMeter& first = m_configured.front();
    m_activeFirstName = first.name;
    m_activeFirstSerial = first.serial;
    m_firstSource = first.readings;
    m_firstBoundSerial = first.serial;
    for (std::size_t i = 1; i < m_configured.size(); ++i)
        m_tracks.push_back(std::make_unique<MeterTrack>(m_configured[i], m_directory));
    QString ignored;
    if (!m_math.setExpression(m_math.expression(), count(), &ignored))
        m_math = MathChannel(); // it uses a meter that is gone
    m_mathValues.clear();
    m_mathStatistics = {};
    m_mathPending = false;
    dropGroupFile();
    return true;
}

std::vector<int> RecorderMeters::matchConfigured() const {
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

void RecorderMeters::bindMeter(int meter, const RecorderMeter* source) {
    const QString serial = source != nullptr ? source->serial : QString();
    DecodedReplySource readings = source != nullptr ? source->readings : DecodedReplySource{};
    FreshReadings& fresh = meter == 0 ? m_firstFresh : track(meter).freshness();
    const QString& before = meter == 0 ? m_firstBoundSerial : track(meter).boundSerial();
    // Another meter's reading count says nothing about this one's freshness.
    if (before != serial || serial.isEmpty())
        fresh.reset();
    if (meter == 0) {
        m_firstSource = std::move(readings);
        m_firstBoundSerial = serial;
    } else {
        track(meter).bindReadings(std::move(readings), serial);
    }
    if (source == nullptr)
        fresh.end();
    else
        fresh.revive(source->readings);
}

std::vector<int>
RecorderMeters::bindConfigured(std::int64_t ticks,
                               const std::function<std::string(std::int64_t)>& timeTextAt) {
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
    for (std::size_t j = 0; j < m_configured.size(); ++j) {
        if (used[j])
            continue;
        auto track = std::make_unique<MeterTrack>(m_configured[j], m_directory);
        for (std::int64_t i = 0; i < ticks; ++i)
            track->store(MakeGapSample(timeTextAt(i)), std::nullopt);
        track->markSaved(); // gaps are nothing to save
        m_tracks.push_back(std::move(track));
        m_units.clear();
        // The math channel has no value for the earlier ticks of the new meter's
        // gaps, and its expression does not use it.
    }
    m_activeIsConfigured = false; // a new recording takes the configured meters again
    return missing;
}

QString RecorderMeters::name(int meter) const {
    if (meter <= 0)
        return m_activeFirstName;
    return meter < count() ? track(meter).name() : QString();
}

QString RecorderMeters::serial(int meter) const {
    if (meter <= 0)
        return m_activeFirstSerial;
    return meter < count() ? track(meter).serial() : QString();
}

void RecorderMeters::clearRecordings() {
    m_units.clear();
    m_firstFresh.reset();
    for (auto& track : m_tracks)
        track->clear();
    m_mathValues.clear();
    m_mathStatistics = {};
    m_mathPending = false;
    dropGroupFile();
}

void RecorderMeters::setLoaded(std::vector<LoadedMeter>& meters, const QString& math,
                               std::vector<double> mathValues) {
    m_units.clear();
    m_activeIsConfigured = false; // the configured meters come back with a new recording
    m_activeIsLive = false;
    m_activeFirstName = meters.empty() ? QString() : meters.front().name;
    m_activeFirstSerial = meters.empty() ? QString() : meters.front().serial;
    m_firstFresh.reset();
    m_firstFresh.end(); // recording it again binds a live meter (bindConfigured)
    m_firstSource = {};
    m_firstBoundSerial.clear();
    m_tracks.clear();
    for (std::size_t i = 1; i < meters.size(); ++i) {
        auto track = std::make_unique<MeterTrack>(
            RecorderMeter{meters[i].name, meters[i].serial, {}}, m_directory);
        track->setRecording(std::move(meters[i].recording));
        track->countedStatistics() = std::move(meters[i].statistics);
        track->freshness().end();
        m_tracks.push_back(std::move(track));
    }
    m_math = MathChannel();
    m_mathPending = false;
    m_mathValues.clear();
    m_mathStatistics = {};
    if (m_math.setExpression(math, count()))
        for (const double value : mathValues)
            pushMath(value);
    dropGroupFile();
}

// --- math --------------------------------------------------------------------------------

bool RecorderMeters::setMathExpression(const QString& expression, QString* error) {
    MathChannel channel;
    if (!channel.setExpression(expression, count(), error))
        return false;
    m_math = std::move(channel);
    m_groupMembers.clear(); // the group file names the expression too
    m_mathValues.clear();
    m_mathStatistics = {};
    m_mathPending = m_math.isSet();
    return true;
}

void RecorderMeters::pushMath(double value) {
    m_mathValues.push_back(value);
    if (!std::isnan(value))
        m_mathStatistics.add(value);
}

void RecorderMeters::appendMath(const SampleEntry& first,
                                const std::vector<SampleEntry>& companions) {
    if (!m_math.isSet() || m_mathPending)
        return;
    std::vector<double> values{MathOperand(first.main)};
    for (const SampleEntry& entry : companions)
        values.push_back(MathOperand(entry.main));
    pushMath(m_math.evaluate(values));
}

void RecorderMeters::takeMathValues(std::vector<double> values, const Recording& first) {
    if (!m_mathPending)
        return;
    m_mathPending = false;
    m_mathValues.clear();
    m_mathStatistics = {};
    for (const double value : values)
        pushMath(value);
    // Ticks taken while the values were counted.
    auto ticks = static_cast<std::int64_t>(first.size());
    for (const auto& track : m_tracks)
        ticks = std::min(ticks, static_cast<std::int64_t>(track->recording().size()));
    std::vector<double> operands(static_cast<std::size_t>(count()));
    const auto operand = [](const Recording& recording, std::int64_t i) {
        const std::optional<SampleEntry> sample = recording.readSample(i);
        return sample ? MathOperand(sample->main) : std::nan("");
    };
    for (auto i = static_cast<std::int64_t>(m_mathValues.size()); i < ticks; ++i) {
        operands[0] = operand(first, i);
        for (std::size_t m = 0; m < m_tracks.size(); ++m)
            operands[m + 1] = operand(m_tracks[m]->recording(), i);
        pushMath(m_math.evaluate(operands));
    }
}

double RecorderMeters::mathValueAt(std::int64_t index) const {
    if (index < 0 || index >= static_cast<std::int64_t>(m_mathValues.size()))
        return std::nan("");
    return m_mathValues[static_cast<std::size_t>(index)];
}

std::string RecorderMeters::mathUnit(const Recording& first) const {
    if (!m_math.isSet())
        return {};
    // A meter's unit is looked up until it is known (its first reading), then kept.
    m_units.resize(static_cast<std::size_t>(count()));
    for (int meter = 0; meter < count(); ++meter) {
        std::string& unit = m_units[static_cast<std::size_t>(meter)];
        if (unit.empty())
            unit = FirstUnitOf(meter == 0 ? first.records() : track(meter).recording().records());
    }
    return m_math.unit(m_units);
}

// --- group file ----------------------------------------------------------------------------

bool RecorderMeters::updateGroupFile(const QString& firstTemporaryPath, QString* error) {
    QStringList members{firstTemporaryPath};
    for (const auto& track : m_tracks)
        members << track->filePath();
    if (members == m_groupMembers)
        return true;
    RecordingManifest group;
    group.math = m_math.expression();
    for (int i = 0; i < count(); ++i)
        group.meters.push_back({name(i), serial(i), QFileInfo(members[i]).fileName()});
    const QString path = GroupFilePath(firstTemporaryPath);
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

void RecorderMeters::adoptGroupFile(const QString& path) {
    if (std::find(m_groupFiles.begin(), m_groupFiles.end(), path) == m_groupFiles.end())
        m_groupFiles.push_back(path);
}

void RecorderMeters::dropGroupFile() {
    m_groupMembers.clear();
}

} // namespace telmora
