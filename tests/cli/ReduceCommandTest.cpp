#include "ReduceRun.h"
#include "TempDir.h"
#include "WorkedExample.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>

using namespace tovarin;

namespace {

// Rows whose linear-mode fit is exactly a = 1, b = 2, c = 0.5.
const char* const kSquareRootRows = "0,1\n1,3\n4,5\n";

} // namespace

TEST(ReduceCommand, PrintsTheWorkedExampleAsTheWindowShowsIt)
{
    const CommandResult result = Reduce({"--meter", "TYPE7"}, worked::kCsv);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "Meter type:  TYPE7\n"
                          "Flow unit:   g/s\n"
                          "Response:    Volts\n"
                          "Rows in use: 4\n"
                          "Fit mode:    linear\n"
                          "\n"
                          " Row   MAF (g/s)   Fit response    % error  Flow error %\n"
                          "   0        0.00           1.00       0.00         undef\n"
                          "   1        5.00           1.80      -0.04         -0.14\n"
                          "   2       10.00           2.30       0.11          0.28\n"
                          "   3       20.00           3.10      -0.07         -0.14\n"
                          "\n"
                          "Response = A + B * flow^C\n"
                          "A = 1.000\n"
                          "B = 0.261\n"
                          "C = 0.696\n"
                          "\n"
                          "Fit:          linear mode, a straight line through the logarithms\n"
                          "RMS residual: 0.003398 V (dof 1), R^2 0.999995\n"
                          "Flow error:   at most +0.285 % (row 2, rows of at least 2 g/s)\n"
                          "Table:        1024 words from 0 to 5040 in 10*mg/sec, monotonic, "
                          "largest table error -0.209 % at 1.437 V, 58 % extrapolated\n"
                          "Checks:       passed\n");
}

TEST(ReduceCommand, JsonCarriesFullPrecisionFieldTextsAndNulls)
{
    const CommandResult result = Reduce({"--json", "-"}, worked::kCsv);
    EXPECT_EQ(result.exitCode, 0);
    const std::string prefix = "{\"rowCount\": 4, \"mode\": \"linear\", \"a\": 1, \"b\": 0.26";
    EXPECT_EQ(result.out.substr(0, prefix.size()), prefix);
    const std::string suffix =
        ", \"fields\": {\"A\": \"1.000\", \"B\": \"0.261\", \"C\": \"0.696\", \"rows\": ["
        "{\"maf\": \"0.00\", \"fit\": \"1.00\", \"error\": \"0.00\"}, "
        "{\"maf\": \"5.00\", \"fit\": \"1.80\", \"error\": \"-0.04\"}, "
        "{\"maf\": \"10.00\", \"fit\": \"2.30\", \"error\": \"0.11\"}, "
        "{\"maf\": \"20.00\", \"fit\": \"3.10\", \"error\": \"-0.07\"}]}, \"input\": "
        "{\"flowUnit\": \"g/s\", \"responseKind\": \"Volts\", \"meterType\": \"\", \"rows\": "
        "[{\"flow\": 0, \"flowGs\": 0, \"response\": 1}, ";
    EXPECT_NE(result.out.find(suffix), std::string::npos);
    EXPECT_NE(result.out.find("\"standardErrors\": null, \"correlations\": null, \"rows\": "
                              "[{\"responseErrorPct\": 0, \"flowErrorPct\": null, "
                              "\"expandedUncertaintyPct\": null}, "),
              std::string::npos); // linear mode: a is not fitted; row 0's flow is 0

    // log(0) in the linear regression: b and c are not finite.
    const CommandResult nonFinite = Reduce({"--json"}, "0,1\n5,2\n10,1\n");
    EXPECT_EQ(nonFinite.exitCode, 0);
    EXPECT_NE(nonFinite.out.find("\"a\": 1, \"b\": null, \"c\": null"), std::string::npos);
    EXPECT_EQ(nonFinite.err,
              "tovarin-reduce: warning: the fitted coefficients are not all finite numbers\n");
}

