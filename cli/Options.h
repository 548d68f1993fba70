#pragma once
// Command-line options of tovarin-reduce. Every option is checked here, before
// anything is read or written.

#include "CalibrationRecord.h"
#include "RowInput.h"
#include "TableCheck.h"
#include "TableFormats.h"
#include "UncertaintyBudget.h"
#include "Units.h"

#include <optional>
#include <string>
#include <vector>

namespace tovarin {

struct ReduceOptions
{
    std::optional<std::string> inputPath; // rows; "-" is standard input; the first of a batch
    // A batch: two or more input files, or --files-from.
    std::vector<std::string> inputPaths;
    std::optional<std::string> filesFromPath; // one path a line; "-" is standard input
    std::optional<int> jobs;                  // worker threads of a batch
    std::optional<std::string> summaryPath;   // one CSV row per file of a batch
    std::optional<std::string> settingsPath;
    std::optional<FlowUnit> flowUnit;
    std::optional<ResponseKind> responseKind;
    std::optional<std::string> meterType;
    std::optional<double> responseMin; // volts or hertz
    std::optional<double> responseMax;
    std::optional<int> pointCount;
    std::vector<double> breakpoints;            // --breakpoints, strictly ascending
    std::optional<std::string> breakpointsPath; // --breakpoints @FILE
    std::optional<OutputFlowUnit> outputFlowUnit;
    std::optional<ColumnChoice> columns;
    std::optional<std::string> logPath;
    std::optional<std::string> saveSettingsPath;
    std::optional<std::string> tablePath;
    TableFormat tableFormat = TableFormat::Dw; // --table-format
    std::optional<int> placeBreakpoints;       // --place-breakpoints N
    WordType wordType = WordType::Int;         // --word
    double wordScale = 1.0;                    // --word-scale
    bool byteSplit = false;                    // --byte-split
    std::optional<std::string> axisPath;       // --axis: the breakpoints as DW lines
    double axisScale = 1.0;                    // --axis-scale
    std::optional<std::string> reportPath;     // each of the five outputs: "-" is standard output
    std::optional<std::string> recordPath;     // the calibration record
    RecordIdentity identity; // --serial, --operator, --reference, --conditions, --note
    std::optional<std::string> previousPath;
    std::optional<double> maxDriftPct;
    BudgetInputs
        budget; // --u-reference, --u-response, --resolution, --cmc, --mc-trials, --decision-rule
    ModelChoice model = ModelChoice::King; // --model
    bool compareModels = false;            // --compare-models
    bool json = false;
    bool check = false;         // exit 4 when a check fails
    CheckThresholds thresholds; // --idle-flow, --max-flow-error, --max-word, --max-table-error
    bool help = false;
    bool version = false;

    bool IsBatch() const { return inputPaths.size() > 1 || filesFromPath.has_value(); }
};

struct ParsedOptions
{
    ReduceOptions options;
    std::optional<std::string> error; // the reason, when the options are unusable
};

// Also refuses combinations: more than one output to standard output, or one
// there together with --json.
ParsedOptions ParseReduceOptions(const std::vector<std::string>& args);

extern const char* const kReduceUsage;

// The reason a --meter value is not one word of at most 299 bytes.
std::optional<std::string> CheckMeterType(const std::string& word);

} // namespace tovarin
