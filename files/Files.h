#pragma once
// Files and reports, without any windowing toolkit.
//
// Settings: SaveSettings writes the typed rows, the selections and the meter
// type to "tovarin.cfg" after every run (atomically, via AtomicFile);
// LoadSettings restores them at start-up and gives OutputParameters their
// start-up values. Outputs: GenerateOutputFile and GenerateHtmlInfo read
// OutputParameters from the window through IFieldAccess, ask IFilePlatform
// for a path, and write the lines of WriteFlowTable (CR LF "DW" words) or
// WriteHtmlReport (LF) through WriteFileAtomically. Every failure is a
// FileResult naming the path and the system's reason. The verdict:
// JudgeCalibration combines the fit's quality (engine's FitQuality) with
// CheckFlowTable, which walks the table word by word as the controller reads
// it, into the checks; VerdictSummary words it for the window, ResultText and
// VerdictText for the command. Uncertainty propagates the coefficients'
// covariance to the flow, Drift compares two calibrations, and
// CalibrationRecord writes the self-contained record page (its charts drawn
// by the chart library as SVG). ReadFile reads a user's file, reporting why
// it cannot. The writers evaluate the last
// fit with KingFlow and take everything else from the last run's table.

#include "AtomicFile.h"
#include "CalibrationRecord.h"
#include "Drift.h"
#include "FilePlatform.h"
#include "FileResult.h"
#include "FlowTable.h"
#include "HtmlReport.h"
#include "JsonText.h"
#include "LineSink.h"
#include "OutputCommands.h"
#include "OutputParameters.h"
#include "ReadFile.h"
#include "ResultText.h"
#include "Settings.h"
#include "TableCheck.h"
#include "Uncertainty.h"
#include "VerdictSummary.h"
#include "VerdictText.h"
