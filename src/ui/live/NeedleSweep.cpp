#include "ui/live/NeedleSweep.h"

#include "model/needle.h"

namespace telmora {

NeedleSweep::NeedleSweep(double restAngle, std::function<void()> repaint, StepShows stepShows)
    : m_repaint(std::move(repaint)), m_stepShows(std::move(stepShows)), m_angle(restAngle),
      m_previousAngle(restAngle), m_shownAngle(restAngle) {
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { step(); });
}

void NeedleSweep::sweepTo(double angle) {
    m_previousAngle = m_angle;
    m_angle = angle;
    if (m_angle != m_previousAngle) {
        // Sweep from where the needle is drawn now (a sweep may still be running).
        m_path = telmora::SweepAngles(m_shownAngle, m_angle, kSteps);
        m_next = 0;
        if (m_path.empty())
            m_timer.stop();
        else
            scheduleStep();
    }
    m_repaint();
}

void NeedleSweep::jumpTo(double angle) {
    m_previousAngle = m_angle;
    m_angle = angle;
    m_shownAngle = angle;
    m_timer.stop();
}

void NeedleSweep::scheduleStep() {
    std::size_t target = m_next;
    while (target + 1 < m_path.size() && m_stepShows && !m_stepShows(m_shownAngle, m_path[target]))
        ++target;
    m_timer.start(static_cast<int>(target - m_next + 1) * kIntervalMs);
    m_next = target;
}

void NeedleSweep::step() {
    if (m_next >= m_path.size()) {
        m_shownAngle = m_angle;
        m_repaint();
        return;
    }
    m_shownAngle = m_path[m_next++];
    if (m_next < m_path.size())
        scheduleStep();
    m_repaint();
}

} // namespace telmora
