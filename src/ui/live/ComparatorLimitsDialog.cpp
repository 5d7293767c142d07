#include "ui/live/ComparatorLimitsDialog.h"

#include "app/UserDialogs.h"
#include "model/functiontable.h"
#include "model/needle.h"
#include "text/texts.h"
#include "ui/common/DialogPlacement.h"
#include "ui/common/MessageBox.h"
#include "ui/live/DisplayPlacement.h"
#include "ui/live/LcdPanel.h"
#include "ui/live/SpokenReading.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace telmora {

namespace {

QString shortest(double v) {
    return QString::fromStdString(telmora::ShortestDecimal(v));
}

} // namespace

ComparatorLimitsDialog::ComparatorLimitsDialog(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("comparatorLimitsDialog"));
    setWindowTitle(translate("ComparatorLimitsDialog", "Comparator Hi-Low limit setting"));
    setWindowIcon(telmora::DisplayIcon(QStringLiteral("icon5")));
    setModal(true);
    telmora::MakeDialogFrame(*this);

    buildLimitControls();
    buildButtons();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(14);
    layout->addLayout(layOutLimits());
    layout->addLayout(layOutButtons());
    // Wide enough to show the caption uncut.
    setFixedSize(
        sizeHint().expandedTo(QSize(telmora::MessageBoxCaptionWidth(windowTitle(), style()), 0)));
    telmora::DialogPlacement::attach(*this);
}

void ComparatorLimitsDialog::buildLimitControls() {
    m_highCaption = new QLabel(translate("ComparatorLimitsDialog", "Upper-Limit : "), this);
    m_lowCaption = new QLabel(translate("ComparatorLimitsDialog", "Lower-Limit : "), this);
    m_highEdit = new QLineEdit(this);
    m_lowEdit = new QLineEdit(this);
    m_highEdit->setObjectName(QStringLiteral("highLimitEdit"));
    m_lowEdit->setObjectName(QStringLiteral("lowLimitEdit"));
    for (QLineEdit* e : {m_highEdit, m_lowEdit}) {
        e->setAttribute(Qt::WA_InputMethodEnabled, false);
        e->setMinimumWidth(120);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    m_highCaption->setBuddy(m_highEdit);
    m_lowCaption->setBuddy(m_lowEdit);
    m_highPrefix = new QLabel(this);
    m_highUnit = new QLabel(this);
    m_lowPrefix = new QLabel(this);
    m_lowUnit = new QLabel(this);
    for (QLabel* l : {m_highPrefix, m_highUnit, m_lowPrefix, m_lowUnit}) {
        l->setMinimumWidth(22);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
}

void ComparatorLimitsDialog::buildButtons() {
    m_okButton = new QPushButton(telmora::DisplayIcon(QStringLiteral("glyph_ok")), tr("OK"), this);
    m_cancelButton =
        new QPushButton(telmora::DisplayIcon(QStringLiteral("glyph_cancel")), tr("Cancel"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &ComparatorLimitsDialog::acceptLimits);
    connect(m_cancelButton, &QPushButton::clicked, this,
            &ComparatorLimitsDialog::keepPreviousLimits);
}

// One row per limit: its caption, its edit and the two label parts beside it.
QGridLayout* ComparatorLimitsDialog::layOutLimits() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    grid->addWidget(m_highCaption, 0, 0);
    grid->addWidget(m_highEdit, 0, 1);
    grid->addWidget(m_highPrefix, 0, 2);
    grid->addWidget(m_highUnit, 0, 3);
    grid->addWidget(m_lowCaption, 1, 0);
    grid->addWidget(m_lowEdit, 1, 1);
    grid->addWidget(m_lowPrefix, 1, 2);
    grid->addWidget(m_lowUnit, 1, 3);
    return grid;
}

QHBoxLayout* ComparatorLimitsDialog::layOutButtons() {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    return buttons;
}

void ComparatorLimitsDialog::setup(std::uint32_t function, double highLimit, double lowLimit,
                                   const QString& prefixPart, const QString& unitPart) {
    m_function = function;
    m_high = highLimit;
    m_low = lowLimit;
    m_prefixPart = prefixPart;
    m_unitPart = unitPart;
    if (isVisible())
        fill();
}

void ComparatorLimitsDialog::fill() {
    m_highEdit->setText(shortest(m_high));
    m_lowEdit->setText(shortest(m_low));

    // Same sign and alignment rules as the comparator, except that the
    // ohm sign is used only for the two resistance functions here.
    const telmora::ComparatorLabels rules = telmora::ComparatorLabelsFor(m_function);
    const telmora::MeterFunction function = telmora::MeterFunctionOf(m_function);
    const bool ohm = function == telmora::MeterFunction::Resistance ||
                     function == telmora::MeterFunction::ResistanceAlternate;
    m_unitShowsOhmSign = ohm;
    QString unitShown = m_unitPart;
    if (ohm)
        unitShown.replace(QLatin1Char('W'), QChar(0x03A9));
    QString prefixShown =
        m_prefixPart == QLatin1String("u") ? QString(QChar(0x00B5)) : m_prefixPart;
    // A temperature's limits are in degrees: "°C" or "°F", as the comparator writes them.
    const QString degrees = DegreeUnit(m_function);
    if (!degrees.isEmpty()) {
        prefixShown.clear();
        unitShown = degrees;
    }
    for (QLabel* l : {m_highPrefix, m_lowPrefix}) {
        l->setText(prefixShown);
        l->setAlignment(LabelAlignment(rules.prefixAlign));
    }
    for (QLabel* l : {m_highUnit, m_lowUnit}) {
        l->setText(unitShown);
        l->setAlignment(LabelAlignment(rules.unitAlign));
    }
}

void ComparatorLimitsDialog::showEvent(QShowEvent* event) {
    fill();
    m_highEdit->setFocus();
    m_highEdit->selectAll();
    QDialog::showEvent(event);
}

QString ComparatorLimitsDialog::highUnitText() const {
    return m_highUnit->text();
}

void ComparatorLimitsDialog::acceptLimits() {
    const auto high = telmora::ReadDecimalTrimmed(m_highEdit->text().toStdString());
    if (!high) {
        m_dialogs.showError(this, telmora::TextId::InvalidFloatValue);
        m_highEdit->setFocus();
        return;
    }
    const auto low = telmora::ReadDecimalTrimmed(m_lowEdit->text().toStdString());
    if (!low) {
        m_dialogs.showError(this, telmora::TextId::InvalidFloatValue);
        m_lowEdit->setFocus();
        return;
    }
    if (!(*high > *low)) {
        m_dialogs.showError(this, telmora::TextId::LimitsUnacceptable);
        m_highEdit->setFocus();
        return;
    }
    m_high = *high;
    m_low = *low;
    accept();
}

void ComparatorLimitsDialog::keepPreviousLimits() {
    reject();
}

} // namespace telmora
