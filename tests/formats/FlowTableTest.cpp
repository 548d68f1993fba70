#include "FlowTable.h"
#include "TableCheck.h"
#include "TableFormats.h"

#include "LastRun.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace tovarin;
using enum tovarin::OutputFlowUnit;

namespace {

std::string Table(const Reduction& run, const OutputParameters& output)
{
    return WriteToString(WriteFlowTable, run, output);
}

// The head of a table for meter type "M" in g/sec.
const std::string kHead = "; */ MAF file for type:M */\r\n; */ File units = g/sec */\r\n";

} // namespace

TEST(FlowTable, WorkedExamplesByteForByte)
{
    // a = 1, b = 2, c = 0.5: flow = ((response - 1) / 2)^2 g/s at 0, 2.5 and 5 V.
    const Reduction volts = LastRun({1.0, 2.0, 0.5}, 0, "TYPE7");
    EXPECT_EQ(Table(volts, {.responseMin = 0.0, .responseMax = 5.0, .pointCount = 3}),
              "; */ MAF file for type:TYPE7 */\r\n"
              "; */ File units = 10 * mg/sec */\r\n"
              "\tDW\t   0\r\n"
              "\tDW\t  56\r\n" // 0.5625 g/s = 56.25 x 10 mg/s
              "\tDW\t 400\r\n");
    // Freq: the range's first and last words stand before and after the flows.
    const Reduction freq = LastRun({1000.0, 2000.0, 0.5}, 1, "HZ-9");
    EXPECT_EQ(Table(freq, {.responseMin = 0.0,
                           .responseMax = 15000.0,
                           .pointCount = 3,
                           .outputFlowUnit = GPerSec}),
              "; */ MAF file for type:HZ-9 */\r\n"
              "; */ File units = g/sec */\r\n"
              "\tDW\t   0\r\n"
              "\tDW\t   0\r\n"
              "\tDW\t  11\r\n" // (6500 / 2000)^2 = 10.5625
              "\tDW\t  49\r\n" // (14000 / 2000)^2
              "\tDW\t15000\r\n");
}

TEST(FlowTable, UnitLinesAndWords)
{
    struct Case
    {
        std::optional<OutputFlowUnit> unit;
        const char* line;
        const char* word; // of 2.5 g/s
    } const cases[] = {
        {TenMgPerSec, "; */ File units = 10 * mg/sec */\r\n", " 250"},
        {MgPerSec, "; */ File units =  mg/sec */\r\n", "2500"},
        {GPerSec, "; */ File units = g/sec */\r\n", "   3"},    // 2.5 rounds up
        {KgPerHour, "; */ File units = kg/sec */\r\n", "   9"}, // kg/h: 9.0
        // 2.5 * 60 / 453.59237 = 0.33 lb/min; 2.5 * 3600 / 453.59237 = 19.84 lb/h
        {OutputFlowUnit::LbPerMin, "; */ File units = lb/min */\r\n", "   0"},
        {OutputFlowUnit::LbPerHour, "; */ File units = lb/h */\r\n", "  20"},
        {std::nullopt, "", "   3"}, // no unit selected: g/s, no line
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(Table(LastRun({0.0, 1.0, 1.0}), {.responseMin = 2.5,
                                                   .responseMax = 2.5,
                                                   .pointCount = 1,
                                                   .outputFlowUnit = c.unit}),
                  std::string("; */ MAF file for type: */\r\n") + c.line + "\tDW\t" + c.word +
                      "\r\n");
    }
}

TEST(FlowTable, PointCountsDirectionsAndRounding)
{
    const Reduction volts = LastRun({0.0, 1.0, 1.0}, 0, "M"); // flow = response
    const Reduction freq = LastRun({0.0, 1.0, 1.0}, 1, "M");
    struct Case
    {
        const char* name;
        const Reduction* run;
        OutputParameters output;
        std::string words;
    } const cases[] = {
        // clang-format off
        {"no points", &volts, {0.0, 5.0, 0, GPerSec}, ""},
        {"negative count", &volts, {0.0, 5.0, -7, GPerSec}, ""},
        {"freq range words only", &freq, {2.7, 99.9, 0, GPerSec}, "\tDW\t   2\r\n\tDW\t  99\r\n"},
        {"negative range word", &freq, {-2.7, 9.0, -1, GPerSec}, "\tDW\t  -2\r\n\tDW\t   9\r\n"},
        {"one point: the step is unused", &volts, {3.0, 5.0, 1, GPerSec}, "\tDW\t   3\r\n"},
        {"falling range", &volts, {4.0, 2.0, 3, GPerSec}, "\tDW\t   4\r\n\tDW\t   3\r\n\tDW\t   2\r\n"},
        {"wider than four digits", &volts, {100000.0, 0.0, 1, GPerSec}, "\tDW\t100000\r\n"},
        {"56.5 rounds up", &volts, {56.5, 0.0, 1, GPerSec}, "\tDW\t  57\r\n"},
        {"56.49 rounds down", &volts, {56.49, 0.0, 1, GPerSec}, "\tDW\t  56\r\n"},
        {"beyond int saturates", &volts, {1e300, 0.0, 1, GPerSec}, "\tDW\t2147483647\r\n"},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Table(*c.run, c.output), kHead + c.words);
    }
    // Before any fit a, b and c are 0: -1/0 and 0/0 count as no flow, +1/0 is infinite.
    EXPECT_EQ(Table(LastRun({0.0, 0.0, 0.0}, 1, "M"), {-1.0, 1.0, 3, GPerSec}),
              kHead +
                  "\tDW\t  -1\r\n\tDW\t   0\r\n\tDW\t   0\r\n\tDW\t2147483647\r\n\tDW\t   1\r\n");
}

