#pragma once

#include <QDialog>

class QColor;
class QLabel;
class QProgressBar;
class QPushButton;

namespace telmora {

// The progress window of long operations on the user-interface thread (loading
// a recorder file, downloading the meter memory, reading a session file). The
// caller shows it without making it modal, sets the message line `MsgPanel`,
// advances `ProgressBar` and the counter line `Label1`, and processes pending
// events between steps. Abort only clears the busy flag; the operation notices
// that at its next check, stops and closes the window.
class ProgressWindow : public QDialog {
    Q_OBJECT

public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    // The message line in the given colour (the default text colour when invalid).
    void setMessage(const QString& text, const QColor& colour);

    // The amount stepIt adds to the progress position (1 after creation).
    void setStep(int step);
    int step() const { return m_step; }
    // Advances the progress bar by one step; past its maximum it starts again at
    // its minimum.
    void stepIt();

    // Clears the busy flag of the application and does nothing else.
    void bbtnAbortClick();

    QLabel* MsgPanel = nullptr;
    QLabel* Label1 = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QPushButton* bbtnAbort = nullptr;

public slots:
    // Escape presses Abort when it is enabled; it never hides the window.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    int m_step = 1;
};

} // namespace telmora