TEST(ReduceCommand, SaysWhichRowsTheTableLeavesOutAndWhenNothingWasFitted)
{
    TempDir dir;
    const std::string input = dir.Path("rows.csv");
    WriteWholeFile(input, "# bench\n0,1.0\n5,1.8\n10,2.3\n20,3.1\n20,3.2\n30,3.9\n");
    const CommandResult dropped = Reduce({input});
    EXPECT_EQ(dropped.exitCode, 0);
    EXPECT_EQ(dropped.err, "tovarin-reduce: " + input +
                               ":6: the table ends at row 4: its flow 20 is not greater than the "
                               "flow before it (20); rows 4 to 5 (lines 6 to 7) are not used\n");

    // An empty row would read 0, above -1: the rows end at the last one given.
    EXPECT_NE(Reduce({"--json"}, "-5,1\n-3,2\n-1,3\n").out.find("\"rowCount\": 3"),
              std::string::npos);
    const CommandResult two = Reduce({}, "0,1\n5,2\n");
    EXPECT_EQ(two.exitCode, 3);
    EXPECT_EQ(two.out, "");
    EXPECT_EQ(two.err, "tovarin-reduce: 2 rows are in use; a fit needs at least 3, so nothing "
                       "was fitted\n");
    EXPECT_EQ(
        Reduce({"--json"}, "").out,
        "{\"rowCount\": 1, \"mode\": \"none\", \"a\": null, \"b\": null, \"c\": null, \"fields\": "
        "{\"A\": \"\", \"B\": \"\", \"C\": \"\", \"rows\": [{\"maf\": \"\", \"fit\": \"\", "
        "\"error\": \"\"}]}, \"input\": {\"flowUnit\": \"g/s\", \"responseKind\": \"Volts\", "
        "\"meterType\": \"\", \"rows\": [{\"flow\": 0, \"flowGs\": 0, \"response\": 0}]}, "
        "\"fit\": {\"converged\": false, \"stop\": \"fewer than 3 rows "
        "in use\", \"evaluations\": 0, \"start\": \"default\"}, \"quality\": {\"dof\": 0, "
        "\"rmsResidual\": null, "
        "\"rSquared\": null, \"maxResponseErrorPct\": null, \"maxResponseErrorRow\": null, "
        "\"maxFlowErrorPct\": null, \"maxFlowErrorRow\": null, \"idleFlowGs\": 2, "
        "\"standardErrors\": null, \"correlations\": null, \"rows\": []}, \"table\": null, "
        "\"checks\": [], \"uncertainty\": [], \"uncertaintyBudget\": null, \"model\": "
        "\"king\", \"models\": null}\n");
}

