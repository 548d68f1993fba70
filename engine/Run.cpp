#include "Run.h"

#include "ControlIds.h"
#include "FieldAccess.h"
#include "FieldParsing.h"
#include "KingFit.h"
#include "NumberText.h"
#include "RunLog.h"

#include <cmath>

namespace tovarin {
namespace {

void ReadScreen(const IFieldAccess& fields, MeasurementSet& set)
{
    ReadMeterType(fields.GetFieldText(kMeterTypeId), set.meterType);
    for (std::size_t row = 0; row < kRowControls.size(); ++row) {
        ReadNumberField(fields.GetFieldText(kRowControls[row].flow), set.typedFlow[row]);
        ReadNumberField(fields.GetFieldText(kRowControls[row].response), set.typedResponse[row]);
    }
    set.flowUnit = fields.GetListSelection(kFlowUnitListId);
    set.responseKind = fields.GetListSelection(kResponseKindListId);
}

// Fills every row's result fields (empty below rowCount) and the coefficients.
void ShowResults(IFieldAccess& fields, Calibration& calibration)
{
    MeasurementSet& set = calibration.set;
    const KingCoefficients& k = calibration.coefficients;
    for (std::size_t row = 0; row < kRowControls.size(); ++row) {
        const RowControls& ids = kRowControls[row];
        if (static_cast<int>(row) >= set.rowCount) {
            fields.SetFieldText(ids.maf, "");
            fields.SetFieldText(ids.fit, "");
            fields.SetFieldText(ids.errorPct, "");
            continue;
        }
        fields.SetFieldText(ids.maf, FormatFixed(set.flowGs[row], 4, 2));
        const double fitted = KingResponse(set.flowGs[row], k);
        set.fittedResponse[row] = fitted;
        fields.SetFieldText(ids.fit, FormatFixed(fitted, 4, 2));
        // Relative to the fitted response: positive when the point lies above the curve.
        const double errorPct = (set.response[row] - fitted) / fitted * 100.0;
        fields.SetFieldText(ids.errorPct, FormatFixed(errorPct, 4, 2));
    }
    fields.SetFieldText(kCoefficientAId, FormatFixed(k.a, 4, 3));
    fields.SetFieldText(kCoefficientBId, FormatFixed(k.b, 4, 3));
    fields.SetFieldText(kCoefficientCId, FormatFixed(k.c, 4, 3));
}

void WriteResultBlock(RunLog& log, const Calibration& calibration)
{
    const MeasurementSet& set = calibration.set;
    const KingCoefficients& k = calibration.coefficients;
    log.Write("\n\n*** DATA TO USE FOR THIS RUN ITERATION ***\n");
    log.Write(FormatC("Number of measurements: %d\n", set.rowCount));
    log.Write(FlowUnitLogLine(set.flowUnit));
    log.Write("\n====================================================================\n");
    log.Write("============= Result of Linear Fit for Kings Equation ==============\n");
    log.Write("================  Response = a + b * (flow ^ c) ====================\n");
    log.Write("====================================================================\n\n");
    log.Write(FormatC("Fit Coefficients: a = %2.3f  b = %2.3f   c = %2.3f\n", k.a, k.b, k.c));
    for (std::size_t row = 0; row < static_cast<std::size_t>(set.rowCount); ++row)
        // " => Indx %2d, MAF(g/s) = %4.2f,  resp = %3.2f, resp_fit = %3.2f\n"
        log.Write(FormatC(" => Indx %2d, MAF(g/s) = ", static_cast<int>(row)) +
                  FormatFixed(set.flowGs[row], 4, 2) +
                  ",  resp = " + FormatFixed(set.response[row], 3, 2) +
                  ", resp_fit = " + FormatFixed(KingResponse(set.flowGs[row], k), 3, 2) + "\n");
}

} // namespace

bool HasUsableFit(const Calibration& calibration)
{
    const KingCoefficients& k = calibration.coefficients;
    return calibration.outcome.fitted && std::isfinite(k.a) && std::isfinite(k.b) &&
           std::isfinite(k.c);
}

const char* FlowUnitLogLine(int flowUnitIndex)
{
    // These words are what the log has always said for each unit; they do not
    // follow the units' labels, and stored logs are compared against them.
    const std::optional<FlowUnit> unit = FlowUnitAt(flowUnitIndex);
    if (!unit)
        return "";
    switch (*unit) {
    case FlowUnit::GramsPerSec:
        return "Using CFM entries on screen\n";
    case FlowUnit::KgPerHour:
        return "  Note: Using CFM conversion from userdef.cfg file...\n";
    case FlowUnit::LbsPerHour:
        return "Using direct g/s entries on screen\n";
    case FlowUnit::Scfm:
        return "Using LFE Conversion 169 CFM/8 InHg\n";
    }
    return "";
}

void RunCalibration(IFieldAccess& fields, Calibration& calibration, RunLog& log,
                    const RunSteps& steps)
{
    MeasurementSet& set = calibration.set;
    ReadScreen(fields, set);
    BuildRows(set);
    if (set.rowCount >= 3) {
        calibration.outcome = FitKing(set, calibration.coefficients, log);
        ShowResults(fields, calibration);
        if (log.IsOpen()) // rows nobody reads would be formatted for every file of a batch
            WriteResultBlock(log, calibration);
    }
    log.Write("***************************** END OF RUN ***************************\n\n");
    log.Flush(); // the block is on disk even if the program ends abnormally later
    if (steps.updateCharts)
        steps.updateCharts();
}

void RunTest(IFieldAccess& fields, Calibration& calibration, RunLog& log, const RunSteps& steps)
{
    // No line end: what the run writes next continues on this line.
    log.Write("\n\n\n*** Executing Run ***");
    RunCalibration(fields, calibration, log, steps);
    if (steps.saveSettings)
        steps.saveSettings();
}

} // namespace tovarin
