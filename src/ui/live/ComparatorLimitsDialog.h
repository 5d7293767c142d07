#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace telmora {

class UserDialogs;
// The comparator's limit dialog: upper and lower limit as free text, with the
// reading's prefix and unit beside each. OK is accepted only with two numbers
// of which the upper is the greater.
class ComparatorLimitsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ComparatorLimitsDialog(UserDialogs& dialogs, QWidget* parent = nullptr);

    // What the dialog shows next time: the function (for the ohm sign),
    // both limits and the two label parts.
    void setup(std::uint32_t function, double highLimit, double lowLimit, const QString& prefixPart,
               const QString& unitPart);
    double highLimit() const { return m_high; }
    double lowLimit() const { return m_low; }

    // Whether the unit texts show the ohm sign now (for the letter "W").
    bool unitShowsOhmSign() const { return m_unitShowsOhmSign; }

    // The unit text beside the upper limit.
    QString highUnitText() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // OK: keeps two numbers of which the upper is the greater and closes;
    // otherwise says what is wrong and leaves the dialog open.
    void acceptLimits();
    // Cancel: closes and keeps the limits shown last time.
    void keepPreviousLimits();
    // The captions, edits and label parts of both limits.
    void buildLimitControls();
    // OK and Cancel.
    void buildButtons();
    QGridLayout* layOutLimits();
    QHBoxLayout* layOutButtons();
    void fill();

    // Controls; their object names keep the names tests find them by (the
    // edits "highLimitEdit"/"lowLimitEdit", the buttons "okButton"/"cancelButton").
    UserDialogs& m_dialogs;
    QLabel* m_highCaption;
    QLabel* m_lowCaption;
    QLineEdit* m_highEdit;
    QLineEdit* m_lowEdit;
    QLabel* m_highPrefix;
    QLabel* m_highUnit;
    QLabel* m_lowPrefix;
    QLabel* m_lowUnit;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;

    std::uint32_t m_function = 0;
    double m_high = 0;
    double m_low = 0;
    QString m_prefixPart;
    QString m_unitPart;
    bool m_unitShowsOhmSign = false;
};

} // namespace telmora
