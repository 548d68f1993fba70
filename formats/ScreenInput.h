#pragma once
// What the window's typed fields say, read by the field grammar: a text
// that does not convert keeps the value it replaces, without a message
// (FieldParsing.h). The window gathers the texts; these turn them into the
// run's input and the output parameters.

#include "MeasurementSet.h"
#include "OutputParameters.h"

#include <array>
#include <string>

namespace tovarin {

struct ScreenTexts
{
    std::array<std::string, kMaxRows> flow, response;
    std::string meterType;
    int flowUnit = -1;     // list index, -1 without selection
    int responseKind = -1; // list index, -1 without selection
};

// The meter type's first word, the 19 rows ("%lf" each) and both selections.
RunInput ReadRunInput(const ScreenTexts& screen, RunInput previous);

struct OutputTexts
{
    std::string responseMin, responseMax, pointCount;
    int outputFlowUnit = -1; // list index
};

// "%lf", "%lf", "%d" and the selection; `stored` gives the values kept.
OutputParameters ReadOutputParameters(const OutputTexts& screen, OutputParameters stored);

} // namespace tovarin
