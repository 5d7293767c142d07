#include "ui/common/CountdownNotice.h"

#include "text/texts.h"
#include "ui/common/AppIcon.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace telmora {

namespace {

CountdownNotice::Interceptor& interceptor() {
    static CountdownNotice::Interceptor i;
    return i;
}

void centreOnScreen(QWidget* window) {
    QScreen* screen =
        window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace

CountdownNotice::CountdownNotice(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AutoMsgForm"));
    // Dialog border with a caption but no border icons; above every other window.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowStaysOnTopHint);
    setWindowIcon(telmora::AppIcon());

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    Image1->setPixmap(style()
                          ->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this)
                          .pixmap(iconSize, iconSize));
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto makeLine = [this](const char* name) {
        auto* label = new QLabel(this);
        label->setObjectName(QLatin1String(name));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setMinimumWidth(300);
        return label;
    };
    lbMsg1 = makeLine("lbMsg1");
    QFont strong = lbMsg1->font();
    strong.setBold(true);
    lbMsg1->setFont(strong);
    lbMsg2 = makeLine("lbMsg2");
    lbMsg3 = makeLine("lbMsg3");

    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, kTicks);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    ProgressBar->setFixedHeight(fontMetrics().height());

    bbtnAbort = new QPushButton(style()->standardIcon(QStyle::SP_DialogAbortButton, nullptr, this),
                                tr("&Abort"), this);
    bbtnAbort->setObjectName(QStringLiteral("bbtnAbort"));
    bbtnAbort->setAutoDefault(false);
    bbtnYes = new QPushButton(style()->standardIcon(QStyle::SP_DialogRetryButton, nullptr, this),
                              tr("&Continue"), this);
    bbtnYes->setObjectName(QStringLiteral("bbtnYes"));
    bbtnYes->setDefault(true);
    connect(bbtnAbort, &QPushButton::clicked, this, &CountdownNotice::bbtnAbortClick);
    connect(bbtnYes, &QPushButton::clicked, this, &CountdownNotice::bbtnYesClick);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTickMs);
    connect(Timer1, &QTimer::timeout, this, &CountdownNotice::Timer1Timer);

    auto* lines = new QVBoxLayout;
    lines->setSpacing(6);
    lines->addWidget(lbMsg1);
    lines->addWidget(lbMsg2);
    lines->addWidget(lbMsg3);
    lines->addStretch(1);

    auto* message = new QHBoxLayout;
    message->setSpacing(16);
    message->addWidget(Image1, 0, Qt::AlignTop);
    message->addLayout(lines, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bbtnAbort);
    buttons->addWidget(bbtnYes);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->setSpacing(14);
    layout->addLayout(message);
    layout->addWidget(ProgressBar);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CountdownNotice::setInterceptor(Interceptor i) {
    interceptor() = std::move(i);
}

int CountdownNotice::showCountdown(CaptionKind captionKind, TextId captionId, const QString& line1,
                                   const QString& line2, const QString& line3) {
    lbMsg1->setText(line1);
    lbMsg2->setText(line2);
    lbMsg3->setText(line3);
    lbMsg3->setVisible(!line3.isEmpty());
    ProgressBar->setVisible(true);
    setWindowTitle(telmora::caption(captionKind, captionId));
    if (interceptor()) {
        ProgressBar->setValue(ProgressBar->minimum());
        return interceptor()(*this);
    }
    Timer1->start();
    return exec();
}

void CountdownNotice::Timer1Timer() {
    if (!isVisible()) {
        Timer1->stop();
        return;
    }
    ProgressBar->setValue(std::min(ProgressBar->value() + 1, ProgressBar->maximum()));
    if (ProgressBar->value() >= ProgressBar->maximum()) {
        Timer1->stop();
        done(mrYes);
    }
}

void CountdownNotice::bbtnAbortClick() {
    done(mrAbort);
}

void CountdownNotice::bbtnYesClick() {
    done(mrRetry);
}

void CountdownNotice::done(int result) {
    Timer1->stop();
    QDialog::done(result);
}

void CountdownNotice::reject() {
    done(mrAbort);
}

void CountdownNotice::showEvent(QShowEvent* event) {
    // Every showing counts down from the start.
    ProgressBar->setValue(ProgressBar->minimum());
    adjustSize();
    centreOnScreen(this);
    QDialog::showEvent(event);
}

} // namespace telmora
