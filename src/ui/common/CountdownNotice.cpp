#include "ui/common/CountdownNotice.h"

#include "text/texts.h"
#include "ui/common/AppIcon.h"
#include "ui/common/DialogPlacement.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace telmora {

CountdownNotice::CountdownNotice(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("countdownNotice"));
    // Dialog border with a caption but no border icons; above every other window.
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    MakeDialogFrame(*this, false);
    setWindowIcon(AppIcon());
    buildControls();
    layOutControls();
}

void CountdownNotice::buildControls() {
    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("noticeIcon"));
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    m_icon->setPixmap(style()
                          ->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this)
                          .pixmap(iconSize, iconSize));
    m_icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    const char* lineNames[] = {"firstMessageLine", "secondMessageLine", "thirdMessageLine"};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QLatin1String(lineNames[i]));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setMinimumWidth(300);
        m_lines[i] = label;
    }
    QFont strong = m_lines[0]->font();
    strong.setBold(true);
    m_lines[0]->setFont(strong);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setRange(0, kTicks);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setFixedHeight(fontMetrics().height());

    m_abortButton = new QPushButton(
        style()->standardIcon(QStyle::SP_DialogAbortButton, nullptr, this), tr("&Abort"), this);
    m_abortButton->setObjectName(QStringLiteral("cancelButton"));
    m_abortButton->setAutoDefault(false);
    m_continueButton = new QPushButton(
        style()->standardIcon(QStyle::SP_DialogRetryButton, nullptr, this), tr("&Continue"), this);
    m_continueButton->setObjectName(QStringLiteral("okButton"));
    m_continueButton->setDefault(true);
    connect(m_abortButton, &QPushButton::clicked, this, [this] { end(Result::Aborted); });
    connect(m_continueButton, &QPushButton::clicked, this, [this] { end(Result::Continued); });

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("countdownTimer"));
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, &CountdownNotice::tick);
}

void CountdownNotice::layOutControls() {
    auto* lines = new QVBoxLayout;
    lines->setSpacing(6);
    for (QLabel* line : m_lines)
        lines->addWidget(line);
    lines->addStretch(1);

    auto* message = new QHBoxLayout;
    message->setSpacing(16);
    message->addWidget(m_icon, 0, Qt::AlignTop);
    message->addLayout(lines, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_abortButton);
    buttons->addWidget(m_continueButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->setSpacing(14);
    layout->addLayout(message);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CountdownNotice::fill(CaptionKind captionKind, TextId captionId, const QString& line1,
                           const QString& line2, const QString& line3) {
    m_lines[0]->setText(line1);
    m_lines[1]->setText(line2);
    m_lines[2]->setText(line3);
    m_lines[2]->setVisible(!line3.isEmpty());
    m_progress->setVisible(true);
    setWindowTitle(caption(captionKind, captionId));
}

CountdownNotice::Result CountdownNotice::showCountdown(CaptionKind captionKind, TextId captionId,
                                                       const QString& line1, const QString& line2,
                                                       const QString& line3) {
    fill(captionKind, captionId, line1, line2, line3);
    m_withoutWaiting = false;
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    m_timer->start();
    return static_cast<Result>(exec());
}

void CountdownNotice::startCountdown(CaptionKind captionKind, TextId captionId,
                                     const QString& line1, const QString& line2,
                                     const QString& line3) {
    fill(captionKind, captionId, line1, line2, line3);
    m_progress->setValue(m_progress->minimum());
    m_withoutWaiting = true;
    setAttribute(Qt::WA_ShowWithoutActivating);
    if (isVisible())
        raise();
    else
        show();
    m_timer->start();
}

void CountdownNotice::tick() {
    if (!isVisible()) {
        m_timer->stop();
        return;
    }
    m_progress->setValue(std::min(m_progress->value() + 1, m_progress->maximum()));
    if (m_progress->value() >= m_progress->maximum()) {
        m_timer->stop();
        end(Result::TimedOut);
    }
}

void CountdownNotice::done(int result) {
    m_timer->stop();
    QDialog::done(result);
    if (std::exchange(m_withoutWaiting, false))
        emit countdownEnded(static_cast<Result>(result));
}

void CountdownNotice::reject() {
    end(Result::Aborted);
}

void CountdownNotice::showEvent(QShowEvent* event) {
    // Every showing counts down from the start.
    m_progress->setValue(m_progress->minimum());
    adjustSize();
    QDialog::showEvent(event);
    if (!event->spontaneous())
        DialogPlacement::placeNow(*this);
}

} // namespace telmora
