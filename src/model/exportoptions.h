#pragma once

namespace telmora {

// What an export writes, where it goes, which pages it covers and in which unit
// the picture size is shown.
// TidyText is the tidy CSV for analysis tools (dates, SI values) beside the
// standard text export.
enum class ExportType { MetaFile, BitMap, Text, TidyText };
enum class TextExportFormat { Standard, Tidy };
// The tidy CSV of several meters: one row per meter and sample, or one row per sample.
enum class TidyLayout { Long, Wide };
enum class ExportDestination { ClipBoard, File, Printer };
enum class PageScope { AllPages, ThisPage, Range };
enum class SizeUnit { Pixels, Millimeters, Inches, Points };

// Picture size in the internal unit of its type: pixels for bitmaps, hundredths of
// a millimetre for vector pictures.
struct PictureSize {
    double width = 0.0;
    double height = 0.0;
};
inline constexpr PictureSize kBitmapDefaultSize{1000.0, 681.0};
inline constexpr PictureSize kMetafileDefaultSize{10000.0, 6810.0}; // 100 mm x 68.1 mm

} // namespace telmora