TEST(ReduceCommand, RefusesBadOptionsAndInputWithoutWriting)
{
    TempDir dir;
    const std::string log = dir.Path("run.log");
    std::string twenty;
    for (int i = 1; i <= 20; ++i)
        twenty += std::to_string(i) + ",1\n";
    std::string badUnit;
    for (int row = 0; row < 19; ++row)
        badUnit += std::to_string(row) + "\t1\n";
    WriteWholeFile(dir.Path("bad.cfg"), badUnit + "7\n0\nM\n");
    WriteWholeFile(dir.Path("cut.cfg"), "0\t1\n5\t1.8\n10\n");
    struct Case
    {
        std::vector<std::string> args;
        std::string message, input = worked::kCsv;
    } const cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--flow-unit", "m3/h"},
         "--flow-unit: unknown unit 'm3/h' (use g/s, Kg/hr, lbs/hr or SCFM)"},
        {{"--response", "Amps"}, "--response: unknown kind 'Amps' (use Volts or Freq)"},
        {{"--output-unit", "lb/s"},
         "--output-unit: unknown unit 'lb/s' (use 10*mg/sec, mg/sec, g/sec, kg/hr, lb/min or "
         "lb/h)"},
        {{"--table-format", "xlsx"}, "--table-format: 'xlsx' is not one of dw, csv, tsv, c"},
        {{"--breakpoints", "1,2.5,2.50"},
         "--breakpoints: 2.50 is not above the breakpoint before it (2.5)"},
        {{"--breakpoints", "1,0.5"},
         "--breakpoints: 0.5 is not above the breakpoint before it (1)"},
        {{"--breakpoints", "1,,2"}, "--breakpoints: '' is not a decimal number"},
        {{"--breakpoints", "0.5,5.25", "--response-max", "5"},
         "--breakpoints: 5.25 lies outside --response-min to --response-max"},
        {{"--breakpoints", "1,2", "--points", "2"}, "--points cannot be given with --breakpoints"},
        {{"--word", "u64"}, "--word: 'u64' is not one of int, u8, u16, s16, u32, f32"},
        {{"--word-scale", "0"}, "--word-scale: '0' is not a decimal number above 0"},
        {{"--word", "f32"},
         "--word f32 needs --table-format csv, tsv or c: DW lines hold whole numbers"},
        {{"--place-breakpoints", "1"},
         "--place-breakpoints: '1' is not a whole number from 2 to 1048576"},
        {{"--place-breakpoints", "8", "--points", "8"},
         "--points cannot be given with --place-breakpoints"},
        {{"--place-breakpoints", "8", "--breakpoints", "1,2"},
         "--breakpoints and --place-breakpoints exclude each other"},
        {{"--byte-split", "--word", "u32"}, "--byte-split needs --word u16 or s16"},
        {{"--byte-split", "--word", "s16", "--table-format", "csv"},
         "--byte-split needs --table-format dw or c"},
        {{"--axis", "a.inc"}, "--axis needs --breakpoints or --place-breakpoints"},
        {{"--axis", "a.inc", "--breakpoints", "1,2", "--table-format", "c"},
         "--axis needs --table-format dw: the other formats hold the axis"},
        {{"--axis-scale", "1000"}, "--axis-scale needs --axis"},
        {{"--axis", dir.Path("a.inc"), "--breakpoints", "1.0001,1.0002", "--axis-scale", "1000"},
         "--axis: the breakpoints 1.0001 and 1.0002 give the axis words 1000 and 1000, which do "
         "not rise (raise --axis-scale)"},
        {{"--axis", dir.Path("a.inc"), "--breakpoints", "1,2", "--axis-scale", "40000", "--word",
          "s16"},
         "--axis: the breakpoint 1 x 40000 lies beyond s16 (-32768 to 32767)"},
        {{"--u-reference", "0.5,x"},
         "--u-reference: '0.5,x' is not PCT or PCT,ABS (decimal numbers from 0 up)"},
        {{"--u-response", "-1"},
         "--u-response: '-1' is not PCT or PCT,ABS (decimal numbers from 0 up)"},
        {{"--cmc", "nan"}, "--cmc: 'nan' is not a decimal number from 0 up"},
        {{"--mc-trials", "99"}, "--mc-trials: '99' is not a whole number from 100 to 1000000"},
        {{"--decision-rule", "strict"}, "--decision-rule: 'strict' is not one of simple, guarded"},
        {{"--flow-unit"}, "option --flow-unit needs a value"},
        {{"--json=yes"}, "option --json takes no value"},
        {{"--meter", "TWO WORDS"}, "--meter: the meter type must be one word, without blanks"},
        {{"--meter", std::string(300, 'M')},
         "--meter: the meter type is longer than 299 characters"},
        {{"--points", "12x"}, "--points: '12x' is not a whole number of points"},
        {{"--points", "99999999999"}, "--points: '99999999999' is not a whole number of points"},
        {{"--response-min", "nan"}, "--response-min: 'nan' is not a decimal number"},
        {{dir.Path("none.csv")}, dir.Path("none.csv") + ": No such file or directory"},
        {{dir.Path("")}, dir.Path("") + ": Is a directory"},
        {{"--settings", dir.Path("")}, dir.Path("") + ": Is a directory"},
        {{"--settings", dir.Path("bad.cfg")},
         dir.Path("bad.cfg") + ": flow unit index 7 is not one of 0 to 3"},
        {{}, "standard input:2: 'x' is not a decimal number", "0,1\n5,x\n"},
        {{}, "standard input:20: more than 19 rows", twenty},
        {{}, "standard input:2: '1e309' is not a decimal number", "0,1\n5,1e309\n"},
        {{"--columns", "1,1"}, "--columns: '1,1' names the same column twice"},
        {{"--settings", dir.Path("cut.cfg")},
         dir.Path("cut.cfg") + ":3: the row line does not hold two numbers",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.substr(0, 60));
        std::vector<std::string> args = {"--log", log};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CommandResult result = Reduce(args, c.input);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, Refusal(c.message));
        EXPECT_FALSE(std::filesystem::exists(log));
    }
}

