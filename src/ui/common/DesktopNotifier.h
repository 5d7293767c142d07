#pragma once

#include <QString>

namespace telmora {

// One message for the desktop's notification area.
struct DesktopNotice {
    QString summary; // one short line
    QString body;    // what happened and what to do
};

// Hands notices to the desktop, so that a user working in another program
// learns what happened in this one. Implementations never block and never
// fail loudly: a desktop without a notification service gets nothing.
class DesktopNotifier {
public:
    virtual ~DesktopNotifier() = default;
    virtual void notify(const DesktopNotice& notice) = 0;
};

} // namespace telmora
