#include "FieldText.h"
#include "Limits.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tovarin;

TEST(FieldText, RestoredValuesReadBackExactly)
{
    const std::pair<double, const char*> cases[] = {
        {5.0, "5.00"},
        {1.8, "1.80"},
        {0.935, "0.935"},
        {12.3456, "12.3456"},
        {-3.0, "-3.00"},
        {1e-7, "9.9999999999999995e-08"},
        {1e300, "1.0000000000000001e+300"},
        {0.1234567, "0.1234567"},
        {INFINITY, "inf"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FormatRestoredValue(value), text);
}

TEST(FieldText, NotesSayWhatTheRunRead)
{
    EXPECT_EQ(NumberFieldNote(" 1.15 ", 2.3), std::nullopt);
    EXPECT_EQ(NumberFieldNote("1,15", 2.3), "Read as 1.00: only the part before ',' is a number.");
    EXPECT_EQ(NumberFieldNote("1.5V", 0.0), "Read as 1.50: only the part before 'V' is a number.");
    EXPECT_EQ(NumberFieldNote("abc", 2.3), "Not a number: the previous value 2.30 was used.");
    EXPECT_EQ(NumberFieldNote("", 0.935), "Not a number: the previous value 0.935 was used.");
    EXPECT_EQ(WholeNumberFieldNote(" 1024", 3), std::nullopt);
    EXPECT_EQ(WholeNumberFieldNote("12x", 3), "Read as 12: only the part before 'x' is a number.");
    EXPECT_EQ(WholeNumberFieldNote("many", 3), "Not a number: the previous value 3 was used.");
}

TEST(Limits, ReadAsTheCommandReadsThemAndShownToReadBack)
{
    std::string error;
    const std::optional<CheckThresholds> read = ReadLimits({" 2.5 ", "0.935", "65535", "0"}, error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->maxFlowErrorPct, 0.935);
    EXPECT_EQ(read->maxWord, 65535);
    const LimitTexts shown = FormatLimits(*read);
    EXPECT_EQ(shown.idleFlowGs + "|" + shown.maxFlowErrorPct + "|" + shown.maxWord + "|" +
                  shown.maxTableErrorPct,
              "2.50|0.935|65535|0.00");
    const std::pair<LimitTexts, const char*> bad[] = {
        {{"-1", "2", "1", "1"}, "Idle flow: '-1' is not a decimal number from 0 up"},
        {{"2", "inf", "1", "1"}, "Largest flow error: 'inf' is not a decimal number from 0 up"},
        {{"2", "2", "2147483647", "1"},
         "Largest word: '2147483647' is not a whole number from 0 up"},
        {{"2", "2", "1", "0.5%"}, "Largest table error: '0.5%' is not a decimal number from 0 up"},
    };
    for (const auto& [texts, message] : bad) {
        EXPECT_FALSE(ReadLimits(texts, error));
        EXPECT_EQ(error, message);
    }
}
