#include "ui/main/MeterStrip.h"

#include "app/Application.h"
#include "app/Meter.h"
#include "text/texts.h"
#include "ui/main/MeterCard.h"
#include "ui/main/MeterWindowSets.h"

#include <QTimer>

namespace telmora {

namespace {

// How long a card's new reading waits at most for those of the other meters.
constexpr int kPaceMs = 100;

} // namespace

MeterStrip::MeterStrip(QWidget* parent) : QToolBar(translate("MeterStrip", "Meters"), parent) {
    setObjectName(QStringLiteral("meterStrip"));
    setAccessibleName(windowTitle());
    setFloatable(false);
    m_pace = new QTimer(this);
    m_pace->setSingleShot(true);
    m_pace->setInterval(kPaceMs);
    connect(m_pace, &QTimer::timeout, this, [this] {
        for (MeterCard* card : m_cards)
            card->showPending();
    });
}

MeterStrip::~MeterStrip() = default;

void MeterStrip::setMeterCommand(std::function<void(int, LiveWindowKind)> command) {
    m_command = std::move(command);
}

void MeterStrip::setMeters(Application& app, const MeterWindowSets& windows) {
    for (int i = static_cast<int>(m_cards.size()); i < app.meterCount(); ++i) {
        const LiveWindowSet set = windows.windowsOf(i);
        // Cards follow meter order: a meter without windows yet waits for them.
        if (set.digital == nullptr)
            return;
        auto* card = new MeterCard(app.meter(i), set, this);
        card->setCommand([this, i](LiveWindowKind kind) {
            if (m_command)
                m_command(i, kind);
        });
        card->setPaced(true);
        connect(card, &MeterCard::changed, m_pace, [this] {
            if (!m_pace->isActive())
                m_pace->start();
        });
        addWidget(card);
        m_cards.push_back(card);
    }
}

MeterCard* MeterStrip::card(int meter) const {
    return meter >= 0 && meter < cardCount() ? m_cards[static_cast<std::size_t>(meter)] : nullptr;
}

} // namespace telmora