TEST(FlowTable, AccumulatesTheStepAndStopsAtARefusedLine)
{
    std::vector<std::string> lines;
    WriteFlowTable(LastRun({0.0, 1.0, 1.0}), {0.0, 5.0, 1024, MgPerSec},
                   [&](std::string_view line) {
                       lines.emplace_back(line);
                       return true;
                   });
    ASSERT_EQ(lines.size(), 2u + 1024u);
    EXPECT_EQ(lines[3], "\tDW\t   5\r\n");     // 5/1023 g/s = 4.89 mg/s
    EXPECT_EQ(lines.back(), "\tDW\t5000\r\n"); // 1023 additions of 5/1023 reach 5 V

    int written = 0;
    EXPECT_FALSE(WriteFlowTable(LastRun({0.0, 1.0, 1.0}), {0.0, 5.0, 100, GPerSec},
                                [&](std::string_view) { return ++written < 4; }));
    EXPECT_EQ(written, 4);
}

TEST(TableFormats, EachLayoutByteForByte)
{
    // flow = response g/s: words 0, 3 (2.5 rounds up) and 5 at 0, 2.5 and 5.
    const Reduction volts = LastRun({0.0, 1.0, 1.0}, 0, "M");
    const OutputParameters three{0.0, 5.0, 3, GPerSec};
    const auto write = [](TableFormat format, const Reduction& run, OutputParameters out) {
        std::string text;
        out.tableFormat = format;
        WriteTable(run, out, [&](std::string_view line) {
            text += line;
            return true;
        });
        return text;
    };
    EXPECT_EQ(write(TableFormat::Csv, volts, three), "response_V,flow_g_per_s\n0,0\n2.5,3\n5,5\n");
    EXPECT_EQ(write(TableFormat::Tsv, volts, three),
              "response_V\tflow_g_per_s\n0\t0\n2.5\t3\n5\t5\n");
    EXPECT_EQ(write(TableFormat::Dw, volts, three), Table(volts, three));
    // Hertz and 10 mg/s; no range words outside the DW layout.
    const Reduction freq = LastRun({0.0, 1.0, 1.0}, 1, "M");
    EXPECT_EQ(write(TableFormat::Csv, freq, {10.0, 20.0, 2, TenMgPerSec}),
              "response_Hz,flow_10mg_per_s\n10,1000\n20,2000\n");
    EXPECT_EQ(write(TableFormat::C, volts, three),
              "#include <stdint.h>\n\n"
              "/* MAF table for type: M\n"
              " * flow in g/sec as int words at responses in V\n"
              " * calibration: king a=0 b=1 c=1 */\n"
              "static const double maf_response[3] = {\n    0, 2.5, 5,\n};\n"
              "static const int maf_flow[3] = {\n    0, 3, 5,\n};\n");
    // u16 words of g/s x 10 and f32 ones of g/s x 0.5: the scale follows the unit.
    const OutputParameters u16{0.0, 5.0, 3, GPerSec, {}, false, WordType::U16, 10.0};
    EXPECT_EQ(write(TableFormat::Csv, volts, u16),
              "response_V,flow_g_per_s_x10\n0,0\n2.5,25\n5,50\n");
    const OutputParameters f32{0.0, 5.0, 3, GPerSec, {}, false, WordType::F32, 0.5};
    EXPECT_EQ(write(TableFormat::C, volts, f32).substr(46),
              " * flow in g/sec x 0.5 as float words at responses in V\n"
              " * calibration: king a=0 b=1 c=1 */\n"
              "static const double maf_response[3] = {\n    0, 2.5, 5,\n};\n"
              "static const float maf_flow[3] = {\n    0, 1.25, 2.5,\n};\n");
    // Nine values wrap after eight; a meter type cannot close the comment.
    const std::string c =
        write(TableFormat::C, LastRun({0.0, 1.0, 1.0}, 0, "A*/B"), {0.0, 8.0, 9, GPerSec});
    EXPECT_NE(c.find("type: A* /B\n"), std::string::npos);
    EXPECT_NE(c.find("= {\n    0, 1, 2, 3, 4, 5, 6, 7,\n    8,\n};\nstatic const int"),
              std::string::npos);
}

