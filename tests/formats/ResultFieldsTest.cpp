#include "ResultFields.h"

#include "ScreenInput.h"
#include "WorkedExample.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace tovarin;

namespace {

ScreenTexts Screen(const std::vector<worked::TypedRow>& rows, int flowUnit = 0,
                   int responseKind = 0)
{
    ScreenTexts texts;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        texts.flow[i] = rows[i].flow;
        texts.response[i] = rows[i].response;
    }
    texts.flowUnit = flowUnit;
    texts.responseKind = responseKind;
    return texts;
}

} // namespace

TEST(RunLogBlock, LineFiveNamesTheFlowUnit)
{
    // The words stored logs are compared against; they do not follow the labels.
    const std::pair<std::optional<FlowUnit>, std::string> cases[] = {
        {FlowUnit::GramsPerSec, "Using CFM entries on screen\n"},
        {FlowUnit::KgPerHour, "  Note: Using CFM conversion from userdef.cfg file...\n"},
        {FlowUnit::LbsPerHour, "Using direct g/s entries on screen\n"},
        {FlowUnit::Scfm, "Using LFE Conversion 169 CFM/8 InHg\n"},
        {std::nullopt, ""}};
    for (const auto& [unit, line] : cases) {
        RunInput input = worked::Input({{"1", "1"}, {"2", "2"}, {"3", "3"}});
        input.flowUnit = unit;
        const std::string head = "Number of measurements: 3\n" + line + "\n=";
        EXPECT_NE(RunLogBlock(Reduce(input)).find(head), std::string::npos) << line;
    }
    // A run without a fit logs the end line only, which the banner's line continues.
    EXPECT_EQ(kRunBanner + RunLogBlock(worked::Reduced({})),
              "\n\n\n*** Executing Run ***"
              "***************************** END OF RUN ***************************\n\n");
    // Nor does it change a field (the worked example's are checked under a comma locale).
    const ResultFieldTexts none = FormatResultFields(worked::Reduced({{"0", "1"}, {"5", "2"}}));
    EXPECT_EQ(none.a + none.rows[0].maf, "");
    // Coefficients that are not finite (see Reduce's test) show as printf prints them.
    EXPECT_THAT(FormatResultFields(worked::Reduced({{"0", "1"}, {"5", "2"}, {"10", "1"}})).b,
                testing::AnyOf("nan", "-nan"));
}

TEST(ReadRunInput, ReadsTheScreenByTheFieldRules)
{
    ScreenTexts screen = Screen({{"36", "1"}, {"72", "2"}, {"108", "3"}}, 1, 1);
    screen.meterType = "  TYPE7 spare";
    const RunInput first = ReadRunInput(screen, {});
    EXPECT_EQ(first.meterType, "TYPE7");
    EXPECT_EQ(first.flowUnit, FlowUnit::KgPerHour);
    EXPECT_EQ(first.responseKind, ResponseKind::Freq);
    EXPECT_DOUBLE_EQ(Reduce(first).set.flowGs[0], 10.0);

    // An emptied or unreadable field keeps the row's last value; a list
    // without selection is no unit, whose flows are NaN.
    screen.flow[2] = "";
    screen.response[2] = "abc";
    screen.meterType = " ";
    screen.flowUnit = -1;
    const RunInput second = ReadRunInput(screen, first);
    EXPECT_EQ(second.typedFlow[2], 108.0);
    EXPECT_EQ(second.typedResponse[2], 3.0);
    EXPECT_EQ(second.meterType, "TYPE7");
    EXPECT_EQ(second.flowUnit, std::nullopt);
    EXPECT_TRUE(std::isnan(Reduce(second).set.flowGs[0]));

    // Hostile texts stay defined: an infinite flow ends the table, "nan" does
    // not read (row 2 keeps 0), the meter type is cut at 299 bytes.
    ScreenTexts hostile = Screen({{"-1e308", "1e308"}, {"1e999", "-5"}, {"nan", "x"}});
    hostile.response[1] = std::string(10000, '9');
    hostile.meterType = std::string(400, 'Q');
    const Reduction run = Reduce(ReadRunInput(hostile, {}));
    EXPECT_EQ(run.set.meterType, std::string(299, 'Q'));
    EXPECT_EQ(run.set.rowCount, 2);
}