TEST(ReduceCommand, WritesLogTableReportAndSettings)
{
    TempDir dir;
    const CommandResult result =
        Reduce({"--meter", "TYPE7", "--response-max", "5", "--points", "3", "--output-unit",
                "10*mg/sec", "--table", dir.Path("t.inc"), "--report", dir.Path("r.html"),
                "--save-settings", dir.Path("s.cfg"), "--log", dir.Path("run.log")},
               kSquareRootRows);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(ReadWholeFile(dir.Path("t.inc")), "; */ MAF file for type:TYPE7 */\r\n"
                                                "; */ File units = 10 * mg/sec */\r\n"
                                                "\tDW\t   0\r\n"
                                                "\tDW\t  56\r\n"
                                                "\tDW\t 400\r\n");
    EXPECT_NE(ReadWholeFile(dir.Path("r.html")).find("\n\t3.0\t1.00 \n"), std::string::npos);
    // Rows past the input repeat the last flow, which ends the table there.
    std::string repeated;
    for (int row = 3; row < 19; ++row)
        repeated += "4.000000\t0.000000\n";
    EXPECT_EQ(ReadWholeFile(dir.Path("s.cfg")),
              "0.000000\t1.000000\n1.000000\t3.000000\n4.000000\t5.000000\n" + repeated +
                  "0\n0\nTYPE7\n");
    EXPECT_EQ(ReadWholeFile(dir.Path("run.log"))
                  .rfind("\n\n\n*** Executing Run ***\n\n~~~~ "
                         "USING LINEAR MODE ~~~~\n",
                         0),
              0u);
}

TEST(ReduceCommand, SettingsFileSuppliesRowsUnitsAndMeterType)
{
    TempDir dir;
    const std::string settings = dir.Path("s.cfg");
    std::string text = worked::SettingsFile("HFM5");
    text.replace(text.size() - 7, 1, "1"); // response kind Freq
    WriteWholeFile(settings, text);
    // The table's default range follows the response kind the run used.
    const std::string freq = Reduce({"--settings", settings, "--points", "2", "--table", "-"}).out;
    EXPECT_EQ(freq, "; */ MAF file for type:HFM5 */\r\n; */ File units = 10 * mg/sec */\r\n"
                    "\tDW\t   0\r\n\tDW\t   0\r\n\tDW\t685932429\r\n\tDW\t15000\r\n");
    const std::string volts =
        Reduce({"--settings", settings, "--response", "Volts", "--points", "2", "--table", "-"})
            .out;
    EXPECT_EQ(volts.substr(volts.size() - 10), "\tDW\t5040\r\n"); // 50.395 g/s at 5 V
    const CommandResult kgh = Reduce(
        {"--settings", settings, "--flow-unit", "Kg/hr", "--json", "-"}, "36,1\n72,2\n108,3\n");
    EXPECT_NE(kgh.out.find("{\"maf\": \"10.00\""), std::string::npos); // 36 / 3.6
}

