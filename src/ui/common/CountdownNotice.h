#pragma once

#include "text/texts.h"

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace telmora {

// The auto-closing message window: a message of up to three lines with a
// countdown of 30 ticks of 100 ms. When the countdown runs out the window closes
// with mrYes (go on automatically); "&Continue" closes it at once with mrRetry;
// Abort closes it with mrAbort. Callers treat every result but mrAbort as
// "go on".
class CountdownNotice : public QDialog {
    Q_OBJECT

public:
    // Modal results, numbered as the dialog results the callers compare with.
    enum ModalResult : int {
        mrNone = 0,
        mrOk = 1,
        mrCancel = 2,
        mrAbort = 3,
        mrRetry = 4,
        mrIgnore = 5,
        mrYes = 6,
        mrNo = 7,
    };

    static constexpr int kTickMs = 100;
    static constexpr int kTicks = 30; // progress bar maximum; the bar steps by 1

    explicit CountdownNotice(QWidget* parent = nullptr);

    // Fills the three lines, shows the progress bar, sets the caption of
    // `captionKind` numbered with `captionId`, starts Timer1 and shows the window
    // modally. Returns the modal result; mrAbort means the user aborted.
    int showCountdown(CaptionKind captionKind, TextId captionId, const QString& line1,
                      const QString& line2, const QString& line3);

    // Tests of the callers answer the window instead of the user: while an
    // interceptor is set, showCountdown fills the window, does not show it and
    // returns what the interceptor returns.
    using Interceptor = std::function<int(CountdownNotice& form)>;
    static void setInterceptor(Interceptor interceptor);

    // One countdown tick: advances the progress bar by one step and closes the
    // window with mrYes when the bar reaches its maximum.
    void Timer1Timer();
    void bbtnAbortClick();
    void bbtnYesClick();

    QLabel* Image1 = nullptr;
    QLabel* lbMsg1 = nullptr;
    QLabel* lbMsg2 = nullptr;
    QLabel* lbMsg3 = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QPushButton* bbtnAbort = nullptr;
    QPushButton* bbtnYes = nullptr;
    QTimer* Timer1 = nullptr;

public slots:
    void done(int result) override;
    // Escape aborts: the user asked to stop, not to go on.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace telmora
