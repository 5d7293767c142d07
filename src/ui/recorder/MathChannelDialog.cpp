#include "ui/recorder/MathChannelDialog.h"

#include "app/UserDialogs.h"
#include "recording/RecorderController.h"
#include "text/texts.h"
#include "ui/common/DialogPlacement.h"
#include "ui/recorder/recordertraces.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace telmora {

MathChannelDialog::MathChannelDialog(UserDialogs& dialogs, RecorderController& controller,
                                     QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_controller(controller) {
    setObjectName(QStringLiteral("mathChannelDialog"));
    setWindowTitle(translate("MathChannelDialog", "Math channel"));
    MakeDialogFrame(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        translate("MathChannelDialog",
                  "Expression of the meters' readings (for example M1 * M2 or M1 - M2);\n"
                  "leave it empty for no math channel. The meters are:"),
        this));
    m_variables = new QLabel(this);
    m_variables->setObjectName(QStringLiteral("mathVariablesLabel"));
    m_variables->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_variables);
    m_expression = new QLineEdit(this);
    m_expression->setObjectName(QStringLiteral("mathExpressionEdit"));
    m_expression->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 30);
    layout->addWidget(m_expression);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &MathChannelDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString MathChannelDialog::variablesText() const {
    QStringList lines;
    for (int m = 0; m < m_controller.meterCount(); ++m) {
        QString line = QStringLiteral("M%1 = %2").arg(m + 1).arg(MeterLabel(m_controller, m));
        const QString serial = m_controller.meterSerial(m).trimmed();
        if (!serial.isEmpty())
            line += QStringLiteral(" (%1)").arg(serial);
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

void MathChannelDialog::prepare() {
    m_variables->setText(variablesText());
    m_expression->setText(m_controller.mathExpression());
    m_expression->selectAll();
    m_expression->setFocus();
}

void MathChannelDialog::confirm() {
    QString error;
    if (m_controller.setMathExpression(m_expression->text().trimmed(), &error)) {
        accept();
        return;
    }
    BoxRequest box;
    box.owner = this;
    box.caption = windowTitle();
    box.text = translate("MathChannelDialog", "The expression cannot be used.");
    if (!error.isEmpty())
        box.text += QLatin1Char('\n') + error;
    box.icon = BoxIcon::Error;
    m_dialogs.showBox(box);
    m_expression->setFocus();
}

} // namespace telmora
