#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace telmora {

class RecorderController;
class UserDialogs;

// "Math channel": the expression of a channel computed from the meters' readings
// at each sample (M1, M2, ... name the meters in their order). An empty expression
// removes the channel. OK hands the expression to the recorder; one it refuses is
// shown as an error with the recorder's reason, and the dialog stays open.
class MathChannelDialog : public QDialog {
    Q_OBJECT

public:
    MathChannelDialog(UserDialogs& dialogs, RecorderController& controller,
                      QWidget* parent = nullptr);

    // The meters' variables and the expression in use now.
    void prepare();
    // OK: applies the expression and closes, unless the recorder refuses it.
    void confirm();
    QLineEdit& expressionEdit() const { return *m_expression; }
    // The variables as listed ("M1 = Meter A", one per line).
    QString variablesText() const;

private:
    UserDialogs& m_dialogs;
    RecorderController& m_controller;
    QLabel* m_variables = nullptr;
    QLineEdit* m_expression = nullptr;
};

} // namespace telmora
