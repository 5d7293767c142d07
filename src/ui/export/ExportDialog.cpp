#include "ui/export/ExportDialog.h"

#include "app/UserDialogs.h"
#include "text/texts.h"
#include "ui/common/DialogPlacement.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <utility>

namespace telmora {

namespace {

std::optional<int> readPage(const QLineEdit* edit) {
    bool ok = false;
    const int v = edit->text().trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

} // namespace

ExportDialog::ExportDialog(UserDialogs& dialogs, PrinterPages printerPages, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs) {
    setWindowTitle(text(TextId::ExportDialogCaption));
    setWindowFlags(windowFlags() | Qt::MSWindowsFixedSizeDialogHint);
    MakeDialogFrame(*this);
    buildControls();
    nameControls();
    connectHandlers();
    m_model.setPrinterPageLock(printerPages == PrinterPages::ThisPageOnly);
    m_model.selectType(ExportType::Text);
    syncControls(true);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
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
    onSelect(m_metafileButton, [this] { m_model.selectType(ExportType::MetaFile); });
    onSelect(m_bitmapButton, [this] { m_model.selectType(ExportType::BitMap); });
    onSelect(m_textButton, [this] { m_model.selectType(ExportType::Text); });
    onSelect(m_tidyTextButton, [this] { m_model.selectType(ExportType::TidyText); });
    onSelect(m_clipboardButton,
             [this] { m_model.selectDestination(ExportDestination::ClipBoard); });
    onSelect(m_fileButton, [this] { m_model.selectDestination(ExportDestination::File); });
    onSelect(m_printerButton, [this] { m_model.selectDestination(ExportDestination::Printer); });
    onSelect(m_allPagesButton, [this] { m_model.selectScope(PageScope::AllPages); });
    onSelect(m_thisPageButton, [this] { m_model.selectScope(PageScope::ThisPage); });
    onSelect(m_pageRangeButton, [this] { m_model.selectScope(PageScope::Range); });
    onSelect(m_longLayoutButton, [this] { m_model.selectLayout(TidyLayout::Long); });
    onSelect(m_wideLayoutButton, [this] { m_model.selectLayout(TidyLayout::Wide); });
    onSelect(m_pixelsButton, [this] { m_model.selectUnit(SizeUnit::Pixels); });
    onSelect(m_millimetersButton, [this] { m_model.selectUnit(SizeUnit::Millimeters); });
    onSelect(m_inchesButton, [this] { m_model.selectUnit(SizeUnit::Inches); });
    onSelect(m_pointsButton, [this] { m_model.selectUnit(SizeUnit::Points); });

    connect(m_widthEdit, &QLineEdit::textEdited, this, [this] { sizeEdited(m_widthEdit, true); });
    connect(m_heightEdit, &QLineEdit::textEdited, this,
            [this] { sizeEdited(m_heightEdit, false); });
    connect(m_browseButton, &QPushButton::clicked, this, &ExportDialog::browse);
    connect(m_exportButton, &QPushButton::clicked, this, &ExportDialog::confirmExport);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void ExportDialog::syncControls(bool updateSizeEdits) {
    m_syncing = true;
    const ExportDialogModel::Controls& c = m_model.controls();
    auto check = [](QRadioButton* b, bool on) {
        if (on && !b->isChecked())
            b->setChecked(true);
    };
    check(m_metafileButton, c.type == ExportType::MetaFile);
    check(m_bitmapButton, c.type == ExportType::BitMap);
    check(m_textButton, c.type == ExportType::Text);
    check(m_tidyTextButton, c.type == ExportType::TidyText);
    check(m_clipboardButton, c.destination == ExportDestination::ClipBoard);
    check(m_fileButton, c.destination == ExportDestination::File);
    check(m_printerButton, c.destination == ExportDestination::Printer);
    check(m_allPagesButton, c.scope == PageScope::AllPages);
    check(m_thisPageButton, c.scope == PageScope::ThisPage);
    check(m_pageRangeButton, c.scope == PageScope::Range);
    check(m_longLayoutButton, c.layout == TidyLayout::Long);
    check(m_wideLayoutButton, c.layout == TidyLayout::Wide);
    m_layoutGroup->setVisible(c.layoutVisible);
    m_layoutGroup->setEnabled(c.layoutEnabled);
    check(m_pixelsButton, c.unit == SizeUnit::Pixels);
    check(m_millimetersButton, c.unit == SizeUnit::Millimeters);
    check(m_inchesButton, c.unit == SizeUnit::Inches);
    check(m_pointsButton, c.unit == SizeUnit::Points);

    m_clipboardButton->setEnabled(c.clipboardEnabled);
    m_fileButton->setEnabled(c.fileEnabled);
    m_printerButton->setEnabled(c.printerEnabled);
    m_browseButton->setEnabled(c.browseEnabled);
    m_fileNameLabel->setText(ShortenedFileName(m_model.fileName()));
    m_fileNameLabel->setToolTip(m_model.fileName());

    m_allPagesButton->setEnabled(c.allPagesEnabled);
    m_thisPageButton->setEnabled(c.thisPageEnabled);
    m_pageRangeButton->setEnabled(c.rangeEnabled);
    for (QWidget* w : {static_cast<QWidget*>(m_fromLabel), static_cast<QWidget*>(m_pageFromEdit),
                       static_cast<QWidget*>(m_toLabel), static_cast<QWidget*>(m_pageToEdit)})
        w->setEnabled(c.rangeEditsEnabled);

    m_sizeGroup->setVisible(c.sizeGroupVisible);
    m_pixelsButton->setText(text(c.pixelsCaption));
    m_pixelsButton->setEnabled(c.pixelsEnabled);
    m_millimetersButton->setEnabled(c.millimetersEnabled);
    m_inchesButton->setEnabled(c.inchesEnabled);
    m_pointsButton->setEnabled(c.pointsEnabled);
    m_unitLabel->setText(text(c.unitLabel));
    if (updateSizeEdits) {
        m_widthEdit->setText(FormatSizeValue(m_model.shownWidth()));
        m_heightEdit->setText(FormatSizeValue(m_model.shownHeight()));
        m_widthEdit->setCursorPosition(0);
        m_heightEdit->setCursorPosition(0);
        m_widthEdit->setStyleSheet(QString());
        m_heightEdit->setStyleSheet(QString());
    }
    m_syncing = false;
}

void ExportDialog::showEvent(QShowEvent* event) {
    syncControls(true);
    QDialog::showEvent(event);
    // Centred at the size the controls shown now give it.
    if (!event->spontaneous())
        DialogPlacement::placeNow(*this);
}

void ExportDialog::setFileName(const QString& name) {
    m_model.setFileName(name);
    syncControls(false);
}

void ExportDialog::setTextExportAllowed(bool allowed) {
    for (QRadioButton* button : {m_textButton, m_tidyTextButton}) {
        button->setVisible(allowed);
        button->setEnabled(allowed);
    }
}

void ExportDialog::setSeveralMeters(bool several) {
    m_model.setSeveralMeters(several);
    syncControls(false);
}

void ExportDialog::selectTidyLayout(TidyLayout layout) {
    m_model.selectLayout(layout);
    syncControls(false);
}

void ExportDialog::selectType(ExportType type) {
    buttonOf(type)->setChecked(true);
}

void ExportDialog::selectDestination(ExportDestination destination) {
    switch (destination) {
    case ExportDestination::ClipBoard:
        m_clipboardButton->setChecked(true);
        break;
    case ExportDestination::File:
        m_fileButton->setChecked(true);
        break;
    case ExportDestination::Printer:
        m_printerButton->setChecked(true);
        break;
    }
}

void ExportDialog::selectPageScope(PageScope scope) {
    switch (scope) {
    case PageScope::AllPages:
        m_allPagesButton->setChecked(true);
        break;
    case PageScope::ThisPage:
        m_thisPageButton->setChecked(true);
        break;
    case PageScope::Range:
        m_pageRangeButton->setChecked(true);
        break;
    }
}

void ExportDialog::setPageRange(int from, int to) {
    m_pageFromEdit->setText(QString::number(from));
    m_pageToEdit->setText(QString::number(to));
}

void ExportDialog::focusBrowse() {
    m_browseButton->setFocus();
}

void ExportDialog::focusExport() {
    m_exportButton->setFocus();
}

QRadioButton* ExportDialog::buttonOf(ExportType type) const {
    switch (type) {
    case ExportType::MetaFile:
        return m_metafileButton;
    case ExportType::BitMap:
        return m_bitmapButton;
    case ExportType::TidyText:
        return m_tidyTextButton;
    case ExportType::Text:
        break;
    }
    return m_textButton;
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
    return readPage(m_pageFromEdit);
}

std::optional<int> ExportDialog::pageTo() const {
    return readPage(m_pageToEdit);
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
    m_dialogs.showBox(box);
    const double shown = isWidth ? m_model.shownWidth() : m_model.shownHeight();
    edit->setText(FormatSizeValue(shown));
    edit->setStyleSheet(QString());
    edit->setFocus();
    edit->selectAll();
    return false;
}

void ExportDialog::browse() {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.owner = this;
    request.caption = text(TextId::ExportDialogCaption);
    request.fileName = QStringLiteral("Untitled");
    request.overwritePrompt = true;
    switch (exportType()) {
    case ExportType::Text:
    case ExportType::TidyText:
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
    if (const std::optional<QString> chosen = m_dialogs.chooseFile(request))
        setFileName(*chosen);
}

void ExportDialog::confirmExport() {
    if (m_model.controls().sizeGroupVisible &&
        (!confirmSizeEdit(m_widthEdit, true) || !confirmSizeEdit(m_heightEdit, false)))
        return;
    if (pageScope() == PageScope::Range) {
        for (QLineEdit* e : {m_pageFromEdit, m_pageToEdit}) {
            if (!readPage(e)) {
                BoxRequest box;
                box.owner = this;
                box.caption = text(TextId::ExportDialogCaption);
                box.text = QStringLiteral("'%1' is not a valid integer value").arg(e->text());
                box.icon = BoxIcon::Error;
                m_dialogs.showBox(box);
                e->setFocus();
                e->selectAll();
                return;
            }
        }
    }
    // Without a file there is nothing to write to: the user is told while every
    // choice is still on screen, and goes on with Browse.
    if (destination() == ExportDestination::File && fileName().isEmpty()) {
        m_dialogs.showError(this, TextId::BrowseForFileName);
        m_browseButton->setFocus();
        return;
    }
    accept();
}

} // namespace telmora
