#include "ui/live/DigitalMeterWindow.h"

#include "model/needle.h"
#include "text/texts.h"
#include "ui/live/DisplayPlacement.h"
#include "ui/live/LcdPanel.h"

#include <QCloseEvent>
#include <QPaintDevice>

namespace telmora {

namespace {

// Point size of a reading's font from a panel width, in the resolution of the
// main reading's font.
int readingPoints(const QWidget* fontPanel, int width, double fraction) {
    const double ppi = fontPanel->logicalDpiY() > 0 ? fontPanel->logicalDpiY() : 96.0;
    return static_cast<int>(96.0 / ppi * (width * fraction) - 3.0);
}

QString joined(const telmora::DisplayLine& line) {
    return QString::fromLatin1(line.text.view().data(), static_cast<int>(line.text.size())) +
           QString::fromLatin1(line.part1.view().data(), static_cast<int>(line.part1.size())) +
           QString::fromLatin1(line.part2.view().data(), static_cast<int>(line.part2.size()));
}

template <std::size_t N> QString text(const telmora::FixedText<N>& t) {
    return QString::fromLatin1(t.view().data(), static_cast<int>(t.size()));
}

} // namespace

DigitalMeterWindow::DigitalMeterWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowMaximizeButtonHint) {
    setObjectName(QStringLiteral("DigitalMeterForm"));
    m_icon2 = telmora::DisplayIcon(QStringLiteral("icon2"));
    m_icon8 = telmora::DisplayIcon(QStringLiteral("icon8"));

    PanelLcd = new LcdPanel(this);
    pnlSubLcd = new LcdPanel(PanelLcd);
    pnlLB = new LcdPanel(pnlSubLcd);
    pnlSubAcDc = new LcdPanel(pnlSubLcd);
    SubDataPanel = new LcdPanel(pnlSubLcd);
    pnlMainLcd = new LcdPanel(PanelLcd);
    pnlAcDc = new LcdPanel(pnlMainLcd);
    DataPanel = new LcdPanel(pnlMainLcd);
    UnitPanel = new LcdPanel(pnlMainLcd);
    FuncPanel = new LcdPanel(pnlMainLcd);
    const std::pair<LcdPanel*, const char*> names[] = {
        {PanelLcd, "PanelLcd"},     {pnlSubLcd, "pnlSubLcd"},       {pnlLB, "pnlLB"},
        {pnlSubAcDc, "pnlSubAcDc"}, {SubDataPanel, "SubDataPanel"}, {pnlMainLcd, "pnlMainLcd"},
        {pnlAcDc, "pnlAcDc"},       {DataPanel, "DataPanel"},       {UnitPanel, "UnitPanel"},
        {FuncPanel, "FuncPanel"}};
    for (const auto& [panel, name] : names)
        panel->setObjectName(QString::fromLatin1(name));
    PanelLcd->setBevel(false);
    pnlSubLcd->setBevel(false);
    pnlMainLcd->setBevel(false);
    pnlLB->setBevel(false);
    UnitPanel->setPrefixPanel(true);
    setBlackBackgrounds();

    // Left screen edge below the main window; a quarter of the width and of the
    // remaining height; it may grow to the whole area below the main window.
    const QRect screen = telmora::DisplayScreenGeometry();
    const int top = telmora::MainWindowHeight();
    const int w = screen.width() / 4;
    const int h = (screen.height() - top) / 4;
    setMinimumSize(w, h);
    setMaximumSize(screen.width(), screen.height() - top);
    setGeometry(screen.left(), screen.top() + top, w, h);

    setLinkStatus(false);
    clearDisplay();
    layoutPanels();
}

DigitalMeterWindow::~DigitalMeterWindow() = default;

void DigitalMeterWindow::setLinked(bool linked) {
    m_linked = linked;
    setLinkStatus(linked);
    if (!linked)
        clearDisplay();
}

void DigitalMeterWindow::setLinkStatus(bool linked) {
    setWindowTitle(telmora::text(telmora::TextId::DigitalMeterCaption) +
                   (linked ? QStringLiteral(" : USB Device") : QStringLiteral(" : No Device")));
}

void DigitalMeterWindow::clearDisplay() {
    for (LcdPanel* panel :
         {DataPanel, UnitPanel, FuncPanel, pnlAcDc, pnlLB, pnlSubAcDc, SubDataPanel})
        panel->setText(QString());
    pnlLB->setColors(Qt::black, palette().color(QPalette::WindowText));
    setIcon(2);
}

