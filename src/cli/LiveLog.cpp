#include "cli/LiveLog.h"

#include "cli/CommandOutput.h"
#include "cli/InterruptGuard.h"
#include "cli/LogPublisher.h"
#include "meter/CableAccess.h"
#include "meter/MeterLink.h"
#include "model/TypedReading.h"
#include "model/sampleconversion.h"
#include "model/tidycsv.h"
#include "recording/recorderexport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace telmora::cli {

namespace {

using namespace std::chrono_literals;

// How often the log looks whether Ctrl-C was pressed.
constexpr auto kInterruptCheck = 50ms;

// Writes one line with its CR LF and hands it on at once; false once the output
// failed.
bool writeLine(CommandOutput& out, std::string line) {
    line += "\r\n";
    return out.write(line) && out.flush();
}

} // namespace

std::string LogLines::header() const {
    if (m_format == TextExportFormat::Tidy)
        return m_withMeter ? TidyLongHeader(TidyTime::DateTime) : TidyHeader(TidyTime::DateTime);
    return m_withMeter ? "#meter," + std::string(kRecorderTextHeader.substr(1))
                       : std::string(kRecorderTextHeader);
}

std::optional<std::string> LogLines::sample(const std::string& key, long long written,
                                            const DecodedReply& live, const QDateTime& now) const {
    const QTime time = now.time();
    const auto entry =
        BuildSample(live, FormatSampleTime(time.hour(), time.minute(), time.second(), time.msec()));
    if (!entry)
        return std::nullopt;
    if (m_format == TextExportFormat::Tidy) {
        std::string line = std::to_string(written + 1);
        if (m_withMeter)
            AppendTidyField(line, key);
        AppendTidyField(line, IsoDateTime(now.toMSecsSinceEpoch(), now.offsetFromUtc()));
        AppendTidyReadings(line, *entry, RecordOrigin::Recorder);
        return line;
    }
    const std::string line = RecorderTextLine(written, *entry);
    return m_withMeter ? key + ',' + line : line;
}

LiveLog::LiveLog(std::shared_ptr<CableBackend> backend, const std::vector<std::string>& keys,
                 const LogPlan& plan, CommandOutput& out, LogPublisher* publisher,
                 const InterruptGuard& ctrlC)
    : m_plan(plan), m_lines(plan.format, plan.withMeter), m_out(out), m_publisher(publisher),
      m_ctrlC(ctrlC) {
    for (const std::string& key : keys) {
        Meter meter;
        meter.key = key;
        meter.cable = std::make_unique<CableAccess>(backend, key);
        meter.link = std::make_unique<MeterLink>(*meter.cable);
        m_meters.push_back(std::move(meter));
    }
    m_ticks.setTimerType(Qt::PreciseTimer);
    m_ticks.setInterval(std::max(1ms, std::chrono::round<std::chrono::milliseconds>(
                                          std::chrono::duration<double>(plan.interval))));
    connect(&m_ticks, &QTimer::timeout, this, &LiveLog::onTick);
    m_duration.setSingleShot(true);
    connect(&m_duration, &QTimer::timeout, this, &LiveLog::awaitDuration);
    m_interrupts.setInterval(kInterruptCheck);
    connect(&m_interrupts, &QTimer::timeout, this, [this] {
        if (m_ctrlC.interrupted())
            finish(m_status);
    });
}

LiveLog::~LiveLog() {
    for (Meter& meter : m_meters)
        meter.link.reset();
}

int LiveLog::run() {
    for (std::size_t index = 0; index < m_meters.size(); ++index)
        connectMeter(index);
    for (Meter& meter : m_meters)
        meter.link->link();
    m_interrupts.start();
    return m_loop.exec();
}

void LiveLog::connectMeter(std::size_t index) {
    MeterLink& link = *m_meters[index].link;
    connect(&link, &MeterLink::linkFinished, this, &LiveLog::onLinkFinished);
    connect(&link, &MeterLink::readingReceived, this, [this, index](const DecodedReply& reading) {
        if (m_started && m_plan.interval <= 0.0)
            onReading(index, reading);
    });
    connect(&link, &MeterLink::noDataNotice, this, [&link] {
        std::fputs("telmora-cli: No data received.\n", stderr);
        link.noticeClosed();
    });
    // Either way the meter is gone for the log: a lost cable, or a meter that
    // stopped answering.
    connect(&link, &MeterLink::linkLostNotice, this, [this, index] { onLost(index); });
    connect(&link, &MeterLink::meterSilentNotice, this, [this, index] { onLost(index); });
}

