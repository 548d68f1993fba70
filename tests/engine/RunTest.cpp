#include "Run.h"

#include "ControlIds.h"
#include "HeadlessFields.h"
#include "RunLog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tovarin;

namespace {

struct Row
{
    const char* flow;
    const char* response;
};

void Type(HeadlessFields& fields, const std::vector<Row>& rows, int flowUnit = 0,
          int responseKind = 0)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        fields.SetFieldText(kRowControls[i].flow, rows[i].flow);
        fields.SetFieldText(kRowControls[i].response, rows[i].response);
    }
    fields.SetListSelection(kFlowUnitListId, flowUnit);
    fields.SetListSelection(kResponseKindListId, responseKind);
}

struct RowResult
{
    std::string maf, fit, error;
    bool operator==(const RowResult&) const = default;
};

RowResult ResultOf(const HeadlessFields& fields, std::size_t row)
{
    const RowControls& ids = kRowControls[row];
    return {fields.GetFieldText(ids.maf), fields.GetFieldText(ids.fit),
            fields.GetFieldText(ids.errorPct)};
}

const std::vector<Row> kWorkedExample = {
    {"0", "1.0"}, {"5", "1.8"}, {"10", "2.3"}, {"20", "3.1"}, {"0", "0"}};

const char* const kEndLine =
    "***************************** END OF RUN ***************************\n\n";

std::string ResultBlockHeader(int rowCount, const char* unitLine)
{
    return "\n\n*** DATA TO USE FOR THIS RUN ITERATION ***\n"
           "Number of measurements: " +
           std::to_string(rowCount) + "\n" + unitLine +
           "\n====================================================================\n"
           "============= Result of Linear Fit for Kings Equation ==============\n"
           "================  Response = a + b * (flow ^ c) ====================\n"
           "====================================================================\n\n";
}

} // namespace

TEST(RunCalibration, WorkedExampleFillsTheFields)
{
    HeadlessFields fields;
    Type(fields, kWorkedExample);
    fields.SetFieldText(kRowControls[10].maf, "stale");
    Calibration calibration;
    RunLog log = RunLog::ToMemory();
    RunTest(fields, calibration, log);

    const RowResult expected[] = {{"0.00", "1.00", "0.00"},
                                  {"5.00", "1.80", "-0.04"},
                                  {"10.00", "2.30", "0.11"},
                                  {"20.00", "3.10", "-0.07"}};
    for (std::size_t row = 0; row < kRowControls.size(); ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(ResultOf(fields, row), row < 4 ? expected[row] : RowResult{});
    }
    EXPECT_EQ(fields.GetFieldText(kCoefficientAId), "1.000");
    EXPECT_EQ(fields.GetFieldText(kCoefficientBId), "0.261");
    EXPECT_EQ(fields.GetFieldText(kCoefficientCId), "0.696");
    EXPECT_EQ(calibration.set.rowCount, 4);
}

TEST(RunCalibration, WorkedExampleLogBlock)
{
    HeadlessFields fields;
    Type(fields, kWorkedExample);
    Calibration calibration;
    RunLog log = RunLog::ToMemory();
    RunTest(fields, calibration, log);

    EXPECT_EQ(log.Text(),
              "\n\n\n*** Executing Run ***"
              "\n\n~~~~ USING LINEAR MODE ~~~~\n"
              "\n\n*** DATA TO USE FOR THIS RUN ITERATION ***\n"
              "Number of measurements: 4\n"
              "Using CFM entries on screen\n"
              "\n====================================================================\n"
              "============= Result of Linear Fit for Kings Equation ==============\n"
              "================  Response = a + b * (flow ^ c) ====================\n"
              "====================================================================\n\n"
              "Fit Coefficients: a = 1.000  b = 0.261   c = 0.696\n"
              " => Indx  0, MAF(g/s) = 0.00,  resp = 1.00, resp_fit = 1.00\n"
              " => Indx  1, MAF(g/s) = 5.00,  resp = 1.80, resp_fit = 1.80\n"
              " => Indx  2, MAF(g/s) = 10.00,  resp = 2.30, resp_fit = 2.30\n"
              " => Indx  3, MAF(g/s) = 20.00,  resp = 3.10, resp_fit = 3.10\n"
              "***************************** END OF RUN ***************************\n\n");
}

