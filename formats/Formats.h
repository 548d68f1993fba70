#pragma once
// Text formats: every text of a run is a pure function of its Reduction,
// and every reader of what users and earlier runs wrote turns text into
// values. No files, no toolkit.
//
// In: ReadRunInput and ReadOutputParameters (ScreenInput.h) read the
// window's field texts by the field grammar (FieldParsing.h);
// ParseTabularText (TabularText.h) reads bench files and pasted blocks,
// ParseRowInput (RowInput.h) their rows; ParseSettings the settings file;
// ReadPreviousCalibration an earlier --json object or record (JsonReader.h).
// Out: FormatResultFields and RunLogBlock (ResultFields.h) the window's 60
// result fields and the run log; FormatRunTable and FormatRunJson
// (ResultText.h, with VerdictText.h) the command's two forms; BatchText a
// batch's line and summary row; FormatSettings the settings file;
// WriteFlowTable and WriteHtmlReport the table and report (LineSink.h),
// WriteTable the table in its other layouts (TableFormats.h); ModelText the
// models' JSON, comparison and run log line;
// FormatCalibrationRecord the record (its uncertainty in RecordUncertainty);
// BudgetText the uncertainty budget's JSON and readable line, BudgetInputText
// its inputs as typed; VerdictSummary the window's status
// strip and tooltips. Numbers are written and read in C-locale notation.
//
// Worked flow: the window's texts "0" / "1.0" ... -> ReadRunInput -> core's
// Reduce -> FormatResultFields: "0.00", "1.00", "0.00", ..., A "1.000".

#include "BatchText.h"
#include "BudgetInputText.h"
#include "BudgetText.h"
#include "CalibrationRecord.h"
#include "FieldParsing.h"
#include "FieldText.h"
#include "FlowTable.h"
#include "HtmlReport.h"
#include "JsonReader.h"
#include "JsonText.h"
#include "LineSink.h"
#include "ModelText.h"
#include "PreviousCalibration.h"
#include "RecordUncertainty.h"
#include "ResultFields.h"
#include "ResultText.h"
#include "RowInput.h"
#include "ScreenInput.h"
#include "Settings.h"
#include "TableFormats.h"
#include "TabularText.h"
#include "VerdictSummary.h"
#include "VerdictText.h"
#include "Version.h"
