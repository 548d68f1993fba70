#include "HtmlReport.h"

#include "LastRun.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace tovarin;
using enum tovarin::OutputFlowUnit;

namespace {

std::vector<std::string> ReportLines(const Reduction& run, const OutputParameters& output)
{
    std::vector<std::string> lines;
    std::stringstream stream(WriteToString(WriteHtmlReport, run, output));
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

TEST(HtmlReport, VoltsWorkedExampleByteForByte)
{
    const Reduction run = LastRun({1.0, 2.0, 0.5}, 0, "TYPE7");
    const std::string text = WriteToString(WriteHtmlReport, run, {0.0, 5.0, 1024, KgPerHour});
    const std::string title = "Tovarin V2.00 by the Tovarin calibration developers";
    const std::string head =
        "<!DOCTYPE HTML PUBLIC -//W3C//DTD HTML 4.01 Transitional//EN>\n"
        "<html>\n<head>\n<title>\n" +
        title +
        "</title>\n</head>\n"
        "<body text=\"#000000\" bgcolor=\"#ffffff\" link=\"#0000ff\" vlink=\"#1111aa\" "
        "alink=\"#0000aa\" background=\"\">\n"
        "<pre>\n===========  " +
        title +
        "  =========\n\n"
        "Mass Airflow Meter: TYPE7\n\n"
        "\n====================================================================\n"
        "=========== Result of Least-Squares Fit to Kings Equation ==========\n"
        "================  Response = a + b * (flow ^ c) ====================\n"
        "====================================================================\n\n"
        "Fit Coefficients: a = 1.000  b = 2.000   c = 0.500\n\n"
        "\tVolts\tMass_Air(g/s)\n"
        "\t---------------------\n";
    ASSERT_EQ(text.substr(0, head.size()), head);
    const std::vector<std::string> lines = ReportLines(run, {0.0, 5.0, 1024, KgPerHour});
    ASSERT_EQ(lines.size(), 22u + 50u + 3u);
    EXPECT_EQ(lines[22 + 0], "\t0.0\t0.00 ");
    EXPECT_EQ(lines[22 + 10], "\t1.0\t0.00 "); // at the offset a: still zero flow
    EXPECT_EQ(lines[22 + 30], "\t3.0\t1.00 ");
    EXPECT_EQ(lines[22 + 49], "\t4.9\t3.80 "); // response max itself is never listed
    EXPECT_EQ(text.substr(text.size() - 23), "</pre>\n</body>\n</html>\n");
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(HtmlReport, RowsFollowMinMaxAndKindAndTheMeterTypeIsEscaped)
{
    // Flow = response (a = 0, b = 1, c = 1); rows step by (max - min) / 50.
    const auto freq =
        ReportLines(LastRun({0.0, 1.0, 1.0}, 1, "A&B<C>\"D\""), {0.0, 15000.0, 7, TenMgPerSec});
    EXPECT_EQ(freq[10], "Mass Airflow Meter: A&amp;B&lt;C&gt;&quot;D&quot;");
    EXPECT_EQ(freq[20], "\tFreq(Hz)\tMass_Air(g/s)");
    EXPECT_EQ(freq[22 + 49], "\t14700.0\t14700.00 ");
    const auto falling =
        ReportLines(LastRun({0.0, 1.0, 1.0}, 0, "HFM-5/0280'x"), {5.0, 0.0, 0, GPerSec});
    EXPECT_EQ(falling[10], "Mass Airflow Meter: HFM-5/0280'x");
    EXPECT_EQ(falling[22], "\t5.0\t5.00 ");
    EXPECT_EQ(falling[22 + 49], "\t0.1\t0.10 ");
}
