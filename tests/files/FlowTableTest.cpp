#include "FlowTable.h"

#include "LastRun.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

using namespace tovarin;

namespace {

std::string Table(const Calibration& run, const OutputParameters& output)
{
    return WriteToString(WriteFlowTable, run, output);
}

} // namespace

TEST(FlowTable, VoltsWorkedExample)
{
    const Calibration run = LastRun({1.0, 2.0, 0.5}, 0, "TYPE7");
    EXPECT_EQ(Table(run, {0.0, 5.0, 3, 0}), "; */ MAF file for type:TYPE7 */\r\n"
                                            "; */ File units = 10 * mg/sec */\r\n"
                                            "\tDW\t   0\r\n"
                                            "\tDW\t  56\r\n"
                                            "\tDW\t 400\r\n");
    EXPECT_EQ(Table(run, {0.0, 5.0, 3, 3}), "; */ MAF file for type:TYPE7 */\r\n"
                                            "; */ File units = kg/sec */\r\n"
                                            "\tDW\t   0\r\n"
                                            "\tDW\t   2\r\n"
                                            "\tDW\t  14\r\n");
}

TEST(FlowTable, FreqWorkedExampleHasTheRangeWordsFirstAndLast)
{
    const Calibration run = LastRun({1000.0, 2000.0, 0.5}, 1, "HZ-9");
    EXPECT_EQ(Table(run, {0.0, 15000.0, 3, 2}), "; */ MAF file for type:HZ-9 */\r\n"
                                                "; */ File units = g/sec */\r\n"
                                                "\tDW\t   0\r\n"
                                                "\tDW\t   0\r\n"
                                                "\tDW\t  11\r\n"
                                                "\tDW\t  49\r\n"
                                                "\tDW\t15000\r\n");
}

TEST(FlowTable, UnitLinesAndFactors)
{
    struct Case
    {
        int unit;
        const char* line;
        double factor;
    } const cases[] = {
        {0, "; */ File units = 10 * mg/sec */\r\n", 100.0},
        {1, "; */ File units =  mg/sec */\r\n", 1000.0},
        {2, "; */ File units = g/sec */\r\n", 1.0},
        {3, "; */ File units = kg/sec */\r\n", 3.6},
    };
    const Calibration run = LastRun({0.0, 1.0, 1.0}, 0, "");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        EXPECT_EQ(OutputUnitFactor(c.unit), c.factor);
        // One point at response 2.5: flow 2.5 g/s.
        const std::string expectedWord = std::to_string(TableWord(2.5, c.unit));
        EXPECT_EQ(Table(run, {2.5, 2.5, 1, c.unit}),
                  std::string("; */ MAF file for type: */\r\n") + c.line + "\tDW\t" +
                      std::string(expectedWord.size() < 4 ? 4 - expectedWord.size() : 0, ' ') +
                      expectedWord + "\r\n");
    }
    EXPECT_EQ(TableWord(2.5, 0), 250);
    EXPECT_EQ(TableWord(2.5, 1), 2500);
    EXPECT_EQ(TableWord(2.5, 3), 9);
}

TEST(FlowTable, PointCountsAndDirections)
{
    const Calibration volts = LastRun({0.0, 1.0, 1.0}, 0, "M");
    const Calibration freq = LastRun({0.0, 1.0, 1.0}, 1, "M");
    const std::string head = "; */ MAF file for type:M */\r\n; */ File units = g/sec */\r\n";
    struct Case
    {
        const Calibration* run;
        OutputParameters output;
        std::string words;
    } const cases[] = {
        {&volts, {0.0, 5.0, 0, 2}, ""},
        {&volts, {0.0, 5.0, -7, 2}, ""},
        {&freq, {2.7, 99.9, 0, 2}, "\tDW\t   2\r\n\tDW\t  99\r\n"},
        {&freq, {-2.7, 9.0, -1, 2}, "\tDW\t  -2\r\n\tDW\t   9\r\n"},
        {&volts, {3.0, 5.0, 1, 2}, "\tDW\t   3\r\n"}, // the step is never used
        {&volts, {4.0, 2.0, 3, 2}, "\tDW\t   4\r\n\tDW\t   3\r\n\tDW\t   2\r\n"},
        {&volts, {100000.0, 0.0, 1, 2}, "\tDW\t100000\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words);
        EXPECT_EQ(Table(*c.run, c.output), head + c.words);
    }
}

TEST(FlowTable, RoundsHalfUpAndSaturatesWhatDoesNotFitAnInt)
{
    EXPECT_EQ(TableWord(56.5, 2), 57);
    EXPECT_EQ(TableWord(56.49, 2), 56);
    EXPECT_EQ(TableWord(0.125, 0), 13); // 12.5 -> 13
    EXPECT_EQ(TableWord(INFINITY, 0), INT_MAX);
    EXPECT_EQ(TableWord(1e300, 2), INT_MAX);
    EXPECT_EQ(TableWord(-INFINITY, 2), INT_MIN);
    EXPECT_EQ(TableWord(NAN, 2), 0);

    // Before any fit a, b and c are 0: responses above 0 give infinite flows.
    const Calibration unfitted = LastRun({0.0, 0.0, 0.0}, 1, "");
    EXPECT_EQ(Table(unfitted, {-1.0, 1.0, 3, 2}), "; */ MAF file for type: */\r\n"
                                                  "; */ File units = g/sec */\r\n"
                                                  "\tDW\t  -1\r\n"
                                                  "\tDW\t   0\r\n" // -1/0 counts as 0
                                                  "\tDW\t   0\r\n" // 0/0 is NaN: counts as 0
                                                  "\tDW\t2147483647\r\n"
                                                  "\tDW\t   1\r\n");
}

TEST(FlowTable, AccumulatesTheStepBy1024Additions)
{
    const Calibration run = LastRun({0.0, 1.0, 1.0}, 0, "");
    std::vector<std::string> lines;
    WriteFlowTable(run, {0.0, 5.0, 1024, 1}, [&](std::string_view line) {
        lines.emplace_back(line);
        return true;
    });
    ASSERT_EQ(lines.size(), 2u + 1024u);
    double response = 0.0;
    for (int i = 0; i < 1023; ++i)
        response += 5.0 / 1023.0;
    const std::string last = std::to_string(TableWord(response, 1));
    EXPECT_EQ(lines.back(), "\tDW\t" + last + "\r\n");
    EXPECT_EQ(lines[2 + 1], "\tDW\t   5\r\n"); // 5/1023 g/s = 4.89 mg/s
}

TEST(FlowTable, StopsAtTheFirstRefusedLine)
{
    const Calibration run = LastRun({0.0, 1.0, 1.0}, 0, "");
    int lines = 0;
    EXPECT_FALSE(
        WriteFlowTable(run, {0.0, 5.0, 100, 2}, [&](std::string_view) { return ++lines < 4; }));
    EXPECT_EQ(lines, 4);
}
