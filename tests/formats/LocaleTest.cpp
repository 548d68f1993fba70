// Under a comma-decimal locale, as the windowing toolkit sets it from the
// environment, every text the program writes or reads still uses a point; and
// the fields' fixed-point texts round exactly as printf's "%.*f".

#include "FieldParsing.h"
#include "NumberText.h"
#include "ResultFields.h"
#include "ScreenInput.h"
#include "WorkedExample.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>

using namespace tovarin;

TEST(CommaDecimalLocale, NumbersAndTheWholeRunUseAPoint)
{
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr)
        << "locale de_DE.UTF-8 missing: run scripts/install-deps.sh";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 2.5);
    EXPECT_STREQ(probe, "2,5") << "the locale does not use a decimal comma";

    EXPECT_EQ(FormatC("%4.2f|%4.3f|%lf", 2.5, 0.2609, 12.5), "2.50|0.261|12.500000");
    double value = 0;
    EXPECT_TRUE(ReadNumberField("2,75", value));
    EXPECT_EQ(value, 2.0);
    EXPECT_EQ(ParseDoubleC("1.5e1", nullptr), 15.0);

    // The worked example as typed: every result field and the log block.
    ScreenTexts screen;
    for (std::size_t row = 0; row < worked::kRows.size(); ++row) {
        screen.flow[row] = worked::kRows[row].flow;
        screen.response[row] = worked::kRows[row].response;
    }
    screen.flowUnit = screen.responseKind = 0;
    const Reduction run = Reduce(ReadRunInput(screen, {}));
    const ResultFieldTexts texts = FormatResultFields(run);
    for (std::size_t row = 0; row < worked::kResultFields.size(); ++row)
        EXPECT_EQ(std::vector<std::string>(
                      {texts.rows[row].maf, texts.rows[row].fit, texts.rows[row].errorPct}),
                  worked::kResultFields[row])
            << row;
    EXPECT_EQ(std::vector<std::string>({texts.a, texts.b, texts.c}), worked::kCoefficientFields);
    EXPECT_EQ(kRunBanner + RunLogBlock(run), worked::kLogBlock);

    std::setlocale(LC_ALL, "C");
    unsetenv("LC_ALL");
}

TEST(FormatFixed, RoundsTheExactBinaryValueTiesToEven)
{
    struct Case
    {
        double value;
        int width, precision;
        const char* text;
    } const cases[] = {
        {0.125, 4, 2, "0.12"},   // an exact tie: to the even digit
        {0.375, 4, 2, "0.38"},   // an exact tie, the other way
        {2.675, 4, 2, "2.67"},   // stored as 2.67499999999999982236431605997495353221893310546875
        {2.5, 1, 0, "2"},        // ties to even with no decimals
        {-0.001, 4, 2, "-0.00"}, // the sign stays
        {5e-324, 6, 9, "0.000000000"}, // the smallest subnormal
        {999999999999999.9, 4, 1, "999999999999999.9"},
        {1e15, 4, 1, "1000000000000000.0"}, // beyond the exact path: the general one
        {1.0 / 3.0, 12, 9, " 0.333333333"},
        {20.0, 6, 3, "20.000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.width, c.precision), c.text) << c.value;
}
