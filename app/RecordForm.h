#pragma once
// The small form that asks who and what a calibration record is for: serial,
// operator, reference standard, conditions and note. The answers are
// remembered between starts in the user's own Qt settings, never in the
// program's settings file.

#include "CalibrationRecord.h"

#include <optional>

class QWidget;

namespace tovarin {

// The form, filled with the last answers; empty on Cancel. The date and the
// program are not asked.
std::optional<RecordIdentity> AskRecordIdentity(QWidget* owner);

} // namespace tovarin
