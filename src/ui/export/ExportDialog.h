#pragma once

#include "app/ExportDialogModel.h"

#include <QDialog>

#include <optional>

class QButtonGroup;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace telmora {

class UserDialogs;
// "Exporting Data Logger": collects what to export (vector picture, bitmap,
// text or the tidy CSV), where to (clipboard, file, printer), which pages and the picture size.
// The caller prepares the choices, shows the dialog modally and, on Accepted,
// reads them and carries out the export itself. The recorder and the import
// window let the printer take any pages; the graph viewer's dialog prints This
// Page only.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    enum class PrinterPages { Any, ThisPageOnly };

    ExportDialog(UserDialogs& dialogs, PrinterPages printerPages, QWidget* parent = nullptr);

    // --- preparing ---
    void setTextExportAllowed(bool allowed); // shows or hides "Text/Data Only"
    // The recording holds several meters: the tidy CSV's layout can be chosen.
    void setSeveralMeters(bool several);
    void selectTidyLayout(TidyLayout layout);
    // Select a button as a click would, running its rules.
    void selectType(ExportType type);
    void selectDestination(ExportDestination destination);
    void selectPageScope(PageScope scope);
    void setPageRange(int from, int to);
    // Sets the file name and shows it, shortened.
    void setFileName(const QString& name);
    void focusBrowse();
    void focusExport();

    // --- the choices ---
    // The file chosen with Browse (the save dialog's file name); empty when none.
    QString fileName() const { return m_model.fileName(); }
    bool printerPageLock() const { return m_model.printerPageLock(); }
    ExportType exportType() const;
    ExportDestination destination() const;
    PageScope pageScope() const;
    // Long unless several meters' tidy CSV was chosen wide.
    TidyLayout tidyLayout() const { return m_model.tidyLayout(); }
    // Picture size in the internal unit (pixels for BitMap, 1/100 mm for MetaFile).
    double pictureWidth() const { return m_model.size().width; }
    double pictureHeight() const { return m_model.size().height; }
    // The page edits read as integers; nothing when a text is no whole number.
    std::optional<int> pageFrom() const;
    std::optional<int> pageTo() const;

    // Browse: the save dialog for the chosen type.
    void browse();
    // Export: checks the size and page texts and that a file destination has a
    // file, then accepts.
    void confirmExport();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    // The four groups of choices, each with its own layout.
    void buildTypeGroup();
    void buildDestinationGroup();
    void buildPageScopeGroup();
    void buildSizeGroup();
    void buildLayoutGroup();
    // Export and Cancel, in the row they share.
    QHBoxLayout* buildButtons();
    void nameControls();
    void connectHandlers();
    // Mirrors the model onto the widgets; the size edits only when asked, so that
    // a value being typed is not rewritten under the cursor.
    void syncControls(bool updateSizeEdits);
    void sizeEdited(QLineEdit* edit, bool isWidth);
    bool confirmSizeEdit(QLineEdit* edit, bool isWidth);
    QRadioButton* buttonOf(ExportType type) const;

    UserDialogs& m_dialogs;
    ExportDialogModel m_model;
    bool m_syncing = false;

    QGroupBox* m_typeGroup = nullptr;
    QRadioButton* m_metafileButton = nullptr;
    QRadioButton* m_bitmapButton = nullptr;
    QRadioButton* m_textButton = nullptr;
    QRadioButton* m_tidyTextButton = nullptr;

    QGroupBox* m_layoutGroup = nullptr;
    QRadioButton* m_longLayoutButton = nullptr;
    QRadioButton* m_wideLayoutButton = nullptr;

    QGroupBox* m_destinationGroup = nullptr;
    QRadioButton* m_clipboardButton = nullptr;
    QRadioButton* m_fileButton = nullptr;
    QRadioButton* m_printerButton = nullptr;
    QPushButton* m_browseButton = nullptr;
    QLabel* m_fileNameLabel = nullptr;

    QGroupBox* m_pageScopeGroup = nullptr;
    QRadioButton* m_allPagesButton = nullptr;
    QRadioButton* m_thisPageButton = nullptr;
    QRadioButton* m_pageRangeButton = nullptr;
    QLabel* m_fromLabel = nullptr;
    QLineEdit* m_pageFromEdit = nullptr;
    QLabel* m_toLabel = nullptr;
    QLineEdit* m_pageToEdit = nullptr;

    QGroupBox* m_sizeGroup = nullptr;
    QRadioButton* m_pixelsButton = nullptr;
    QRadioButton* m_millimetersButton = nullptr;
    QRadioButton* m_inchesButton = nullptr;
    QRadioButton* m_pointsButton = nullptr;
    QLabel* m_widthLabel = nullptr;
    QLineEdit* m_widthEdit = nullptr;
    QLabel* m_slashLabel = nullptr;
    QLineEdit* m_heightEdit = nullptr;
    QLabel* m_unitLabel = nullptr;

    QPushButton* m_exportButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

} // namespace telmora
