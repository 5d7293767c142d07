#include "app/ExportDialogModel.h"

#include <QLocale>

#include <cmath>

namespace telmora {

double SizeForDisplay(double internal, SizeUnit unit) {
    switch (unit) {
    case SizeUnit::Millimeters:
        return internal * 0.01;
    case SizeUnit::Inches:
        return internal / 2540.0;
    case SizeUnit::Pixels:
    case SizeUnit::Points:
        break;
    }
    return internal;
}

double SizeFromDisplay(double shown, ExportType type, SizeUnit unit) {
    if (type == ExportType::BitMap)
        return shown;
    switch (unit) {
    case SizeUnit::Millimeters:
        return shown * 100.0;
    case SizeUnit::Inches:
        return shown * 2540.0;
    case SizeUnit::Pixels:
    case SizeUnit::Points:
        break;
    }
    return shown;
}

QString FormatSizeValue(double value) {
    return QLocale::c().toString(value, 'g', 15);
}

std::optional<double> ParseSizeValue(QStringView text) {
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    const double v = c.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString ShortenedFileName(const QString& name) {
    if (name.size() < 31)
        return name;
    return name.left(3) + QStringLiteral("...") + name.right(24);
}

bool ExportDialogModel::isPicture() const {
    return m_controls.type && *m_controls.type != ExportType::Text &&
           *m_controls.type != ExportType::TidyText;
}

void ExportDialogModel::setSeveralMeters(bool several) {
    m_severalMeters = several;
    updateLayoutChoice();
}

TidyLayout ExportDialogModel::tidyLayout() const {
    return m_controls.layoutEnabled ? m_controls.layout : TidyLayout::Long;
}

void ExportDialogModel::selectLayout(TidyLayout layout) {
    m_controls.layout = layout;
}

void ExportDialogModel::updateLayoutChoice() {
    m_controls.layoutVisible = m_severalMeters;
    m_controls.layoutEnabled = m_severalMeters && m_controls.type == ExportType::TidyText;
}

void ExportDialogModel::selectType(ExportType type) {
    Controls& c = m_controls;
    c.type = type;
    updateLayoutChoice();
    switch (type) {
    case ExportType::Text:
    case ExportType::TidyText:
        c.clipboardEnabled = false;
        c.printerEnabled = false;
        c.fileEnabled = true;
        selectDestination(ExportDestination::File);
        c.sizeGroupVisible = false;
        break;
    case ExportType::BitMap:
        c.clipboardEnabled = c.fileEnabled = c.printerEnabled = true;
        selectDestination(ExportDestination::ClipBoard);
        c.pixelsCaption = TextId::ExportPixels;
        c.unitLabel = TextId::ExportPixels;
        c.pixelsEnabled = true;
        c.millimetersEnabled = c.inchesEnabled = c.pointsEnabled = false;
        m_size = kBitmapDefaultSize;
        selectUnit(SizeUnit::Pixels);
        c.sizeGroupVisible = true;
        break;
    case ExportType::MetaFile:
        c.clipboardEnabled = c.fileEnabled = c.printerEnabled = true;
        selectDestination(ExportDestination::ClipBoard);
        c.pixelsCaption = TextId::ExportPixels;
        c.pixelsEnabled = false;
        c.unitLabel = TextId::ExportUnitsLabel;
        c.millimetersEnabled = c.inchesEnabled = c.pointsEnabled = true;
        m_size = kMetafileDefaultSize;
        selectUnit(SizeUnit::Millimeters);
        c.sizeGroupVisible = true;
        break;
    }
}

void ExportDialogModel::selectDestination(ExportDestination destination) {
    Controls& c = m_controls;
    c.destination = destination;
    switch (destination) {
    case ExportDestination::ClipBoard:
    case ExportDestination::File:
        m_fileName.clear();
        c.browseEnabled = destination == ExportDestination::File;
        if (isPicture()) {
            // A picture goes to the clipboard or a file one page at a time.
            c.allPagesEnabled = false;
            c.thisPageEnabled = true;
            c.rangeEnabled = false;
            selectScope(PageScope::ThisPage);
        } else if (destination == ExportDestination::File) {
            c.allPagesEnabled = c.thisPageEnabled = c.rangeEnabled = true;
            selectScope(PageScope::ThisPage);
        }
        break;
    case ExportDestination::Printer:
        c.browseEnabled = false;
        if (m_printerPageLock) {
            c.allPagesEnabled = false;
            c.thisPageEnabled = true;
            c.rangeEnabled = false;
            selectScope(PageScope::ThisPage);
        } else {
            c.allPagesEnabled = c.thisPageEnabled = c.rangeEnabled = true;
        }
        break;
    }
}

void ExportDialogModel::selectScope(PageScope scope) {
    m_controls.scope = scope;
    m_controls.rangeEditsEnabled = scope == PageScope::Range;
}

void ExportDialogModel::selectUnit(SizeUnit unit) {
    m_controls.unit = unit;
}

double ExportDialogModel::toShown(double internal) const {
    return m_controls.unit ? SizeForDisplay(internal, *m_controls.unit) : internal;
}

double ExportDialogModel::toInternal(double shown) const {
    const ExportType type = m_controls.type.value_or(ExportType::Text);
    return m_controls.unit ? SizeFromDisplay(shown, type, *m_controls.unit) : shown;
}

double ExportDialogModel::shownWidth() const {
    return toShown(m_size.width);
}

double ExportDialogModel::shownHeight() const {
    return toShown(m_size.height);
}

bool ExportDialogModel::editWidth(QStringView text) {
    const std::optional<double> v = ParseSizeValue(text);
    if (!v)
        return false;
    m_size.width = toInternal(*v);
    return true;
}

bool ExportDialogModel::editHeight(QStringView text) {
    const std::optional<double> v = ParseSizeValue(text);
    if (!v)
        return false;
    m_size.height = toInternal(*v);
    return true;
}

} // namespace telmora
