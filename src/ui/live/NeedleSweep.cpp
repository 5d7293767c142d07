#include "ui/live/NeedleSweep.h"

#include "model/needle.h"

namespace telmora {

NeedleSweep::NeedleSweep(double restAngle, std::function<void()> repaint)
    : m_repaint(std::move(repaint)), m_angle(restAngle), m_previousAngle(restAngle),
      m_shownAngle(restAngle) {
    m_timer.setInterval(kIntervalMs);
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
        else if (!m_timer.isActive())
            m_timer.start();
    }
    m_repaint();
}

void NeedleSweep::jumpTo(double angle) {
    m_previousAngle = m_angle;
    m_angle = angle;
    m_shownAngle = angle;
    m_timer.stop();
}

void NeedleSweep::step() {
    if (m_next >= m_path.size()) {
        m_timer.stop();
        m_shownAngle = m_angle;
        m_repaint();
        return;
    }
    m_shownAngle = m_path[m_next++];
    if (m_next >= m_path.size())
        m_timer.stop();
    m_repaint();
}

} // namespace telmora
