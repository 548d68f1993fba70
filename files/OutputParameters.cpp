#include "OutputParameters.h"

#include "ControlIds.h"
#include "FieldAccess.h"
#include "FieldParsing.h"
#include "MeasurementSet.h"

namespace tovarin {

std::optional<OutputFlowUnit> OutputFlowUnitAt(int index)
{
    if (index < 0 || index >= kOutputFlowUnitCount)
        return std::nullopt;
    return static_cast<OutputFlowUnit>(index);
}

OutputParameters StartupOutputParameters(int responseKind, OutputParameters given)
{
    if (const std::optional<ResponseKind> kind = ResponseKindAt(responseKind)) {
        given.responseMin = 0.0;
        given.responseMax = *kind == ResponseKind::Volts ? 5.0 : 15000.0;
    }
    given.pointCount = 1024;
    return given;
}

const char* OutputFlowUnitLabel(OutputFlowUnit unit)
{
    switch (unit) {
    case OutputFlowUnit::TenMgPerSec:
        return "10*mg/sec";
    case OutputFlowUnit::MgPerSec:
        return "mg/sec";
    case OutputFlowUnit::GPerSec:
        return "g/sec";
    case OutputFlowUnit::KgPerHour:
        return "kg/hr";
    }
    return "";
}

void ReadOutputParameters(const IFieldAccess& fields, OutputParameters& stored)
{
    ReadNumberField(fields.GetFieldText(kResponseMinId), stored.responseMin);
    ReadNumberField(fields.GetFieldText(kResponseMaxId), stored.responseMax);
    ReadIntField(fields.GetFieldText(kPointCountId), stored.pointCount);
    stored.outputFlowUnit = fields.GetListSelection(kOutputUnitListId);
}

} // namespace tovarin
