#pragma once

#include "model/RecordingTrigger.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace telmora {

class UserDialogs;

// "Trigger": when a recording started with Start begins keeping samples (at once,
// when a meter's value crosses a level, at a time of day) and when it stops (by
// hand, after a duration or a number of samples, when a condition holds). OK reads
// the choices; one that cannot be read is shown as its numbered error and the
// dialog stays open.
class TriggerDialog : public QDialog {
    Q_OBJECT

public:
    explicit TriggerDialog(UserDialogs& dialogs, QWidget* parent = nullptr);

    // Shows `trigger` for a recording of the meters `meterLines` lists ("M1 = Name").
    void prepare(const RecordingTrigger& trigger, const QStringList& meterLines);
    // OK: reads the choices and closes, unless one of them cannot be read.
    void confirm();
    // The trigger chosen (after OK).
    const RecordingTrigger& trigger() const { return m_trigger; }

    QRadioButton& startChoice(TriggerStart start) const;
    QRadioButton& stopChoice(TriggerStop stop) const;
    QLineEdit& startConditionEdit() const { return *m_startCondition; }
    QLineEdit& startTimeEdit() const { return *m_startTime; }
    QLineEdit& stopAfterEdit() const { return *m_stopAfterEdit; }
    QLineEdit& stopConditionEdit() const { return *m_stopCondition; }

private:
    QWidget* buildStartGroup();
    QWidget* buildStopGroup();
    // Reads the choices into `trigger`; false after showing why one cannot be read.
    bool read(RecordingTrigger& trigger);
    void showError(const TriggerError& error, QLineEdit& edit);

    UserDialogs& m_dialogs;
    RecordingTrigger m_trigger;
    int m_meters = 1;
    QLabel* m_meterList = nullptr;
    QRadioButton* m_startAtOnce = nullptr;
    QRadioButton* m_startWhen = nullptr;
    QRadioButton* m_startAt = nullptr;
    QRadioButton* m_stopByHand = nullptr;
    QRadioButton* m_stopAfter = nullptr;
    QRadioButton* m_stopWhen = nullptr;
    QLineEdit* m_startCondition = nullptr;
    QLineEdit* m_startTime = nullptr;
    QLineEdit* m_stopAfterEdit = nullptr;
    QLineEdit* m_stopCondition = nullptr;
};

} // namespace telmora
