#pragma once
// The flow words of the flow factor table, one at a time in table order,
// exactly as the table writes them: the flow the chosen model gives at evenly spaced
// responses from response min to response max, or at the explicit
// breakpoints, scaled to the output unit and rounded half up. The table writer and the table check
// both walk them.

#include "OutputParameters.h"
#include "Reduce.h"

namespace tovarin {

// One flow word of the table: the response it stands for, the fitted flow
// there in g/s, and the word in the output's word type (TableWords.h).
struct TableBreakpoint
{
    double response;
    double flowGs;
    double word;
    bool saturated;
};

// The Freq range words before and after the flows are not breakpoints.
class TableBreakpoints
{
  public:
    TableBreakpoints(const Reduction& lastRun, const OutputParameters& output);
    // The next word; false after the last.
    bool Next(TableBreakpoint& point);

  private:
    FlowModel m_model;
    double m_factor; // g/s to the output unit
    WordType m_wordType;
    double m_wordScale;
    double m_step;
    double m_response;
    int m_left;                             // words still to come
    const std::vector<double>* m_pExplicit; // the explicit breakpoints, or null
    std::size_t m_next = 0;                 // index of the next explicit one
};

} // namespace tovarin
