#pragma once
// The "Run Test" command: read the screen into the measurement table, fit,
// write the result fields and the run log block, then let the window update
// its charts and save its settings.

#include "King.h"
#include "KingFit.h"
#include "MeasurementSet.h"

#include <functional>

namespace tovarin {

class IFieldAccess;
class RunLog;

// The program-wide state a run works on: the table and the last fit's
// coefficients (zero until the first fit).
struct Calibration
{
    MeasurementSet set;
    KingCoefficients coefficients;
    FitOutcome outcome; // of the last fit; `fitted` false until a run has fitted
};

// A fit the output files can be written from: one was made since start-up and
// its coefficients are all finite.
bool HasUsableFit(const Calibration& calibration);

// Steps that belong to other parts of the program and close a run.
struct RunSteps
{
    std::function<void()> updateCharts; // last step of every calibration
    std::function<void()> saveSettings; // after every calibration
};

// Reads the meter type, the 19 rows and both list selections, builds the
// table and, with 3 or more rows in use, fits and fills the result fields and
// the log's result block. With 1 or 2 rows nothing but the table changes.
// Always ends with the log's end line, then `steps.updateCharts`.
void RunCalibration(IFieldAccess& fields, Calibration& calibration, RunLog& log,
                    const RunSteps& steps = {});

// The whole command: the log banner, RunCalibration, then `steps.saveSettings`.
void RunTest(IFieldAccess& fields, Calibration& calibration, RunLog& log,
             const RunSteps& steps = {});

// Line 5 of a result block, by flow-unit index; empty for an unknown index.
const char* FlowUnitLogLine(int flowUnitIndex);

} // namespace tovarin
