#include "FieldText.h"

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