void LiveLog::onLinkFinished(bool linked) {
    if (!linked) {
        std::fputs("telmora-cli: USB adapter cable not found.\n", stderr);
        finish(1);
        return;
    }
    if (++m_linked < m_meters.size())
        return;
    // Every meter is linked: the header, then the lines.
    if (!writeLine(m_out, m_lines.header())) {
        finish(m_out.report(stderr));
        return;
    }
    m_started = true;
    const QDateTime now = QDateTime::currentDateTime();
    m_watch.arm(m_plan.trigger, now.toMSecsSinceEpoch(), now.time().msecsSinceStartOfDay() / 1000);
    if (m_watch.waiting())
        std::fprintf(stderr, "telmora-cli: waiting for %s\n", m_plan.trigger.awaitedText().c_str());
    else if (m_plan.trigger.stop == TriggerStop::Duration)
        awaitDuration();
    if (m_plan.interval > 0.0)
        m_ticks.start();
}

bool LiveLog::wanted(const Meter& meter) const {
    return !meter.lost && (m_plan.count < 0 || meter.written < m_plan.count);
}

bool LiveLog::started(const std::vector<std::pair<std::size_t, DecodedReply>>& readings) {
    if (!m_watch.waiting())
        return true;
    for (const auto& [index, reading] : readings)
        m_watch.offer(static_cast<int>(index), ReadingOfMeasurement(reading.main));
    m_watch.offerTime(QDateTime::currentMSecsSinceEpoch());
    if (m_watch.waiting())
        return false;
    if (m_plan.trigger.stop == TriggerStop::Duration)
        awaitDuration();
    return true;
}

void LiveLog::awaitDuration() {
    // A timer takes at most some 24 days at once: a longer duration is waited for in steps.
    constexpr std::int64_t kLongestStepMs = 1 << 30;
    const std::int64_t left = m_watch.durationLeft(QDateTime::currentMSecsSinceEpoch());
    if (left <= 0)
        finish(m_status);
    else
        m_duration.start(std::chrono::milliseconds(std::min(left, kLongestStepMs)));
}

void LiveLog::stopWhenDue(std::size_t index, const DecodedReply& reading) {
    if (m_plan.trigger.stop == TriggerStop::Condition &&
        m_watch.kept(static_cast<int>(index), ReadingOfMeasurement(reading.main)))
        finish(m_status);
}

void LiveLog::onReading(std::size_t index, const DecodedReply& reading) {
    if (!wanted(m_meters[index]) || !started({{index, reading}}))
        return;
    if (!writeSample(index, reading))
        return;
    stopWhenDue(index, reading);
    endWhenDone();
}

void LiveLog::onTick() {
    // Each meter's newest reading, when its last poll brought one.
    std::vector<std::pair<std::size_t, DecodedReply>> readings;
    for (std::size_t index = 0; index < m_meters.size(); ++index) {
        const Meter& meter = m_meters[index];
        if (wanted(meter) && meter.link->readingValid())
            readings.emplace_back(index, meter.link->latestReading());
    }
    if (!started(readings))
        return;
    for (const auto& [index, reading] : readings)
        if (!writeSample(index, reading))
            return;
    for (const auto& [index, reading] : readings)
        stopWhenDue(index, reading);
    endWhenDone();
}

bool LiveLog::writeSample(std::size_t index, const DecodedReply& reading) {
    Meter& meter = m_meters[index];
    const QDateTime now = QDateTime::currentDateTime();
    const std::optional<std::string> line = m_lines.sample(meter.key, meter.written, reading, now);
    if (!line)
        return true;
    if (!writeLine(m_out, *line)) {
        finish(m_out.report(stderr));
        return false;
    }
    ++meter.written;
    if (m_publisher)
        m_publisher->publish(index, reading.main, now);
    return true;
}

void LiveLog::onLost(std::size_t index) {
    Meter& meter = m_meters[index];
    if (meter.lost)
        return;
    meter.lost = true;
    m_status = 1;
    if (m_publisher)
        m_publisher->meterLost(index);
    const std::string who = m_plan.withMeter ? "meter " + meter.key + ": " : "";
    std::fprintf(stderr,
                 "telmora-cli: %sthe link to the meter was lost (USB adapter cable not "
                 "found).\n",
                 who.c_str());
    endWhenDone();
}

void LiveLog::endWhenDone() {
    if (std::none_of(m_meters.begin(), m_meters.end(),
                     [this](const Meter& meter) { return wanted(meter); }))
        finish(m_status);
}

void LiveLog::finish(int status) {
    m_status = status;
    m_duration.stop();
    m_ticks.stop();
    m_interrupts.stop();
    m_loop.exit(status);
}

} // namespace telmora::cli
