#pragma once
// The application and its window, the only code that uses Qt.
//
// CReducerApp starts the toolkit and runs CReducerDlg modally. The dialog
// lays out the controls of DialogTemplate (their ids in ControlIds.h). A
// run reads the typed fields into a RunInput (formats' ReadRunInput), calls
// the core's Reduce and writes the formatted Reduction back; the dialog
// implements IFilePlatform (through QtFilePlatform) for the output commands
// and IChartParent for its two CChart objects, which draw on a QtCanvas
// whenever the window paints.
//
// Worked flow: "Run Test" -> TypedTexts -> ReadRunInput -> Reduce ->
// FormatResultFields into the fields, RunLogBlock into the log, UpdateCharts,
// SaveSettings, then the verdict in the status strip.

#include "DialogTemplate.h"
#include "QtCanvas.h"
#include "QtFilePlatform.h"
#include "ReducerApp.h"
#include "ReducerDlg.h"