void DigitalMeterWindow::showReading(const telmora::LiveReading& reading) {
    if (!m_linked)
        return;
    if (reading.lowBattery) {
        pnlLB->setText(QStringLiteral("LB"));
        pnlLB->setColors(QColor(255, 0, 0), palette().color(QPalette::WindowText));
    } else {
        pnlLB->setText(QString());
        pnlLB->setColors(Qt::black, palette().color(QPalette::WindowText));
    }
    FuncPanel->setTypeface(telmora::ShowsOhmSign(reading.mainFunction) ? LcdPanel::kSymbolTypeface
                                                                       : LcdPanel::kTypeface);
    pnlAcDc->setText(text(reading.mainModeLabel));
    DataPanel->setText(text(reading.mainText));
    UnitPanel->setText(text(reading.mainDisplayLine.part1));
    FuncPanel->setText(text(reading.mainDisplayLine.part2));
    pnlSubAcDc->setText(text(reading.subModeLabel));
    SubDataPanel->setText(joined(reading.subDisplayLine));
    setIcon(m_alternateIcon ? 8 : 2);
    m_alternateIcon = !m_alternateIcon;
}

void DigitalMeterWindow::setIcon(int number) {
    if (number == m_iconNumber)
        return;
    m_iconNumber = number;
    setWindowIcon(number == 8 ? m_icon8 : m_icon2);
}

void DigitalMeterWindow::setBlackBackgrounds() {
    for (LcdPanel* panel : {PanelLcd, pnlSubLcd, pnlSubAcDc, SubDataPanel, pnlMainLcd, pnlAcDc,
                            DataPanel, UnitPanel, FuncPanel})
        panel->setColors(Qt::black, LcdPanel::kLime);
    if (pnlLB->text().isEmpty())
        pnlLB->setColors(Qt::black, palette().color(QPalette::WindowText));
}

void DigitalMeterWindow::layoutPanels() {
    const int w = width();
    const int h = height();
    PanelLcd->setGeometry(0, 0, w, h);

    const int subH = h / 3;
    pnlSubLcd->setGeometry(0, 0, w, subH);
    pnlMainLcd->setGeometry(0, subH, w, h - subH);

    // Sub line: low-battery mark at the left, then (right-aligned) the sub mode
    // label and the sub reading.
    const int subDataW = w * 3 / 5;
    const int subAcDcW = w / 5;
    SubDataPanel->setGeometry(w - subDataW, 0, subDataW, subH);
    pnlSubAcDc->setGeometry(w - subDataW - subAcDcW, 0, subAcDcW, subH);
    pnlLB->setGeometry(0, 0, w * 2 / 15, subH / 2);

    // Main line: mode label, reading, prefix, unit.
    const int mainH = h - subH;
    const int acDcW = w / 6;
    const int unitW = w / 5;
    pnlAcDc->setGeometry(0, 0, acDcW, mainH);
    FuncPanel->setGeometry(w - unitW, 0, unitW, mainH);
    UnitPanel->setGeometry(w - 2 * unitW, 0, unitW, mainH);
    DataPanel->setGeometry(acDcW, 0, std::max(0, w - 2 * unitW - acDcW), mainH);

    // Font sizes follow the panel widths.
    DataPanel->setPointSize(readingPoints(DataPanel, DataPanel->width(), 0.25));
    SubDataPanel->setPointSize(readingPoints(DataPanel, SubDataPanel->width(), 0.125));
    UnitPanel->setPointSize(UnitPanel->width() / 2);
    FuncPanel->setPointSize(FuncPanel->width() / 2);
    pnlAcDc->setPointSize(pnlAcDc->width() / 5);
    pnlSubAcDc->setPointSize(pnlSubAcDc->width() / 5);
    pnlLB->setPointSize(pnlLB->width() / 3);
}

void DigitalMeterWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutPanels();
}

void DigitalMeterWindow::showEvent(QShowEvent* event) {
    setBlackBackgrounds();
    QWidget::showEvent(event);
}

void DigitalMeterWindow::closeEvent(QCloseEvent* event) {
    // The user cannot close this window; the application closes it at exit.
    if (event->spontaneous())
        event->ignore();
    else
        QWidget::closeEvent(event);
}

} // namespace telmora
