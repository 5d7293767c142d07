#pragma once

#include <QTimer>

#include <cstddef>
#include <functional>
#include <vector>

namespace telmora {

// The needle of a dial window: where it should point, where it pointed before,
// and where it is drawn while it sweeps from the one to the other in a few timer
// steps. `repaint` is called after every change of the drawn angle.
//
// `stepShows(drawn, next)` tells whether a step from the drawn angle to the next
// one on the way would show on screen. Steps that would not are passed over: the
// timer sleeps until the next step that shows (the last always does), so that a
// sweep too small to see costs one wake-up instead of one per step.
class NeedleSweep {
public:
    using StepShows = std::function<bool(double drawn, double next)>;

    NeedleSweep(double restAngle, std::function<void()> repaint, StepShows stepShows = {});
    NeedleSweep(const NeedleSweep&) = delete;
    NeedleSweep& operator=(const NeedleSweep&) = delete;

    // Points the needle at `angle`, sweeping from where it is drawn now.
    void sweepTo(double angle);
    // Points the needle at `angle` at once (a reset while the window is hidden).
    void jumpTo(double angle);

    double angle() const { return m_angle; }
    double previousAngle() const { return m_previousAngle; }
    double shownAngle() const { return m_shownAngle; }
    bool sweeping() const { return m_timer.isActive(); }

    static constexpr int kSteps = 10;
    static constexpr int kIntervalMs = 12;

private:
    void step();
    // Starts the timer for the next step that shows.
    void scheduleStep();

    std::function<void()> m_repaint;
    StepShows m_stepShows;
    double m_angle;
    double m_previousAngle;
    double m_shownAngle;
    std::vector<double> m_path;
    std::size_t m_next = 0; // the step the timer brings
    QTimer m_timer;
};

} // namespace telmora
