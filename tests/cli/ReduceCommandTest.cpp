#include "ReduceCommand.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace tovarin;

namespace {

CommandResult Reduce(std::vector<std::string> args, const std::string& standardInput = "")
{
    std::istringstream in(standardInput);
    return RunReduceCommand(args, in);
}

const char* const kWorkedExample = "flow,volts\n0,1.0\n5,1.8\n10,2.3\n20,3.1\n";

} // namespace

TEST(ReduceCommand, PrintsTheWorkedExampleAsTheWindowShowsIt)
{
    const CommandResult result = Reduce({"--meter", "TYPE7"}, kWorkedExample);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "Meter type:  TYPE7\n"
                          "Flow unit:   g/s\n"
                          "Response:    Volts\n"
                          "Rows in use: 4\n"
                          "Fit mode:    linear\n"
                          "\n"
                          " Row   MAF (g/s)   Fit response    % error\n"
                          "   0        0.00           1.00       0.00\n"
                          "   1        5.00           1.80      -0.04\n"
                          "   2       10.00           2.30       0.11\n"
                          "   3       20.00           3.10      -0.07\n"
                          "\n"
                          "Response = A + B * flow^C\n"
                          "A = 1.000\n"
                          "B = 0.261\n"
                          "C = 0.696\n");
}

TEST(ReduceCommand, JsonCarriesFullPrecisionAndTheFieldTexts)
{
    const CommandResult result = Reduce({"--json", "-"}, kWorkedExample);
    EXPECT_EQ(result.exitCode, 0);
    const std::string prefix = "{\"rowCount\": 4, \"mode\": \"linear\", \"a\": 1, \"b\": 0.26";
    EXPECT_EQ(result.out.substr(0, prefix.size()), prefix);
    const std::string suffix =
        ", \"fields\": {\"A\": \"1.000\", \"B\": \"0.261\", \"C\": \"0.696\", \"rows\": ["
        "{\"maf\": \"0.00\", \"fit\": \"1.00\", \"error\": \"0.00\"}, "
        "{\"maf\": \"5.00\", \"fit\": \"1.80\", \"error\": \"-0.04\"}, "
        "{\"maf\": \"10.00\", \"fit\": \"2.30\", \"error\": \"0.11\"}, "
        "{\"maf\": \"20.00\", \"fit\": \"3.10\", \"error\": \"-0.07\"}]}}\n";
    ASSERT_GE(result.out.size(), suffix.size());
    EXPECT_EQ(result.out.substr(result.out.size() - suffix.size()), suffix);
}

TEST(ReduceCommand, NonFiniteCoefficientsAreNullInJsonAndWarnedAbout)
{
    const CommandResult result = Reduce({"--json"}, "0,1\n5,2\n10,1\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("\"a\": 1, \"b\": null, \"c\": null"), std::string::npos)
        << result.out;
    EXPECT_EQ(result.err, "tovarin-reduce: warning: the fitted coefficients are not all finite "
                          "numbers\n");
}

TEST(ReduceCommand, ConvertsTheChosenUnitAndUsesTheNonLinearMode)
{
    const CommandResult result = Reduce({"--flow-unit", "Kg/hr", "--response=Freq", "--json"},
                                        "36,1500\n72,2100\n144,3000\n288,4300\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("\"mode\": \"nonlinear\""), std::string::npos);
    EXPECT_NE(result.out.find("{\"maf\": \"10.00\""), std::string::npos);
    EXPECT_NE(result.out.find("{\"maf\": \"80.00\""), std::string::npos);
}

TEST(ReduceCommand, SaysWhichRowsTheTableLeavesOut)
{
    const CommandResult result = Reduce({"rows.csv"}, "");
    EXPECT_EQ(result.exitCode, 2); // the file does not exist

    TempDir dir;
    const std::string input = dir.Path("rows.csv");
    WriteWholeFile(input, "# bench\n0,1.0\n5,1.8\n10,2.3\n20,3.1\n20,3.2\n30,3.9\n");
    const CommandResult dropped = Reduce({input});
    EXPECT_EQ(dropped.exitCode, 0);
    EXPECT_EQ(dropped.err, "tovarin-reduce: " + input +
                               ":6: the table ends at row 4: its flow 20 is not greater than the "
                               "flow before it (20); rows 4 to 5 (lines 6 to 7) are not used\n");
    EXPECT_NE(dropped.out.find("Rows in use: 4\n"), std::string::npos);
}

