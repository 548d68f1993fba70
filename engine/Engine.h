#pragma once
// The calibration engine, without any windowing toolkit.
//
// MeasurementSet holds the 19 typed rows and what a run derives from them.
// A run (RunTest / RunCalibration) reads the window's fields through
// IFieldAccess with ReadNumberField and ReadMeterType, ends the table and
// converts flows to g/s (BuildRows, FlowToGs), fits King's equation
// (FitKing: linear log-log regression or Levenberg-Marquardt), writes the
// result texts back through IFieldAccess and appends its block to the RunLog.
// KingResponse and KingFlow evaluate the fitted curve for the charts and the
// output files. FitQuality measures the last fit in response and in flow.
// All numbers pass through FormatC / ParseDoubleC, so texts use a
// decimal point whatever the process locale.

#include "ControlIds.h"
#include "FieldAccess.h"
#include "FieldParsing.h"
#include "FieldText.h"
#include "FitQuality.h"
#include "HeadlessFields.h"
#include "King.h"
#include "KingFit.h"
#include "Markup.h"
#include "MeasurementSet.h"
#include "NumberText.h"
#include "PastedBlock.h"
#include "Run.h"
#include "RunLog.h"
#include "Version.h"