TEST(ReduceCommand, NoTableFromAMissingFitAndAnUnwritableOutputIsExitOne)
{
    TempDir dir;
    const std::string table = dir.Path("t.inc");
    EXPECT_EQ(
        Reduce({"--table", table, "--save-settings", dir.Path("s.cfg")}, "0,1\n5,2\n").exitCode, 3);
    EXPECT_EQ(Reduce({"--report", table}, "0,1\n5,2\n10,1\n").exitCode, 3); // b, c not finite
    EXPECT_FALSE(std::filesystem::exists(table));
    EXPECT_TRUE(std::filesystem::exists(dir.Path("s.cfg"))); // saved after every run
    const CommandResult full = Reduce({"--log", "/dev/full"}, worked::kCsv);
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(full.out, "");
    EXPECT_EQ(Reduce({"--version"}).out, "tovarin-reduce (Tovarin) 2.00\n");
}

TEST(ReduceCommand, StandardOutputDashPathsUnitSpellingsAndLimits)
{
    TempDir dir;
    WriteWholeFile(dir.Path("-rows.csv"), kSquareRootRows);
    const CommandResult dashed =
        Reduce({"--table", "-", "--points", "3", "--", dir.Path("-rows.csv")});
    EXPECT_EQ(dashed.exitCode, 0) << dashed.err;
    EXPECT_EQ(dashed.out, "; */ MAF file for type: */\r\n; */ File units = 10 * mg/sec */\r\n"
                          "\tDW\t   0\r\n\tDW\t  56\r\n\tDW\t 400\r\n"); // no result table
    const CommandResult relative = Reduce({"--", "-x"}, "");
    EXPECT_EQ(relative.err, Refusal("-x: No such file or directory"));

    const char* const spellings[][2] = {{"g/sec", "g/s"},
                                        {"KG/H", "kg/h"},
                                        {"lbs/hr", "mg/s"},
                                        {"lb/h", "10*mg/s"},
                                        {"scfm", "g/sec"}};
    for (const auto& [flow, output] : spellings)
        EXPECT_EQ(Reduce({"--flow-unit", flow, "--output-unit", output}, kSquareRootRows).exitCode,
                  0)
            << flow << " " << output;

    struct Case
    {
        std::vector<std::string> args;
        std::string message;
    } const refusals[] = {
        {{"--points", "1048577"},
         "--points: 1048577 is more than the 1048576 points a table may have"},
        {{"--table", "-", "--report", "-"},
         "--table and --report cannot both write to standard output ('-')"},
        {{"--json", "--log", "-"}, "--json and --log - cannot both write to standard output"},
        {{"--columns", "1"},
         "--columns: '1' is not two columns F,R (1-based numbers or header names)"},
    };
    for (const Case& c : refusals)
        EXPECT_EQ(Reduce(c.args, kSquareRootRows).err, Refusal(c.message));
    EXPECT_EQ(
        Reduce({"--points", "1048576", "--table", dir.Path("t.inc")}, kSquareRootRows).exitCode, 0);
}

