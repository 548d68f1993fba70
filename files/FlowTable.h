#pragma once
// The flow factor table: assembler "DW" words of the air flow that the last
// fit gives for evenly spaced responses from response min to response max,
// scaled to the output unit and rounded half up. CR LF line ends.

#include "LineSink.h"

namespace tovarin {

// Factor from g/s to the output unit; 1 for g/sec and any unknown index.
double OutputUnitFactor(int outputFlowUnit);

// One flow word of the table: the response it stands for, the fitted flow
// there in g/s, and the word: trunc(flow * factor + 0.5), saturated to the
// int range, NaN to 0.
struct TableBreakpoint
{
    double response;
    double flowGs;
    int word;
};

// The flow words of the table, one at a time in table order, exactly as the
// table writes them (the Freq range words before and after are not flows).
class TableBreakpoints
{
  public:
    TableBreakpoints(const Calibration& lastRun, const OutputParameters& output);
    // The next word; false after the last.
    bool Next(TableBreakpoint& point);

  private:
    KingCoefficients m_coefficients;
    double m_factor; // g/s to the output unit
    double m_step;
    double m_response;
    int m_left; // words still to come
};

// Writes the whole table from the last run's coefficients, response kind and
// meter type. Stops at the first line the sink refuses and returns false.
bool WriteFlowTable(const Calibration& lastRun, const OutputParameters& output,
                    const LineSink& sink);

} // namespace tovarin
