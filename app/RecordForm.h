#pragma once
// The small form that asks who and what a calibration record is for: serial,
// operator, reference standard, conditions and note, and optionally the
// previous calibration of the sensor (a record or --json output) to show the
// drift against. Operator, reference and conditions are remembered between
// starts in the user's own Qt settings (never in the program's settings
// file); the serial and the note belong to one sensor and are not. The
// uncertainty budget's inputs (the laboratory's reference, meter, resolution,
// CMC and decision rule) are remembered the same way under budget/; an empty
// field is not stated.

#include "CalibrationRecord.h"

#include <optional>

class QWidget;

namespace tovarin {

struct RecordRequest
{
    RecordIdentity identity;
    std::string previousCalibration{}; // a path; empty for no drift
    BudgetInputs budget{};             // none given: the record states the scatter only
};

// The form, filled with the last answers; empty on Cancel. The date and the
// program are not asked.
std::optional<RecordRequest> AskRecordIdentity(QWidget* owner);

} // namespace tovarin