TEST(RunCalibration, UnitLineFollowsTheFlowUnitIndex)
{
    struct Case
    {
        int flowUnit;
        const char* line;
    } const cases[] = {
        {0, "Using CFM entries on screen\n"},
        {1, "  Note: Using CFM conversion from userdef.cfg file...\n"},
        {2, "Using direct g/s entries on screen\n"},
        {3, "Using LFE Conversion 169 CFM/8 InHg\n"},
        {-1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flowUnit);
        HeadlessFields fields;
        Type(fields, {{"1", "1"}, {"2", "2"}, {"3", "3"}}, c.flowUnit);
        Calibration calibration;
        RunLog log = RunLog::ToMemory();
        RunCalibration(fields, calibration, log);
        const std::string header = ResultBlockHeader(3, c.line);
        EXPECT_NE(log.Text().find(header), std::string::npos) << log.Text();
    }
}

TEST(RunCalibration, FirstRunWithoutRowsLogsBannerAndEndLineOnOneLine)
{
    HeadlessFields fields;
    fields.SetListSelection(kFlowUnitListId, 0);
    fields.SetListSelection(kResponseKindListId, 0);
    Calibration calibration;
    RunLog log = RunLog::ToMemory();
    RunTest(fields, calibration, log);
    EXPECT_EQ(log.Text(), std::string("\n\n\n*** Executing Run ***") + kEndLine);
    EXPECT_EQ(calibration.set.rowCount, 1);
    EXPECT_EQ(fields.GetFieldText(kCoefficientAId), "");
    EXPECT_EQ(ResultOf(fields, 0), RowResult{});
}

TEST(RunCalibration, RunWithTwoRowsKeepsTheLastFitOnScreen)
{
    HeadlessFields fields;
    Type(fields, {{"0", "1.0"}, {"5", "1.8"}, {"10", "2.3"}, {"20", "3.1"}, {"40", "4.0"}});
    Calibration calibration;
    RunLog log = RunLog::ToMemory();
    RunCalibration(fields, calibration, log);
    const KingCoefficients fitted = calibration.coefficients;
    const RowResult row4 = ResultOf(fields, 4);
    const double fittedRow1 = calibration.set.fittedResponse[1];
    const std::string textB = fields.GetFieldText(kCoefficientBId);

    fields.SetFieldText(kRowControls[2].flow, "1"); // now only rows 0 and 1 rise
    RunLog second = RunLog::ToMemory();
    RunCalibration(fields, calibration, second);
    EXPECT_EQ(calibration.set.rowCount, 2);
    EXPECT_EQ(second.Text(), kEndLine);
    EXPECT_EQ(calibration.coefficients.a, fitted.a);
    EXPECT_EQ(calibration.coefficients.c, fitted.c);
    EXPECT_EQ(calibration.set.fittedResponse[1], fittedRow1);
    EXPECT_EQ(ResultOf(fields, 4), row4);
    EXPECT_EQ(fields.GetFieldText(kCoefficientBId), textB);
}

TEST(RunCalibration, ShorterRunClearsTheRowsNoLongerInUse)
{
    HeadlessFields fields;
    std::vector<Row> rows = {{"0", "1"},   {"1", "1.5"}, {"2", "1.9"}, {"3", "2.2"}, {"4", "2.4"},
                             {"5", "2.6"}, {"6", "2.8"}, {"7", "2.9"}, {"8", "3.0"}, {"9", "3.1"}};
    Type(fields, rows);
    Calibration calibration;
    RunLog log;
    RunCalibration(fields, calibration, log);
    EXPECT_EQ(calibration.set.rowCount, 10);
    fields.SetFieldText(kRowControls[3].flow, "0");
    RunCalibration(fields, calibration, log);
    EXPECT_EQ(calibration.set.rowCount, 3);
    for (std::size_t row = 3; row < kRowControls.size(); ++row)
        EXPECT_EQ(ResultOf(fields, row), RowResult{}) << row;
    EXPECT_EQ(calibration.set.typedFlow[9], 9.0); // typed rows stay for the settings file
}

