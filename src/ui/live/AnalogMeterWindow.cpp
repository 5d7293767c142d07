#include "ui/live/AnalogMeterWindow.h"

#include "text/texts.h"
#include "ui/common/contrast.h"
#include "ui/live/DisplayArt.h"
#include "ui/live/DisplayPlacement.h"
#include "ui/live/LcdPanel.h"
#include "ui/live/LiveReadout.h"
#include "ui/live/SpokenReading.h"

#include <QApplication>
#include <QFrame>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace telmora {

namespace {

constexpr int kPanelTop = 78;
constexpr int kPanelWidth = 74;
constexpr int kPanelHeight = 20;
constexpr double kPivotY = 132.0;
constexpr double kNeedleLength = 100.0;
constexpr double kNeedlePen = 1.6;
constexpr double kHubCapRadius = 4.0;

} // namespace

AnalogMeterWindow::AnalogMeterWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("analogMeterWindow"));
    setWindowTitle(telmora::text(telmora::TextId::AnalogMeterCaption));
    setWindowIcon(telmora::DisplayIcon(QStringLiteral("icon1")));
    m_caption = windowTitle();

    m_dial = new QWidget(this);
    m_dial->setObjectName(QStringLiteral("dialReadout"));
    m_dial->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_readout = new LiveReadout(*m_dial, QAccessible::StaticText, [this] {
        return LiveReadout::Texts{m_spoken.isEmpty() ? m_caption : m_spoken, m_spoken, m_caption};
    });

    m_labelFrame = new QFrame(this);
    m_labelFrame->setObjectName(QStringLiteral("labelFrame"));
    m_labelFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_labelFrame->setLineWidth(1);
    m_multiplier = new LcdPanel(m_labelFrame);
    m_prefix = new LcdPanel(m_labelFrame);
    m_unit = new LcdPanel(m_labelFrame);
    m_multiplier->setObjectName(QStringLiteral("multiplierPanel"));
    m_prefix->setObjectName(QStringLiteral("unitPanel"));
    m_unit->setObjectName(QStringLiteral("prefixPanel"));
    for (LcdPanel* p : {m_multiplier, m_prefix, m_unit}) {
        p->setBevel(false);
        p->setPointSize(9);
        p->setBold(true);
    }
    m_prefix->setPrefixPanel(true);
    const int inner = kPanelHeight - 2;
    m_unit->setGeometry(kPanelWidth - 1 - 18, 1, 18, inner);
    m_prefix->setGeometry(kPanelWidth - 1 - 34, 1, 16, inner);
    m_multiplier->setGeometry(1, 1, kPanelWidth - 2 - 34, inner);
    m_labelFrame->resize(kPanelWidth, kPanelHeight);

    // A quarter of the screen wide, as high as the dial face and its frame; its
    // owner places it (below the main window and the digital meter).
    const QRect screen = telmora::DisplayScreenGeometry();
    const QSize face = art::Size(art::id::DialFace);
    // The width follows the column it is tiled into (the dial stays centred);
    // the height is fixed.
    setFixedHeight(face.height() + 2 * telmora::DialogFrameHeight(this));
    setMinimumWidth(face.width());
    resize(std::max(face.width(), screen.width() / 4 - 2 * telmora::DialogFrameHeight(this)),
           height());

    updateLabels();
    placePanel();
    speak();
}

AnalogMeterWindow::~AnalogMeterWindow() = default;

namespace {
template <std::size_t N> QString latin1(const FixedText<N>& t) {
    return QString::fromLatin1(t.view().data(), static_cast<int>(t.size()));
}
} // namespace

void AnalogMeterWindow::setMeterName(const QString& name) {
    const QString caption = telmora::text(telmora::TextId::AnalogMeterCaption);
    setWindowTitle(name.isEmpty() ? caption : caption + QStringLiteral(" : ") + name);
    m_caption = windowTitle();
    speak();
}

void AnalogMeterWindow::speak() {
    m_readout->changed();
}

void AnalogMeterWindow::setLinked(bool linked) {
    m_linked = linked;
    if (!linked)
        resetAfterUnlink();
}

void AnalogMeterWindow::showReading(const DecodedReply& reading) {
    if (!m_linked || !isVisible() || isMinimized())
        return;
    applyReading(reading.main);
}

int AnalogMeterWindow::dialFaceHeight() {
    return art::Size(art::id::DialFace).height();
}

void AnalogMeterWindow::resetAfterUnlink() {
    m_scale = telmora::AnalogRestScale();
    if (isVisible() && !isMinimized()) {
        // Queued, so that the sweep starts once the unlink has finished.
        QMetaObject::invokeMethod(this, &AnalogMeterWindow::sweepToRest, Qt::QueuedConnection);
    } else {
        // Not shown: no sweep to watch; be at rest when the window is shown again.
        m_firstUnitPart.clear();
        m_secondUnitPart.clear();
        m_needle.jumpTo(telmora::AnalogNeedleAngle(m_scale.counts, m_scale.fullScale));
        updateLabels();
    }
    m_spoken.clear();
    speak();
}

