#pragma once
// The calibration core: the model and its analysis, without any toolkit,
// screen or file.
//
// A run is one call: Reduce(RunInput) takes the typed rows as numbers with
// the flow unit, the response kind and the meter type (Units holds every
// fact of the units and kinds), ends the table and converts the flows to g/s
// (BuildRows, FlowToGs), fits King's equation (FitKing: a straight line
// through the logarithms, or Levenberg-Marquardt with a second start) and
// returns the Reduction. The analysis judges a Reduction: AssessFit measures
// it in response and in flow (FitQuality), CheckFlowTable walks the table the
// OutputParameters give word by word (TableBreakpoints) as the controller
// reads it, JudgeCalibration turns both into the Verdict's checks with the
// flow uncertainty (Uncertainty) or, given the laboratory's inputs, the
// uncertainty budget (UncertaintyBudget: linear through refits, checked by
// BudgetMonteCarlo), and CompareCalibrations gives the drift against an
// earlier calibration (Drift).
//
// Worked flow: rows (0, 1.0), (5, 1.8), (10, 2.3), (20, 3.1) in g/s and volts
// with a 0 flow in row 4 -> Reduce: rowCount 4, tableEnd FlowNotGreater,
// linear mode (the first flow is below 0.0001 g/s), a = 1, b = 0.2609,
// c = 0.6962 -> JudgeCalibration with 0 to 5 V, 1024 points: the checks.

#include "Drift.h"
#include "FitQuality.h"
#include "King.h"
#include "KingFit.h"
#include "MeasurementSet.h"
#include "NumberText.h"
#include "OutputParameters.h"
#include "Reduce.h"
#include "TableBreakpoints.h"
#include "TableCheck.h"
#include "Uncertainty.h"
#include "Units.h"