TEST(RunCalibration, EmptiedFieldKeepsTheValueOfTheLastRun)
{
    HeadlessFields fields;
    Type(fields, {{"0", "1"}, {"1", "2"}, {"2", "3"}, {"3", "4"}, {"0", "0"}});
    Calibration calibration;
    RunLog log;
    RunCalibration(fields, calibration, log);
    EXPECT_EQ(calibration.set.rowCount, 4);
    fields.SetFieldText(kRowControls[3].flow, "");
    fields.SetFieldText(kRowControls[3].response, "abc");
    RunCalibration(fields, calibration, log);
    EXPECT_EQ(calibration.set.typedFlow[3], 3.0);
    EXPECT_EQ(calibration.set.typedResponse[3], 4.0);
    EXPECT_EQ(calibration.set.rowCount, 4);
}

TEST(RunCalibration, ReadsMeterTypeAndSelections)
{
    HeadlessFields fields;
    Type(fields, {{"36", "1"}}, 1, 1);
    fields.SetFieldText(kMeterTypeId, "  TYPE7 spare");
    Calibration calibration;
    RunLog log;
    RunCalibration(fields, calibration, log);
    EXPECT_EQ(calibration.set.meterType, "TYPE7");
    EXPECT_EQ(calibration.set.flowUnit, 1);
    EXPECT_EQ(calibration.set.responseKind, 1);
    EXPECT_DOUBLE_EQ(calibration.set.flowGs[0], 10.0);
}

TEST(RunCalibration, StepsRunInOrderOnEveryRun)
{
    std::vector<std::string> calls;
    RunLog log = RunLog::ToMemory();
    const RunSteps steps{
        [&] { calls.push_back("charts:" + log.Text().substr(log.Text().size() - 2)); },
        [&] { calls.push_back("settings"); }};
    HeadlessFields fields;
    Calibration calibration;
    RunTest(fields, calibration, log, steps);
    RunTest(fields, calibration, log, steps);
    const std::vector<std::string> expected = {"charts:\n\n", "settings", "charts:\n\n",
                                               "settings"};
    EXPECT_EQ(calls, expected);
}

TEST(RunCalibration, HostileFieldsStayDefined)
{
    HeadlessFields fields;
    const std::string huge(10000, '9');
    Type(fields, {{"-1e308", "1e308"}, {"1e999", "-5"}, {"nan", "x"}, {"", ""}});
    fields.SetFieldText(kRowControls[1].response, huge);
    fields.SetFieldText(kRowControls[2].flow, huge + "e5");
    fields.SetFieldText(kMeterTypeId, std::string(400, 'Q'));
    Calibration calibration;
    RunLog log = RunLog::ToMemory();
    RunTest(fields, calibration, log);
    EXPECT_EQ(calibration.set.meterType, std::string(299, 'Q'));
    EXPECT_EQ(calibration.set.rowCount, 2); // inf then inf: not rising
}

TEST(RunCalibration, NonFiniteResultsAreShownAsTheyAre)
{
    HeadlessFields fields;
    // Linear mode with row 2's response equal to row 0's: log(0) = -inf.
    Type(fields, {{"0", "1"}, {"5", "2"}, {"10", "1"}});
    Calibration calibration;
    RunLog log = RunLog::ToMemory();
    RunCalibration(fields, calibration, log);
    EXPECT_EQ(fields.GetFieldText(kCoefficientAId), "1.000");
    // The regression's sums hold -inf - -inf: intercept and slope are NaN.
    EXPECT_THAT(fields.GetFieldText(kCoefficientBId), testing::AnyOf("nan", "-nan"));
    EXPECT_THAT(fields.GetFieldText(kCoefficientCId), testing::AnyOf("nan", "-nan"));
}
