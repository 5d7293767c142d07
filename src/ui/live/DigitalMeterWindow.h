#pragma once

#include "model/DecodedReply.h"

#include <QIcon>
#include <QWidget>

#include <memory>
#include <optional>

namespace telmora {

class LcdPanel;
class LiveReadout;

// The digital meter: the live reading as the meter's own display shows it -
// main reading with prefix, unit and mode, the sub reading above it and the
// low-battery mark - lime characters on black panels.
class DigitalMeterWindow : public QWidget {
    Q_OBJECT
public:
    explicit DigitalMeterWindow(QWidget* parent = nullptr);
    ~DigitalMeterWindow() override;

    // Sizes the window for the room below windows `heightAbove` high (frame and
    // caption included): at least a quarter of the screen's width and of that
    // room, at most all of it. Its owner places it.
    void fitBelow(int heightAbove);

    // Caption "Digital Meter" + " : USB Device" while linked, " : No Device"
    // otherwise; an unlink also clears the display.
    void setLinked(bool linked);
    // The name of the meter this window shows, put into the caption after
    // "Digital Meter" (while several meters are known); empty: none.
    void setMeterName(const QString& name);
    // Clears every panel, makes the low-battery mark black and shows icon 2.
    void clearDisplay();
    // Shows one reading; the window icon alternates between 2 and 8 from one
    // reading to the next. Ignored while unlinked.
    void showReading(const telmora::DecodedReply& reading);

    // The resource number of the icon shown now (2 or 8).
    int iconNumber() const { return m_iconNumber; }

    // The panels, for tests and tools that read what the display shows.
    const LcdPanel* readingPanel() const { return m_reading; }
    const LcdPanel* prefixPanel() const { return m_prefix; }
    const LcdPanel* unitPanel() const { return m_unit; }
    const LcdPanel* modePanel() const { return m_mainMode; }
    const LcdPanel* lowBatteryPanel() const { return m_lowBattery; }
    const LcdPanel* subModePanel() const { return m_subMode; }
    const LcdPanel* subReadingPanel() const { return m_subReading; }
    // What a screen reader is told: the reading ("1.513 V DC") as the display
    // area's name and value, the caption as its description.
    const LiveReadout& readout() const { return *m_readout; }

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Whether the window's icon can be seen: the window is open on its own, or
    // its panel floats in a window of its own.
    bool iconSeen() const;
    // Follows the dock the window is put into, if any, into and out of floating.
    void followDock();
    void layoutPanels();
    void setBlackBackgrounds();
    void setIcon(int number);

    void setLinkStatus(bool linked);
    // The caption without the link state: what the display is.
    QString displayLabel() const;
    // Hands the reading (or, without one, the label) to the readout.
    void speak();

    // The whole display, its sub line (low-battery mark, sub mode, sub reading)
    // and its main line (mode, reading, prefix, unit).
    LcdPanel* m_lcd;
    LcdPanel* m_subLine;
    LcdPanel* m_lowBattery;
    LcdPanel* m_subMode;
    LcdPanel* m_subReading;
    LcdPanel* m_mainLine;
    LcdPanel* m_mainMode;
    LcdPanel* m_reading;
    LcdPanel* m_prefix;
    LcdPanel* m_unit;
    LiveReadout* m_readout;
    // The main reading shown, put into words only when the readout passes it on
    // (once a second at most); nothing while the display is clear.
    std::optional<Measurement> m_spokenReading;

    bool m_linked = false;
    QString m_meterName;
    bool m_alternateIcon = false;
    int m_iconNumber = 0;
    int m_iconShown = 0; // the number of the icon the window shows
    QMetaObject::Connection m_dockFloated;
    QIcon m_icon2;
    QIcon m_icon8;
};

} // namespace telmora
