// The controls of ExportDialog: its groups, buttons and accessible names.
#include "ui/export/ExportDialog.h"

#include "text/texts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace telmora {

namespace {

QRadioButton* radio(TextId id, QWidget* parent) {
    return new QRadioButton(text(id), parent);
}

// Keeps the dialog's layout still when a group is hidden.
void retainSpace(QWidget* w) {
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
}

} // namespace

void ExportDialog::buildControls() {
    buildTypeGroup();
    buildDestinationGroup();
    buildPageScopeGroup();
    buildSizeGroup();
    buildLayoutGroup();
    QHBoxLayout* buttons = buildButtons();

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_typeGroup, 0, 0);
    grid->addWidget(m_destinationGroup, 0, 1);
    grid->addWidget(m_pageScopeGroup, 1, 0);
    grid->addWidget(m_sizeGroup, 1, 1);
    grid->addWidget(m_layoutGroup, 2, 0, 1, 2);
    grid->addLayout(buttons, 3, 0, 1, 2);
}

void ExportDialog::buildTypeGroup() {
    m_typeGroup = new QGroupBox(text(TextId::ExportLabel), this);
    m_metafileButton = radio(TextId::ExportMetaFile, m_typeGroup);
    m_bitmapButton = radio(TextId::ExportBitMap, m_typeGroup);
    m_textButton = radio(TextId::ExportTextOnly, m_typeGroup);
    m_tidyTextButton = new QRadioButton(
        translate("ExportDialog", "Tidy CSV (date, time, SI values)"), m_typeGroup);
    auto* typeLayout = new QVBoxLayout(m_typeGroup);
    typeLayout->addWidget(m_metafileButton);
    typeLayout->addWidget(m_bitmapButton);
    typeLayout->addWidget(m_textButton);
    typeLayout->addWidget(m_tidyTextButton);
    typeLayout->addStretch();
}

// The tidy CSV of several meters: a row per meter and sample, or a row per sample
// with a column per meter.
void ExportDialog::buildLayoutGroup() {
    m_layoutGroup = new QGroupBox(translate("ExportDialog", "Layout"), this);
    m_longLayoutButton = new QRadioButton(
        translate("ExportDialog", "Long (a row per meter and sample)"), m_layoutGroup);
    m_wideLayoutButton =
        new QRadioButton(translate("ExportDialog", "Wide (a column per meter)"), m_layoutGroup);
    auto* layout = new QHBoxLayout(m_layoutGroup);
    layout->addWidget(m_longLayoutButton);
    layout->addWidget(m_wideLayoutButton);
    layout->addStretch();
    m_layoutGroup->hide();
}

void ExportDialog::buildDestinationGroup() {
    m_destinationGroup = new QGroupBox(
        text(TextId::ExportLabel) + QLatin1Char(' ') + text(TextId::ExportDestinationLabel), this);
    m_clipboardButton = radio(TextId::ExportClipboard, m_destinationGroup);
    m_fileButton = radio(TextId::ExportFile, m_destinationGroup);
    m_printerButton = radio(TextId::ExportPrinter, m_destinationGroup);
    m_browseButton = new QPushButton(text(TextId::ExportBrowse), m_destinationGroup);
    m_browseButton->setAutoDefault(false);
    m_fileNameLabel = new QLabel(m_destinationGroup);
    m_fileNameLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_fileNameLabel->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 22);
    m_fileNameLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* destLayout = new QGridLayout(m_destinationGroup);
    destLayout->addWidget(m_clipboardButton, 0, 0);
    destLayout->addWidget(m_fileButton, 1, 0);
    destLayout->addWidget(m_browseButton, 1, 1, Qt::AlignRight);
    destLayout->addWidget(m_printerButton, 2, 0);
    destLayout->addWidget(m_fileNameLabel, 3, 0, 1, 2);
    destLayout->setColumnStretch(0, 1);
}

void ExportDialog::buildPageScopeGroup() {
    m_pageScopeGroup = new QGroupBox(text(TextId::ExportPageScopeGroup), this);
    m_allPagesButton = radio(TextId::ExportAllPages, m_pageScopeGroup);
    m_thisPageButton = radio(TextId::ExportThisPage, m_pageScopeGroup);
    m_pageRangeButton = radio(TextId::ExportPageRange, m_pageScopeGroup);
    m_fromLabel = new QLabel(text(TextId::ExportFromLabel), m_pageScopeGroup);
    m_pageFromEdit = new QLineEdit(m_pageScopeGroup);
    m_toLabel = new QLabel(text(TextId::ExportToLabel), m_pageScopeGroup);
    m_pageToEdit = new QLineEdit(m_pageScopeGroup);
    for (QLineEdit* e : {m_pageFromEdit, m_pageToEdit}) {
        e->setValidator(new QIntValidator(0, 99999999, e));
        e->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 12);
        e->setAlignment(Qt::AlignRight);
    }
    auto* scopeLayout = new QGridLayout(m_pageScopeGroup);
    scopeLayout->addWidget(m_allPagesButton, 0, 0, 1, 5);
    scopeLayout->addWidget(m_thisPageButton, 1, 0, 1, 5);
    scopeLayout->addWidget(m_pageRangeButton, 2, 0);
    scopeLayout->addWidget(m_fromLabel, 2, 1);
    scopeLayout->addWidget(m_pageFromEdit, 2, 2);
    scopeLayout->addWidget(m_toLabel, 2, 3);
    scopeLayout->addWidget(m_pageToEdit, 2, 4);
    scopeLayout->setColumnStretch(5, 1);
}

