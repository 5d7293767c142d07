#pragma once

#include "ui/common/DesktopNotifier.h"

#include <vector>

namespace telmora {

// A desktop notifier for tests: keeps every notice instead of showing it.
class RecordingNotifier final : public DesktopNotifier {
public:
    void notify(const DesktopNotice& notice) override { notices.push_back(notice); }
    std::vector<DesktopNotice> notices;
};

} // namespace telmora
