#include "recording/RecorderMeters.h"

#include "model/sireading.h"
#include "recording/GapSample.h"
#include "recording/RecordingManifest.h"
#include "recording/recordingset.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace telmora {

QString GroupFilePath(const QString& firstTemporaryPath) {
    QString path = firstTemporaryPath;
    if (path.endsWith(QStringLiteral(".TMP"), Qt::CaseInsensitive))
        path.chop(4);
    return path + QStringLiteral(".telmora");
}

RecorderMeters::RecorderMeters(QString temporaryDirectory)
    : m_directory(std::move(temporaryDirectory)) {}

RecorderMeters::~RecorderMeters() {
    for (const QString& path : m_groupFiles)
        QFile::remove(path);
}

// --- configuration ---------------------------------------------------------------------

void RecorderMeters::setFirstMeter(const QString& name, const QString& serial) {
    m_firstName = name;
    m_firstSerial = serial;
    if (m_activeIsConfigured) {
        m_activeFirstName = name;
        m_activeFirstSerial = serial;
    }
}

void RecorderMeters::setCompanions(std::vector<RecorderMeter> meters) {
    m_configured = std::move(meters);
    m_activeIsConfigured = false;
}

bool RecorderMeters::applyConfigured() {
    m_units.clear();
    if (m_activeIsConfigured)
        return false;
    m_activeIsConfigured = true;
    m_activeFirstName = m_firstName;
    m_activeFirstSerial = m_firstSerial;
    m_firstFresh.reset();
    m_tracks.clear();
    for (const RecorderMeter& meter : m_configured)
        m_tracks.push_back(std::make_unique<MeterTrack>(meter, m_directory));
    QString ignored;
    if (!m_math.setExpression(m_math.expression(), count(), &ignored))
        m_math = MathChannel(); // it uses a meter that is gone
    m_mathValues.clear();
    m_mathStatistics = {};
    m_mathPending = false;
    dropGroupFile();
    return true;
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
                               std::vector<float> mathValues) {
    m_units.clear();
    m_activeIsConfigured = false; // the configured meters come back with a new recording
    m_activeFirstName = meters.empty() ? QString() : meters.front().name;
    m_activeFirstSerial = meters.empty() ? QString() : meters.front().serial;
    m_firstFresh.reset(); // the first meter is still the live one
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
        for (const float value : mathValues)
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

void RecorderMeters::pushMath(float value) {
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

void RecorderMeters::takeMathValues(std::vector<float> values, const Recording& first) {
    if (!m_mathPending)
        return;
    m_mathPending = false;
    m_mathValues.clear();
    m_mathStatistics = {};
    for (const float value : values)
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

float RecorderMeters::mathValueAt(std::int64_t index) const {
    if (index < 0 || index >= static_cast<std::int64_t>(m_mathValues.size()))
        return std::nanf("");
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
    if (!WriteManifest(path, group, error))
        return false;
    if (std::find(m_groupFiles.begin(), m_groupFiles.end(), path) == m_groupFiles.end())
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
