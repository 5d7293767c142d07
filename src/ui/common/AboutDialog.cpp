#include "ui/common/AboutDialog.h"

#include "ui/common/BusyCursor.h"

#include "meter/CableProtocol.h"
#include "meter/aboutlines.h"
#include "text/texts.h"
#include "ui/common/AppIcon.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QSysInfo>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace telmora {

namespace {

constexpr int kIconSize = 64;

// Opens the cable of `backend`, reads its identity and closes it again.
bool queryCable(const std::shared_ptr<CableBackend>& backend, CableIdentity& identity) {
    if (!backend)
        return false;
    CableHandle handle = OpenCable(*backend);
    if (!handle)
        return false;
    identity = QueryCableIdentity(handle);
    return true;
}

} // namespace

AboutDialog::AboutDialog(std::shared_ptr<CableBackend> backend, QWidget* parent)
    : QDialog(parent), m_cableQuery([backend = std::move(backend)](CableIdentity& identity) {
          return queryCable(backend, identity);
      }) {
    setObjectName(QStringLiteral("DlgAboutForm"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(telmora::text(TextId::HintAbout) + QLatin1Char(' ') +
                   telmora::text(TextId::ProgramName));
    setWindowIcon(telmora::AppIcon());

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

    // The logo is kept for layouts that show it; the About box hides it.
    ImageLogo = new QLabel(panel);
    ImageLogo->setObjectName(QStringLiteral("ImageLogo"));
    ImageLogo->setPixmap(telmora::AppIconPixmap(2 * kIconSize));
    ImageLogo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    ImageLogo->hide();

    Image1 = new QLabel(panel);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(telmora::AppIconPixmap(kIconSize));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip(tr("Click to read the firmware version and serial number of the cable"));
    Image1->installEventFilter(this);

    Memo1 = new QPlainTextEdit(panel);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setFrameStyle(QFrame::NoFrame);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->viewport()->setAutoFillBackground(false);
    QPalette memoPalette = Memo1->palette();
    memoPalette.setColor(QPalette::Base, palette().color(QPalette::Window));
    Memo1->setPalette(memoPalette);

    // Lines 1 to 7 stay for the run; 8 and 9 hold the cable identity once asked.
    m_lines = QStringList(kLineCount, QString());
    m_lines[0] = telmora::text(TextId::MeterSeriesName) + QLatin1Char(' ') +
                 telmora::text(TextId::ProgramName);
    m_lines[1] = tr("Desktop companion for USB-linked digital multimeters");
    m_lines[2] = tr("Version %1 (Qt %2)")
                     .arg(QStringLiteral(TELMORA_VERSION), QString::fromLatin1(qVersion()));
    m_lines[3] = telmora::text(TextId::CopyrightNotice);
    m_lines[4] = tr("Free software under the GNU GPL v3 or later; ABSOLUTELY NO WARRANTY.");
    m_lines[6] = telmora::SystemLine(QSysInfo::kernelType(), QSysInfo::kernelVersion());
    showLines();

    const QFontMetrics metrics(Memo1->font());
    const int textHeight = metrics.lineSpacing() * kLineCount +
                           2 * static_cast<int>(Memo1->document()->documentMargin()) + 6;
    int textWidth = 0;
    for (const QString& line :
         {telmora::CableFirmwareLine(0xFFFF),
          telmora::CableSerialLine({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})})
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
    for (const QString& line : std::as_const(m_lines))
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
    textWidth += 2 * static_cast<int>(Memo1->document()->documentMargin()) + 24;
    Memo1->setFixedSize(textWidth, textHeight);

    auto* pictures = new QVBoxLayout;
    pictures->addWidget(ImageLogo);
    pictures->addStretch(1);
    pictures->addWidget(Image1);
    pictures->addStretch(1);

    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(16, 12, 12, 12);
    panelLayout->setSpacing(16);
    panelLayout->addLayout(pictures);
    panelLayout->addWidget(Memo1, 1);

    auto* buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    OKButton = buttonBox->button(QDialogButtonBox::Ok);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(panel);
    layout->addWidget(buttonBox);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutDialog::setCableQuery(CableQuery query) {
    m_cableQuery = std::move(query);
}

void AboutDialog::Image1Click() {
    telmora::CableIdentity identity;
    bool opened = false;
    if (m_cableQuery) {
        const BusyCursor busy;
        opened = m_cableQuery(identity);
    }
    const telmora::CableLines cable = telmora::CableIdentityLines(opened, identity);
    setLine(8, cable.firmware);
    setLine(9, cable.serial);
    showLines();
}

void AboutDialog::showEvent(QShowEvent* event) {
    setLine(8, QString());
    setLine(9, QString());
    showLines();
    QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        adjustSize();
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            Image1->rect().contains(mouse->position().toPoint())) {
            Image1Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AboutDialog::setLine(int number, const QString& text) {
    m_lines[number - 1] = text;
}

void AboutDialog::showLines() {
    Memo1->setPlainText(m_lines.join(QLatin1Char('\n')));
}

} // namespace telmora
