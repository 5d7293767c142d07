#include "ui/main/MeterCard.h"

#include "app/Meter.h"
#include "meter/MeterLink.h"
#include "model/DecodedReply.h"
#include "model/needle.h"
#include "text/texts.h"
#include "ui/common/LabelHolder.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/SpokenReading.h"

#include <QAccessible>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace telmora {

namespace {

template <std::size_t N> QString shown(const FixedText<N>& t) {
    return QString::fromLatin1(t.view().data(), static_cast<int>(t.size())).trimmed();
}

// The reading as the display shows it, with its prefix and unit; a temperature
// with its degree sign ("51.1 °C"), a resistance with the ohm sign ("4.7 kΩ").
QString readingOf(const Measurement& m) {
    const QString degrees = DegreeUnit(m.functionCode());
    if (!degrees.isEmpty()) {
        const QString value = WithoutDegreeLetter(m.functionCode(), shown(m.text));
        return value.isEmpty() ? value : value + QLatin1Char(' ') + degrees;
    }
    // A resistance's unit letter "W" is the ohm sign on the display.
    QString unitLetters = shown(m.unitLabel);
    if (ShowsOhmSign(m.functionCode()) && unitLetters == QStringLiteral("W"))
        unitLetters = QString(QChar(0x03A9));
    const QString unit = shown(m.prefixLabel) + unitLetters;
    const QString value = shown(m.text);
    return unit.isEmpty() ? value : value + QLatin1Char(' ') + unit;
}

// The summary is renewed at most this often while readings come.
constexpr qint64 kSummaryMs = 1000;

} // namespace

MeterCard::MeterCard(Meter& meter, const LiveWindowSet& windows, QWidget* parent)
    : QFrame(parent), m_meter(meter), m_windows(windows) {
    setObjectName(QStringLiteral("meterCard"));
    setFrameShape(QFrame::StyledPanel);
    setFocusPolicy(Qt::TabFocus);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 3, 6, 3);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(1);
    m_name = new QLabel(this);
    QFont bold = m_name->font();
    bold.setBold(true);
    m_name->setFont(bold);
    m_reading = new QLabel(this);
    QFont large = m_reading->font();
    large.setPointSizeF(large.pointSizeF() * 1.5);
    large.setBold(true);
    m_reading->setFont(large);
    m_reading->setObjectName(QStringLiteral("cardReading"));
    m_mode = new QLabel(this);
    m_range = new QLabel(this);
    m_state = new QLabel(this);
    // Held, a label's new text repaints it alone: the strip and the window are laid
    // out again only when a text needs more or less room.
    grid->addWidget(HoldLabel(m_name), 0, 0);
    grid->addWidget(HoldLabel(m_state), 0, 1, Qt::AlignRight);
    grid->addWidget(HoldLabel(m_reading), 1, 0);
    grid->addWidget(HoldLabel(m_mode), 1, 1, Qt::AlignRight);
    grid->addWidget(HoldLabel(m_range), 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    buttons->addWidget(makeButton(text(TextId::DigitalMeterCaption), LiveWindowKind::Digital));
    buttons->addWidget(makeButton(text(TextId::AnalogMeterCaption), LiveWindowKind::Analog));
    buttons->addWidget(makeButton(text(TextId::ComparatorCaption), LiveWindowKind::Comparator));
    buttons->addStretch(1);
    grid->addLayout(buttons, 3, 0, 1, 2);

    MeterLink& link = meter.link();
    connect(&link, &MeterLink::readingReceived, this, &MeterCard::showReading);
    connect(&link, &MeterLink::linkedChanged, this, &MeterCard::setLinked);
    connect(&meter, &Meter::nameChanged, this, &MeterCard::refreshName);
    refreshName();
    setLinked(link.isLinked());
}

MeterCard::~MeterCard() = default;

QToolButton* MeterCard::makeButton(const QString& caption, LiveWindowKind kind) {
    auto* button = new QToolButton(this);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QToolButton::clicked, this, [this, kind] {
        if (m_command)
            m_command(kind);
    });
    return button;
}

void MeterCard::refreshName() {
    m_name->setText(m_meter.name());
    setAccessibleName(m_meter.name());
    refreshSummary(true);
}

void MeterCard::setLinked(bool linked) {
    m_linked = linked;
    m_function = 0;
    m_unit.clear();
    m_minText.clear();
    m_maxText.clear();
    m_readingText = linked ? QString() : QStringLiteral("----");
    m_modeText.clear();
    m_stateText = linked ? QString() : translate("MeterStrip", "Not linked");
    showTexts();
    refreshSummary(true);
}

void MeterCard::showTexts() {
    m_pending = false;
    m_reading->setText(m_readingText);
    m_mode->setText(m_modeText);
    m_range->setText(rangeText());
    m_state->setText(m_stateText);
}

void MeterCard::showPending() {
    if (m_pending)
        showTexts();
}

void MeterCard::showReading(const DecodedReply& reading) {
    if (!m_linked)
        return;
    const Measurement& main = reading.main;
    m_readingText = readingOf(main);
    m_modeText = shown(main.modeLabel);
    // The range starts again with a new function or unit.
    const QString unit = shown(main.prefixLabel) + shown(main.unitLabel);
    if (main.functionCode() != m_function || unit != m_unit) {
        m_function = main.functionCode();
        m_unit = unit;
        m_minText.clear();
        m_maxText.clear();
    }
    if (main.hasNumber()) {
        if (m_minText.isEmpty() || main.value < m_min) {
            m_min = main.value;
            m_minText = readingOf(main);
        }
        if (m_maxText.isEmpty() || main.value > m_max) {
            m_max = main.value;
            m_maxText = readingOf(main);
        }
    }
    const double high = m_windows.comparator != nullptr ? m_windows.comparator->highLimit() : 0;
    const double low = m_windows.comparator != nullptr ? m_windows.comparator->lowLimit() : 0;
    const int tone = AlarmFrequency(ComparatorValue(main, high, low), high, low);
    m_stateText = tone == kAlarmHighHz  ? translate("MeterStrip", "Above the upper limit")
                  : tone == kAlarmLowHz ? translate("MeterStrip", "Below the lower limit")
                                        : translate("MeterStrip", "Within the limits");
    if (m_paced) {
        m_pending = true;
        emit changed();
    } else {
        showTexts();
    }
    refreshSummary(false);
}

QString MeterCard::readingText() const {
    return m_modeText.isEmpty() ? m_readingText : m_readingText + QLatin1Char(' ') + m_modeText;
}

QString MeterCard::rangeText() const {
    if (m_minText.isEmpty())
        return {};
    return translate("MeterStrip", "Min %1 / Max %2").arg(m_minText, m_maxText);
}

QString MeterCard::stateText() const {
    return m_stateText;
}

QString MeterCard::summary() const {
    QStringList parts{readingText()};
    for (const QString& part : {rangeText(), stateText()})
        if (!part.isEmpty())
            parts << part;
    return m_meter.name() + QStringLiteral(": ") + parts.join(QStringLiteral(", "));
}

void MeterCard::refreshSummary(bool now) {
    if (!now && m_summaryAge.isValid() && m_summaryAge.elapsed() < kSummaryMs)
        return;
    m_summaryAge.start();
    setAccessibleDescription(summary());
    setToolTip(summary());
}

} // namespace telmora
