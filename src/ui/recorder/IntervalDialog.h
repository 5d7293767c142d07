#pragma once

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

// The acquisition interval dialog: manual sampling, or automatic at full speed or
// every n whole seconds. The recorder sets mode and seconds, shows it modally and
// reads both back when it ends with OK.
class IntervalDialog : public QDialog {
    Q_OBJECT

public:
    // Largest interval: seconds x 1000 must fit the 32-bit millisecond count.
    static constexpr std::int32_t kMaxSeconds = 2147483;

    explicit IntervalDialog(QWidget* parent = nullptr);

    std::uint8_t mode = 0;    // 1 manual, 0 automatic
    std::int32_t seconds = 0; // 0 full speed, else whole seconds

    // Shows the dialog modally for the given settings; the fields hold the choice
    // afterwards (meaningful when the result is Accepted).
    int execFor(std::uint8_t mode, std::int32_t seconds);

    // Where the "Customization..." loop reads its answer; tests answer instead of the
    // user. The argument is the pre-filled text; nothing means Cancel.
    using InputProvider = std::function<std::optional<QString>(const QString& prefill)>;
    static void setInputProvider(InputProvider provider);

    // Handlers, named after their controls.
    void FormShow();
    void rbtnClick();
    void cbxIntervalChange();

    QLabel* Image1 = nullptr;
    QGroupBox* rgIntervalMode = nullptr;
    QRadioButton* rbtnManual = nullptr;
    QRadioButton* rbtnAutomatic = nullptr;
    QComboBox* cbxInterval = nullptr;
    QFrame* Bevel1 = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* bbtnCancel = nullptr;

private:
    void computeLayout();
    std::optional<QString> askSeconds(const QString& prefill);
};

} // namespace telmora
