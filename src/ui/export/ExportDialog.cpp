#include "ui/export/ExportDialog.h"

#include "text/texts.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/MessageBox.h"

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

std::optional<int> readPage(const QLineEdit* edit) {
    bool ok = false;
    const int v = edit->text().trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

} // namespace

ExportDialog::ExportDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(text(TextId::ExportDialogCaption));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    buildControls();
    connectHandlers();
    m_model.selectType(ExportType::Text);
    syncControls(true);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void ExportDialog::buildControls() {
    gbExportType = new QGroupBox(text(TextId::ExportLabel), this);
    rbtnMetaFile = radio(TextId::ExportMetaFile, gbExportType);
    rbtnBitMap = radio(TextId::ExportBitMap, gbExportType);
    rbtnText = radio(TextId::ExportTextOnly, gbExportType);
    auto* typeLayout = new QVBoxLayout(gbExportType);
    typeLayout->addWidget(rbtnMetaFile);
    typeLayout->addWidget(rbtnBitMap);
    typeLayout->addWidget(rbtnText);
    typeLayout->addStretch();

    gbExportDestination = new QGroupBox(
        text(TextId::ExportLabel) + QLatin1Char(' ') + text(TextId::ExportDestinationLabel), this);
    rbtnClipBoard = radio(TextId::ExportClipboard, gbExportDestination);
    rbtnFile = radio(TextId::ExportFile, gbExportDestination);
    rbtnPrinter = radio(TextId::ExportPrinter, gbExportDestination);
    btnBrowse = new QPushButton(text(TextId::ExportBrowse), gbExportDestination);
    btnBrowse->setAutoDefault(false);
    stxFileName = new QLabel(gbExportDestination);
    stxFileName->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    stxFileName->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 22);
    stxFileName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* destLayout = new QGridLayout(gbExportDestination);
    destLayout->addWidget(rbtnClipBoard, 0, 0);
    destLayout->addWidget(rbtnFile, 1, 0);
    destLayout->addWidget(btnBrowse, 1, 1, Qt::AlignRight);
    destLayout->addWidget(rbtnPrinter, 2, 0);
    destLayout->addWidget(stxFileName, 3, 0, 1, 2);
    destLayout->setColumnStretch(0, 1);

    gbPageScope = new QGroupBox(text(TextId::ExportPageScopeGroup), this);
    rbtnPageAll = radio(TextId::ExportAllPages, gbPageScope);
    rbtnThisPage = radio(TextId::ExportThisPage, gbPageScope);
    rbtnPage = radio(TextId::ExportPageRange, gbPageScope);
    lblFrom = new QLabel(text(TextId::ExportFromLabel), gbPageScope);
    editPageFrom = new QLineEdit(gbPageScope);
    lblTo = new QLabel(text(TextId::ExportToLabel), gbPageScope);
    editPageTo = new QLineEdit(gbPageScope);
    for (QLineEdit* e : {editPageFrom, editPageTo}) {
        e->setValidator(new QIntValidator(0, 99999999, e));
        e->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 12);
        e->setAlignment(Qt::AlignRight);
    }
    auto* scopeLayout = new QGridLayout(gbPageScope);
    scopeLayout->addWidget(rbtnPageAll, 0, 0, 1, 5);
    scopeLayout->addWidget(rbtnThisPage, 1, 0, 1, 5);
    scopeLayout->addWidget(rbtnPage, 2, 0);
    scopeLayout->addWidget(lblFrom, 2, 1);
    scopeLayout->addWidget(editPageFrom, 2, 2);
    scopeLayout->addWidget(lblTo, 2, 3);
    scopeLayout->addWidget(editPageTo, 2, 4);
    scopeLayout->setColumnStretch(5, 1);

    gbObjectSize = new QGroupBox(text(TextId::ExportObjectSizeGroup), this);
    rbtnPixels = radio(TextId::ExportNoSpecificSize, gbObjectSize);
    rbtnMillimeters = radio(TextId::ExportMillimeters, gbObjectSize);
    rbtnInches = radio(TextId::ExportInches, gbObjectSize);
    rbtnPoints = radio(TextId::ExportPoints, gbObjectSize);
    lblWidth = new QLabel(text(TextId::ExportWidthLabel), gbObjectSize);
    editWidth = new QLineEdit(gbObjectSize);
    lblSlash = new QLabel(text(TextId::ExportSizeSeparator), gbObjectSize);
    editHigh = new QLineEdit(gbObjectSize);
    lblUnit = new QLabel(text(TextId::ExportUnitsLabel), gbObjectSize);
    for (QLineEdit* e : {editWidth, editHigh}) {
        e->setAlignment(Qt::AlignRight);
        e->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("3.93700787401575")) +
                           16);
    }
    auto* unitRow = new QGridLayout;
    unitRow->addWidget(rbtnPixels, 0, 0);
    unitRow->addWidget(rbtnMillimeters, 0, 1);
    unitRow->addWidget(rbtnInches, 1, 0);
    unitRow->addWidget(rbtnPoints, 1, 1);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(lblWidth);
    sizeRow->addWidget(editWidth);
    sizeRow->addWidget(lblSlash);
    sizeRow->addWidget(editHigh);
    sizeRow->addWidget(lblUnit);
    sizeRow->addStretch();
    auto* sizeLayout = new QVBoxLayout(gbObjectSize);
    sizeLayout->addLayout(unitRow);
    sizeLayout->addLayout(sizeRow);
    sizeLayout->addStretch();
    retainSpace(gbObjectSize);

    btnExport = new QPushButton(text(TextId::ExportLabel), this);
    btnExport->setDefault(true);
    btnCancel = new QPushButton(text(TextId::ExportCancel), this);
    btnCancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnExport);
    buttons->addWidget(btnCancel);

    auto* grid = new QGridLayout(this);
    grid->addWidget(gbExportType, 0, 0);
    grid->addWidget(gbExportDestination, 0, 1);
    grid->addWidget(gbPageScope, 1, 0);
    grid->addWidget(gbObjectSize, 1, 1);
    grid->addLayout(buttons, 2, 0, 1, 2);
}

