#pragma once
// tovarin-reduce, the calibration run without a window.
//
// ParseReduceOptions (Options.h) checks every option before anything is read.
// ParseRowInput (RowInput.h) reads the measurement rows of a bench or
// spreadsheet file. RunReduceCommand (ReduceCommand.h) types those rows into a
// HeadlessFields screen, runs the engine's RunTest exactly as the window does,
// writes the outputs through the files library's safe writer, and hands back
// the texts and the exit code; CollectRunResult and its formatters
// (ResultText.h) turn the result fields into the readable table or JSON.
// main.cpp only moves the texts to the standard streams.

#include "Options.h"
#include "ReduceCommand.h"
#include "ResultText.h"
#include "RowInput.h"
