#pragma once
// A calibration as the last run left it, for the output writers' tests.

#include "Run.h"

inline tovarin::Calibration LastRun(tovarin::KingCoefficients k, int responseKind = 0,
                                    const char* meterType = "")
{
    tovarin::Calibration run;
    run.coefficients = k;
    run.set.responseKind = responseKind;
    run.set.meterType = meterType;
    return run;
}
