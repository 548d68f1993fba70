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
        const char* text;
        bool converts;
        double value; // the stored value; `kept` when nothing converts
    } const cases[] = {
        {"12.5", true, 12.5},    {" 7", true, 7.0},      {"\t\n 7", true, 7.0},
        {"1e3", true, 1000.0},   {"1E+3", true, 1000.0}, {"2.5e-1x", true, 0.25},
        {"12.5abc", true, 12.5}, {"2,5", true, 2.0},     {"-3", true, -3.0},
        {"+4.", true, 4.0},      {".5", true, 0.5},      {"-.5", true, -0.5},
        {"1e", true, 1.0}, // an exponent without digits is not part of the number
        {"1e+", true, 1.0},      {"0x10", true, 0.0}, // hexadecimal is not read: the prefix 0 is
        {"1e999", true, inf},                         // overflow gives infinity, as a scan would
        {"-1e999", true, -inf},  {"1e-999", true, 0.0},  {"", false, kept},
        {"   ", false, kept},    {"abc", false, kept},   {"inf", false, kept},
        {"-inf", false, kept},   {"nan", false, kept},   {"infinity", false, kept},
        {"-", false, kept},      {"+.", false, kept},    {".", false, kept},
        {"e5", false, kept},     {"x1", false, kept},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double value = kept;
        EXPECT_EQ(ReadNumberField(c.text, value), c.converts);
        EXPECT_EQ(value, c.value);
    }
}

TEST(ReadNumberField, HostileTextsAreReadWithoutOverrun)
{
    double value = 1.0;
    EXPECT_TRUE(ReadNumberField(std::string(10000, '9'), value));
    EXPECT_TRUE(std::isinf(value));
    value = 1.0;
    EXPECT_FALSE(ReadNumberField(std::string(10000, 'x'), value));
    EXPECT_EQ(value, 1.0);
    EXPECT_TRUE(ReadNumberField("0." + std::string(10000, '0') + "1", value));
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(ReadNumberField(std::string("5\0"
                                            "7",
                                            3),
                                value)); // embedded NUL ends the number
    EXPECT_EQ(value, 5.0);
}

TEST(ReadMeterType, TakesTheFirstWord)
{
    struct Case
    {
        const char* text;
        bool found;
        const char* meterType;
    } const cases[] = {
        {"TYPE7", true, "TYPE7"},
        {"  TYPE7 spare", true, "TYPE7"},
        {"TYPE7 spare unit", true, "TYPE7"},
        {"\tA-1\r\n", true, "A-1"},
        {"", false, "old"},
        {"    ", false, "old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string meterType = "old";
        EXPECT_EQ(ReadMeterType(c.text, meterType), c.found);
        EXPECT_EQ(meterType, c.meterType);
    }
}

TEST(ReadMeterType, KeepsAtMost299BytesWithoutSplittingACharacter)
{
    std::string meterType;
    ReadMeterType(std::string(400, 'M') + " spare", meterType);
    EXPECT_EQ(meterType, std::string(299, 'M'));

    // 298 ASCII bytes then a two-byte character straddling the limit.
    ReadMeterType(std::string(298, 'M') + "\xC3\xA9" + "tail", meterType);
    EXPECT_EQ(meterType, std::string(298, 'M'));

    ReadMeterType(std::string(299, 'M'), meterType);
    EXPECT_EQ(meterType.size(), 299u);
}
