#pragma once

#include "model/exportoptions.h"
#include "text/texts.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace telmora {

// The value an edit shows for an internal size: Millimeters x 0.01, Inches / 2540,
// Pixels and Points unchanged.
double SizeForDisplay(double internal, SizeUnit unit);

// The internal size for a value typed into an edit: unchanged for bitmaps;
// otherwise Millimeters x 100, Inches x 2540, Points unchanged.
double SizeFromDisplay(double shown, ExportType type, SizeUnit unit);

// Up to 15 significant digits with "." as decimal separator, whatever the locale.
QString FormatSizeValue(double value);

// Reads a number typed by the user ("12.5", "-3", "1e3", surrounding blanks
// allowed); "." is the only decimal separator. Nothing for any other text.
std::optional<double> ParseSizeValue(QStringView text);

// The file name as the export dialog shows it: whole when shorter than 31
// characters, else its first 3 characters, "..." and its last 24 characters.
QString ShortenedFileName(const QString& name);

// The state of the export dialog's controls and the handler rules that change it.
// The dialog window only mirrors this state onto its widgets, so the rules work
// (and are tested) without any window.
class ExportDialogModel {
public:
    struct Controls {
        std::optional<ExportType> type;
        std::optional<ExportDestination> destination;
        std::optional<PageScope> scope;
        std::optional<SizeUnit> unit;

        bool clipboardEnabled = true;
        bool fileEnabled = true;
        bool printerEnabled = true;
        bool browseEnabled = false;

        bool allPagesEnabled = true;
        bool thisPageEnabled = true;
        bool rangeEnabled = true;
        bool rangeEditsEnabled = false; // From/To labels and edits

        bool sizeGroupVisible = false;
        bool pixelsEnabled = true;
        bool millimetersEnabled = true;
        bool inchesEnabled = true;
        bool pointsEnabled = true;
        // "No Specific Size" until a picture type is chosen.
        TextId pixelsCaption = TextId::ExportNoSpecificSize;
        TextId unitLabel = TextId::ExportUnitsLabel;

        // The tidy CSV's layout for a recording of several meters: shown only for
        // such a recording, open to a choice only while the tidy CSV is chosen.
        TidyLayout layout = TidyLayout::Long;
        bool layoutVisible = false;
        bool layoutEnabled = false;
    };

    const Controls& controls() const { return m_controls; }

    // When set, the printer destination allows only This Page (the viewer's dialog).
    bool printerPageLock() const { return m_printerPageLock; }
    void setPrinterPageLock(bool lock) { m_printerPageLock = lock; }

    // The chosen file name (empty when none); destination changes clear it.
    const QString& fileName() const { return m_fileName; }
    void setFileName(const QString& name) { m_fileName = name; }

    // Picture size in the internal unit of the current type.
    PictureSize size() const { return m_size; }
    void setSize(PictureSize size) { m_size = size; }

    // The recording to export holds several meters (the layout choice appears).
    void setSeveralMeters(bool several);
    bool severalMeters() const { return m_severalMeters; }
    // The layout the export uses: the chosen one for several meters' tidy CSV,
    // otherwise Long.
    TidyLayout tidyLayout() const;

    // The handlers of the radio buttons, run when a button becomes selected.
    void selectType(ExportType type);
    void selectDestination(ExportDestination destination);
    void selectScope(PageScope scope);
    void selectUnit(SizeUnit unit);
    void selectLayout(TidyLayout layout);

    // The sizes the width and height edits show in the current unit.
    double shownWidth() const;
    double shownHeight() const;

    // A value typed into the width or height edit, converted back to the internal
    // unit and stored. Returns false (size unchanged) when the text is no number.
    bool editWidth(QStringView text);
    bool editHeight(QStringView text);

private:
    bool isPicture() const;
    void updateLayoutChoice();
    double toInternal(double shown) const;
    double toShown(double internal) const;

    Controls m_controls;
    bool m_printerPageLock = false;
    bool m_severalMeters = false;
    QString m_fileName;
    PictureSize m_size;
};

} // namespace telmora