void ExportDialog::buildSizeGroup() {
    m_sizeGroup = new QGroupBox(text(TextId::ExportObjectSizeGroup), this);
    m_pixelsButton = radio(TextId::ExportNoSpecificSize, m_sizeGroup);
    m_millimetersButton = radio(TextId::ExportMillimeters, m_sizeGroup);
    m_inchesButton = radio(TextId::ExportInches, m_sizeGroup);
    m_pointsButton = radio(TextId::ExportPoints, m_sizeGroup);
    m_widthLabel = new QLabel(text(TextId::ExportWidthLabel), m_sizeGroup);
    m_widthEdit = new QLineEdit(m_sizeGroup);
    m_slashLabel = new QLabel(text(TextId::ExportSizeSeparator), m_sizeGroup);
    m_heightEdit = new QLineEdit(m_sizeGroup);
    m_unitLabel = new QLabel(text(TextId::ExportUnitsLabel), m_sizeGroup);
    for (QLineEdit* e : {m_widthEdit, m_heightEdit}) {
        e->setAlignment(Qt::AlignRight);
        e->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("3.93700787401575")) +
                           16);
    }
    auto* unitRow = new QGridLayout;
    unitRow->addWidget(m_pixelsButton, 0, 0);
    unitRow->addWidget(m_millimetersButton, 0, 1);
    unitRow->addWidget(m_inchesButton, 1, 0);
    unitRow->addWidget(m_pointsButton, 1, 1);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(m_widthLabel);
    sizeRow->addWidget(m_widthEdit);
    sizeRow->addWidget(m_slashLabel);
    sizeRow->addWidget(m_heightEdit);
    sizeRow->addWidget(m_unitLabel);
    sizeRow->addStretch();
    auto* sizeLayout = new QVBoxLayout(m_sizeGroup);
    sizeLayout->addLayout(unitRow);
    sizeLayout->addLayout(sizeRow);
    sizeLayout->addStretch();
    retainSpace(m_sizeGroup);
}

QHBoxLayout* ExportDialog::buildButtons() {
    m_exportButton = new QPushButton(text(TextId::ExportLabel), this);
    m_exportButton->setDefault(true);
    m_cancelButton = new QPushButton(text(TextId::ExportCancel), this);
    m_cancelButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_exportButton);
    buttons->addWidget(m_cancelButton);
    return buttons;
}

// The control names of the original dialog, for tests and style sheets.
void ExportDialog::nameControls() {
    const std::pair<QWidget*, const char*> names[] = {
        {m_typeGroup, "exportTypeGroup"},
        {m_metafileButton, "vectorButton"},
        {m_bitmapButton, "bitmapButton"},
        {m_textButton, "textButton"},
        {m_tidyTextButton, "tidyTextButton"},
        {m_destinationGroup, "destinationGroup"},
        {m_clipboardButton, "clipboardButton"},
        {m_fileButton, "fileButton"},
        {m_printerButton, "printerButton"},
        {m_browseButton, "browseButton"},
        {m_fileNameLabel, "fileNameLabel"},
        {m_pageScopeGroup, "pageScopeGroup"},
        {m_allPagesButton, "allPagesButton"},
        {m_thisPageButton, "thisPageButton"},
        {m_pageRangeButton, "pageRangeButton"},
        {m_fromLabel, "pageFromLabel"},
        {m_pageFromEdit, "pageFromEdit"},
        {m_toLabel, "pageToLabel"},
        {m_pageToEdit, "pageToEdit"},
        {m_sizeGroup, "sizeGroup"},
        {m_pixelsButton, "pixelsButton"},
        {m_millimetersButton, "millimetersButton"},
        {m_inchesButton, "inchesButton"},
        {m_pointsButton, "pointsButton"},
        {m_widthLabel, "widthLabel"},
        {m_widthEdit, "widthEdit"},
        {m_slashLabel, "pageSeparatorLabel"},
        {m_heightEdit, "heightEdit"},
        {m_unitLabel, "unitLabel"},
        {m_layoutGroup, "tidyLayoutGroup"},
        {m_longLayoutButton, "longLayoutButton"},
        {m_wideLayoutButton, "wideLayoutButton"},
        {m_exportButton, "exportButton"},
        {m_cancelButton, "cancelButton"},
    };
    for (const auto& [widget, name] : names)
        widget->setObjectName(QLatin1String(name));
}

} // namespace telmora
