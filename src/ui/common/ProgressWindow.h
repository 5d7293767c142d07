#pragma once

#include "jobs/JobProgress.h"

#include <QDialog>
#include <QPointer>

#include <vector>

class QColor;
class QLabel;
class QProgressBar;
class QPushButton;

namespace telmora {

class Job;

// The progress window of long operations (loading a recorder file, downloading
// the meter memory, reading a session file, writing a file): a title line, a
// detail line, a progress bar and an Abort button. Bound to a job, it shows the
// job's reports (their look comes from LookOfProgress), Abort cancels the job and
// the job's end hides the window. Abort also emits abortRequested.
class ProgressWindow : public QDialog {
    Q_OBJECT

public:
    // When a bound window shows itself.
    enum class Appearance {
        ModalAtFirstReport,    // at the job's first report, modal like begin()
        ModelessAtFirstReport, // at the job's first report, the other windows stay usable
        OnRequest,             // when the owner calls appear()
    };

    explicit ProgressWindow(QWidget* parent = nullptr);

    // Follows `job` (instead of the job followed before) until it is bound anew;
    // binding the job followed again only changes the appearance.
    void bind(Job& job, Appearance appearance = Appearance::ModalAtFirstReport);
    // Shows the window, modal, with the bound job's newest report, or with
    // `untilFirstReport` when none has come yet.
    void appear(const JobProgress& untilFirstReport);
    // Shows what `progress` says: title, detail, bar and Abort.
    void showProgress(const JobProgress& progress);

    // Shows the window (modal to the whole application, so that its Abort can be
    // reached above a modal window) with the title, an empty detail line, the bar
    // at 0 of 0..maximum and Abort enabled.
    void begin(const QString& title, const QColor& colour, int maximum = 100);
    // Hides the window; Abort is enabled again for the next operation.
    void end();

    // The title line in the given colour (the default text colour when invalid).
    void setMessage(const QString& text, const QColor& colour);
    void setDetail(const QString& text);
    void setRange(int minimum, int maximum);
    void setValue(int value);
    // Any 64-bit position of any maximum, scaled into the bar.
    void setProgress(qint64 value, qint64 maximum);
    void setAbortEnabled(bool enabled);

    // The amount advanceOneStep adds to the progress position (1 after creation).
    void setStepSize(int size);
    int stepSize() const { return m_stepSize; }
    // Advances the progress bar by one step; past its maximum it starts again at
    // its minimum.
    void advanceOneStep();

    QString message() const;
    QString detail() const;
    int value() const;
    int minimum() const;
    int maximum() const;
    bool isAbortEnabled() const;

signals:
    void abortRequested();

public slots:
    // Escape presses Abort when it is enabled; it never hides the window.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void takeReport(const JobProgress& progress);

    QLabel* m_message = nullptr;
    QLabel* m_detail = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_abortButton = nullptr;
    int m_stepSize = 1;
    QPointer<Job> m_job;
    Appearance m_appearance = Appearance::ModalAtFirstReport;
    std::vector<QMetaObject::Connection> m_jobConnections;
};

} // namespace telmora