void AnalogMeterWindow::applyReading(const telmora::Measurement& main) {
    m_negative = main.negative;
    m_firstUnitPart = latin1(main.line.part1);
    m_secondUnitPart = latin1(main.line.part2);
    m_function = main.functionCode();
    m_scale = telmora::AnalogCounts(main, m_scale);
    runUpdate();
    m_spoken = SpokenReading(main);
    speak();
}

void AnalogMeterWindow::runUpdate() {
    if (m_function != m_lastDrawnFunction ||
        telmora::MeterFunctionOf(m_function) == telmora::MeterFunction::Capacitance) {
        m_lastDrawnFunction = m_function;
        m_scaleImage = telmora::AnalogScaleImage(m_function, m_scale.multiplierExponent);
    }
    updateLabels();

    // The sweep repaints the needle, or everything when the scale or sign changed.
    m_needle.sweepTo(telmora::AnalogNeedleAngle(m_scale.counts, m_scale.fullScale));
}

void AnalogMeterWindow::updateLabels() {
    m_multiplier->setText(
        QString::fromStdString(telmora::MultiplierText(m_scale.multiplierExponent)));
    // A temperature is written with its degree sign ("°C") rather than the
    // display's bare letter.
    const QString degrees = DegreeUnit(m_function);
    m_prefix->setShowsOhmSign(false);
    m_prefix->setText(degrees.isEmpty() ? m_firstUnitPart : QString());
    m_unit->setShowsOhmSign(degrees.isEmpty() && telmora::ShowsOhmSign(m_function));
    m_unit->setText(degrees.isEmpty() ? QString::fromStdString(telmora::AnalogUnitText(
                                            m_function, m_secondUnitPart.toStdString()))
                                      : degrees);
}

void AnalogMeterWindow::sweepToRest() {
    m_scale = telmora::AnalogRestScale();
    m_firstUnitPart.clear();
    m_secondUnitPart.clear();
    runUpdate();
}

int AnalogMeterWindow::faceLeft() const {
    return (width() - art::Size(art::id::DialFace).width()) / 2;
}

QPointF AnalogMeterWindow::pivot() const {
    return QPointF(faceLeft() + art::kDialPivot.x(), kPivotY);
}

void AnalogMeterWindow::placePanel() {
    m_labelFrame->move((width() - m_labelFrame->width()) / 2, kPanelTop);
    m_dial->setGeometry(QRect(QPoint(faceLeft(), 0), art::Size(art::id::DialFace)));
    m_dial->lower();
}

void AnalogMeterWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placePanel();
    // The face is centred: the needle's pixels move with the width.
    m_paintedNeedle = rect();
}

std::uint64_t AnalogMeterWindow::backdropKey() const {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(m_scaleImage)) << 1) |
           (m_negative ? 1u : 0u);
}

void AnalogMeterWindow::paintBackdrop(QPainter& p) const {
    p.fillRect(rect(), palette().color(QPalette::Window));
    const int x = faceLeft();
    const art::Look look = IsDarkPalette(palette()) ? art::Look::Dark : art::Look::Light;
    art::Draw(p, art::id::DialFace, QPointF(x, 0), look);
    art::Draw(p, m_scaleImage, QPointF(x + 9, 28), look);

    // Sign mark: right edge half its width left of m_labelFrame, bottom level with it.
    const QSize sign = art::Size(art::id::SignNegative);
    const QRect panel = m_labelFrame->geometry();
    const double signRight = panel.left() - sign.width() / 2.0;
    art::Draw(p, m_negative ? art::id::SignNegative : art::id::SignPositive,
              QPointF(std::floor(signRight - sign.width()), panel.bottom() + 1 - sign.height()));
}

NeedleShape AnalogMeterWindow::needleShape() const {
    return {pivot(), kNeedleLength, kNeedlePen, kHubCapRadius};
}

void AnalogMeterWindow::repaintChanges() {
    if (backdropKey() != m_paintedKey) {
        update();
        return;
    }
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

void AnalogMeterWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        m_backdrop.invalidate();
        update();
    }
}

void AnalogMeterWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    m_backdrop.draw(p, size(), devicePixelRatioF(), backdropKey(),
                    [this](QPainter& painter) { paintBackdrop(painter); });

    // Needle in black from the pivot, with the pivot cap over its base.
    const NeedleShape needle = needleShape();
    const double shown = m_needle.shownAngle();
    DrawNeedle(p, needle, shown,
               art::NeedleColour(IsDarkPalette(palette()) ? art::Look::Dark : art::Look::Light));
    m_paintedKey = backdropKey();
    m_paintedAngle = shown;
    m_paintedNeedle = NeedleArea(needle, shown);
}

} // namespace telmora
