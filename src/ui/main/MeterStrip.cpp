#include "ui/main/MeterStrip.h"

#include "app/Application.h"
#include "app/Meter.h"
#include "text/texts.h"
#include "ui/main/MeterCard.h"
#include "ui/main/MeterWindowSets.h"

namespace telmora {

MeterStrip::MeterStrip(QWidget* parent) : QToolBar(translate("MeterStrip", "Meters"), parent) {
    setObjectName(QStringLiteral("meterStrip"));
    setAccessibleName(windowTitle());
    setFloatable(false);
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
        addWidget(card);
        m_cards.push_back(card);
    }
}

MeterCard* MeterStrip::card(int meter) const {
    return meter >= 0 && meter < cardCount() ? m_cards[static_cast<std::size_t>(meter)] : nullptr;
}

} // namespace telmora
