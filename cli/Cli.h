#pragma once
// tovarin-reduce, the calibration run without a window.
//
// ParseReduceOptions (Options.h) checks every option before anything is read.
// ParseRowInput (RowInput.h) reads the measurement rows of a bench or
// spreadsheet file. RunReduceCommand (ReduceCommand.h) types those rows into a
// HeadlessFields screen, runs the engine's RunTest exactly as the window does,
// judges the fit (the files library's verdict), compares it with a previous
// calibration read by ReadPreviousCalibration (PreviousCalibration.h, over
// the small JsonReader), writes the outputs through the safe writer, and
// hands back the texts and the exit code. RunReduceProgram (Batch.h) runs one
// file that way, or a batch of them on worker threads, whose results
// OrderedOutput (OrderedOutput.h) prints in input order; main.cpp only
// connects it to the standard streams.

#include "Batch.h"
#include "JsonReader.h"
#include "Options.h"
#include "OrderedOutput.h"
#include "PreviousCalibration.h"
#include "ReduceCommand.h"
#include "RowInput.h"
