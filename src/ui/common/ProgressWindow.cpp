#include "ui/common/ProgressWindow.h"

#include "jobs/Job.h"
#include "ui/common/AppIcon.h"
#include "ui/common/DialogPlacement.h"
#include "ui/common/jobprogresstext.h"

#include <QCloseEvent>
#include <QColor>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace telmora {

ProgressWindow::ProgressWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("progressWindow"));
    // No caption bar: the window draws its own raised border. It stays above the
    // window whose operation it reports.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowIcon(telmora::AppIcon());

    auto* border = new QFrame(this);
    border->setObjectName(QStringLiteral("messageBorder"));
    border->setFrameStyle(QFrame::Panel | QFrame::Raised);
    border->setLineWidth(2);

    m_message = new QLabel(border);
    m_message->setObjectName(QStringLiteral("messagePanel"));
    m_message->setTextFormat(Qt::PlainText);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_message->setMargin(8);
    m_message->setWordWrap(true);
    QFont strong = m_message->font();
    strong.setBold(true);
    m_message->setFont(strong);

    m_detail = new QLabel(border);
    m_detail->setObjectName(QStringLiteral("messageLabel"));
    m_detail->setTextFormat(Qt::PlainText);
    m_detail->setAlignment(Qt::AlignCenter);

    m_bar = new QProgressBar(border);
    m_bar->setObjectName(QStringLiteral("progressBar"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_bar->setFixedHeight(fontMetrics().height());

    m_abortButton = new QPushButton(
        style()->standardIcon(QStyle::SP_DialogAbortButton, nullptr, this), tr("&Abort"), border);
    m_abortButton->setObjectName(QStringLiteral("cancelButton"));
    m_abortButton->setAutoDefault(false);
    connect(m_abortButton, &QPushButton::clicked, this, &ProgressWindow::abortRequested);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_abortButton);
    buttons->addStretch(1);

    auto* inner = new QVBoxLayout(border);
    inner->setContentsMargins(16, 16, 16, 12);
    inner->setSpacing(10);
    inner->addWidget(m_message);
    inner->addWidget(m_detail);
    inner->addWidget(m_bar);
    inner->addLayout(buttons);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(border);
    setMinimumWidth(420);
}

void ProgressWindow::setMessage(const QString& text, const QColor& colour) {
    QPalette palette = m_message->palette();
    palette.setColor(QPalette::WindowText,
                     colour.isValid() ? colour : this->palette().color(QPalette::WindowText));
    m_message->setPalette(palette);
    m_message->setText(text);
}

void ProgressWindow::setStepSize(int size) {
    m_stepSize = size;
}

void ProgressWindow::advanceOneStep() {
    int next = m_bar->value() + m_stepSize;
    if (next > m_bar->maximum() || next < m_bar->minimum())
        next = m_bar->minimum();
    m_bar->setValue(next);
}

void ProgressWindow::bind(Job& job, Appearance appearance) {
    m_appearance = appearance;
    if (m_job == &job)
        return; // followed already: only the appearance changes
    for (const QMetaObject::Connection& connection : m_jobConnections)
        disconnect(connection);
    m_job = &job;
    m_jobConnections = {
        connect(&job, &Job::progressed, this, &ProgressWindow::takeReport),
        connect(&job, &Job::finished, this, [this] { end(); }),
        connect(this, &ProgressWindow::abortRequested, &job, &Job::cancel),
    };
}

void ProgressWindow::takeReport(const JobProgress& progress) {
    if (!isVisible()) {
        if (m_appearance == Appearance::OnRequest)
            return; // the owner shows the window, with the newest report then
        setWindowModality(m_appearance == Appearance::ModalAtFirstReport ? Qt::ApplicationModal
                                                                         : Qt::NonModal);
        show();
        raise();
    }
    showProgress(progress);
}

void ProgressWindow::appear(const JobProgress& untilFirstReport) {
    const JobProgress progress =
        m_job ? m_job->lastProgress().value_or(untilFirstReport) : untilFirstReport;
    if (!isVisible()) {
        setWindowModality(Qt::ApplicationModal);
        show();
        raise();
    }
    showProgress(progress);
}

void ProgressWindow::showProgress(const JobProgress& progress) {
    const ProgressLook look = LookOfProgress(progress);
    setMessage(look.title, look.colour);
    m_detail->setText(look.detail);
    m_bar->setRange(0, look.maximum);
    m_bar->setValue(look.value);
    m_abortButton->setEnabled(look.abortEnabled);
}

void ProgressWindow::begin(const QString& title, const QColor& colour, int maximum) {
    setMessage(title, colour);
    m_detail->clear();
    m_bar->setRange(0, maximum);
    m_bar->setValue(0);
    m_abortButton->setEnabled(true);
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
}

void ProgressWindow::end() {
    m_abortButton->setEnabled(true);
    hide();
    setWindowModality(Qt::NonModal);
}

void ProgressWindow::setDetail(const QString& text) {
    m_detail->setText(text);
}

void ProgressWindow::setRange(int minimum, int maximum) {
    m_bar->setRange(minimum, maximum);
}

void ProgressWindow::setValue(int value) {
    m_bar->setValue(value);
}

void ProgressWindow::setProgress(qint64 value, qint64 maximum) {
    constexpr int kSteps = 1000;
    const double fraction =
        maximum <= 0 ? 0.0 : static_cast<double>(value) / static_cast<double>(maximum);
    m_bar->setRange(0, kSteps);
    m_bar->setValue(static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * kSteps)));
}

void ProgressWindow::setAbortEnabled(bool enabled) {
    m_abortButton->setEnabled(enabled);
}

QString ProgressWindow::message() const {
    return m_message->text();
}

QString ProgressWindow::detail() const {
    return m_detail->text();
}

int ProgressWindow::value() const {
    return m_bar->value();
}

int ProgressWindow::minimum() const {
    return m_bar->minimum();
}

int ProgressWindow::maximum() const {
    return m_bar->maximum();
}

bool ProgressWindow::isAbortEnabled() const {
    return m_abortButton->isEnabled();
}

void ProgressWindow::reject() {
    if (m_abortButton->isEnabled())
        m_abortButton->click();
}

void ProgressWindow::showEvent(QShowEvent* event) {
    adjustSize();
    QDialog::showEvent(event);
    // Centred on the window whose operation it reports (the screen without one).
    if (!event->spontaneous())
        CentreOnOwner(*this);
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
