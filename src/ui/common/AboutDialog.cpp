#include "ui/common/AboutDialog.h"

#include "ui/common/BusyCursor.h"

#include "meter/CableAccess.h"
#include "meter/aboutlines.h"
#include "meter/cablelist.h"
#include "text/texts.h"
#include "ui/common/AppIcon.h"
#include "ui/common/DialogPlacement.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QSysInfo>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace telmora {

namespace {

constexpr int kIconSize = 64;

} // namespace

AboutDialog::AboutDialog(CableAccess* cable, QWidget* parent) : QDialog(parent), m_cable(cable) {
    if (m_cable != nullptr)
        connect(m_cable, &CableAccess::identityArrived, this, &AboutDialog::showIdentity);
    setObjectName(QStringLiteral("aboutDialog"));
    MakeDialogFrame(*this);
    setWindowTitle(text(TextId::HintAbout) + QLatin1Char(' ') + text(TextId::ProgramName));
    setWindowIcon(AppIcon());

    QWidget* panel = buildPanel();
    auto* buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    m_okButton = buttonBox->button(QDialogButtonBox::Ok);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(panel);
    layout->addWidget(buttonBox);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// The sunken panel: the icon (and the hidden logo) beside the read-only lines.
QWidget* AboutDialog::buildPanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("aboutPanel"));
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

    m_logo = new QLabel(panel);
    m_logo->setObjectName(QStringLiteral("logo"));
    m_logo->setPixmap(AppIconPixmap(2 * kIconSize));
    m_logo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_logo->hide();

    m_icon = new QLabel(panel);
    m_icon->setObjectName(QStringLiteral("appIcon"));
    m_icon->setPixmap(AppIconPixmap(kIconSize));
    m_icon->setAlignment(Qt::AlignCenter);
    m_icon->setCursor(Qt::PointingHandCursor);
    m_icon->setToolTip(tr("Click to read the firmware version and serial number of the cable"));
    m_icon->installEventFilter(this);

    m_text = new QPlainTextEdit(panel);
    m_text->setObjectName(QStringLiteral("systemInformation"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFrameStyle(QFrame::NoFrame);
    m_text->setFocusPolicy(Qt::NoFocus);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->viewport()->setAutoFillBackground(false);
    QPalette textPalette = m_text->palette();
    textPalette.setColor(QPalette::Base, palette().color(QPalette::Window));
    m_text->setPalette(textPalette);
    fillFixedLines();
    fitTextToLines();

    // The icon has always revealed the cable's identity; the button says so.
    auto* cableButton = new QPushButton(tr("&Cable Info"), panel);
    cableButton->setObjectName(QStringLiteral("cableInfoButton"));
    cableButton->setToolTip(m_icon->toolTip());
    cableButton->setAutoDefault(false);
    connect(cableButton, &QPushButton::clicked, this, &AboutDialog::showCableIdentity);

    auto* pictures = new QVBoxLayout;
    pictures->addWidget(m_logo);
    pictures->addStretch(1);
    pictures->addWidget(m_icon);
    pictures->addWidget(cableButton);
    pictures->addStretch(1);

    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(16, 12, 12, 12);
    panelLayout->setSpacing(16);
    panelLayout->addLayout(pictures);
    panelLayout->addWidget(m_text, 1);
    return panel;
}

// Lines 1 to 7 stay for the run; 8 and 9 hold the cable identity once asked.
void AboutDialog::fillFixedLines() {
    m_lines = QStringList(kLineCount, QString());
    m_lines[0] = text(TextId::MeterSeriesName) + QLatin1Char(' ') + text(TextId::ProgramName);
    m_lines[1] = tr("Desktop companion for USB-linked digital multimeters");
    m_lines[2] = tr("Version %1 (Qt %2)")
                     .arg(QStringLiteral(TELMORA_VERSION), QString::fromLatin1(qVersion()));
    m_lines[3] = text(TextId::CopyrightNotice);
    m_lines[4] = tr("Free software under the GNU GPL v3 or later; ABSOLUTELY NO WARRANTY.");
    m_lines[6] = SystemLine(QSysInfo::prettyProductName(), QSysInfo::kernelType(),
                            QSysInfo::kernelVersion());
    showLines();
}

// Tall enough for every line and wide enough for the longest, the widest possible
// cable lines included, so the box keeps its size when they appear.
void AboutDialog::fitTextToLines() {
    const QFontMetrics metrics(m_text->font());
    const int margin = static_cast<int>(m_text->document()->documentMargin());
    const int textHeight = metrics.lineSpacing() * kLineCount + 2 * margin + 6;
    int textWidth = 0;
    for (const QString& line : {CableFirmwareLine(0xFFFF),
                                CableSerialLine({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})})
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
    for (const QString& line : std::as_const(m_lines))
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
    textWidth += 2 * margin + 24;
    m_text->setFixedSize(textWidth, textHeight);
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::showCableIdentity() {
    if (m_cable == nullptr) {
        showIdentity(false, CableIdentity());
        return;
    }
    if (!m_busy)
        m_busy = std::make_unique<BusyCursor>();
    m_cable->queryIdentity();
}

void AboutDialog::showIdentity(bool opened, const CableIdentity& identity) {
    m_busy.reset();
    const CableLines cable = CableIdentityLines(opened, identity);
    setLine(8, cable.firmware);
    setLine(9, cable.serial);
    showLines();
}

void AboutDialog::showEvent(QShowEvent* event) {
    setLine(8, QString());
    setLine(9, QString());
    showLines();
    adjustSize();
    QDialog::showEvent(event);
    if (!event->spontaneous())
        DialogPlacement::placeNow(*this);
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_icon && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            m_icon->rect().contains(mouse->position().toPoint())) {
            showCableIdentity();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AboutDialog::setLine(int number, const QString& text) {
    m_lines[number - 1] = text;
}

void AboutDialog::showLines() {
    m_text->setPlainText(m_lines.join(QLatin1Char('\n')));
}

} // namespace telmora
