#include "ui/recorder/recorderpanels.h"

#include "model/functiontable.h"
#include "model/needle.h"

#include "recording/recordertext.h"
#include "text/texts.h"
#include "ui/common/LabelHolder.h"
#include "ui/common/SelectableOnHover.h"
#include "ui/live/SpokenReading.h"
#include "ui/recorder/AccentLabel.h"
#include "ui/recorder/recorderwidgets.h"

#include <QHBoxLayout>
#include <QLabel>

namespace telmora {

namespace {

QString fillFormat(TextId id, std::initializer_list<long long> numbers) {
    return fillNumbers(text(id), numbers);
}

QLabel* makeTitle(QWidget* parent, const QString& title, std::vector<QColor> colours) {
    return new AccentLabel(title, std::move(colours), parent);
}

} // namespace

// --- read-outs ----------------------------------------------------------------------

RecorderReadouts::RecorderReadouts(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("displayPanel"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 4, 6, 4);
    row->setSpacing(3);
    m_time = MakeValuePanel(this, "TimePanel", 110);
    // The read-outs change with every sample: held, they do not relayout the window.
    row->addWidget(HoldLabel(m_time), 3);
    m_reading = addRecordPanels("Reading", nullptr);
    row->addSpacing(14);
    m_largest = addRecordPanels(
        "Max", makeTitle(this, translate("RecorderPanels", "Max."), AccentLabel::reds()));
    row->addSpacing(14);
    m_smallest = addRecordPanels(
        "Min", makeTitle(this, translate("RecorderPanels", "Min."), AccentLabel::fuchsias()));
}

RecorderReadouts::RecordPanels RecorderReadouts::addRecordPanels(const char* prefixName,
                                                                 QLabel* title) {
    auto* row = static_cast<QHBoxLayout*>(layout());
    const QByteArray name(prefixName);
    RecordPanels p;
    p.data = MakeValuePanel(this, (name + "DataPanel").constData(), 90);
    p.prefix = MakeValuePanel(this, (name + "PrefixPanel").constData(), 34);
    p.unit = MakeValuePanel(this, (name + "UnitPanel").constData(), 40);
    if (title != nullptr)
        row->addWidget(title);
    row->addWidget(HoldLabel(p.data), 3);
    row->addWidget(HoldLabel(p.prefix), 1);
    row->addWidget(HoldLabel(p.unit), 1);
    return p;
}

void RecorderReadouts::show(const ReadingRecord& r, const RecordPanels& panels) {
    const std::uint32_t code = r.function();
    // A temperature's unit is written "°C" (the stored texts have the bare letter).
    const QString degrees = DegreeUnit(code);
    if (!degrees.isEmpty()) {
        panels.data->setText(WithoutDegreeLetter(code, RecordText(r.displayText)));
        panels.prefix->clear();
        panels.unit->setText(degrees);
        panels.unit->setAlignment(Qt::AlignCenter);
        return;
    }
    // Temperatures put the degree prefix and its letter side by side.
    const bool degree = IsBareTemperature(MeterFunctionOf(code));
    panels.data->setText(RecordText(r.displayText).trimmed());
    panels.prefix->setText(RecordText(r.prefixText));
    panels.prefix->setAlignment(degree ? (Qt::AlignRight | Qt::AlignVCenter) : Qt::AlignCenter);
    // The stored unit letter "W" of a resistance is the ohm sign.
    QString unitText = RecordText(r.unitText);
    if (ShowsOhmSign(code) && unitText == QStringLiteral("W"))
        unitText = QString(QChar(0x03A9));
    panels.unit->setText(unitText);
    panels.unit->setAlignment(degree ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
}

void RecorderReadouts::clear(const RecordPanels& panels) {
    for (QLabel* l : {panels.data, panels.prefix, panels.unit})
        l->clear();
}

void RecorderReadouts::showCursorSample(const QString& time, const ReadingRecord& record) {
    m_time->setText(time);
    show(record, m_reading);
}

void RecorderReadouts::clearCursorSample() {
    m_time->clear();
    clear(m_reading);
}

void RecorderReadouts::showExtremes(const ReadingRecord& largest, const ReadingRecord& smallest) {
    show(largest, m_largest);
    show(smallest, m_smallest);
}

void RecorderReadouts::clearExtremes() {
    clear(m_largest);
    clear(m_smallest);
}

// --- status bar ---------------------------------------------------------------------

RecorderStatusBar::RecorderStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("statusBar"));
    setSizeGripEnabled(true);
    const int widths[PanelCount] = {130, 170, 130, 190, 130};
    const char* names[PanelCount] = {"StatusLogging", "StatusSampleCount", "StatusPage",
                                     "StatusInterval", "StatusClock"};
    for (int i = 0; i < PanelCount; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QLatin1String(names[i]));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setMinimumWidth(widths[i]);
        panel->setContentsMargins(4, 0, 4, 0);
        // Held: the count and the clock change often and need no relayout.
        addWidget(HoldLabel(panel), i == Clock ? 1 : 0);
        m_panels[i] = panel;
    }
}

void RecorderStatusBar::showLogging(bool logging) {
    m_panels[Logging]->setText(logging ? text(TextId::StatusDataLogging) : QString());
}

void RecorderStatusBar::showWaiting(const QString& awaited) {
    m_panels[Logging]->setText(translate("RecorderWindow", "Waiting for %1").arg(awaited));
}

void RecorderStatusBar::showSampleCount(std::int64_t count) {
    m_panels[SampleCount]->setText(fillFormat(TextId::StatusBufferCountFormat, {count}));
}

void RecorderStatusBar::showPage(std::int32_t current, std::int32_t last) {
    m_panels[Page]->setText(fillFormat(TextId::StatusPageFormat, {current, last}));
}

void RecorderStatusBar::showInterval(Interval interval, std::int32_t seconds) {
    QString shown;
    switch (interval) {
    case Interval::Manual:
        shown = text(TextId::IntervalManual);
        break;
    case Interval::FullSpeed:
        shown = text(TextId::IntervalFullSpeed);
        break;
    case Interval::Seconds:
        shown = text(TextId::IntervalSeconds) + QLatin1Char(':') + QString::number(seconds) +
                QLatin1Char('S');
        break;
    }
    m_panels[IntervalPanel]->setText(shown);
}

QString LocalClockText(const QLocale& locale, const QTime& time) {
    // The locale's long form carries the seconds, and a time zone the clock leaves out.
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return locale.toString(time, format.simplified());
}

void RecorderStatusBar::showClock(int hour, int minute, int second) {
    m_panels[Clock]->setText(LocalClockText(QLocale(), QTime(hour, minute, second)));
}

LabelHolder* HeldTraceReadings(QWidget* parent, QLabel*& label) {
    label = new QLabel(parent);
    label->setObjectName(QStringLiteral("traceReadingsLabel"));
    label->setContentsMargins(6, 2, 6, 2);
    SelectableOnHover::apply(label);
    label->setWordWrap(true); // many meters never widen the window
    return HoldLabel(label);
}

} // namespace telmora