TEST(ReduceCommand, FewerThanThreeRowsIsNoFit)
{
    const CommandResult two = Reduce({}, "0,1\n5,2\n");
    EXPECT_EQ(two.exitCode, 3);
    EXPECT_EQ(two.out, "");
    EXPECT_EQ(two.err, "tovarin-reduce: 2 rows are in use; a fit needs at least 3, so nothing "
                       "was fitted\n");

    const CommandResult none = Reduce({"--json"}, "");
    EXPECT_EQ(none.exitCode, 3);
    EXPECT_EQ(none.out, "{\"rowCount\": 1, \"mode\": \"none\", \"a\": 0, \"b\": 0, \"c\": 0, "
                        "\"fields\": {\"A\": \"\", \"B\": \"\", \"C\": \"\", \"rows\": "
                        "[{\"maf\": \"\", \"fit\": \"\", \"error\": \"\"}]}}\n");
}

TEST(ReduceCommand, NegativeFlowsEndAtTheLastRowGiven)
{
    // An empty row would read 0, which is above -1 and would join the table.
    const CommandResult result = Reduce({"--json"}, "-5,1\n-3,2\n-1,3\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("\"rowCount\": 3"), std::string::npos);
}

TEST(ReduceCommand, RefusesBadOptionsAndInputWithoutWriting)
{
    TempDir dir;
    const std::string log = dir.Path("run.log");
    std::string twenty;
    for (int i = 1; i <= 20; ++i)
        twenty += std::to_string(i) + ",1\n";
    struct Case
    {
        std::vector<std::string> args;
        std::string input;
        std::string message; // first line of standard error
    } const cases[] = {
        {{"--bogus"}, kWorkedExample, "unknown option '--bogus'"},
        {{"--flow-unit", "m3/h"},
         kWorkedExample,
         "--flow-unit: unknown unit 'm3/h' (use g/s, Kg/hr, lbs/hr or SCFM)"},
        {{"--response", "Amps"},
         kWorkedExample,
         "--response: unknown kind 'Amps' (use Volts or Freq)"},
        {{"--flow-unit"}, kWorkedExample, "option --flow-unit needs a value"},
        {{"--meter", "TWO WORDS"},
         kWorkedExample,
         "--meter: the meter type must be one word, without blanks"},
        {{"--meter", std::string(300, 'M')},
         kWorkedExample,
         "--meter: the meter type is longer than 299 characters"},
        {{"a.csv", "b.csv"}, "", "more than one input file ('a.csv' and 'b.csv')"},
        {{}, "0,1\n5,x\n", "standard input:2: 'x' is not a decimal number"},
        {{}, twenty, "standard input:20: more than 19 rows"},
        {{},
         "0,1\n" + std::string(10000, '9') + "x,2\n",
         "standard input:2: '" + std::string(10000, '9') + "x' is not a decimal number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.substr(0, 60));
        std::vector<std::string> args = {"--log", log};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CommandResult result = Reduce(args, c.input);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "tovarin-reduce: " + c.message +
                                  "\nTry 'tovarin-reduce --help' for more information.\n");
        EXPECT_FALSE(std::filesystem::exists(log));
    }
}

TEST(ReduceCommand, WritesTheRunLogBlock)
{
    TempDir dir;
    const std::string log = dir.Path("run.log");
    const CommandResult result = Reduce({"--log", log, "--flow-unit", "SCFM"}, "0,1\n0.0001,2\n");
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(ReadWholeFile(log), "\n\n\n*** Executing Run ***"
                                  "***************************** END OF RUN "
                                  "***************************\n\n");
}

TEST(ReduceCommand, AnUnwritableLogIsExitOneWithTheReason)
{
    const CommandResult result = Reduce({"--log", "/dev/full"}, kWorkedExample);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "tovarin-reduce: /dev/full: No space left on device\n");

    const CommandResult missing = Reduce({"--log", "/nonexistent/dir/run.log"}, kWorkedExample);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "tovarin-reduce: /nonexistent/dir/run.log: No such file or directory\n");
}