TEST(ReduceCommand, CheckExitsFourNamingEachFailedCheck)
{
    const char* hotWire = worked::kHotWireCsv;
    const CommandResult failed = Reduce({"--check", "--output-unit", "mg/sec"}, hotWire);
    EXPECT_EQ(failed.exitCode, 4);
    EXPECT_EQ(failed.err, "tovarin-reduce: check failed: flow error: largest flow error -4.28 % "
                          "at row 3 (limit 2 %)\n"
                          "tovarin-reduce: check failed: word range: 280 of 1024 words exceed "
                          "65535 (largest 227165): choose 10*mg/sec or fewer points\n");
    const CommandResult relaxed = Reduce({"--check", "--output-unit", "mg/sec", "--json",
                                          "--max-flow-error=4.3", "--max-word", "227165"},
                                         hotWire);
    EXPECT_EQ(relaxed.exitCode, 0) << relaxed.err;
    EXPECT_NE(relaxed.out.find("\"standardErrors\": {\"a\": 0.1230854"), std::string::npos);
    EXPECT_EQ(Reduce({"--output-unit", "mg/sec"}, hotWire).exitCode, 0); // no --check, no 4
    const CommandResult rescued = Reduce({"--json"}, "2.62,1.124\n3.24,1.084\n3.39,1.092\n"
                                                     "6.68,1.151\n7.73,1.162\n18.37,1.277\n");
    EXPECT_NE(rescued.out.find("\"start\": \"second\"}"), std::string::npos);
    EXPECT_EQ(Reduce({"--idle-flow", "-1"}, hotWire).err,
              Refusal("--idle-flow: '-1' is not a decimal number from 0 up"));
}

namespace {

// A stream whose buffer fails as a closed descriptor or a folder does.
class FailingBuffer : public std::streambuf
{
  protected:
    int_type underflow() override
    {
        errno = EBADF;
        throw std::ios_base::failure("underflow");
    }
};

} // namespace

TEST(ReduceCommand, AClosedInputAndAnInvalidDateAreRefused)
{
    FailingBuffer failing;
    std::istream closed(&failing);
    std::ostringstream out, err;
    EXPECT_EQ(RunReduceProgram({}, closed, out, err), 2);
    EXPECT_EQ(err.str(), Refusal("standard input: Bad file descriptor"));

    // SOURCE_DATE_EPOCH dates a record: seconds from 0 to the end of 9999.
    const std::pair<const char*, int> epochs[] = {
        {"253402300799", 0}, {"0", 0}, {"", 2}, {"-1", 2}, {"1e9", 2}, {"253402300800", 2}};
    for (const auto& [epoch, exitCode] : epochs) {
        setenv("SOURCE_DATE_EPOCH", epoch, 1);
        const CommandResult record = Reduce({"--record", "-"}, worked::kCsv);
        EXPECT_EQ(record.exitCode, exitCode) << epoch;
        EXPECT_EQ(Reduce({"--json"}, worked::kCsv).exitCode, 0) << epoch; // no record asked
    }
    setenv("SOURCE_DATE_EPOCH", "253402300799", 1);
    EXPECT_NE(Reduce({"--record", "-"}, worked::kCsv).out.find("9999-12-31T23:59:59Z"),
              std::string::npos);
    unsetenv("SOURCE_DATE_EPOCH");
}

TEST(ReduceCommand, NoRowsAndAFitThatDidNotConvergeGiveNoTable)
{
    const CommandResult empty = Reduce({}, "# only a comment\n");
    EXPECT_EQ(empty.exitCode, 3);
    EXPECT_EQ(empty.err, "tovarin-reduce: standard input: no rows\n");
    // Both starts stop at the evaluation limit (the set of FitQuality's test).
    const std::string stopped = "2.41,0.566\n2.68,0.524\n2.93,0.563\n6.39,0.567\n7.38,0.607\n"
                                "21.06,0.672\n21.75,0.683\n47.05,0.638\n86.4,0.686\n"
                                "325.68,0.761\n335.25,0.835\n401.44,0.779\n425.29,0.873\n"
                                "476.25,0.841\n527.52,0.745\n549.93,0.743\n";
    const std::string warning = "tovarin-reduce: warning: the fit did not converge (the "
                                "evaluation limit (400) was reached): these coefficients are "
                                "not a fit\n";
    EXPECT_EQ(Reduce({}, stopped).err, warning);
    const CommandResult checked = Reduce({"--check", "--table", "-"}, stopped);
    EXPECT_EQ(checked.exitCode, 3);
    EXPECT_EQ(checked.out, "");
    EXPECT_EQ(checked.err,
              warning +
                  "tovarin-reduce: no usable fit, so no table, report or record was written\n");
}
