#pragma once
// The application and its window, the only code that uses Qt.
//
// CReducerApp starts the toolkit and runs CReducerDlg modally. The dialog
// lays out the controls of DialogTemplate, implements IFieldAccess for the
// run, IFilePlatform (through QtFilePlatform) for the output commands and
// IChartParent for its two CChart objects, which draw on a QtCanvas whenever
// the window paints.

#include "DialogTemplate.h"
#include "QtCanvas.h"
#include "QtFilePlatform.h"
#include "ReducerApp.h"
#include "ReducerDlg.h"
