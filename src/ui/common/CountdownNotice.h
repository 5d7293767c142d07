#pragma once

#include "app/UserDialogs.h"
#include "text/texts.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace telmora {

// The auto-closing message window: a message of up to three lines with a
// countdown of 30 ticks of 100 ms. When the countdown runs out the window closes
// as timed out (go on automatically); "&Continue" closes it at once as continued;
// Abort (or Escape) closes it as aborted. Callers treat every result but Aborted
// as "go on".
class CountdownNotice : public QDialog {
    Q_OBJECT

public:
    // How the window ended, numbered as the dialog results the callers compare with.
    using Result = CountdownResult;

    static constexpr int kTickMs = 100;
    static constexpr int kTicks = 30; // progress bar maximum; the bar steps by 1

    explicit CountdownNotice(QWidget* parent = nullptr);

    // Fills the three lines, shows the progress bar, sets the caption of
    // `captionKind` numbered with `captionId`, starts the countdown and shows the
    // window modally until it ends.
    Result showCountdown(CaptionKind captionKind, TextId captionId, const QString& line1,
                         const QString& line2, const QString& line3);

    // The same without waiting: the window shows without taking the focus from
    // the window the user works in, counts down and reports its end by
    // countdownEnded(). Started again while it is up, it counts from the start.
    void startCountdown(CaptionKind captionKind, TextId captionId, const QString& line1,
                        const QString& line2, const QString& line3);

    // One countdown tick (what the timer runs every 100 ms): advances the progress
    // bar by one step and closes the window as timed out when the bar is full.
    void tick();

signals:
    // A countdown started by startCountdown() ended.
    void countdownEnded(telmora::CountdownResult result);

public slots:
    void done(int result) override;
    // Escape aborts: the user asked to stop, not to go on.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void layOutControls();
    void fill(CaptionKind captionKind, TextId captionId, const QString& line1, const QString& line2,
              const QString& line3);
    void end(Result result) { done(static_cast<int>(result)); }

    QLabel* m_icon = nullptr;
    QLabel* m_lines[3] = {nullptr, nullptr, nullptr};
    QProgressBar* m_progress = nullptr;
    QPushButton* m_abortButton = nullptr;
    QPushButton* m_continueButton = nullptr;
    QTimer* m_timer = nullptr;
    bool m_withoutWaiting = false; // the running countdown was started by startCountdown
};

} // namespace telmora
