// Texts that other code formats, parses or compares: a wrong blank or a lost
// format marker here breaks captions, file names and status lines elsewhere.
#include "text/texts.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <set>

using namespace telmora;

TEST(Texts, CaptionsAreFilledWithTheNumberOfTheText) {
    EXPECT_EQ(text(TextId::ErrorCaptionFormat), "Error[E%d]");
    EXPECT_EQ(text(TextId::WarningCaptionFormat), "Warning[W%d]");
    EXPECT_EQ(errorCaption(TextId::CableNotFound), "Error[E9015]");
    EXPECT_EQ(warningCaption(TextId::BufferHasData), "Warning[W8003]");
    // The caption kind and the text's range are independent: a warning caption may
    // carry an error's number and the other way round.
    EXPECT_EQ(warningCaption(TextId::FileDamaged), "Warning[W9001]");
    EXPECT_EQ(caption(CaptionKind::Error, TextId::NoDataReceived), "Error[E8004]");
    EXPECT_EQ(caption(CaptionKind::Warning, TextId::MeterBatteryLow), "Warning[W8000]");
}

TEST(Texts, NoticeLinesCarryTheNumberInBrackets) {
    EXPECT_EQ(noticeLine(TextId::ReadingSelectedFile),
              "[W8005] Reading data from selected file. Please wait ...");
    EXPECT_EQ(noticeLine(TextId::AcquiringFromMeter),
              "[W8012] Acquiring  data from DMM ... please wait ...");
}

TEST(Texts, TextsKeepTheirExactBlanksAndPunctuation) {
    EXPECT_EQ(text(TextId::AcquiringFromMeter), "Acquiring  data from DMM ... please wait ...");
    EXPECT_EQ(text(TextId::IntervalSecondsPrompt), "Input an integer value ? ");
    EXPECT_EQ(text(TextId::BrowseForFileName), "Please \"Browse\" and specify a file name !");
    EXPECT_EQ(text(TextId::ContinueInThreeSeconds), "(Will continue automatically in 3 seconds.)");
    EXPECT_EQ(text(TextId::SettingsFileName), "\\ORLANDL.ini");
    EXPECT_EQ(text(TextId::TempFilePrefix), "~ODMDL");
}

TEST(Texts, FormatTextsCarryTheirMarkers) {
    EXPECT_EQ(text(TextId::StatusBufferCountFormat), "Data in buffer : %d");
    EXPECT_EQ(text(TextId::StatusPageFormat), "Page : %d of %d");
    EXPECT_EQ(text(TextId::ReadingDataFormat), "Reading Data : %d of %d");
}

TEST(Texts, NumbersFillTheMarkersInTurn) {
    EXPECT_EQ(fillNumbers(text(TextId::ReadingDataFormat), {12, 3456}),
              "Reading Data : 12 of 3456");
    EXPECT_EQ(fillNumbers(text(TextId::StatusPageFormat), {1, 1}), "Page : 1 of 1");
    EXPECT_EQ(fillNumbers(text(TextId::StatusBufferCountFormat), {0}), "Data in buffer : 0");
    // Wide and negative numbers come out whole, and a later marker is still found
    // after a long number was put in front of it.
    EXPECT_EQ(fillNumbers(QStringLiteral("%d/%d/%d"), {-7, 9'000'000'000'000, 42}),
              "-7/9000000000000/42");
    // Text around and between the markers, '%' signs included, stays as it is.
    EXPECT_EQ(fillNumbers(QStringLiteral("100% %d%%d."), {5, 6}), "100% 5%6.");
}

TEST(Texts, MarkersAndNumbersThatDoNotPairUpAreLeftAlone) {
    EXPECT_EQ(fillNumbers(QStringLiteral("Page : %d of %d"), {3}), "Page : 3 of %d");
    EXPECT_EQ(fillNumbers(QStringLiteral("Data in buffer : %d"), {1, 2}), "Data in buffer : 1");
    EXPECT_EQ(fillNumbers(QStringLiteral("no marker"), {1}), "no marker");
    EXPECT_EQ(fillNumbers(QStringLiteral("%d"), {}), "%d");
    EXPECT_EQ(fillNumbers(QString(), {1}), QString());
}

TEST(Texts, FilledNumbersIgnoreTheLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString filled = fillNumbers(text(TextId::ReadingDataFormat), {1234567, 8});
    QLocale::setDefault(previous);
    EXPECT_EQ(filled, "Reading Data : 1234567 of 8");
}

TEST(Texts, EveryNameHasItsOwnNumberAndANonEmptyText) {
    const auto ids = allTextIds();
    ASSERT_FALSE(ids.empty());
    std::set<int> numbers;
    for (TextId id : ids) {
        const int number = textNumber(id);
        EXPECT_TRUE(numbers.insert(number).second) << number;
        EXPECT_FALSE(text(id).isEmpty()) << number;
        EXPECT_EQ(errorCaption(id), QStringLiteral("Error[E%1]").arg(number));
    }
    // Both ends of the table and a few names code relies on are listed.
    EXPECT_TRUE(numbers.count(textNumber(TextId::ProgramName)));
    EXPECT_TRUE(numbers.count(textNumber(TextId::ErrorCaptionFormat)));
    EXPECT_TRUE(numbers.count(textNumber(TextId::CableNotFound)));
    EXPECT_TRUE(numbers.count(textNumber(TextId::MenuSeparator)));
}

TEST(Texts, AStrayNumberGivesAnEmptyTextNotACrash) {
    for (int number : {0, -1, 2, 5, 99, 504, 1021, 6002, 9014, 10000})
        EXPECT_TRUE(text(static_cast<TextId>(number)).isEmpty()) << number;
}

TEST(Texts, TitleAndNoticeAreNonEmpty) {
    EXPECT_EQ(text(TextId::ProgramName), "Telmora");
    EXPECT_EQ(translate("Telmora"), text(TextId::ProgramName));
    EXPECT_FALSE(text(TextId::MeterSeriesName).isEmpty());
    EXPECT_FALSE(text(TextId::CopyrightNotice).isEmpty());
}