TEST(TableFormats, ExplicitBreakpointsSetTheWordsAndTheCheck)
{
    // flow = R^2 g/s at 1, 2 and 5 V: 1, 4 and 25 g/s, 100, 400 and 2500 x 10 mg/s.
    const Reduction run = LastRun({0.0, 1.0, 0.5}, 0, "M");
    const OutputParameters output{1.0, 5.0, 3, TenMgPerSec, {1.0, 2.0, 5.0}};
    EXPECT_EQ(Table(run, output), "; */ MAF file for type:M */\r\n"
                                  "; */ File units = 10 * mg/sec */\r\n"
                                  "\tDW\t 100\r\n\tDW\t 400\r\n\tDW\t2500\r\n");
    // Between the actual breakpoints, on the unrounded flows: on 2 to 5 V the
    // line 4 + 7 (r - 2) over r^2 is largest, +22.5 %, at r = 20/7; the grid
    // of 128 steps of 3/128 V comes nearest at step 49, r = 2.8671875, where
    // (10.0703125 - 8.22076416015625) / 8.22076416015625 = +22.4985 %. The
    // segment 1 to 2 V peaks at +12.5 %.
    const TableCheck check = CheckFlowTable(run, output, {.idleFlowGs = 0.0});
    ASSERT_TRUE(check.maxInterpolationError);
    EXPECT_NEAR(check.maxInterpolationError->pct,
                (10.0703125 - 8.22076416015625) / 8.22076416015625 * 100.0, 1e-9);
    EXPECT_EQ(check.maxInterpolationError->atResponse, 2.8671875);
}

TEST(TableFormats, ByteSplitAndAxisFile)
{
    // flow = 100 R g/s at 0, 2.5 and 5 V, x 1 in g/s: words 0, 250 and 500 =
    // 0x0000, 0x00FA, 0x01F4.
    const Reduction run = LastRun({0.0, 0.01, 1.0}, 0, "M");
    OutputParameters split{0.0, 5.0, 3, GPerSec, {}, false, WordType::U16};
    split.byteSplit = true;
    EXPECT_EQ(Table(run, split), kHead + "\tDW\t   0\r\n\tDW\t   0\r\n\tDW\t   1\r\n"
                                         "\tDW\t   0\r\n\tDW\t 250\r\n\tDW\t 244\r\n");
    // A frequency table's range words 10 and 300 Hz (0x012C) are split with
    // the flows: flow = R / 10 g/s, words 1 and 30 (0x001E).
    const Reduction freq = LastRun({0.0, 10.0, 1.0}, 1, "M");
    OutputParameters freqSplit{10.0, 300.0, 2, GPerSec, {}, false, WordType::U16};
    freqSplit.byteSplit = true;
    EXPECT_EQ(Table(freq, freqSplit), kHead + "\tDW\t   0\r\n\tDW\t   0\r\n\tDW\t   0\r\n"
                                              "\tDW\t   1\r\n"
                                              "\tDW\t  10\r\n\tDW\t   1\r\n\tDW\t  30\r\n"
                                              "\tDW\t  44\r\n");
    OutputParameters signedSplit = split;
    signedSplit.wordType = WordType::S16;
    signedSplit.tableFormat = TableFormat::C;
    const std::string c = WriteToString(WriteTable, run, signedSplit);
    EXPECT_NE(c.find("static const uint8_t maf_flow_high[3] = {\n    0, 0, 1,\n};\n"
                     "static const uint8_t maf_flow_low[3] = {\n    0, 250, 244,\n};\n"),
              std::string::npos)
        << c;
    // The axis of explicit breakpoints in millivolts: 0.5 V is 500, 4.0625 V
    // rounds half up to 4063.
    OutputParameters axis{0.5, 4.0625, 3, GPerSec, {0.5, 1.25, 4.0625}};
    axis.axisScale = 1000.0;
    EXPECT_EQ(WriteToString(WriteAxisTable, run, axis),
              "; */ MAF axis for type:M */\r\n; */ Axis units = V x 1000 */\r\n"
              "\tDW\t 500\r\n\tDW\t1250\r\n\tDW\t4063\r\n");
}
