#pragma once
// What a headless run shows, gathered from the result fields, and its two
// printed forms: a readable table and one JSON object.

#include "FieldAccess.h"
#include "Run.h"
#include "TableCheck.h"

#include <string>
#include <vector>

namespace tovarin {

enum class RunMode
{
    None,
    Linear,
    NonLinear
};

struct RowTexts
{
    std::string maf, fit, error; // the row's result fields, as the window shows them
};

struct RunResult
{
    int rowCount = 0;
    RunMode mode = RunMode::None;
    KingCoefficients coefficients;
    bool coefficientsFinite = false;
    std::string a, b, c;        // the coefficient fields' texts
    std::vector<RowTexts> rows; // rows in use
    std::string meterType;
    int flowUnit = 0;
    int responseKind = 0;
};

RunResult CollectRunResult(const IFieldAccess& fields, const Calibration& calibration);

// Both forms carry the verdict of `calibration`: the table a flow error
// column and the verdict block, the JSON the verdict's members.
std::string FormatRunTable(const RunResult& run, const Calibration& calibration,
                           const Verdict& verdict);
std::string FormatRunJson(const RunResult& run, const Calibration& calibration,
                          const Verdict& verdict, const std::string& moreMembers = "");

} // namespace tovarin
