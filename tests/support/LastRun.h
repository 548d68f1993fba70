#pragma once
// A reduction as the last run left it, for the output writers' tests.

#include "Reduce.h"

inline tovarin::Reduction LastRun(tovarin::KingCoefficients k, int responseKind = 0,
                                  const char* meterType = "")
{
    tovarin::Reduction run;
    run.coefficients = k;
    run.set.responseKind = tovarin::ResponseKindAt(responseKind);
    run.set.meterType = meterType;
    return run;
}
