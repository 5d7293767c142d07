#pragma once

#include "ui/main/LiveWindowSet.h"

#include <QElapsedTimer>
#include <QFrame>

#include <functional>

class QLabel;
class QToolButton;

namespace telmora {

class Meter;
struct DecodedReply;

// One meter at a glance in the meter strip: its name, the reading with its unit
// and mode, the smallest and largest reading since the function was chosen, and
// where the reading stands against the comparator's limits. Three buttons bring
// up the meter's digital meter, analog meter and comparator panels. The card's
// accessible text says the same in words, renewed at most once a second.
class MeterCard : public QFrame {
    Q_OBJECT

public:
    // `windows` are the meter's live windows: the comparator's limits are read
    // from its comparator.
    MeterCard(Meter& meter, const LiveWindowSet& windows, QWidget* parent = nullptr);
    ~MeterCard() override;

    // What a click on one of the card's buttons brings up.
    void setCommand(std::function<void(LiveWindowKind)> command) { m_command = std::move(command); }

    // The texts shown, for tests and the accessible text.
    QString readingText() const;
    QString rangeText() const;
    QString stateText() const;
    // The card in words (its accessible description).
    QString summary() const;

    void showReading(const DecodedReply& reading);
    void setLinked(bool linked);

    // Paced, a reading's texts wait for showPending() (the strip shows every card's
    // at once, one repaint for all): changed() asks for it.
    void setPaced(bool paced) { m_paced = paced; }
    void showPending();

signals:
    void changed();

private:
    void showTexts();
    QToolButton* makeButton(const QString& caption, LiveWindowKind kind);
    void refreshName();
    // Renews the accessible description, at most once a second unless `now`.
    void refreshSummary(bool now);

    Meter& m_meter;
    LiveWindowSet m_windows;
    std::function<void(LiveWindowKind)> m_command;
    QLabel* m_name = nullptr;
    QLabel* m_reading = nullptr;
    QLabel* m_mode = nullptr;
    QLabel* m_range = nullptr;
    QLabel* m_state = nullptr;

    bool m_linked = false;
    bool m_paced = false;
    bool m_pending = false; // texts not shown yet
    // The texts shown, or to be shown when paced.
    QString m_readingText;
    QString m_modeText;
    QString m_stateText;
    // The smallest and largest reading of the current function and unit, as shown.
    std::uint32_t m_function = 0;
    QString m_unit;
    double m_min = 0.0;
    double m_max = 0.0;
    QString m_minText;
    QString m_maxText;
    QElapsedTimer m_summaryAge;
};

} // namespace telmora
