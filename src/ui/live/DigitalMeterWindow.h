#pragma once

#include "meter/SharedState.h"

#include <QIcon>
#include <QWidget>

#include <memory>

namespace telmora {

class LcdPanel;
class DigitalMeterThread;

// The digital meter: the live reading as the meter's own display shows it -
// main reading with prefix, unit and mode, the sub reading above it and the
// low-battery mark - lime characters on black panels. Its thread distributes
// each new reading to the analog meter and the comparator.
class DigitalMeterWindow : public QWidget {
    Q_OBJECT
public:
    explicit DigitalMeterWindow(QWidget* parent = nullptr);
    ~DigitalMeterWindow() override;

    // Caption "Digital Meter" + " : USB Device" while linked, " : No Device" otherwise.
    void setLinkStatus(bool linked);
    // Clears every panel, makes the low-battery mark black and shows icon 2.
    void clearDisplay();
    // Shows one reading (user-interface thread); `alternate` picks icon 8 over 2.
    void showReading(const telmora::LiveReading& reading, bool alternate);

    // The resource number of the icon shown now (2 or 8).
    int iconNumber() const { return m_iconNumber; }
    // The worker thread, while the window exists.
    DigitalMeterThread* thread() const { return m_thread.get(); }

    // Controls, named as the window is built.
    telmora::LcdPanel* PanelLcd;
    telmora::LcdPanel* pnlSubLcd;
    telmora::LcdPanel* pnlLB;
    telmora::LcdPanel* pnlSubAcDc;
    telmora::LcdPanel* SubDataPanel;
    telmora::LcdPanel* pnlMainLcd;
    telmora::LcdPanel* pnlAcDc;
    telmora::LcdPanel* DataPanel;
    telmora::LcdPanel* UnitPanel;
    telmora::LcdPanel* FuncPanel;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void layoutPanels();
    void setBlackBackgrounds();
    void setIcon(int number);

    std::unique_ptr<DigitalMeterThread> m_thread;
    int m_iconNumber = 0;
    QIcon m_icon2;
    QIcon m_icon8;
};

} // namespace telmora
