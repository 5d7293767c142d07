#include "ui/live/ComparatorLimitsDialog.h"

#include "model/needle.h"
#include "ui/common/MessageBox.h"
#include "ui/live/DisplayPlacement.h"
#include "ui/live/LcdPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace telmora {

namespace {

Qt::Alignment toQt(telmora::LabelAlign a) {
    switch (a) {
    case telmora::LabelAlign::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case telmora::LabelAlign::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case telmora::LabelAlign::Centre:
        break;
    }
    return Qt::AlignCenter;
}

QString shortest(double v) {
    return QString::fromStdString(telmora::ShortestDecimal(v));
}

} // namespace

ComparatorLimitsDialog::ComparatorLimitsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DlgHiLowForm"));
    setWindowTitle(QStringLiteral("Comparator Hi-Low limit setting"));
    setWindowIcon(telmora::DisplayIcon(QStringLiteral("icon5")));
    setModal(true);

    buildLimitControls();
    buildButtons();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(14);
    layout->addLayout(layOutLimits());
    layout->addLayout(layOutButtons());
    setFixedSize(sizeHint());
}

void ComparatorLimitsDialog::buildLimitControls() {
    lblHiLimit = new QLabel(QStringLiteral("Upper-Limit : "), this);
    lblLowLimit = new QLabel(QStringLiteral("Lower-Limit : "), this);
    mkeHiLimit = new QLineEdit(this);
    mkeLowLimit = new QLineEdit(this);
    mkeHiLimit->setObjectName(QStringLiteral("mkeHiLimit"));
    mkeLowLimit->setObjectName(QStringLiteral("mkeLowLimit"));
    for (QLineEdit* e : {mkeHiLimit, mkeLowLimit}) {
        e->setAttribute(Qt::WA_InputMethodEnabled, false);
        e->setMinimumWidth(120);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    lblHiLimit->setBuddy(mkeHiLimit);
    lblLowLimit->setBuddy(mkeLowLimit);
    stxtHiUnit = new QLabel(this);
    stxtHiFunc = new QLabel(this);
    stxtLowUnit = new QLabel(this);
    stxtLowFunc = new QLabel(this);
    for (QLabel* l : {stxtHiUnit, stxtHiFunc, stxtLowUnit, stxtLowFunc}) {
        l->setMinimumWidth(22);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
}

void ComparatorLimitsDialog::buildButtons() {
    bbtnOk = new QPushButton(telmora::DisplayIcon(QStringLiteral("glyph_ok")), tr("OK"), this);
    bbtnCancel =
        new QPushButton(telmora::DisplayIcon(QStringLiteral("glyph_cancel")), tr("Cancel"), this);
    bbtnOk->setObjectName(QStringLiteral("bbtnOk"));
    bbtnCancel->setObjectName(QStringLiteral("bbtnCancel"));
    bbtnOk->setDefault(true);
    connect(bbtnOk, &QPushButton::clicked, this, &ComparatorLimitsDialog::bbtnOkClick);
    connect(bbtnCancel, &QPushButton::clicked, this, &ComparatorLimitsDialog::bbtnCancelClick);
}

// One row per limit: its caption, its edit and the two label parts beside it.
QGridLayout* ComparatorLimitsDialog::layOutLimits() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    grid->addWidget(lblHiLimit, 0, 0);
    grid->addWidget(mkeHiLimit, 0, 1);
    grid->addWidget(stxtHiUnit, 0, 2);
    grid->addWidget(stxtHiFunc, 0, 3);
    grid->addWidget(lblLowLimit, 1, 0);
    grid->addWidget(mkeLowLimit, 1, 1);
    grid->addWidget(stxtLowUnit, 1, 2);
    grid->addWidget(stxtLowFunc, 1, 3);
    return grid;
}

QHBoxLayout* ComparatorLimitsDialog::layOutButtons() {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bbtnOk);
    buttons->addWidget(bbtnCancel);
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
    mkeHiLimit->setText(shortest(m_high));
    mkeLowLimit->setText(shortest(m_low));

    // Same typeface and alignment rules as the comparator, except that the
    // ohm sign is used only for the two resistance functions here.
    const telmora::ComparatorLabels rules = telmora::ComparatorLabelsFor(m_function);
    const bool ohm = m_function == telmora::fn::Ohms || m_function == telmora::fn::Ohms2;
    m_unitTypeface = ohm ? telmora::LcdPanel::kSymbolTypeface : telmora::LcdPanel::kTypeface;
    QString unitShown = m_unitPart;
    if (ohm)
        unitShown.replace(QLatin1Char('W'), QChar(0x03A9));
    QString prefixShown =
        m_prefixPart == QLatin1String("u") ? QString(QChar(0x00B5)) : m_prefixPart;
    for (QLabel* l : {stxtHiUnit, stxtLowUnit}) {
        l->setText(prefixShown);
        l->setAlignment(toQt(rules.prefixAlign));
    }
    for (QLabel* l : {stxtHiFunc, stxtLowFunc}) {
        l->setText(unitShown);
        l->setAlignment(toQt(rules.unitAlign));
    }
}

void ComparatorLimitsDialog::showEvent(QShowEvent* event) {
    fill();
    mkeHiLimit->setFocus();
    mkeHiLimit->selectAll();
    QDialog::showEvent(event);
}

QString ComparatorLimitsDialog::highUnitText() const {
    return stxtHiFunc->text();
}

void ComparatorLimitsDialog::bbtnOkClick() {
    const auto high = telmora::ReadDecimalTrimmed(mkeHiLimit->text().toStdString());
    if (!high) {
        telmora::showError(this, telmora::TextId::InvalidFloatValue);
        mkeHiLimit->setFocus();
        return;
    }
    const auto low = telmora::ReadDecimalTrimmed(mkeLowLimit->text().toStdString());
    if (!low) {
        telmora::showError(this, telmora::TextId::InvalidFloatValue);
        mkeLowLimit->setFocus();
        return;
    }
    if (!(*high > *low)) {
        telmora::showError(this, telmora::TextId::LimitsUnacceptable);
        mkeHiLimit->setFocus();
        return;
    }
    m_high = *high;
    m_low = *low;
    accept();
}

void ComparatorLimitsDialog::bbtnCancelClick() {
    reject();
}

} // namespace telmora
