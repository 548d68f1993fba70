#pragma once
// Files, without any windowing toolkit: everything that touches the disk.
//
// WriteFileAtomically (AtomicFile.h) replaces a user's file safely: a
// temporary beside it, renamed when complete. ReadWholeFile (ReadFile.h)
// reads a user's file. Every failure is a FileResult naming the path and the
// system's reason. RunLog is the run log stream; SettingsFile loads and saves
// "tovarin.cfg" (its text is formats' Settings); OutputCommands are the
// window's "Generate Output File" and "Generate HTML Info", which ask
// IFilePlatform for a path and write the formats' flow table or report;
// CompareWithPrevious (PreviousCalibrationFile.h) reads an earlier
// calibration and gives the drift; FindPathClash finds outputs that would
// overwrite each other or an input before anything is written.
//
// Worked flow: "Generate Output File" with a fit -> AskSavePath ->
// WriteToString(WriteFlowTable, ...) -> WriteFileAtomically -> the table on
// disk, or "File Cannot Be Opened", the path and the reason.

#include "AtomicFile.h"
#include "FilePlatform.h"
#include "FileResult.h"
#include "OutputCommands.h"
#include "PathClash.h"
#include "PreviousCalibrationFile.h"
#include "ReadFile.h"
#include "RunLog.h"
#include "SettingsFile.h"
