#include "app/ExportDialogModel.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace telmora;

TEST(ExportOptions, UnitConversionsBothWays) {
    EXPECT_DOUBLE_EQ(SizeForDisplay(10000, SizeUnit::Millimeters), 100.0);
    EXPECT_NEAR(SizeForDisplay(10000, SizeUnit::Inches), 3.93700787401575, 1e-12);
    EXPECT_DOUBLE_EQ(SizeForDisplay(6810, SizeUnit::Points), 6810.0);
    EXPECT_DOUBLE_EQ(SizeForDisplay(681, SizeUnit::Pixels), 681.0);

    EXPECT_DOUBLE_EQ(SizeFromDisplay(2, ExportType::MetaFile, SizeUnit::Inches), 5080.0);
    EXPECT_DOUBLE_EQ(SizeFromDisplay(12.5, ExportType::MetaFile, SizeUnit::Millimeters), 1250.0);
    EXPECT_DOUBLE_EQ(SizeFromDisplay(7, ExportType::MetaFile, SizeUnit::Points), 7.0);
    // Bitmaps store what is typed, whatever unit button is selected.
    EXPECT_DOUBLE_EQ(SizeFromDisplay(2, ExportType::BitMap, SizeUnit::Inches), 2.0);
}

TEST(ExportOptions, NumbersUseThePointWhateverTheLocale) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(FormatSizeValue(10000.0 / 2540.0), QStringLiteral("3.93700787401575"));
    EXPECT_EQ(FormatSizeValue(68.1), QStringLiteral("68.1"));
    EXPECT_EQ(FormatSizeValue(1000), QStringLiteral("1000"));
    EXPECT_EQ(ParseSizeValue(u" 12.5 "), 12.5);
    EXPECT_FALSE(ParseSizeValue(u"12,5"));
    EXPECT_FALSE(ParseSizeValue(u""));
    EXPECT_FALSE(ParseSizeValue(u"abc"));
    EXPECT_FALSE(ParseSizeValue(u"1,000"));
    EXPECT_FALSE(ParseSizeValue(u"inf"));
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(ExportOptions, ShortenedFileNameKeepsHeadAndTail) {
    const QString thirty(30, QLatin1Char('a'));
    EXPECT_EQ(ShortenedFileName(thirty), thirty);
    const QString forty = QStringLiteral("/home/user/measurements/dec/run-0042.csv");
    ASSERT_EQ(forty.size(), 40);
    EXPECT_EQ(ShortenedFileName(forty), QStringLiteral("/ho...rements/dec/run-0042.csv"));
    EXPECT_EQ(ShortenedFileName(forty).size(), 30);
    EXPECT_EQ(ShortenedFileName(QString(31, QLatin1Char('b'))).size(), 30);
}

TEST(ExportDialogRules, TextForcesFileAndHidesSize) {
    ExportDialogModel m;
    m.selectType(ExportType::BitMap);
    m.selectDestination(ExportDestination::Printer);
    m.selectScope(PageScope::AllPages);
    m.setFileName(QStringLiteral("x.png"));
    m.selectType(ExportType::Text);
    const auto& c = m.controls();
    EXPECT_EQ(c.destination, ExportDestination::File);
    EXPECT_FALSE(c.clipboardEnabled);
    EXPECT_FALSE(c.printerEnabled);
    EXPECT_TRUE(c.browseEnabled);
    EXPECT_FALSE(c.sizeGroupVisible);
    EXPECT_TRUE(c.allPagesEnabled && c.thisPageEnabled && c.rangeEnabled);
    EXPECT_EQ(c.scope, PageScope::ThisPage);
    EXPECT_TRUE(m.fileName().isEmpty());
}

TEST(ExportDialogRules, PictureTypesSetUnitsAndDefaultSizes) {
    ExportDialogModel m;
    m.selectType(ExportType::BitMap);
    auto c = m.controls();
    EXPECT_EQ(c.destination, ExportDestination::ClipBoard);
    EXPECT_EQ(c.unit, SizeUnit::Pixels);
    EXPECT_EQ(c.pixelsCaption, TextId::ExportPixels);
    EXPECT_EQ(c.unitLabel, TextId::ExportPixels);
    EXPECT_TRUE(c.pixelsEnabled);
    EXPECT_FALSE(c.millimetersEnabled || c.inchesEnabled || c.pointsEnabled);
    EXPECT_EQ(m.size().width, 1000.0);
    EXPECT_EQ(m.size().height, 681.0);
    // A picture to the clipboard is one page.
    EXPECT_FALSE(c.allPagesEnabled || c.rangeEnabled);
    EXPECT_EQ(c.scope, PageScope::ThisPage);

    m.selectType(ExportType::MetaFile);
    c = m.controls();
    EXPECT_EQ(c.unit, SizeUnit::Millimeters);
    EXPECT_FALSE(c.pixelsEnabled);
    EXPECT_EQ(c.unitLabel, TextId::ExportUnitsLabel);
    EXPECT_EQ(m.shownWidth(), 100.0);
    EXPECT_DOUBLE_EQ(m.shownHeight(), 68.1);

    m.selectUnit(SizeUnit::Inches);
    EXPECT_NEAR(m.shownWidth(), 3.937, 1e-3);
    EXPECT_TRUE(m.editWidth(u"2"));
    EXPECT_DOUBLE_EQ(m.size().width, 5080.0);
    EXPECT_FALSE(m.editHeight(u"2,5"));
    EXPECT_DOUBLE_EQ(m.size().height, 6810.0);
}

TEST(ExportDialogRules, PrinterPageLockDiffersBetweenTheTwoDialogs) {
    for (bool lock : {false, true}) {
        ExportDialogModel m;
        m.setPrinterPageLock(lock);
        m.selectType(ExportType::MetaFile);
        m.setFileName(QStringLiteral("keep.svg"));
        m.selectDestination(ExportDestination::Printer);
        const auto& c = m.controls();
        EXPECT_FALSE(c.browseEnabled);
        EXPECT_EQ(m.fileName(), QStringLiteral("keep.svg")) << "printer keeps the name";
        EXPECT_EQ(c.allPagesEnabled, !lock);
        EXPECT_EQ(c.rangeEnabled, !lock);
        EXPECT_TRUE(c.thisPageEnabled);
        if (!lock) {
            m.selectScope(PageScope::Range);
            EXPECT_TRUE(m.controls().rangeEditsEnabled);
        } else {
            EXPECT_EQ(c.scope, PageScope::ThisPage);
        }
    }
}

TEST(ExportDialogRules, TidyLayoutFollowsTheTypeAndTheMeterCount) {
    ExportDialogModel m;
    m.selectType(ExportType::TidyText);
    m.selectLayout(TidyLayout::Wide);
    EXPECT_FALSE(m.controls().layoutVisible);
    EXPECT_FALSE(m.controls().layoutEnabled);
    EXPECT_EQ(m.tidyLayout(), TidyLayout::Long); // one meter has no wide layout

    m.setSeveralMeters(true);
    EXPECT_TRUE(m.controls().layoutVisible);
    EXPECT_TRUE(m.controls().layoutEnabled);
    EXPECT_EQ(m.tidyLayout(), TidyLayout::Wide);

    m.selectType(ExportType::Text);
    EXPECT_TRUE(m.controls().layoutVisible);
    EXPECT_FALSE(m.controls().layoutEnabled);
    EXPECT_EQ(m.tidyLayout(), TidyLayout::Long);
}
