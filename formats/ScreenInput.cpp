#include "ScreenInput.h"

#include "FieldParsing.h"

namespace tovarin {

RunInput ReadRunInput(const ScreenTexts& screen, RunInput previous)
{
    ReadMeterType(screen.meterType, previous.meterType);
    for (std::size_t row = 0; row < kMaxRows; ++row) {
        ReadNumberField(screen.flow[row], previous.typedFlow[row]);
        ReadNumberField(screen.response[row], previous.typedResponse[row]);
    }
    previous.flowUnit = FlowUnitAt(screen.flowUnit);
    previous.responseKind = ResponseKindAt(screen.responseKind);
    return previous;
}

OutputParameters ReadOutputParameters(const OutputTexts& screen, OutputParameters stored)
{
    ReadNumberField(screen.responseMin, stored.responseMin);
    ReadNumberField(screen.responseMax, stored.responseMax);
    ReadIntField(screen.pointCount, stored.pointCount);
    stored.outputFlowUnit = OutputFlowUnitAt(screen.outputFlowUnit);
    return stored;
}

} // namespace tovarin
