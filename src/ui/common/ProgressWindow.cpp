#include "ui/common/ProgressWindow.h"

#include "meter/AppState.h"
#include "ui/common/AppIcon.h"

#include <QCloseEvent>
#include <QColor>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace telmora {

ProgressWindow::ProgressWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("MsgForm"));
    // No caption bar: the window draws its own raised border. It stays above the
    // window whose operation it reports.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowIcon(telmora::AppIcon());

    auto* border = new QFrame(this);
    border->setObjectName(QStringLiteral("MsgFormBorder"));
    border->setFrameStyle(QFrame::Panel | QFrame::Raised);
    border->setLineWidth(2);

    MsgPanel = new QLabel(border);
    MsgPanel->setObjectName(QStringLiteral("MsgPanel"));
    MsgPanel->setTextFormat(Qt::PlainText);
    MsgPanel->setAlignment(Qt::AlignCenter);
    MsgPanel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    MsgPanel->setMargin(8);
    MsgPanel->setWordWrap(true);
    QFont strong = MsgPanel->font();
    strong.setBold(true);
    MsgPanel->setFont(strong);

    Label1 = new QLabel(border);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignCenter);

    ProgressBar = new QProgressBar(border);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    ProgressBar->setFixedHeight(fontMetrics().height());

    bbtnAbort = new QPushButton(style()->standardIcon(QStyle::SP_DialogAbortButton, nullptr, this),
                                tr("&Abort"), border);
    bbtnAbort->setObjectName(QStringLiteral("bbtnAbort"));
    bbtnAbort->setAutoDefault(false);
    connect(bbtnAbort, &QPushButton::clicked, this, &ProgressWindow::bbtnAbortClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bbtnAbort);
    buttons->addStretch(1);

    auto* inner = new QVBoxLayout(border);
    inner->setContentsMargins(16, 16, 16, 12);
    inner->setSpacing(10);
    inner->addWidget(MsgPanel);
    inner->addWidget(Label1);
    inner->addWidget(ProgressBar);
    inner->addLayout(buttons);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(border);
    setMinimumWidth(420);
}

void ProgressWindow::setMessage(const QString& text, const QColor& colour) {
    QPalette palette = MsgPanel->palette();
    palette.setColor(QPalette::WindowText,
                     colour.isValid() ? colour : this->palette().color(QPalette::WindowText));
    MsgPanel->setPalette(palette);
    MsgPanel->setText(text);
}

void ProgressWindow::setStep(int step) {
    m_step = step;
}

void ProgressWindow::stepIt() {
    int next = ProgressBar->value() + m_step;
    if (next > ProgressBar->maximum() || next < ProgressBar->minimum())
        next = ProgressBar->minimum();
    ProgressBar->setValue(next);
}

void ProgressWindow::bbtnAbortClick() {
    telmora::App().busy = 0;
}

void ProgressWindow::reject() {
    if (bbtnAbort->isEnabled())
        bbtnAbort->click();
}

void ProgressWindow::showEvent(QShowEvent* event) {
    adjustSize();
    QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
    // The running operation closes the window; the window system does not.
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    // Not the dialog's own handling, which would run reject (the Escape key).
    event->accept();
}

} // namespace telmora
