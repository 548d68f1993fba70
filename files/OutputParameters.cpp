#include "OutputParameters.h"

#include "ControlIds.h"
#include "FieldAccess.h"
#include "FieldParsing.h"

namespace tovarin {

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
