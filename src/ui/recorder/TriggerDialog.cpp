#include "ui/recorder/TriggerDialog.h"

#include "app/UserDialogs.h"
#include "text/texts.h"
#include "ui/common/DialogPlacement.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace telmora {

namespace {

QRadioButton* addChoice(QGridLayout& grid, int row, const QString& label, const char* name,
                        QLineEdit* edit = nullptr, const char* editName = nullptr) {
    auto* choice = new QRadioButton(label);
    choice->setObjectName(QLatin1String(name));
    grid.addWidget(choice, row, 0);
    if (edit != nullptr) {
        edit->setObjectName(QLatin1String(editName));
        edit->setAccessibleName(label);
        grid.addWidget(edit, row, 1);
        // Typing into a field chooses its line.
        QObject::connect(edit, &QLineEdit::textEdited, choice,
                         [choice] { choice->setChecked(true); });
    }
    return choice;
}

} // namespace

TriggerDialog::TriggerDialog(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("triggerDialog"));
    setWindowTitle(translate("TriggerDialog", "Trigger"));
    MakeDialogFrame(*this);
    auto* layout = new QVBoxLayout(this);
    m_meterList = new QLabel(this);
    m_meterList->setObjectName(QStringLiteral("triggerMetersLabel"));
    m_meterList->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_meterList);
    layout->addWidget(buildStartGroup());
    layout->addWidget(buildStopGroup());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TriggerDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QWidget* TriggerDialog::buildStartGroup() {
    auto* group = new QGroupBox(translate("TriggerDialog", "Start recording"), this);
    auto* grid = new QGridLayout(group);
    m_startCondition = new QLineEdit(group);
    m_startTime = new QLineEdit(group);
    m_startCondition->setPlaceholderText(QStringLiteral("M1 > 5 V"));
    m_startTime->setPlaceholderText(QStringLiteral("14:30:00"));
    m_startAtOnce = addChoice(*grid, 0, translate("TriggerDialog", "At once"), "startAtOnceButton");
    m_startWhen = addChoice(*grid, 1, translate("TriggerDialog", "When a value crosses a level:"),
                            "startWhenButton", m_startCondition, "startConditionEdit");
    m_startAt = addChoice(*grid, 2, translate("TriggerDialog", "At the time of day:"),
                          "startAtButton", m_startTime, "startTimeEdit");
    return group;
}

QWidget* TriggerDialog::buildStopGroup() {
    auto* group = new QGroupBox(translate("TriggerDialog", "Stop recording"), this);
    auto* grid = new QGridLayout(group);
    m_stopAfterEdit = new QLineEdit(group);
    m_stopCondition = new QLineEdit(group);
    m_stopAfterEdit->setPlaceholderText(QStringLiteral("10m"));
    m_stopCondition->setPlaceholderText(QStringLiteral("M1 < 2.2k"));
    m_stopByHand = addChoice(*grid, 0, translate("TriggerDialog", "By hand"), "stopByHandButton");
    m_stopAfter = addChoice(
        *grid, 1,
        translate("TriggerDialog", "After a duration (90s, 10m, 1.5h) or a number of samples:"),
        "stopAfterButton", m_stopAfterEdit, "stopAfterEdit");
    m_stopWhen = addChoice(*grid, 2, translate("TriggerDialog", "When a condition holds:"),
                           "stopWhenButton", m_stopCondition, "stopConditionEdit");
    return group;
}

QRadioButton& TriggerDialog::startChoice(TriggerStart start) const {
    return start == TriggerStart::Condition   ? *m_startWhen
           : start == TriggerStart::ClockTime ? *m_startAt
                                              : *m_startAtOnce;
}

QRadioButton& TriggerDialog::stopChoice(TriggerStop stop) const {
    return stop == TriggerStop::Condition ? *m_stopWhen
           : stop == TriggerStop::ByHand  ? *m_stopByHand
                                          : *m_stopAfter;
}

void TriggerDialog::prepare(const RecordingTrigger& trigger, const QStringList& meterLines) {
    m_trigger = trigger;
    m_meters = static_cast<int>(std::max<qsizetype>(meterLines.size(), 1));
    m_meterList->setText(
        translate("TriggerDialog", "Conditions read M1 > 5 V or M2 < 2.2k. The meters are:") +
        QLatin1Char('\n') + meterLines.join(QLatin1Char('\n')));
    startChoice(trigger.start).setChecked(true);
    stopChoice(trigger.stop).setChecked(true);
    m_startCondition->setText(trigger.start == TriggerStart::Condition
                                  ? QString::fromStdString(trigger.startCondition.text())
                                  : QString());
    m_startTime->setText(trigger.start == TriggerStart::ClockTime
                             ? QString::fromStdString(ClockTimeText(trigger.startSecond))
                             : QString());
    m_stopAfterEdit->setText(
        trigger.stop == TriggerStop::Duration  ? QString::fromStdString(trigger.durationText)
        : trigger.stop == TriggerStop::Samples ? QString::number(trigger.samples)
                                               : QString());
    m_stopCondition->setText(trigger.stop == TriggerStop::Condition
                                 ? QString::fromStdString(trigger.stopCondition.text())
                                 : QString());
}

bool TriggerDialog::read(RecordingTrigger& trigger) {
    TriggerError error;
    const std::string startCondition = m_startCondition->text().toStdString();
    const std::string stopCondition = m_stopCondition->text().toStdString();
    if (m_startWhen->isChecked()) {
        const std::optional<TriggerCondition> condition =
            ParseTriggerCondition(startCondition, m_meters, &error);
        if (!condition) {
            showError(error, *m_startCondition);
            return false;
        }
        trigger.start = TriggerStart::Condition;
        trigger.startCondition = *condition;
    }
    if (m_startAt->isChecked()) {
        const std::optional<int> second = ParseClockTime(m_startTime->text().toStdString());
        if (!second) {
            showError({TextId::TriggerClockTimeForm, {}}, *m_startTime);
            return false;
        }
        trigger.start = TriggerStart::ClockTime;
        trigger.startSecond = *second;
    }
    if (m_stopAfter->isChecked() &&
        !ParseStopAfter(m_stopAfterEdit->text().toStdString(), trigger, &error)) {
        showError(error, *m_stopAfterEdit);
        return false;
    }
    if (m_stopWhen->isChecked()) {
        const std::optional<TriggerCondition> condition =
            ParseTriggerCondition(stopCondition, m_meters, &error);
        if (!condition) {
            showError(error, *m_stopCondition);
            return false;
        }
        trigger.stop = TriggerStop::Condition;
        trigger.stopCondition = *condition;
    }
    return true;
}

void TriggerDialog::confirm() {
    RecordingTrigger trigger;
    if (!read(trigger))
        return;
    m_trigger = trigger;
    accept();
}

void TriggerDialog::showError(const TriggerError& error, QLineEdit& edit) {
    BoxRequest box;
    box.owner = this;
    box.caption = errorCaption(error.id);
    box.text = error.text();
    box.icon = BoxIcon::Error;
    m_dialogs.showBox(box);
    edit.setFocus();
    edit.selectAll();
}

} // namespace telmora
