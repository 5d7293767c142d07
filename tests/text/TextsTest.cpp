// Texts that other code formats, parses or compares: a wrong blank or a lost
// format marker here breaks captions, file names and status lines elsewhere.
#include "text/texts.h"

#include <gtest/gtest.h>

using telmora::FormatCaption;
using telmora::HasStr;
using telmora::LoadStr;

TEST(StringTable, CaptionFormatsAreFilledWithTheMessageNumber) {
    EXPECT_EQ(LoadStr(9999), "Error[E%d]");
    EXPECT_EQ(LoadStr(8999), "Warning[W%d]");
    EXPECT_EQ(FormatCaption(9999, 9015), "Error[E9015]");
    EXPECT_EQ(FormatCaption(8999, 8003), "Warning[W8003]");
    // A format that the table lacks gives an empty caption, not a crash.
    EXPECT_EQ(FormatCaption(12345, 1), "");
}

TEST(StringTable, TextsKeepTheirExactBlanksAndPunctuation) {
    EXPECT_EQ(LoadStr(8012), "Acquiring  data from DMM ... please wait ...");
    EXPECT_EQ(LoadStr(206), "Input an integer value ? ");
    EXPECT_EQ(LoadStr(9013), "Please \"Browse\" and specify a file name !");
    EXPECT_EQ(LoadStr(7009), "(Will continue automatically in 3 seconds.)");
    EXPECT_EQ(LoadStr(7), "\\ORLANDL.ini");
    EXPECT_EQ(LoadStr(6), "~ODMDL");
}

TEST(StringTable, FormatTextsCarryTheirMarkers) {
    EXPECT_EQ(LoadStr(7002), "Data in buffer : %d");
    EXPECT_EQ(LoadStr(7003), "Page : %d of %d");
    EXPECT_EQ(LoadStr(7999), "Reading Data : %d of %d");
}

TEST(StringTable, UnknownNumbersGiveAnEmptyText) {
    for (int id : {0, -1, 2, 5, 99, 504, 1021, 6002, 9014, 10000}) {
        EXPECT_FALSE(HasStr(id)) << id;
        EXPECT_TRUE(LoadStr(id).isEmpty()) << id;
    }
    EXPECT_TRUE(HasStr(1));
    EXPECT_TRUE(HasStr(9999));
}

TEST(StringTable, TitleAndNoticeAreNonEmpty) {
    EXPECT_EQ(LoadStr(1), "Telmora");
    EXPECT_FALSE(LoadStr(60).isEmpty());
    EXPECT_FALSE(LoadStr(4).isEmpty());
}
