#include "ui/live/DigitalMeterWindow.h"

#include "model/needle.h"
#include "text/texts.h"
#include "ui/live/DisplayPlacement.h"
#include "ui/live/LcdPanel.h"
#include "ui/live/LiveReadout.h"
#include "ui/live/SpokenReading.h"
#include "ui/live/WindowIconEngine.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QPaintDevice>
#include <QPixmap>

#include <algorithm>

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
    setObjectName(QStringLiteral("digitalMeterWindow"));
    // The icon alternates with every reading: prepared once for the window system.
    m_icon2 = telmora::WindowIconEngine::prepared(telmora::DisplayIcon(QStringLiteral("icon2")));
    m_icon8 = telmora::WindowIconEngine::prepared(telmora::DisplayIcon(QStringLiteral("icon8")));

    m_lcd = new LcdPanel(this);
    m_subLine = new LcdPanel(m_lcd);
    m_lowBattery = new LcdPanel(m_subLine);
    m_subMode = new LcdPanel(m_subLine);
    m_subReading = new LcdPanel(m_subLine);
    m_mainLine = new LcdPanel(m_lcd);
    m_mainMode = new LcdPanel(m_mainLine);
    m_reading = new LcdPanel(m_mainLine);
    m_prefix = new LcdPanel(m_mainLine);
    m_unit = new LcdPanel(m_mainLine);
    const std::pair<LcdPanel*, const char*> names[] = {{m_lcd, "displayArea"},
                                                       {m_subLine, "subDisplay"},
                                                       {m_lowBattery, "lowBatteryPanel"},
                                                       {m_subMode, "subModePanel"},
                                                       {m_subReading, "SubDataPanel"},
                                                       {m_mainLine, "mainDisplay"},
                                                       {m_mainMode, "mainModePanel"},
                                                       {m_reading, "DataPanel"},
                                                       {m_prefix, "unitPanel"},
                                                       {m_unit, "prefixPanel"}};
    for (const auto& [panel, name] : names)
        panel->setObjectName(QString::fromLatin1(name));
    m_lcd->setBevel(false);
    m_subLine->setBevel(false);
    m_mainLine->setBevel(false);
    m_lowBattery->setBevel(false);
    m_prefix->setPrefixPanel(true);
    setBlackBackgrounds();
    m_readout = new LiveReadout(*m_lcd, QAccessible::StaticText, [this] {
        const QString spoken = m_spokenReading ? SpokenReading(*m_spokenReading) : QString();
        return LiveReadout::Texts{spoken.isEmpty() ? displayLabel() : spoken, spoken,
                                  displayLabel()};
    });

    fitBelow(0);

    setLinkStatus(false);
    clearDisplay();
    layoutPanels();
}

DigitalMeterWindow::~DigitalMeterWindow() = default;

void DigitalMeterWindow::fitBelow(int heightAbove) {
    // A quarter of the width and of the remaining height, frame and caption
    // included, so that the analog meter below does not cover it; it may grow to
    // the whole area below the windows above.
    const QRect screen = telmora::DisplayScreenGeometry();
    const int frame = telmora::DialogFrameHeight(this);
    const int w = screen.width() / 4 - 2 * frame;
    const int h = (screen.height() - heightAbove) / 4 - 2 * frame - telmora::CaptionHeight(this);
    setMinimumSize(std::max(w, 1), std::max(h, 1));
    setMaximumSize(screen.width(), screen.height() - heightAbove);
    resize(size().expandedTo(minimumSize()).boundedTo(maximumSize()));
}

void DigitalMeterWindow::setLinked(bool linked) {
    m_linked = linked;
    setLinkStatus(linked);
    if (!linked)
        clearDisplay();
}

void DigitalMeterWindow::setMeterName(const QString& name) {
    m_meterName = name;
    setLinkStatus(m_linked);
}

QString DigitalMeterWindow::displayLabel() const {
    QString caption = telmora::text(telmora::TextId::DigitalMeterCaption);
    if (!m_meterName.isEmpty())
        caption += QStringLiteral(" : ") + m_meterName;
    return caption;
}

void DigitalMeterWindow::setLinkStatus(bool linked) {
    setWindowTitle(displayLabel() + QStringLiteral(" : ") +
                   (linked ? translate("DigitalMeterWindow", "USB Device")
                           : translate("DigitalMeterWindow", "No Device")));
    speak();
}

void DigitalMeterWindow::speak() {
    m_readout->changed();
}

void DigitalMeterWindow::clearDisplay() {
    for (LcdPanel* panel :
         {m_reading, m_prefix, m_unit, m_mainMode, m_lowBattery, m_subMode, m_subReading})
        panel->setText(QString());
    m_lowBattery->setColors(Qt::black, palette().color(QPalette::WindowText));
    setIcon(2);
    m_spokenReading.reset();
    speak();
}

