#pragma once

#include "ui/main/LiveWindowSet.h"

#include <QObject>

#include <memory>
#include <vector>

namespace telmora {

class Application;
class DesktopAlerts;
class IniSettings;
class Meter;
class UserDialogs;

// The live windows of the meters after the first: a digital meter, an analog
// meter and a comparator for each, made when the meter is first linked and kept
// for the run (its link ending shows in them, as an unlink does in the first
// meter's). Each set shows its own meter's readings, and its comparator edits that
// meter's limits. While several meters are known, every live window - the first
// meter's too - carries its meter's name in its caption.
class MeterWindowSets : public QObject {
    Q_OBJECT

public:
    // `first` are the first meter's windows (kept by their owner); `alerts` watches
    // every comparator's alarm.
    MeterWindowSets(Application& app, UserDialogs& dialogs, DesktopAlerts& alerts,
                    const LiveWindowSet& first, QObject* parent = nullptr);
    ~MeterWindowSets() override;

    // Follows the application's meters: makes the windows of meters linked for the
    // first time and puts the names into the captions. The sets it made are
    // returned (not shown yet).
    std::vector<LiveWindowSet> update();

    // The windows of meter `index` (0: the first meter's); empty when it has none.
    LiveWindowSet windowsOf(int index) const;
    // The sets of the meters after the first that have windows (they have been
    // linked; their windows stay when the link ends, as the first meter's do), in
    // meter order.
    std::vector<LiveWindowSet> further() const;
    // Puts what is kept of every further meter's windows (its alarm switch) into
    // `state` (by the meter's serial number) for the next run.
    void rememberPlaces(IniSettings& state) const;

private:
    struct OwnedSet;
    // The windows of meter `index`, bound to it.
    std::unique_ptr<OwnedSet> makeSet(Meter& meter, int index);
    static void setNames(const LiveWindowSet& set, const QString& name);

    Application& m_app;
    UserDialogs& m_dialogs;
    DesktopAlerts& m_alerts;
    LiveWindowSet m_first;
    // Index i holds meter i+1's windows.
    std::vector<std::unique_ptr<OwnedSet>> m_further;
};

} // namespace telmora
