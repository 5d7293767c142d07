#pragma once

#include "model/exportoptions.h"

#include <QDialog>

#include <optional>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace telmora {

// "Exporting Data Logger": collects what to export (vector picture, bitmap or
// text), where to (clipboard, file, printer), which pages and the picture size.
// The caller prepares the controls, shows the dialog modally and, on Accepted,
// reads the choices and carries out the export itself.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    explicit ExportDialog(QWidget* parent = nullptr);

    QGroupBox* gbExportType = nullptr;
    QRadioButton* rbtnMetaFile = nullptr;
    QRadioButton* rbtnBitMap = nullptr;
    QRadioButton* rbtnText = nullptr;

    QGroupBox* gbExportDestination = nullptr;
    QRadioButton* rbtnClipBoard = nullptr;
    QRadioButton* rbtnFile = nullptr;
    QRadioButton* rbtnPrinter = nullptr;
    QPushButton* btnBrowse = nullptr;
    QLabel* stxFileName = nullptr;

    QGroupBox* gbPageScope = nullptr;
    QRadioButton* rbtnPageAll = nullptr;
    QRadioButton* rbtnThisPage = nullptr;
    QRadioButton* rbtnPage = nullptr;
    QLabel* lblFrom = nullptr;
    QLineEdit* editPageFrom = nullptr;
    QLabel* lblTo = nullptr;
    QLineEdit* editPageTo = nullptr;

    QGroupBox* gbObjectSize = nullptr;
    QRadioButton* rbtnPixels = nullptr;
    QRadioButton* rbtnMillimeters = nullptr;
    QRadioButton* rbtnInches = nullptr;
    QRadioButton* rbtnPoints = nullptr;
    QLabel* lblWidth = nullptr;
    QLineEdit* editWidth = nullptr;
    QLabel* lblSlash = nullptr;
    QLineEdit* editHigh = nullptr;
    QLabel* lblUnit = nullptr;

    QPushButton* btnExport = nullptr;
    QPushButton* btnCancel = nullptr;

    // Which window prepared the dialog: 0 the recorder or the import window, 1 the
    // graph viewer.
    int sourceFlag = 0;

    // The file chosen with Browse (the save dialog's file name); empty when none.
    QString fileName() const { return m_model.fileName(); }
    // Sets the file name and shows it, shortened, in stxFileName.
    void setFileName(const QString& name);

    // When set, the printer destination allows only This Page.
    bool printerPageLock() const { return m_model.printerPageLock(); }
    void setPrinterPageLock(bool lock);

    // The chosen values.
    telmora::ExportType exportType() const;
    telmora::ExportDestination destination() const;
    telmora::PageScope pageScope() const;
    // Picture size in the internal unit (pixels for BitMap, 1/100 mm for MetaFile).
    double pictureWidth() const { return m_model.size().width; }
    double pictureHeight() const { return m_model.size().height; }
    // The page edits read as integers; nothing when a text is no whole number.
    std::optional<int> pageFrom() const;
    std::optional<int> pageTo() const;

    // The handlers (run when their button becomes selected, or by Browse).
    void btnBrowseClick();
    void btnExportClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    // Mirrors the model onto the widgets; the size edits only when asked, so that
    // a value being typed is not rewritten under the cursor.
    void syncControls(bool updateSizeEdits);
    void sizeEdited(QLineEdit* edit, bool isWidth);
    bool confirmSizeEdit(QLineEdit* edit, bool isWidth);

    telmora::ExportDialogModel m_model;
    bool m_syncing = false;
};

} // namespace telmora
