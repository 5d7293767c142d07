#pragma once
// Waits of the tests for links being made: a link opens its cable in the
// background and says how it went by MeterLink::linkFinished().

#include "meter/MeterLink.h"

#include <QSignalSpy>

namespace telmora {

// Waits until the attempt of `link` under way (if any) has ended; true when the
// link came up (without an attempt: when it is up).
inline bool WaitForLink(MeterLink& link, int timeoutMs = 10000) {
    if (!link.isLinking())
        return link.isLinked();
    QSignalSpy finished(&link, &MeterLink::linkFinished);
    // The end of the attempt, not the state now: a link may already have come
    // and gone again (a meter unplugged after a few polls).
    return finished.wait(timeoutMs) && finished.at(0).at(0).toBool();
}

// Starts the link and waits for its end; true when it is up.
inline bool LinkAndWait(MeterLink& link) {
    link.link();
    return WaitForLink(link);
}

// Waits until no meter of `app` (an Application) is linking any more; the number
// of linked meters. (A template, so that tests below the app layer can use the rest.)
template <class App> int WaitForLinks(const App& app) {
    for (int i = 0; i < app.meterCount(); ++i)
        WaitForLink(app.meter(i).link());
    return static_cast<int>(app.linkedMeters().size());
}

// Application::linkAll() and the wait for every attempt it started.
template <class App> int LinkAllAndWait(App& app) {
    app.linkAll();
    return WaitForLinks(app);
}

} // namespace telmora
