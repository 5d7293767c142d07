#include "ui/live/ComparatorWindow.h"

#include "text/texts.h"
#include "ui/common/contrast.h"
#include "ui/live/ComparatorLimitsDialog.h"
#include "ui/live/DisplayArt.h"
#include "ui/live/DisplayPlacement.h"
#include "ui/live/LcdPanel.h"
#include "ui/live/LiveReadout.h"
#include "ui/live/SpokenReading.h"
#include "ui/live/ToneGenerator.h"

#include <QApplication>
#include <QFrame>
#include <QPainter>
#include <QPushButton>

#include <cmath>
#include <utility>

namespace telmora {

namespace {

constexpr double kComparatorPivotY = 99.0;
constexpr double kComparatorNeedleLength = 70.0;
constexpr double kComparatorNeedlePen = 1.8;
constexpr double kComparatorHubCapRadius = 6.0;
constexpr int kZoneTop = 22;
constexpr int kAlarmButtonHeight = 25;
constexpr int kLimitButtonSize = 43;
constexpr int kRowHeight = 20;

// One limit row: a sunken frame holding the limit text, prefix and unit.
QFrame* limitRow(QWidget* parent, const char* name, LcdPanel*& limit, LcdPanel*& prefix,
                 LcdPanel*& unit, const char* limitName, const char* prefixName,
                 const char* unitName) {
    auto* row = new QFrame(parent);
    row->setObjectName(QString::fromLatin1(name));
    row->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    row->setLineWidth(1);
    limit = new LcdPanel(row);
    prefix = new LcdPanel(row);
    unit = new LcdPanel(row);
    limit->setObjectName(QString::fromLatin1(limitName));
    prefix->setObjectName(QString::fromLatin1(prefixName));
    unit->setObjectName(QString::fromLatin1(unitName));
    for (LcdPanel* p : {limit, prefix, unit}) {
        p->setBevel(false);
        p->setPointSize(10);
        p->setBold(true);
    }
    limit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    prefix->setPrefixPanel(true);
    return row;
}

} // namespace

ComparatorWindow::ComparatorWindow(UserDialogs& dialogs, double highLimit, double lowLimit,
                                   ComparatorLimitsDialog* limitsDialog, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_dialogs(dialogs), m_limitsDialog(limitsDialog), m_high(highLimit), m_low(lowLimit) {
    setObjectName(QStringLiteral("comparatorWindow"));
    setWindowTitle(telmora::text(telmora::TextId::ComparatorCaption));
    setWindowIcon(telmora::DisplayIcon(QStringLiteral("icon5")));

    m_dial = new QWidget(this);
    m_dial->setObjectName(QStringLiteral("dialReadout"));
    m_dial->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_readout = new LiveReadout(*m_dial, QAccessible::StaticText, [this] { return spokenTexts(); });

    m_alarmButton = new QPushButton(this);
    m_alarmButton->setObjectName(QStringLiteral("alarmButton"));
    m_alarmButton->setText(translate("ComparatorWindow", "OFF"));
    m_alarmButton->setIcon(telmora::DisplayIcon(QStringLiteral("glyph_alarm_off")));
    m_alarmButton->setFocusPolicy(Qt::TabFocus);
    connect(m_alarmButton, &QPushButton::clicked, this, &ComparatorWindow::toggleAlarm);

    m_limitsButton = new QPushButton(this);
    m_limitsButton->setObjectName(QStringLiteral("limitsButton"));
    m_limitsButton->setIcon(telmora::DisplayIcon(QStringLiteral("glyph_limits")));
    m_limitsButton->setIconSize(QSize(24, 24));
    m_limitsButton->setToolTip(translate("ComparatorWindow", "Comparator Hi-Low limit setting"));
    m_limitsButton->setAccessibleName(m_limitsButton->toolTip());
    m_limitsButton->setFocusPolicy(Qt::TabFocus);
    connect(m_limitsButton, &QPushButton::clicked, this, &ComparatorWindow::editLimits);

    m_highRow = limitRow(this, "highLimitRow", m_highLimitPanel, m_highPrefixPanel, m_highUnitPanel,
                         "highLimitPanel", "highUnitPanel", "highPrefixPanel");
    m_lowRow = limitRow(this, "lowLimitRow", m_lowLimitPanel, m_lowPrefixPanel, m_lowUnitPanel,
                        "lowLimitPanel", "lowUnitPanel", "lowPrefixPanel");
    // The limits in the colours of the zones they bound.
    m_highLimitPanel->setColors(Qt::black, QColor(0xff, 0x6a, 0x5a));
    m_lowLimitPanel->setColors(Qt::black, QColor(0x6a, 0xa8, 0xff));

    // Dial width plus a caption height on each side; dial, both buttons and
    // the frame in height. Its owner places it.
    const QSize dial = art::Size(art::id::ComparatorDial);
    const int caption = telmora::CaptionHeight(this);
    const int frame = telmora::DialogFrameHeight(this);
    setFixedSize(dial.width() + 2 * caption,
                 dial.height() + 2 + kAlarmButtonHeight + kLimitButtonSize + 2 * frame + 4);

    m_labels = telmora::ComparatorLabelsFor(m_function);
    updateLabels();
    updateLimitTexts();
    placeControls();
    speak();
}

ComparatorWindow::~ComparatorWindow() = default;

namespace {
template <std::size_t N> QString fixedLatin1(const FixedText<N>& t) {
    return QString::fromLatin1(t.view().data(), static_cast<int>(t.size()));
}
} // namespace

void ComparatorWindow::setMeterName(const QString& name) {
    const QString caption = telmora::text(telmora::TextId::ComparatorCaption);
    setWindowTitle(name.isEmpty() ? caption : caption + QStringLiteral(" : ") + name);
    speak();
}

void ComparatorWindow::speak() {
    m_readout->changed();
}

LiveReadout::Texts ComparatorWindow::spokenTexts() const {
    QString name = windowTitle();
    if (!m_spoken.isEmpty()) {
        const int hz = telmora::AlarmFrequency(m_value, m_high, m_low);
        const QString side = hz == telmora::kAlarmHighHz
                                 ? translate("ComparatorWindow", "%1: above the upper limit")
                             : hz == telmora::kAlarmLowHz
                                 ? translate("ComparatorWindow", "%1: below the lower limit")
                                 : translate("ComparatorWindow", "%1: within the limits");
        name = side.arg(m_spoken);
    }
    return {name, m_spoken, windowTitle()};
}

void ComparatorWindow::setLinked(bool linked) {
    m_linked = linked;
    if (!linked)
        resetAfterUnlink();
}

void ComparatorWindow::showReading(const DecodedReply& reading) {
    if (!m_linked || !isVisible() || isMinimized())
        return;
    applyReading(reading.main);
}

QSize ComparatorWindow::pictureSize() {
    return art::Size(art::id::ComparatorDial);
}

int ComparatorWindow::alarmButtonHeight() const {
    return m_alarmButton->height();
}

int ComparatorWindow::limitButtonHeight() const {
    return m_limitsButton->height();
}

void ComparatorWindow::resetAfterUnlink() {
    m_value = static_cast<float>((m_high + m_low) * 0.5);
    m_alarmSide = 0; // back within the limits: the next crossing is a new one
    m_spoken.clear();
    speak();
    if (isVisible() && !isMinimized()) {
        // Queued, so that the sweep starts once the unlink has finished.
        QMetaObject::invokeMethod(this, &ComparatorWindow::sweepToMidpoint, Qt::QueuedConnection);
    } else {
        // Not shown: no sweep to watch; be at the mid-point when shown again.
        m_needle.jumpTo(telmora::ComparatorNeedleAngle(m_value, m_high, m_low));
    }
}

void ComparatorWindow::applyReading(const telmora::Measurement& main) {
    m_negative = main.negative;
    m_function = main.functionCode();
    m_value = telmora::ComparatorValue(main, m_high, m_low);
    m_labels = telmora::ComparatorLabelsFor(m_function);
    updateLabels();
    moveNeedle();
    const int hz = telmora::AlarmFrequency(m_value, m_high, m_low);
    if (m_alarm && hz != 0)
        playTone(hz, telmora::kAlarmMs);
    noteAlarmSide(hz);
    m_spoken = SpokenReading(main);
    speak();
}

void ComparatorWindow::noteAlarmSide(int toneHz) {
    const int before = std::exchange(m_alarmSide, toneHz);
    if (!m_alarm || toneHz == 0 || toneHz == before)
        return;
    const bool above = toneHz == telmora::kAlarmHighHz;
    const LcdPanel* limit = above ? m_highLimitPanel : m_lowLimitPanel;
    const LcdPanel* prefix = above ? m_highPrefixPanel : m_lowPrefixPanel;
    const LcdPanel* unit = above ? m_highUnitPanel : m_lowUnitPanel;
    const QString unitText = prefix->displayText() + unit->displayText();
    emit alarmRaised(above, unitText.isEmpty() ? limit->text()
                                               : limit->text() + QLatin1Char(' ') + unitText);
}

void ComparatorWindow::playTone(int hz, int ms) {
    if (m_tonePlayer) {
        m_tonePlayer(hz, ms);
        return;
    }
    if (!m_tone)
        m_tone = new telmora::ToneGenerator(this);
    m_tone->play(hz, ms);
}

void ComparatorWindow::moveNeedle() {
    m_needle.sweepTo(telmora::ComparatorNeedleAngle(m_value, m_high, m_low));
}

void ComparatorWindow::updateLabels() {
    // The limits of a temperature carry its degree sign ("°C") in the unit panel.
    const QString degrees = DegreeUnit(m_function);
    const QString prefix =
        degrees.isEmpty() ? QString::fromStdString(m_labels.prefixPart) : QString();
    const QString unit = degrees.isEmpty() ? QString::fromStdString(m_labels.unitPart) : degrees;
    for (LcdPanel* p : {m_highPrefixPanel, m_lowPrefixPanel}) {
        p->setShowsOhmSign(degrees.isEmpty() && m_labels.prefixSymbol);
        p->setAlignment(LabelAlignment(m_labels.prefixAlign));
        p->setText(prefix);
    }
    for (LcdPanel* p : {m_highUnitPanel, m_lowUnitPanel}) {
        p->setShowsOhmSign(degrees.isEmpty() && m_labels.unitSymbol);
        p->setAlignment(LabelAlignment(m_labels.unitAlign));
        p->setText(unit);
    }
}

void ComparatorWindow::updateLimitTexts() {
    m_highLimitPanel->setText(QString::fromStdString(telmora::ShortestDecimal(m_high)));
    m_lowLimitPanel->setText(QString::fromStdString(telmora::ShortestDecimal(m_low)));
}

void ComparatorWindow::toggleAlarm() {
    setAlarmOn(!m_alarm);
}

void ComparatorWindow::setAlarmOn(bool on) {
    m_alarm = on;
    m_alarmButton->setText(m_alarm ? translate("ComparatorWindow", "ON")
                                   : translate("ComparatorWindow", "OFF"));
    m_alarmButton->setIcon(telmora::DisplayIcon(m_alarm ? QStringLiteral("glyph_alarm")
                                                        : QStringLiteral("glyph_alarm_off")));
}

void ComparatorWindow::editLimits() {
    ComparatorLimitsDialog* dialog = m_limitsDialog;
    if (!dialog) {
        if (!m_ownDialog)
            m_ownDialog = std::make_unique<ComparatorLimitsDialog>(m_dialogs, this);
        dialog = m_ownDialog.get();
    }
    dialog->setup(m_function, m_high, m_low, QString::fromStdString(m_labels.prefixPart),
                  QString::fromStdString(m_labels.unitPart));
    if (dialog->exec() != QDialog::Accepted)
        return;
    m_high = dialog->highLimit();
    m_low = dialog->lowLimit();
    updateLimitTexts();
    // The needle shows the present value against the new limits.
    moveNeedle();
    speak();
    emit limitsChanged(m_high, m_low);
}

void ComparatorWindow::sweepToMidpoint() {
    m_value = static_cast<float>((m_high + m_low) * 0.5);
    updateLabels();
    moveNeedle();
}

int ComparatorWindow::dialLeft() const {
    return (width() - art::Size(art::id::ComparatorDial).width()) / 2;
}

void ComparatorWindow::placeControls() {
    const QSize dial = art::Size(art::id::ComparatorDial);
    const int x = dialLeft();
    m_dial->setGeometry(x, 0, dial.width(), dial.height());
    m_dial->lower();
    m_alarmButton->setGeometry(x, dial.height() + 1, dial.width(), kAlarmButtonHeight);
    const int limitTop = m_alarmButton->geometry().bottom() + 2;
    m_limitsButton->setGeometry(x, limitTop, kLimitButtonSize, kLimitButtonSize);
    const int rowLeft = x + kLimitButtonSize + 5;
    const int rowWidth = x + dial.width() - rowLeft;
    m_highRow->setGeometry(rowLeft, limitTop, rowWidth, kRowHeight);
    m_lowRow->setGeometry(rowLeft, limitTop + kRowHeight + 3, rowWidth, kRowHeight);
    for (QFrame* row : {m_highRow, m_lowRow}) {
        const auto panels = row->findChildren<LcdPanel*>(Qt::FindDirectChildrenOnly);
        // limit text, prefix, unit in creation order
        const int inner = kRowHeight - 2;
        const int unitW = 24;
        panels[2]->setGeometry(rowWidth - 1 - unitW, 1, unitW, inner);
        panels[1]->setGeometry(rowWidth - 1 - 2 * unitW, 1, unitW, inner);
        panels[0]->setGeometry(1, 1, rowWidth - 2 - 2 * unitW, inner);
    }
}

void ComparatorWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeControls();
    // The dial is centred: the needle's pixels move with the width.
    m_paintedNeedle = rect();
}

QPointF ComparatorWindow::pivot() const {
    const int zoneLeft =
        (art::Size(art::id::ComparatorDial).width() - art::Size(art::id::Zone).width()) / 2 +
        dialLeft();
    return QPointF(zoneLeft + art::kZonePivot.x(), kComparatorPivotY);
}

void ComparatorWindow::paintBackdrop(QPainter& p) const {
    p.fillRect(rect(), palette().color(QPalette::Window));
    const QSize dial = art::Size(art::id::ComparatorDial);
    const QSize zone = art::Size(art::id::Zone);
    const int x = dialLeft();
    const art::Look look = IsDarkPalette(palette()) ? art::Look::Dark : art::Look::Light;
    art::Draw(p, art::id::ComparatorDial, QPointF(x, 0), look);
    const int zoneLeft = (dial.width() - zone.width()) / 2 + x;
    art::Draw(p, art::id::Zone, QPointF(zoneLeft, kZoneTop));
}

NeedleShape ComparatorWindow::needleShape() const {
    return {pivot(), kComparatorNeedleLength, kComparatorNeedlePen, kComparatorHubCapRadius};
}

void ComparatorWindow::repaintNeedle() {
    const double shown = m_needle.shownAngle();
    if (shown == m_paintedAngle)
        return;
    const NeedleShape needle = needleShape();
    // Steps on the way too small to show are left out; where the needle comes to
    // rest is always drawn.
    if (shown != m_needle.angle() &&
        !NeedleStepShows(needle, m_paintedAngle, shown, devicePixelRatioF()))
        return;
    const QRect area = m_paintedNeedle.united(NeedleArea(needle, shown));
    update(area);
}

void ComparatorWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        m_backdrop.invalidate();
        update();
    }
}

void ComparatorWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    m_backdrop.draw(p, size(), devicePixelRatioF(), 0,
                    [this](QPainter& painter) { paintBackdrop(painter); });

    const NeedleShape needle = needleShape();
    const double shown = m_needle.shownAngle();
    DrawNeedle(p, needle, shown,
               art::NeedleColour(IsDarkPalette(palette()) ? art::Look::Dark : art::Look::Light));
    m_paintedAngle = shown;
    m_paintedNeedle = NeedleArea(needle, shown);
}

} // namespace telmora
