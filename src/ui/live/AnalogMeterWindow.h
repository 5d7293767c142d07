#pragma once

#include "model/DecodedReply.h"
#include "model/functiontable.h"
#include "model/needle.h"

#include "ui/live/DialBackdrop.h"
#include "ui/live/NeedleSweep.h"
#include <QString>

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

class QFrame;

namespace telmora {

class LcdPanel;
class LiveReadout;

// The analog meter: the main reading as a needle on a dial, with the range
// multiplier, prefix and unit below the scale and a sign mark beside them.
class AnalogMeterWindow : public QWidget {
    Q_OBJECT
public:
    explicit AnalogMeterWindow(QWidget* parent = nullptr);
    ~AnalogMeterWindow() override;

    // An unlink resets the meter: full scale 2000, multiplier exponent 2, no
    // counts; a shown window sweeps the needle back to zero shortly after.
    void setLinked(bool linked);
    // The name of the meter this window shows, put into the caption (while several
    // meters are known); empty: the plain caption.
    void setMeterName(const QString& name);
    // One live reading; dropped while the window is hidden or minimised and
    // while unlinked.
    void showReading(const telmora::DecodedReply& reading);

    // Stores one reading's main line and updates scale, labels and needle.
    void applyReading(const telmora::Measurement& main);

    // The dial face picture's height, on which the window's height is based.
    static int dialFaceHeight();
    // The window's fixed client size.
    QSize sizeHint() const override { return size(); }

    telmora::AnalogScale scale() const { return m_scale; }
    double needleAngle() const { return m_needle.angle(); }
    double previousNeedleAngle() const { return m_needle.previousAngle(); }
    // The angle at which the needle is drawn now (moves during a sweep).
    double shownNeedleAngle() const { return m_needle.shownAngle(); }
    bool sweeping() const { return m_needle.sweeping(); }
    int scaleImage() const { return m_scaleImage; }
    bool negative() const { return m_negative; }
    std::uint32_t function() const { return m_function; }

    // The label panels below the scale, for tests that read what they show.
    const LcdPanel* multiplierPanel() const { return m_multiplier; }
    const LcdPanel* prefixPanel() const { return m_prefix; }
    const LcdPanel* unitPanel() const { return m_unit; }
    // What a screen reader is told about the dial: the reading ("1.513 V DC") as
    // its name and value, the caption as its description.
    const LiveReadout& readout() const { return *m_readout; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Scale, labels and needle for the stored reading (one update).
    void runUpdate();
    void updateLabels();
    void placePanel();
    // Hands the reading (or, at rest, the caption) to the dial's readout.
    void speak();
    QPointF pivot() const;
    int faceLeft() const;

    void resetAfterUnlink();
    void sweepToRest();
    // What the backdrop shows (scale picture and sign mark), as its cache key.
    std::uint64_t backdropKey() const;
    void paintBackdrop(QPainter& painter) const;
    NeedleShape needleShape() const;
    // Schedules the repaint of what changed since the last paint: the old and the
    // new needle, or everything when the backdrop changed.
    void repaintChanges();

    // The sunken frame below the scale with the range multiplier, prefix and unit.
    QFrame* m_labelFrame;
    LcdPanel* m_multiplier;
    LcdPanel* m_prefix;
    LcdPanel* m_unit;
    // An empty widget over the dial face that speaks for it.
    QWidget* m_dial;
    LiveReadout* m_readout;
    QString m_caption;
    QString m_spoken; // the reading as spoken; empty at rest

    bool m_linked = false;

    QString m_firstUnitPart;
    QString m_secondUnitPart;
    std::uint32_t m_function = telmora::FunctionCodeOf(telmora::MeterFunction::VoltsAc);
    bool m_negative = false;
    telmora::AnalogScale m_scale{0, 10000, 2};
    std::uint32_t m_lastDrawnFunction = telmora::FunctionCodeOf(telmora::MeterFunction::VoltsAc);
    int m_scaleImage = 100;

    // The sweep from the drawn angle to the new one.
    NeedleSweep m_needle{telmora::kNeedleZero, [this] { repaintChanges(); },
                         [this](double drawn, double next) {
                             return NeedleStepShows(needleShape(), drawn, next,
                                                    devicePixelRatioF());
                         }};
    DialBackdrop m_backdrop;
    // What the last paint showed: backdrop, needle angle and the needle's pixels.
    std::uint64_t m_paintedKey = 0;
    double m_paintedAngle = telmora::kNeedleZero;
    QRect m_paintedNeedle;
};

} // namespace telmora