void ExportDialog::connectHandlers() {
    auto onSelect = [this](QRadioButton* button, auto handler) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (!checked || m_syncing)
                return;
            handler();
            syncControls(true);
        });
    };
    onSelect(rbtnMetaFile, [this] { m_model.selectType(ExportType::MetaFile); });
    onSelect(rbtnBitMap, [this] { m_model.selectType(ExportType::BitMap); });
    onSelect(rbtnText, [this] { m_model.selectType(ExportType::Text); });
    onSelect(rbtnClipBoard, [this] { m_model.selectDestination(ExportDestination::ClipBoard); });
    onSelect(rbtnFile, [this] { m_model.selectDestination(ExportDestination::File); });
    onSelect(rbtnPrinter, [this] { m_model.selectDestination(ExportDestination::Printer); });
    onSelect(rbtnPageAll, [this] { m_model.selectScope(PageScope::AllPages); });
    onSelect(rbtnThisPage, [this] { m_model.selectScope(PageScope::ThisPage); });
    onSelect(rbtnPage, [this] { m_model.selectScope(PageScope::Range); });
    onSelect(rbtnPixels, [this] { m_model.selectUnit(SizeUnit::Pixels); });
    onSelect(rbtnMillimeters, [this] { m_model.selectUnit(SizeUnit::Millimeters); });
    onSelect(rbtnInches, [this] { m_model.selectUnit(SizeUnit::Inches); });
    onSelect(rbtnPoints, [this] { m_model.selectUnit(SizeUnit::Points); });

    connect(editWidth, &QLineEdit::textEdited, this, [this] { sizeEdited(editWidth, true); });
    connect(editHigh, &QLineEdit::textEdited, this, [this] { sizeEdited(editHigh, false); });
    connect(btnBrowse, &QPushButton::clicked, this, &ExportDialog::btnBrowseClick);
    connect(btnExport, &QPushButton::clicked, this, &ExportDialog::btnExportClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ExportDialog::syncControls(bool updateSizeEdits) {
    m_syncing = true;
    const ExportDialogModel::Controls& c = m_model.controls();
    auto check = [](QRadioButton* b, bool on) {
        if (on && !b->isChecked())
            b->setChecked(true);
    };
    check(rbtnMetaFile, c.type == ExportType::MetaFile);
    check(rbtnBitMap, c.type == ExportType::BitMap);
    check(rbtnText, c.type == ExportType::Text);
    check(rbtnClipBoard, c.destination == ExportDestination::ClipBoard);
    check(rbtnFile, c.destination == ExportDestination::File);
    check(rbtnPrinter, c.destination == ExportDestination::Printer);
    check(rbtnPageAll, c.scope == PageScope::AllPages);
    check(rbtnThisPage, c.scope == PageScope::ThisPage);
    check(rbtnPage, c.scope == PageScope::Range);
    check(rbtnPixels, c.unit == SizeUnit::Pixels);
    check(rbtnMillimeters, c.unit == SizeUnit::Millimeters);
    check(rbtnInches, c.unit == SizeUnit::Inches);
    check(rbtnPoints, c.unit == SizeUnit::Points);

    rbtnClipBoard->setEnabled(c.clipboardEnabled);
    rbtnFile->setEnabled(c.fileEnabled);
    rbtnPrinter->setEnabled(c.printerEnabled);
    btnBrowse->setEnabled(c.browseEnabled);
    stxFileName->setText(ShortenedFileName(m_model.fileName()));
    stxFileName->setToolTip(m_model.fileName());

    rbtnPageAll->setEnabled(c.allPagesEnabled);
    rbtnThisPage->setEnabled(c.thisPageEnabled);
    rbtnPage->setEnabled(c.rangeEnabled);
    for (QWidget* w : {static_cast<QWidget*>(lblFrom), static_cast<QWidget*>(editPageFrom),
                       static_cast<QWidget*>(lblTo), static_cast<QWidget*>(editPageTo)})
        w->setEnabled(c.rangeEditsEnabled);

    gbObjectSize->setVisible(c.sizeGroupVisible);
    rbtnPixels->setText(text(c.pixelsCaption));
    rbtnPixels->setEnabled(c.pixelsEnabled);
    rbtnMillimeters->setEnabled(c.millimetersEnabled);
    rbtnInches->setEnabled(c.inchesEnabled);
    rbtnPoints->setEnabled(c.pointsEnabled);
    lblUnit->setText(text(c.unitLabel));
    if (updateSizeEdits) {
        editWidth->setText(FormatSizeValue(m_model.shownWidth()));
        editHigh->setText(FormatSizeValue(m_model.shownHeight()));
        editWidth->setCursorPosition(0);
        editHigh->setCursorPosition(0);
        editWidth->setStyleSheet(QString());
        editHigh->setStyleSheet(QString());
    }
    m_syncing = false;
}

void ExportDialog::showEvent(QShowEvent* event) {
    syncControls(true);
    QDialog::showEvent(event);
}

void ExportDialog::setFileName(const QString& name) {
    m_model.setFileName(name);
    syncControls(false);
}

void ExportDialog::setPrinterPageLock(bool lock) {
    m_model.setPrinterPageLock(lock);
}

ExportType ExportDialog::exportType() const {
    return m_model.controls().type.value_or(ExportType::Text);
}

ExportDestination ExportDialog::destination() const {
    return m_model.controls().destination.value_or(ExportDestination::File);
}

PageScope ExportDialog::pageScope() const {
    return m_model.controls().scope.value_or(PageScope::ThisPage);
}

std::optional<int> ExportDialog::pageFrom() const {
    return readPage(editPageFrom);
}

std::optional<int> ExportDialog::pageTo() const {
    return readPage(editPageTo);
}

void ExportDialog::sizeEdited(QLineEdit* edit, bool isWidth) {
    const bool ok = isWidth ? m_model.editWidth(edit->text()) : m_model.editHeight(edit->text());
    // A text that is no number leaves the stored size as it was; the edit turns red
    // until it holds a number again, and Export refuses it with a message.
    edit->setStyleSheet(ok ? QString() : QStringLiteral("color: red;"));
}

bool ExportDialog::confirmSizeEdit(QLineEdit* edit, bool isWidth) {
    if (ParseSizeValue(edit->text()))
        return true;
    BoxRequest box;
    box.owner = this;
    box.caption = text(TextId::ExportDialogCaption);
    box.text = QStringLiteral("'%1' is not a valid floating point value").arg(edit->text());
    box.icon = BoxIcon::Error;
    ShowBox(box);
    const double shown = isWidth ? m_model.shownWidth() : m_model.shownHeight();
    edit->setText(FormatSizeValue(shown));
    edit->setStyleSheet(QString());
    edit->setFocus();
    edit->selectAll();
    return false;
}

void ExportDialog::btnBrowseClick() {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.owner = this;
    request.caption = text(TextId::ExportDialogCaption);
    request.fileName = QStringLiteral("Untitled");
    request.overwritePrompt = true;
    switch (exportType()) {
    case ExportType::Text:
        request.defaultExt = QStringLiteral("csv");
        request.filter = QStringLiteral("CSV files(*.csv)|*.csv");
        break;
    case ExportType::BitMap:
        request.defaultExt = QStringLiteral("png");
        request.filter = QStringLiteral("PNG pictures(*.png)|*.png|Bitmap pictures(*.bmp)|*.bmp");
        break;
    case ExportType::MetaFile:
        request.defaultExt = QStringLiteral("svg");
        request.filter = QStringLiteral("SVG pictures(*.svg)|*.svg");
        break;
    }
    if (const std::optional<QString> chosen = RunFileDialog(request))
        setFileName(*chosen);
}

void ExportDialog::btnExportClick() {
    if (m_model.controls().sizeGroupVisible &&
        (!confirmSizeEdit(editWidth, true) || !confirmSizeEdit(editHigh, false)))
        return;
    if (pageScope() == PageScope::Range) {
        for (QLineEdit* e : {editPageFrom, editPageTo}) {
            if (!readPage(e)) {
                BoxRequest box;
                box.owner = this;
                box.caption = text(TextId::ExportDialogCaption);
                box.text = QStringLiteral("'%1' is not a valid integer value").arg(e->text());
                box.icon = BoxIcon::Error;
                ShowBox(box);
                e->setFocus();
                e->selectAll();
                return;
            }
        }
    }
    accept();
}

} // namespace telmora
