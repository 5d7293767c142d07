#pragma once

#include "recording/RecorderController.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace telmora {

class UserDialogs;
// The acquisition interval dialog: manual sampling, or automatic at full speed or
// every n whole seconds. The recorder sets mode and seconds, shows it modally and
// reads both back when it ends with OK.
class IntervalDialog : public QDialog {
    Q_OBJECT

public:
    // Largest interval: seconds x 1000 must fit the 32-bit millisecond count.
    static constexpr std::int32_t kMaxSeconds = 2147483;

    explicit IntervalDialog(UserDialogs& dialogs, QWidget* parent = nullptr);

    // Shows the dialog modally for the given settings; manualChosen() and seconds()
    // hold the choice afterwards (meaningful when the result is Accepted).
    int execFor(AcquisitionMode mode, std::int32_t seconds);
    // Puts the settings into the controls without showing the dialog.
    void showSettings(AcquisitionMode mode, std::int32_t seconds);

    AcquisitionMode mode() const { return m_mode; }
    // 0 means full speed, anything else whole seconds.
    std::int32_t seconds() const { return m_seconds; }

    // Where the "Customization..." loop reads its answer; tests answer instead of the
    // user. The argument is the pre-filled text; nothing means Cancel.
    using InputProvider = std::function<std::optional<QString>(const QString& prefill)>;
    void setInputProvider(InputProvider provider);

private:
    void buildControls();
    void computeLayout();
    void followModeChoice();
    void chooseInterval();
    std::optional<QString> askSeconds(const QString& prefill);
    void showIntervalChoice();

    UserDialogs& m_dialogs;
    AcquisitionMode m_mode = AcquisitionMode::Automatic;
    std::int32_t m_seconds = 0;
    InputProvider m_inputProvider;

    QLabel* m_icon = nullptr;
    QGroupBox* m_modeGroup = nullptr;
    QRadioButton* m_manualButton = nullptr;
    QRadioButton* m_automaticButton = nullptr;
    QComboBox* m_intervalList = nullptr;
    QFrame* m_bevel = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

} // namespace telmora
