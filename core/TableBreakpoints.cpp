#include "TableBreakpoints.h"

#include <algorithm>

namespace tovarin {

TableBreakpoints::TableBreakpoints(const Reduction& lastRun, const OutputParameters& output)
    : m_model(ChosenModel(lastRun)), m_factor(OutputUnitFactor(output.outputFlowUnit)),
      m_wordType(output.wordType), m_wordScale(output.wordScale),
      m_step((output.responseMax - output.responseMin) /
             (static_cast<double>(output.pointCount) - 1.0)),
      m_response(output.responseMin), m_left(std::max(output.pointCount, 0)),
      m_pExplicit(output.breakpoints.empty() ? nullptr : &output.breakpoints)
{
    if (m_pExplicit)
        m_left = static_cast<int>(std::min(m_pExplicit->size(), static_cast<std::size_t>(m_left)));
}

bool TableBreakpoints::Next(TableBreakpoint& point)
{
    if (m_left == 0)
        return false;
    --m_left;
    if (m_pExplicit)
        m_response = (*m_pExplicit)[m_next++];
    const double flowGs = ModelFlow(m_model, m_response);
    // Half up for the non-negative flows that occur: 56.5 -> 57, 56.49 -> 56.
    const TableWord word = MakeWord(flowGs * m_factor, m_wordType, m_wordScale);
    point = {m_response, flowGs, word.value, word.saturated};
    // Responses accumulate by repeated addition of the step, not min + i * step:
    // tables generated before rely on the exact same words.
    m_response += m_step;
    return true;
}

} // namespace tovarin
