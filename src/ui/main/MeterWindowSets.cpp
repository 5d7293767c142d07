#include "ui/main/MeterWindowSets.h"

#include "app/Application.h"
#include "app/Meter.h"
#include "meter/MeterLink.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorLimitsDialog.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/main/DesktopAlerts.h"
#include "ui/main/desktopstate.h"

namespace telmora {

// One further meter's windows, owned here. The comparator owns its limits dialog.
struct MeterWindowSets::OwnedSet {
    Meter* meter = nullptr;
    std::unique_ptr<DigitalMeterWindow> digital;
    std::unique_ptr<AnalogMeterWindow> analog;
    std::unique_ptr<ComparatorWindow> comparator;

    LiveWindowSet windows() const { return {digital.get(), analog.get(), comparator.get()}; }
};

MeterWindowSets::MeterWindowSets(Application& app, UserDialogs& dialogs, DesktopAlerts& alerts,
                                 const LiveWindowSet& first, QObject* parent)
    : QObject(parent), m_app(app), m_dialogs(dialogs), m_alerts(alerts), m_first(first) {}

MeterWindowSets::~MeterWindowSets() = default;

std::vector<LiveWindowSet> MeterWindowSets::update() {
    std::vector<LiveWindowSet> made;
    const int count = m_app.meterCount();
    if (static_cast<int>(m_further.size()) < count - 1)
        m_further.resize(static_cast<std::size_t>(count - 1));
    for (int i = 1; i < count; ++i) {
        std::unique_ptr<OwnedSet>& owned = m_further[static_cast<std::size_t>(i - 1)];
        if (!owned && m_app.meter(i).link().isLinked()) {
            owned = makeSet(m_app.meter(i), i);
            // The alarm switch the last run left this meter's comparator with.
            RestoreMeterWindows(m_app.desktopState(), m_app.meter(i).serial(), owned->windows());
            made.push_back(owned->windows());
        }
    }
    // With one meter the captions stay as they always were.
    const bool named = count > 1;
    setNames(m_first, named ? m_app.meter(0).name() : QString());
    for (int i = 1; i < count; ++i)
        setNames(windowsOf(i), m_app.meter(i).name());
    return made;
}

std::unique_ptr<MeterWindowSets::OwnedSet> MeterWindowSets::makeSet(Meter& meter, int index) {
    auto owned = std::make_unique<OwnedSet>();
    owned->meter = &meter;
    owned->digital = std::make_unique<DigitalMeterWindow>();
    owned->analog = std::make_unique<AnalogMeterWindow>();
    // The comparator owns its limits dialog (its parent from here on).
    auto* limits = new ComparatorLimitsDialog(m_dialogs);
    owned->comparator =
        std::make_unique<ComparatorWindow>(m_dialogs, meter.highLimit(), meter.lowLimit(), limits);
    limits->setParent(owned->comparator.get(), limits->windowFlags());
    const LiveWindowSet set = owned->windows();
    // Each window keeps the object name of its kind, with the meter's number.
    const QString number = QString::number(index + 1);
    for (QWidget* w : {static_cast<QWidget*>(set.digital), static_cast<QWidget*>(set.analog),
                       static_cast<QWidget*>(set.comparator)})
        w->setObjectName(w->objectName() + QStringLiteral("_") + number);
    m_alerts.watchComparator(*set.comparator, [&meter] { return meter.name(); });
    connect(set.comparator, &ComparatorWindow::limitsChanged, &meter,
            [&meter](double high, double low) { meter.setLimits(high, low); });

    // The digital meter shows each reading first, then the analog meter and the
    // comparator, as for the first meter.
    MeterLink& link = meter.link();
    connect(&link, &MeterLink::readingReceived, set.digital, &DigitalMeterWindow::showReading);
    connect(&link, &MeterLink::readingReceived, set.analog, &AnalogMeterWindow::showReading);
    connect(&link, &MeterLink::readingReceived, set.comparator, &ComparatorWindow::showReading);
    const auto showLinked = [set](bool linked) {
        set.digital->setLinked(linked);
        set.analog->setLinked(linked);
        set.comparator->setLinked(linked);
    };
    connect(&link, &MeterLink::linkedChanged, set.digital, showLinked);
    // While the cable is away the windows rest as after an unlink; the first
    // reading that comes back finds them linked again.
    connect(&link, &MeterLink::waitingForCableChanged, set.digital,
            [showLinked, &link](bool waiting) { showLinked(!waiting && link.isLinked()); });
    showLinked(link.isLinked() && !link.isWaitingForCable());
    return owned;
}

void MeterWindowSets::setNames(const LiveWindowSet& set, const QString& name) {
    if (set.digital != nullptr)
        set.digital->setMeterName(name);
    if (set.analog != nullptr)
        set.analog->setMeterName(name);
    if (set.comparator != nullptr)
        set.comparator->setMeterName(name);
}

LiveWindowSet MeterWindowSets::windowsOf(int index) const {
    if (index == 0)
        return m_first;
    const auto i = static_cast<std::size_t>(index - 1);
    return index > 0 && i < m_further.size() && m_further[i] ? m_further[i]->windows()
                                                             : LiveWindowSet{};
}

void MeterWindowSets::rememberPlaces(IniSettings& state) const {
    for (const auto& owned : m_further)
        if (owned)
            RememberMeterWindows(state, owned->meter->serial(), owned->windows());
}

std::vector<LiveWindowSet> MeterWindowSets::further() const {
    std::vector<LiveWindowSet> sets;
    for (const auto& owned : m_further)
        if (owned)
            sets.push_back(owned->windows());
    return sets;
}

} // namespace telmora
