#include "FieldParsing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace tovarin;

TEST(ReadNumberField, ConvertsTheLongestDecimalPrefix)
{
    const double kept = -42.0;
    const double inf = std::numeric_limits<double>::infinity();
    struct Case
    {
        std::string text;
        double value; // the stored value; `kept` when nothing converts
    };
    // Short rows read best as a table.
    // clang-format off
    const Case cases[] = {
        {"12.5", 12.5}, {" 7", 7.0}, {"\t\n 7", 7.0}, {"1e3", 1000.0}, {"1E+3", 1000.0},
        {"2.5e-1x", 0.25}, {"12.5abc", 12.5}, {"2,5", 2.0}, {"-3", -3.0}, {"+4.", 4.0},
        {".5", 0.5}, {"-.5", -0.5}, {"1e", 1.0}, {"1e+", 1.0}, {"0x10", 0.0}, {"1e999", inf},
        {"-1e999", -inf}, {"1e-999", 0.0}, {"", kept}, {"   ", kept}, {"abc", kept},
        {"inf", kept}, {"nan", kept}, {"infinity", kept}, {"-", kept}, {"+.", kept},
        {".", kept}, {"e5", kept},
        {std::string("5\0" "7", 3), 5.0}, // an embedded NUL ends the number
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 20));
        double value = kept;
        EXPECT_EQ(ReadNumberField(c.text, value), c.value != kept);
        EXPECT_EQ(value, c.value);
    }
}

TEST(ReadMeterType, TakesTheFirstWordOfAtMost299BytesWithoutSplittingACharacter)
{
    struct Case
    {
        std::string text, meterType; // "old" when there is no word
    } const cases[] = {
        {"  TYPE7 spare", "TYPE7"},
        {"\tA-1\r\n", "A-1"},
        {"    ", "old"},
        {std::string(400, 'M') + " spare", std::string(299, 'M')},
        {std::string(298, 'M') + "\xC3\xA9" + "tail", std::string(298, 'M')}, // é straddles
        {std::string(299, 'M'), std::string(299, 'M')},
    };
    for (const Case& c : cases) {
        std::string meterType = "old";
        EXPECT_EQ(ReadMeterType(c.text, meterType), c.meterType != "old");
        EXPECT_EQ(meterType, c.meterType);
    }
}

TEST(Utf8SafeCut, NeverSplitsACharacterNorEmptiesInvalidBytes)
{
    EXPECT_EQ(Utf8SafeCut("ab\xC3\xA9", 3), 2u);            // é would be cut: before it
    EXPECT_EQ(Utf8SafeCut("ab\xC3\xA9", 4), 4u);            // whole
    EXPECT_EQ(Utf8SafeCut("a\xE2\x82\xAC", 3), 1u);         // € cut after two of three bytes
    EXPECT_EQ(Utf8SafeCut(std::string(10, '\x80'), 5), 5u); // stray continuation bytes
    EXPECT_EQ(Utf8SafeCut("\xF0\x9F\x98\x80x", 2), 0u);     // only a cut emoji: nothing
}
