#pragma once

#include "ui/main/LiveWindowSet.h"

#include <QToolBar>

#include <functional>
#include <vector>

class QTimer;

namespace telmora {

class Application;
class MeterCard;
class MeterWindowSets;

// Every meter at a glance: a bar below the main window's tool row with one card
// per meter that has live windows, side by side in meter order.
class MeterStrip : public QToolBar {
    Q_OBJECT

public:
    explicit MeterStrip(QWidget* parent = nullptr);
    ~MeterStrip() override;

    // What a card's button brings up: the panel of `kind` of meter `meter`.
    void setMeterCommand(std::function<void(int meter, LiveWindowKind kind)> command);
    // Makes the cards of meters that have live windows and no card yet.
    void setMeters(Application& app, const MeterWindowSets& windows);

    int cardCount() const { return static_cast<int>(m_cards.size()); }
    MeterCard* card(int meter) const;

private:
    std::function<void(int, LiveWindowKind)> m_command;
    std::vector<MeterCard*> m_cards;
    // Shows the cards' new readings together, a few times a second: one repaint
    // of the strip for the readings of every meter that came meanwhile.
    QTimer* m_pace = nullptr;
};

} // namespace telmora