void DigitalMeterWindow::showReading(const telmora::DecodedReply& reading) {
    if (!m_linked)
        return;
    // The sign changes seldom; the window's colours are looked up only then.
    if (reading.lowBattery == m_lowBattery->text().isEmpty()) {
        if (reading.lowBattery) {
            m_lowBattery->setText(QStringLiteral("LB"));
            m_lowBattery->setColors(QColor(255, 0, 0), palette().color(QPalette::WindowText));
        } else {
            m_lowBattery->setText(QString());
            m_lowBattery->setColors(Qt::black, palette().color(QPalette::WindowText));
        }
    }
    m_unit->setShowsOhmSign(telmora::ShowsOhmSign(reading.main.functionCode()));
    m_mainMode->setText(text(reading.main.modeLabel));
    // A temperature is written with its degree sign ("°C"), not the display's letter.
    const QString degrees = DegreeUnit(reading.main.functionCode());
    if (degrees.isEmpty()) {
        m_reading->setText(text(reading.main.text));
        m_prefix->setText(text(reading.main.line.part1));
        m_unit->setText(text(reading.main.line.part2));
    } else {
        // The display's own spacing stays; only the scale's letter goes.
        QString number = text(reading.main.text);
        if (number.endsWith(degrees.back()))
            number.chop(1);
        m_reading->setText(number);
        m_prefix->setText(QString());
        m_unit->setText(degrees);
    }
    m_subMode->setText(text(reading.sub.modeLabel));
    m_subReading->setText(joined(reading.sub.line));
    setIcon(m_alternateIcon ? 8 : 2);
    m_alternateIcon = !m_alternateIcon;
    m_spokenReading = reading.main;
    speak();
}

bool DigitalMeterWindow::iconSeen() const {
    // Docked, the panel shows no icon (nor does its tab); floated, its window does.
    if (const auto* dock = qobject_cast<const QDockWidget*>(parentWidget()))
        return dock->isFloating() && !dock->isHidden();
    return isWindow() && !isHidden();
}

void DigitalMeterWindow::followDock() {
    disconnect(m_dockFloated);
    // A panel floated out of its dock shows the icon of the latest reading at once.
    if (auto* dock = qobject_cast<QDockWidget*>(parentWidget()))
        m_dockFloated =
            connect(dock, &QDockWidget::topLevelChanged, this, [this] { setIcon(m_iconNumber); });
}

void DigitalMeterWindow::setIcon(int number) {
    m_iconNumber = number;
    // A new icon reaches every widget of the window and its panel, so it is set
    // only where it shows: a docked or closed panel takes the latest when it
    // floats or opens (and has its first one from the start).
    if (number == m_iconShown || (m_iconShown != 0 && !iconSeen()))
        return;
    m_iconShown = number;
    setWindowIcon(number == 8 ? m_icon8 : m_icon2);
}

void DigitalMeterWindow::setBlackBackgrounds() {
    for (LcdPanel* panel : {m_lcd, m_subLine, m_subMode, m_subReading, m_mainLine, m_mainMode,
                            m_reading, m_prefix, m_unit})
        panel->setColors(Qt::black, LcdPanel::kLime);
    if (m_lowBattery->text().isEmpty())
        m_lowBattery->setColors(Qt::black, palette().color(QPalette::WindowText));
}

void DigitalMeterWindow::layoutPanels() {
    const int w = width();
    const int h = height();
    m_lcd->setGeometry(0, 0, w, h);

    const int subH = h / 3;
    m_subLine->setGeometry(0, 0, w, subH);
    m_mainLine->setGeometry(0, subH, w, h - subH);

    // Sub line: low-battery mark at the left, then (right-aligned) the sub mode
    // label and the sub reading.
    const int subDataW = w * 3 / 5;
    const int subAcDcW = w / 5;
    m_subReading->setGeometry(w - subDataW, 0, subDataW, subH);
    m_subMode->setGeometry(w - subDataW - subAcDcW, 0, subAcDcW, subH);
    m_lowBattery->setGeometry(0, 0, w * 2 / 15, subH / 2);

    // Main line: mode label, reading, prefix, unit.
    const int mainH = h - subH;
    const int acDcW = w / 6;
    const int unitW = w / 5;
    m_mainMode->setGeometry(0, 0, acDcW, mainH);
    m_unit->setGeometry(w - unitW, 0, unitW, mainH);
    m_prefix->setGeometry(w - 2 * unitW, 0, unitW, mainH);
    m_reading->setGeometry(acDcW, 0, std::max(0, w - 2 * unitW - acDcW), mainH);

    // Font sizes follow the panel widths.
    m_reading->setPointSize(readingPoints(m_reading, m_reading->width(), 0.25));
    m_subReading->setPointSize(readingPoints(m_reading, m_subReading->width(), 0.125));
    m_prefix->setPointSize(m_prefix->width() / 2);
    m_unit->setPointSize(m_unit->width() / 2);
    m_mainMode->setPointSize(m_mainMode->width() / 5);
    m_subMode->setPointSize(m_subMode->width() / 5);
    m_lowBattery->setPointSize(m_lowBattery->width() / 3);
}

bool DigitalMeterWindow::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange)
        followDock();
    return QWidget::event(event);
}

void DigitalMeterWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutPanels();
}

void DigitalMeterWindow::showEvent(QShowEvent* event) {
    setBlackBackgrounds();
    setIcon(m_iconNumber);
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
