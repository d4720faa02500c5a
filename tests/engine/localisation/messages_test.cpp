#include "localisation/messages.h"

#include <gtest/gtest.h>

#include "localisation/language.h"
#include "localisation/message_table.h"

namespace tessavin {
namespace {

struct CzechScope {
    CzechScope() { SetLanguage(Language::Czech); }
    ~CzechScope() { SetLanguage(Language::English); }
};

TEST(TextCis, FallbackForNumbersWithoutEntry) {
    EXPECT_EQ(TextCis(0), "TextCis[0] no exist !");
    EXPECT_EQ(TextCis(510), "TextCis[510] no exist !");
    EXPECT_EQ(TextCis(-3), "TextCis[-3] no exist !");
    EXPECT_EQ(TextCis(119), "TextCis[119] no exist !"); // a gap in the numbering
    CzechScope czech;
    EXPECT_EQ(TextCis(510), "TextCis[510] neexistuje !");
}

TEST(TextCis, EmptyEntriesAndLanguageSwitch) {
    EXPECT_EQ(TextCis(213), "");
    EXPECT_EQ(TextCis(36), "Histogram : \"Mine working width\" was not defined!");
    EXPECT_EQ(TextCis(3), "E r r o r");
    {
        CzechScope czech;
        EXPECT_EQ(TextCis(213), "");
        EXPECT_EQ(TextCis(36), "Nebyl zadán histogram : \"Šířka důlního díla\" !");
        EXPECT_EQ(TextCis(3), "C h y b a");
        EXPECT_EQ(TextCis(4), "U p o z o r n ě n í");
    }
    EXPECT_EQ(TextCis(3), "E r r o r");
}

TEST(TextCis, ControlCharactersAndFormats) {
    EXPECT_EQ(TextCis(6), "File \r\n\r\n\t%s\r\n\r\n\t\t\t\t exists.  O v e r w r i t e ?");
    EXPECT_EQ(FormatMessage(TextCis(27), "a.dis"), "I/O error during saving the data file  a.dis");
    EXPECT_EQ(FormatMessage(TextCis(3), "ignored"), "E r r o r");
    EXPECT_EQ(FormatMessage("Min > Max\r\nContained: Min %s  Max %s", {"1", "0"}),
              "Min > Max\r\nContained: Min 1  Max 0");
    EXPECT_EQ(TextCis(88), "Intervals number is not in range 3 .. ");
}

TEST(TextCis, FailureReportAndRawDataSubtitleAreTwoEntries) {
    EXPECT_EQ(TextCis(106), "U n d e f i n e d  operation !");
    EXPECT_EQ(RawDataHistogramSubtitle(), "Raw datas histogram");
    CzechScope czech;
    EXPECT_EQ(TextCis(106), "N e d e f i n o v a n á  operace !");
    EXPECT_EQ(RawDataHistogramSubtitle(), "Histogram prvotních dat");
}

// A message is shown in the language of the program: each has both texts, or neither (a
// number kept empty), and no text stands in for the other language.
TEST(MessageTable, EveryMessageInBothLanguages) {
    for (std::size_t i = 0; i < kMessageTableSize; ++i) {
        const MessageEntry& m = kMessageTable[i];
        const std::string english = m.english, czech = m.czech;
        EXPECT_EQ(english.empty(), czech.empty()) << m.number;
        if (!english.empty()) {
            EXPECT_NE(english, czech) << m.number;
        }
    }
}

TEST(MessageTable, SortedUniqueWithinTheNumberRange) {
    ASSERT_GT(kMessageTableSize, 200u);
    for (std::size_t i = 0; i < kMessageTableSize; ++i) {
        EXPECT_GE(kMessageTable[i].number, 1);
        EXPECT_LE(kMessageTable[i].number, 509);
        if (i > 0) {
            EXPECT_LT(kMessageTable[i - 1].number, kMessageTable[i].number);
        }
    }
}

} // namespace
} // namespace tessavin
