#pragma once

#include <QDialog>

class QColor;
class QLabel;
class QProgressBar;
class QPushButton;

namespace telmora {

// The progress window of long operations (loading a recorder file, downloading
// the meter memory, reading a session file): a title line, a detail line, a
// progress bar and an Abort button. The operation runs elsewhere and reports
// here; Abort only emits abortRequested, and the operation closes the window
// once it has stopped.
class ProgressWindow : public QDialog {
    Q_OBJECT

public:
    explicit ProgressWindow(QWidget* parent = nullptr);

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

    // The amount stepIt adds to the progress position (1 after creation).
    void setStep(int step);
    int step() const { return m_step; }
    // Advances the progress bar by one step; past its maximum it starts again at
    // its minimum.
    void stepIt();

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
    QLabel* m_message = nullptr;
    QLabel* m_detail = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_abortButton = nullptr;
    int m_step = 1;
};

} // namespace telmora
