#include "meter/AcquisitionWorker.h"

#include "model/decode.h"

#include <span>

namespace telmora {

namespace {
constexpr int kMaxFailedPolls = 3;
} // namespace

void FillLiveReading(const PollBuffer& reply, LiveReading& reading) {
    DecodeReply(std::span<const std::uint8_t, kReplySize>(reply.data(), kReplySize), reading);
}

AcquisitionWorker::AcquisitionWorker(NoDataNotice notice, SharedState& state)
    : m_notice(std::move(notice)), m_state(state),
      m_thread([this](std::stop_token stop) { Execute(stop); }) {}

AcquisitionWorker::~AcquisitionWorker() {
    m_thread.request_stop();
    // The owner waits for AcquisitionEndedEvent before it drops the object, so
    // the join below finds a thread that is returning.
}

void AcquisitionWorker::Terminate() {
    m_thread.request_stop();
}

bool AcquisitionWorker::terminateRequested() const {
    return m_thread.get_stop_token().stop_requested();
}

void AcquisitionWorker::publish(const PollBuffer& reply) {
    // Decode into a local reading first, so that ReadingLock is held only for the
    // copy; readers never see a half-written reading either way.
    LiveReading reading;
    FillLiveReading(reply, reading);
    m_state.publish(reading);
}

void AcquisitionWorker::Execute(std::stop_token stop) {
    m_cable = OpenCable(); // an empty handle shows up as a failed first poll
    m_retryCount = 0;
    while (!stop.stop_requested()) {
        PollBuffer reply{};
        if (PollMeterForAcquisition(m_cable, reply)) {
            m_retryCount = 0;
            m_state.setReadingValid(true);
            publish(reply);
            continue; // the meter's reply time sets the pace
        }

        // Failed poll: the recorder stops logging at once.
        m_state.setReadingValid(false);
        CableHandle probe = OpenCable();
        if (!probe) {
            // The cable is gone. After an unlink request nobody needs to hear
            // about it: the link is being switched off anyway.
            if (!stop.stop_requested())
                m_state.LinkLostEvent.set();
            m_retryCount = 0;
            break;
        }
        probe.close();
        if (++m_retryCount >= kMaxFailedPolls) {
            if (!stop.stop_requested()) {
                if (m_notice)
                    m_notice();
                m_state.LinkLostEvent.set();
            }
            m_retryCount = 0;
            break;
        }
        m_cable.close();
        CurrentCableBackend()->pause(CableTiming::RetryPause);
        m_cable = OpenCable();
    }
    m_cable.close();
    m_finished = true;
    m_state.AcquisitionEndedEvent.set();
}

} // namespace telmora
