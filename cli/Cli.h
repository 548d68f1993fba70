#pragma once
// tovarin-reduce, the calibration run without a window.
//
// ParseReduceOptions (Options.h) checks every option before anything is read.
// ReduceInput (ReduceCommand.h) reads the settings file and the rows of a
// bench or spreadsheet file (formats' ParseRowInput) into a RunInput, calls
// the core's Reduce, judges the Reduction, compares it with a previous
// calibration, writes the outputs through the safe writer and hands back the
// texts, the exit code and the Reduction. RunReduceProgram (Batch.h) runs one
// file that way, or a batch of them on worker threads with the options
// parsed once, each file's line and summary row formatted from its own
// Reduction (formats' BatchText); OrderedOutput (OrderedOutput.h) prints
// them in input order; main.cpp only connects it to the standard streams.
//
// Worked flow: `tovarin-reduce --json samples/worked-example.csv` -> options
// -> four rows typed into a RunInput -> Reduce -> JudgeCalibration ->
// FormatRunJson -> standard output, exit 0.

#include "Batch.h"
#include "Options.h"
#include "OrderedOutput.h"
#include "ReduceCommand.h"
