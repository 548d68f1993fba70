#include "Run.h"

#include "RunLog.h"
#include "WorkedExample.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace tovarin;

namespace {

const std::string kEndLine =
    "***************************** END OF RUN ***************************\n\n";

} // namespace

TEST(RunTest, LineFiveNamesTheFlowUnitIndex)
{
    // The words stored logs are compared against; they do not follow the labels.
    const std::pair<int, std::string> cases[] = {
        {0, "Using CFM entries on screen\n"},
        {1, "  Note: Using CFM conversion from userdef.cfg file...\n"},
        {2, "Using direct g/s entries on screen\n"},
        {3, "Using LFE Conversion 169 CFM/8 InHg\n"},
        {-1, ""}};
    for (const auto& [flowUnit, line] : cases) {
        HeadlessFields fields = worked::Screen({{"1", "1"}, {"2", "2"}, {"3", "3"}}, flowUnit);
        Calibration calibration;
        RunLog log = RunLog::ToMemory();
        RunCalibration(fields, calibration, log);
        const std::string head = "Number of measurements: 3\n" + line + "\n=";
        EXPECT_NE(log.Text().find(head), std::string::npos) << flowUnit;
    }
}

TEST(RunTest, RunsWithoutAFitChangeOnlyTheTable)
{
    // A first run on an empty screen: the banner and the end line share a line.
    // The steps close every run, the charts after the end line.
    HeadlessFields empty = worked::Screen({});
    Calibration first;
    RunLog log = RunLog::ToMemory();
    std::vector<std::string> calls;
    const RunSteps steps{[&] { calls.push_back("charts after " + log.Text().substr(23)); },
                         [&] { calls.push_back("settings"); }};
    RunTest(empty, first, log, steps);
    EXPECT_EQ(log.Text(), "\n\n\n*** Executing Run ***" + kEndLine);
    EXPECT_EQ(calls, std::vector<std::string>({"charts after *" + kEndLine, "settings"}));
    EXPECT_EQ(first.set.rowCount, 1);
    EXPECT_EQ(empty.GetFieldText(kCoefficientAId), "");

    // After a fit of five rows, a run of two keeps every field and the old fit.
    HeadlessFields fields =
        worked::Screen({{"0", "1.0"}, {"5", "1.8"}, {"10", "2.3"}, {"20", "3.1"}, {"40", "4.0"}});
    Calibration calibration;
    RunCalibration(fields, calibration, log);
    const Calibration fitted = calibration;
    const std::vector<std::string> row4 = worked::ResultFields(fields, 4);
    fields.SetFieldText(kRowControls[2].flow, "1");
    RunLog second = RunLog::ToMemory();
    RunCalibration(fields, calibration, second);
    EXPECT_EQ(calibration.set.rowCount, 2);
    EXPECT_EQ(second.Text(), kEndLine);
    EXPECT_EQ(calibration.coefficients.c, fitted.coefficients.c);
    EXPECT_EQ(calibration.set.fittedResponse, fitted.set.fittedResponse);
    EXPECT_EQ(worked::ResultFields(fields, 4), row4);
}

TEST(RunTest, ReadsTheScreenByTheFieldRules)
{
    HeadlessFields fields = worked::Screen({{"36", "1"}, {"72", "2"}, {"108", "3"}}, 1, 1);
    fields.SetFieldText(kMeterTypeId, "  TYPE7 spare");
    Calibration calibration;
    RunLog log;
    RunCalibration(fields, calibration, log);
    EXPECT_EQ(calibration.set.meterType, "TYPE7");
    EXPECT_EQ(calibration.set.flowUnit, 1);
    EXPECT_EQ(calibration.set.responseKind, 1);
    EXPECT_DOUBLE_EQ(calibration.set.flowGs[0], 10.0);

    // An emptied or unreadable field keeps the row's last value.
    fields.SetFieldText(kRowControls[2].flow, "");
    fields.SetFieldText(kRowControls[2].response, "abc");
    RunCalibration(fields, calibration, log);
    EXPECT_EQ(calibration.set.typedFlow[2], 108.0);
    EXPECT_EQ(calibration.set.typedResponse[2], 3.0);
    EXPECT_EQ(calibration.set.rowCount, 3);
}

TEST(RunTest, HostileAndNonFiniteInputStaysDefined)
{
    HeadlessFields hostile = worked::Screen({{"-1e308", "1e308"}, {"1e999", "-5"}, {"nan", "x"}});
    hostile.SetFieldText(kRowControls[1].response, std::string(10000, '9'));
    hostile.SetFieldText(kMeterTypeId, std::string(400, 'Q'));
    Calibration calibration;
    RunLog log = RunLog::ToMemory();
    RunTest(hostile, calibration, log);
    EXPECT_EQ(calibration.set.meterType, std::string(299, 'Q'));
    EXPECT_EQ(calibration.set.rowCount, 2); // "nan" does not read: row 2 keeps 0

    // Linear mode with row 2's response equal to row 0's: log(0) = -inf, and
    // the regression's sums hold -inf - -inf, so b and c are NaN and shown so.
    HeadlessFields fields = worked::Screen({{"0", "1"}, {"5", "2"}, {"10", "1"}});
    RunCalibration(fields, calibration, log);
    EXPECT_EQ(fields.GetFieldText(kCoefficientAId), "1.000");
    EXPECT_THAT(fields.GetFieldText(kCoefficientBId), testing::AnyOf("nan", "-nan"));
    EXPECT_THAT(fields.GetFieldText(kCoefficientCId), testing::AnyOf("nan", "-nan"));
}
