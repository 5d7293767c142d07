#pragma once
// A test cable for stopping a download at an exact step without sleeping.

#include "meter/CableBackend.h"
#include "sim/SimulatedMeter.h"

#include <condition_variable>
#include <memory>
#include <mutex>

namespace telmora {

// A simulated meter whose cable stops the worker on a chosen open, counted from
// the moment the gate is set (after Yes, open 1 is the header read; later opens
// belong to the block reads), until the test lets it go on, so that a test can
// act at an exact step of the download.
class GatedMeter final : public CableBackend {
public:
    explicit GatedMeter(std::shared_ptr<SimulatedMeter> meter) : m_meter(std::move(meter)) {}

    std::vector<HidInterfaceInfo> interfaces() override { return m_meter->interfaces(); }
    std::unique_ptr<CableDevice> open(const std::string& path) override {
        {
            std::unique_lock lock(m_mutex);
            if (++m_opens == m_gateAt) {
                m_reached = true;
                m_changed.notify_all();
                m_changed.wait(lock, [this] { return m_released; });
            }
        }
        return m_meter->open(path);
    }
    void pause(std::chrono::milliseconds d) override { m_meter->pause(d); }

    void gateAt(int open) {
        std::lock_guard lock(m_mutex);
        m_opens = 0;
        m_gateAt = open;
        m_reached = false;
        m_released = false;
    }
    // Blocks the test until the worker stands at the gate.
    void waitAtGate() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_reached; });
    }
    void release() {
        std::lock_guard lock(m_mutex);
        m_released = true;
        m_changed.notify_all();
    }
    SimulatedMeter& meter() { return *m_meter; }

private:
    std::shared_ptr<SimulatedMeter> m_meter;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_opens = 0;
    int m_gateAt = -1;
    bool m_reached = false;
    bool m_released = false;
};

} // namespace telmora
