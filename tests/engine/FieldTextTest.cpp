#include "FieldText.h"
#include "PastedBlock.h"

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

TEST(PastedBlock, SpreadsheetBlocks)
{
    using Rows = std::vector<std::vector<std::string>>;
    const std::pair<const char*, Rows> cases[] = {
        {"0\t1.0\r\n5\t1.8\r\n", {{"0", "1.0"}, {"5", "1.8"}}},
        {"Flow;Volts\n7,2;0,938\n", {{"7.2", "0.938"}}},          // header, decimal commas
        {"5.0,1.80\n6.5 , 2\n", {{"5.0", "1.80"}, {"6.5", "2"}}}, // commas with points
        {"1,80\n", {{"1,80"}}},                                   // a comma without points
        {"0 1\n\n2   3\n", {{"0", "1"}, {"2", "3"}}},
        {"2.30", {{"2.30"}}},
    };
    for (const auto& [text, rows] : cases)
        EXPECT_EQ(ParsePastedBlock(text).rows, rows) << text;
    EXPECT_EQ(ParsePastedBlock("1\t2\n3\t4\n5\n").ValueCount(), 5);
}
