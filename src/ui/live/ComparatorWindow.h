#pragma once

#include "model/DecodedReply.h"
#include "model/needle.h"

#include "ui/live/DialBackdrop.h"
#include "ui/live/LiveReadout.h"
#include "ui/live/NeedleSweep.h"
#include <QString>

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QFrame;
class QPushButton;

namespace telmora {

class UserDialogs;
class ComparatorLimitsDialog;
class LcdPanel;
class ToneGenerator;

// The comparator: a needle between an upper and a lower limit (upright at their
// mid-point, at the stops beyond them), the limits with their units, and an
// optional alarm tone for readings outside the limits.
class ComparatorWindow : public QWidget {
    Q_OBJECT
public:
    // Plays one alarm tone (frequency in Hz, duration in ms).
    using TonePlayer = std::function<void(int, int)>;

    // Starts with the given limits; `limitsDialog` edits them (the window makes
    // its own when none is given).
    ComparatorWindow(UserDialogs& dialogs, double highLimit, double lowLimit,
                     ComparatorLimitsDialog* limitsDialog = nullptr, QWidget* parent = nullptr);
    ~ComparatorWindow() override;

    // An unlink puts the value at the mid-point of the limits; a shown window
    // sweeps the needle there shortly after.
    void setLinked(bool linked);
    // The name of the meter this window shows, put into the caption (while several
    // meters are known); empty: the plain caption.
    void setMeterName(const QString& name);
    // One live reading; dropped (no update, no alarm) while the window is
    // hidden or minimised and while unlinked.
    void showReading(const telmora::DecodedReply& reading);
    double highLimit() const { return m_high; }
    double lowLimit() const { return m_low; }

    // Stores one reading's main value and runs the update: value, labels,
    // needle, alarm.
    void applyReading(const telmora::Measurement& main);

    // The dial picture's size and the two buttons' heights, on which the
    // window's size is based.
    static QSize pictureSize();
    int alarmButtonHeight() const;
    int limitButtonHeight() const;
    // The window's fixed client size.
    QSize sizeHint() const override { return size(); }

signals:
    // The user set new limits.
    void limitsChanged(double highLimit, double lowLimit);
    // With the alarm on, a reading went beyond a limit: above the upper one when
    // `above`, else below the lower one. `limit` is that limit as the window shows
    // it, with its unit. Sent once as the reading crosses, not with every tone.
    void alarmRaised(bool above, const QString& limit);

public:
    float value() const { return m_value; }
    double needleAngle() const { return m_needle.angle(); }
    double previousNeedleAngle() const { return m_needle.previousAngle(); }
    double shownNeedleAngle() const { return m_needle.shownAngle(); }
    bool sweeping() const { return m_needle.sweeping(); }
    bool alarmOn() const { return m_alarm; }
    // Sets the alarm switch as the alarm button would (remembered between runs).
    void setAlarmOn(bool on);
    std::uint32_t function() const { return m_function; }
    // Replaces the tone output (tests record the tones instead of playing them).
    void setTonePlayer(TonePlayer player) { m_tonePlayer = std::move(player); }

    // The limit rows' panels, for tests that read what they show (the buttons
    // are found by their object names "alarmButton" and "limitsButton").
    const LcdPanel* highLimitPanel() const { return m_highLimitPanel; }
    const LcdPanel* highPrefixPanel() const { return m_highPrefixPanel; }
    const LcdPanel* highUnitPanel() const { return m_highUnitPanel; }
    const LcdPanel* lowLimitPanel() const { return m_lowLimitPanel; }
    // What a screen reader is told about the dial: the reading and where it lies
    // against the limits as its name, the reading as its value, the caption as its
    // description.
    const LiveReadout& readout() const { return *m_readout; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The alarm button: switches the alarm tone on or off.
    void toggleAlarm();
    // The limits button: edits the limits in the dialog and keeps them on OK.
    void editLimits();

    void updateLabels();
    void updateLimitTexts();
    void moveNeedle();
    void placeControls();
    // Hands the reading and its side of the limits (or, without a reading, the
    // caption) to the dial's readout.
    void speak();
    LiveReadout::Texts spokenTexts() const;
    int dialLeft() const;
    QPointF pivot() const;
    void paintBackdrop(QPainter& painter) const;
    NeedleShape needleShape() const;
    // Schedules the repaint of the old and the new needle after a needle step.
    void repaintNeedle();
    void playTone(int hz, int ms);

    void resetAfterUnlink();
    void sweepToMidpoint();
    // Tells of a reading that has just crossed a limit (AlarmFrequency's tone
    // for the present value: 0 within the limits).
    void noteAlarmSide(int toneHz);

    UserDialogs& m_dialogs;
    QPushButton* m_alarmButton;
    QPushButton* m_limitsButton;
    // One sunken row per limit: limit, prefix and unit.
    QFrame* m_highRow;
    LcdPanel* m_highLimitPanel;
    LcdPanel* m_highPrefixPanel;
    LcdPanel* m_highUnitPanel;
    QFrame* m_lowRow;
    LcdPanel* m_lowLimitPanel;
    LcdPanel* m_lowPrefixPanel;
    LcdPanel* m_lowUnitPanel;

    // An empty widget over the dial that speaks for it.
    QWidget* m_dial;
    LiveReadout* m_readout;
    QString m_spoken; // the reading as spoken; empty without one

    ComparatorLimitsDialog* m_limitsDialog;
    std::unique_ptr<ComparatorLimitsDialog> m_ownDialog;
    bool m_linked = false;
    telmora::ToneGenerator* m_tone = nullptr;
    TonePlayer m_tonePlayer;

    double m_high;
    double m_low;
    float m_value = 0.0f;
    bool m_alarm = false;
    // The tone of the last reading (0 within the limits): a crossing changes it.
    int m_alarmSide = 0;
    std::uint32_t m_function = 0;
    bool m_negative = false;
    telmora::ComparatorLabels m_labels;

    NeedleSweep m_needle{90.0, [this] { repaintNeedle(); },
                         [this](double drawn, double next) {
                             return NeedleStepShows(needleShape(), drawn, next,
                                                    devicePixelRatioF());
                         }};
    DialBackdrop m_backdrop;
    // The needle as the last paint drew it.
    double m_paintedAngle = 90.0;
    QRect m_paintedNeedle;
};

} // namespace telmora