TEST(ReduceCommand, HelpAndVersion)
{
    const CommandResult help = Reduce({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("Usage: tovarin-reduce [OPTIONS] [FILE]\n", 0), 0u);
    EXPECT_EQ(Reduce({"--version"}).out, "tovarin-reduce (Tovarin) 2.00\n");
}

namespace {

// Rows whose linear-mode fit is exactly a = 1, b = 2, c = 0.5.
const char* const kSquareRootRows = "0,1\n1,3\n4,5\n";

} // namespace

TEST(ReduceCommand, WritesTableReportAndSettings)
{
    TempDir dir;
    const CommandResult result =
        Reduce({"--meter", "TYPE7", "--response-max", "5", "--points", "3", "--output-unit",
                "10*mg/sec", "--table", dir.Path("t.inc"), "--report", dir.Path("r.html"),
                "--save-settings", dir.Path("s.cfg")},
               kSquareRootRows);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(ReadWholeFile(dir.Path("t.inc")), "; */ MAF file for type:TYPE7 */\r\n"
                                                "; */ File units = 10 * mg/sec */\r\n"
                                                "\tDW\t   0\r\n"
                                                "\tDW\t  56\r\n"
                                                "\tDW\t 400\r\n");
    const std::string report = ReadWholeFile(dir.Path("r.html"));
    EXPECT_NE(report.find("Mass Airflow Meter: TYPE7\n\n"), std::string::npos);
    EXPECT_NE(report.find("\n\t3.0\t1.00 \n"), std::string::npos);
    // Rows past the input repeat the last flow, which ends the table there.
    std::string repeated;
    for (int row = 3; row < 19; ++row)
        repeated += "4.000000\t0.000000\n";
    EXPECT_EQ(ReadWholeFile(dir.Path("s.cfg")),
              "0.000000\t1.000000\n1.000000\t3.000000\n4.000000\t5.000000\n" + repeated +
                  "0\n0\nTYPE7\n");
}

TEST(ReduceCommand, SettingsFileSuppliesRowsUnitsAndMeterType)
{
    TempDir dir;
    const std::string settings = dir.Path("s.cfg");
    std::string text = "0.000000\t1.000000\n5.000000\t1.800000\n10.000000\t2.300000\n"
                       "20.000000\t3.100000\n";
    for (int i = 4; i < 19; ++i)
        text += "0.000000\t0.000000\n";
    WriteWholeFile(settings, text + "0\n1\nHFM5\n");

    const CommandResult loaded = Reduce({"--settings", settings, "--json"});
    EXPECT_EQ(loaded.exitCode, 0) << loaded.err;
    EXPECT_NE(loaded.out.find("\"rowCount\": 4, \"mode\": \"linear\""), std::string::npos);

    // Freq from the file: the table's default range is 0 to 15000.
    const CommandResult table =
        Reduce({"--settings", settings, "--points", "2", "--table", dir.Path("t.inc")});
    EXPECT_EQ(table.exitCode, 0) << table.err;
    const std::string inc = ReadWholeFile(dir.Path("t.inc"));
    EXPECT_EQ(inc.substr(0, 34), "; */ MAF file for type:HFM5 */\r\n; ");
    EXPECT_EQ(inc.substr(inc.size() - 11), "\tDW\t15000\r\n");

    // Explicit options win over the file.
    const CommandResult overridden =
        Reduce({"--settings", settings, "--flow-unit", "Kg/hr", "--meter", "X", "--json", "-"},
               "36,1\n72,2\n108,3\n");
    EXPECT_NE(overridden.out.find("{\"maf\": \"10.00\""), std::string::npos);
}

TEST(ReduceCommand, RefusesUnusableSettingsAndOutputOptions)
{
    TempDir dir;
    const std::string badUnit = dir.Path("bad.cfg");
    std::string rows;
    for (int row = 0; row < 19; ++row)
        rows += std::to_string(row) + "\t1\n";
    WriteWholeFile(badUnit, rows + "7\n0\nM\n");
    struct Case
    {
        std::vector<std::string> args;
        std::string message;
    } const cases[] = {
        {{"--settings", dir.Path("none.cfg")},
         dir.Path("none.cfg") + ": No such file or directory"},
        {{"--settings", badUnit}, badUnit + ": flow unit index 7 is not one of 0 to 3"},
        {{"--points", "12x"}, "--points: '12x' is not a whole number of points"},
        {{"--points", "99999999999"}, "--points: '99999999999' is not a whole number of points"},
        {{"--response-min", "nan"}, "--response-min: 'nan' is not a decimal number"},
        {{"--response-max", ""}, "--response-max: '' is not a decimal number"},
        {{"--output-unit", "lb/s"},
         "--output-unit: unknown unit 'lb/s' (use 10*mg/sec, mg/sec, g/sec or kg/hr)"},
        {{"--json=yes"}, "option --json takes no value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const CommandResult result = Reduce(c.args, kSquareRootRows);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err, "tovarin-reduce: " + c.message +
                                  "\nTry 'tovarin-reduce --help' for more information.\n");
    }
}

TEST(ReduceCommand, NoTableOrReportWithoutAUsableFit)
{
    TempDir dir;
    const std::string table = dir.Path("t.inc");
    const std::string settings = dir.Path("s.cfg");
    const CommandResult twoRows =
        Reduce({"--table", table, "--save-settings", settings}, "0,1\n5,2\n");
    EXPECT_EQ(twoRows.exitCode, 3);
    EXPECT_FALSE(std::filesystem::exists(table));
    EXPECT_TRUE(std::filesystem::exists(settings)); // saved after every run, as the window does
    EXPECT_EQ(twoRows.err, "tovarin-reduce: 2 rows are in use; a fit needs at least 3, so "
                           "nothing was fitted\n"
                           "tovarin-reduce: no usable fit, so no table or report was written\n");

    const CommandResult nonFinite = Reduce({"--report", table}, "0,1\n5,2\n10,1\n");
    EXPECT_EQ(nonFinite.exitCode, 3);
    EXPECT_FALSE(std::filesystem::exists(table));
}
