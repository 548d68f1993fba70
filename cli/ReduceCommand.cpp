#include "ReduceCommand.h"

#include "AtomicFile.h"
#include "CalibrationRecord.h"
#include "FieldParsing.h"
#include "FlowTable.h"
#include "HtmlReport.h"
#include "PreviousCalibration.h"
#include "PreviousCalibrationFile.h"
#include "ReadFile.h"
#include "ResultText.h"
#include "RowInput.h"
#include "RunLog.h"
#include "SettingsFile.h"
#include "TableAxis.h"
#include "TableFormats.h"
#include "Utf8.h"
#include "Version.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <iterator>
#include <thread>

namespace tovarin {
namespace {

constexpr const char* kProgram = "tovarin-reduce";

} // namespace

FileReduction RefusedInput(const std::string& message)
{
    FileReduction refused;
    refused.exitCode = kExitBadInput;
    refused.messages = {message};
    refused.refused = true;
    return refused;
}

namespace {

FileResult ReadInput(const std::string& path, std::istream& standardInput, std::string& text)
{
    return path == "-" ? ReadStandardInput(standardInput, text) : ReadWholeFile(path, text);
}

std::string InputName(const std::string& path)
{
    return path == "-" ? "standard input" : path;
}

// Loads a settings file by the window's start-up rules; the command refuses
// indices the window's lists do not have, which the window would take silently.
std::optional<std::string> LoadSettingsInput(const std::string& path, RunInput& input)
{
    std::string probe; // a folder or an unreadable file would load nothing
    if (const FileResult readable = ReadWholeFile(path, probe); !readable.ok)
        return readable.Message();
    RunLog ignored;
    OutputParameters ignoredOutput;
    SavedScreen screen;
    std::string problem;
    LoadSettingsFile(path, screen, ignoredOutput, ignored, &problem);
    if (!problem.empty())
        return problem;
    if (!FlowUnitAt(screen.flowUnit))
        return path + ": flow unit index " + std::to_string(screen.flowUnit) +
               " is not one of 0 to 3";
    if (!ResponseKindAt(screen.responseKind))
        return path + ": response kind index " + std::to_string(screen.responseKind) +
               " is not 0 or 1";
    input = screen.Input();
    return std::nullopt;
}

// The rows as the engineer would type them into the window, which reads each
// field by the field grammar. Rows beyond the input repeat the last flow,
// which ends the table there whatever the flows' signs, and keep their
// responses (the settings file's, or 0): the settings file of the run holds
// exactly what the window's would.
void TypeRows(RunInput& input, const std::vector<InputRow>& rows)
{
    for (std::size_t row = 0; row < kMaxRows; ++row) {
        if (row < rows.size()) {
            ReadNumberField(rows[row].flowText, input.typedFlow[row]);
            ReadNumberField(rows[row].responseText, input.typedResponse[row]);
        } else if (!rows.empty()) {
            ReadNumberField(rows.back().flowText, input.typedFlow[row]);
        }
    }
}

// Says which input rows the end-of-table rule left out, and why.
std::optional<std::string> DroppedRowsNote(const std::string& inputName,
                                           const std::vector<InputRow>& rows, int rowCount)
{
    const auto firstDropped = static_cast<std::size_t>(rowCount);
    if (firstDropped >= rows.size())
        return std::nullopt;
    const InputRow& end = rows[firstDropped];
    return inputName + ":" + std::to_string(end.line) + ": the table ends at row " +
           std::to_string(rowCount) + ": its flow " + end.flowText +
           " is not greater than the flow before it (" + rows[firstDropped - 1].flowText +
           "); rows " + std::to_string(rowCount) + " to " + std::to_string(rows.size() - 1) +
           " (lines " + std::to_string(end.line) + " to " + std::to_string(rows.back().line) +
           ") are not used";
}

// The start-up output parameters of the response kind the run used (a
// settings file's own kind is overridden by --response), then the options.
OutputParameters ChooseOutputParameters(const ReduceOptions& options,
                                        const std::optional<ResponseKind>& responseKind)
{
    OutputParameters output = StartupOutputParameters(responseKind);
    output.responseMin = options.responseMin.value_or(output.responseMin);
    output.responseMax = options.responseMax.value_or(output.responseMax);
    output.pointCount = options.pointCount.value_or(output.pointCount);
    if (!options.breakpoints.empty()) { // the table spans them, a word at each
        output.breakpoints = options.breakpoints;
        output.responseMin = options.breakpoints.front();
        output.responseMax = options.breakpoints.back();
        output.pointCount = static_cast<int>(options.breakpoints.size());
    }
    if (options.outputFlowUnit)
        output.outputFlowUnit = options.outputFlowUnit;
    if (options.placeBreakpoints)
        output.pointCount = *options.placeBreakpoints;
    output.wordType = options.wordType;
    output.wordScale = options.wordScale;
    output.tableFormat = options.tableFormat;
    output.byteSplit = options.byteSplit;
    output.axisScale = options.axisScale;
    return output;
}

// The output parameters of a reduced run: with --place-breakpoints, the
// breakpoints placed on the chosen model.
OutputParameters OutputOfRun(const ReduceOptions& options, const Reduction& run)
{
    OutputParameters output = ChooseOutputParameters(options, run.set.responseKind);
    if (options.placeBreakpoints && HasUsableFit(run)) {
        output.breakpoints =
            PlaceBreakpoints(ChosenModel(run), output.responseMin, output.responseMax,
                             *options.placeBreakpoints, options.thresholds.idleFlowGs);
        output.placedBreakpoints = true;
    }
    return output;
}

// The model the options choose, judged with their thresholds over the table's responses.
ModelSettings ModelSettingsOf(const ReduceOptions& options, const OutputParameters& output)
{
    return {options.model,
            options.compareModels,
            options.thresholds.idleFlowGs,
            options.thresholds.maxFlowErrorPct,
            output.responseMin,
            output.responseMax};
}

// What the run reads: the settings file's rows and the input's, with the
// units and meter type of the options.
struct PreparedInput
{
    RunInput input;
    std::vector<InputRow> rows; // as read from the input, before the table ends
    std::string inputName;      // for messages about the rows
    bool rowsFromInput = false; // an input was read, not only a settings file
};

// Reads the settings file and the rows; the reason when either is unusable.
std::optional<std::string> PrepareInput(const ReduceOptions& options, std::istream& standardInput,
                                        PreparedInput& prepared)
{
    if (options.settingsPath) {
        if (auto error = LoadSettingsInput(*options.settingsPath, prepared.input))
            return error;
    }
    // Rows come from the input file, or from standard input unless a settings
    // file supplied them.
    const std::optional<std::string> inputPath =
        options.inputPath ? options.inputPath
                          : (options.settingsPath ? std::nullopt : std::optional<std::string>("-"));
    prepared.inputName = inputPath ? InputName(*inputPath) : *options.settingsPath;
    if (inputPath) {
        std::string text;
        if (const FileResult read = ReadInput(*inputPath, standardInput, text); !read.ok)
            return read.Message();
        RowInput input = ParseRowInput(text, kMaxRows, options.columns);
        if (input.error)
            return prepared.inputName + ":" + std::to_string(input.error->line) + ": " +
                   input.error->reason;
        prepared.rows = std::move(input.rows);
        prepared.rowsFromInput = true;
        TypeRows(prepared.input, prepared.rows);
    }
    // Options left out keep what the settings file restored, as in the window.
    if (options.flowUnit)
        prepared.input.flowUnit = options.flowUnit;
    if (options.responseKind)
        prepared.input.responseKind = options.responseKind;
    if (options.meterType)
        ReadMeterType(*options.meterType, prepared.input.meterType);
    return std::nullopt;
}

// The exit code and notes of a finished run, before any output is written.
void JudgeRun(const ReduceOptions& options, const PreparedInput& prepared, FileReduction& result)
{
    const Reduction& run = *result.run;
    if (auto note = DroppedRowsNote(prepared.inputName, prepared.rows, run.set.rowCount))
        result.messages.push_back(*note);
    const bool wantsFiles =
        options.tablePath || options.axisPath || options.reportPath || options.recordPath;
    if (prepared.rowsFromInput && prepared.rows.empty()) {
        result.messages.push_back(prepared.inputName + ": no rows");
        result.exitCode = kExitNoFit;
    } else if (ModeOf(run) == RunMode::None) {
        result.messages.push_back(std::to_string(run.set.rowCount) +
                                  (run.set.rowCount == 1 ? " row is" : " rows are") +
                                  " in use; a fit needs at least 3, so nothing was fitted");
        result.exitCode = kExitNoFit;
    } else if (!AllFinite(run.coefficients)) {
        result.messages.push_back("warning: the fitted coefficients are not all finite numbers");
        if (wantsFiles)
            result.exitCode = kExitNoFit;
    } else if (!HasUsableFit(run)) {
        const ModelAssessment& chosen = *ChosenAssessment(run);
        result.messages.push_back(std::string("warning: the model ") + ModelName(run.model.kind) +
                                  " could not be made: " + chosen.why);
        if (wantsFiles || options.check)
            result.exitCode = kExitNoFit;
    } else if (run.model.kind == ModelKind::King && !run.outcome.converged) {
        // The start values or a half-way point: no table should be flashed from them.
        result.messages.push_back("warning: the fit did not converge (" + run.outcome.stop +
                                  "): these coefficients are not a fit");
        if (options.check)
            result.exitCode = kExitNoFit;
    }
    if (wantsFiles && result.exitCode == kExitNoFit)
        result.messages.push_back("no usable fit, so no table, report or record was written");
}

// The time of the reduction: SOURCE_DATE_EPOCH when set, so that a record can
// be reproduced byte for byte, else now. Seconds since 1970 up to the end of
// the year 9999, as the record's date has four digits; the reason otherwise.
std::optional<std::string> ReductionTime(long long& seconds)
{
    constexpr long long kEndOfYear9999 = 253402300799;
    seconds = static_cast<long long>(std::time(nullptr));
    const char* fixed = std::getenv("SOURCE_DATE_EPOCH");
    if (!fixed)
        return std::nullopt;
    const std::string text = fixed;
    const bool digits = !text.empty() && text.size() <= 12 &&
                        text.find_first_not_of("0123456789") == std::string::npos;
    if (!digits || std::stoll(text) > kEndOfYear9999)
        return "SOURCE_DATE_EPOCH: '" + text +
               "' is not a number of seconds from 0 to 253402300799 (the end of the year 9999)";
    seconds = std::stoll(text);
    return std::nullopt;
}

// The record's identification: the options' texts, the time and the program.
RecordIdentity IdentityOf(const ReduceOptions& options, long long seconds)
{
    RecordIdentity identity = options.identity;
    identity.reducedAtUtc = IsoUtc(seconds);
    identity.program = kReduceProgram;
    return identity;
}

// Writes every output asked for; the table, the report and the record only
// from a usable fit. An output to "-" goes to `result.out`. Returns false
// after naming each file that could not be written.
bool WriteOutputs(const ReduceOptions& options, long long seconds,
                  const std::optional<Drift>& drift, const std::string& json, FileReduction& result)
{
    struct Output
    {
        const std::optional<std::string>& path;
        std::function<std::string()> bytes;
        bool needsFit;
    };
    const Reduction& run = *result.run;
    const OutputParameters& output = result.output;
    const Output outputs[] = {
        {options.logPath, [&] { return kRunBanner + RunLogBlock(run); }, false},
        {options.saveSettingsPath, [&] { return FormatSettings(run.set); }, false},
        {options.tablePath, [&] { return WriteToString(WriteTable, run, output); }, true},
        {options.axisPath, [&] { return WriteToString(WriteAxisTable, run, output); }, true},
        {options.reportPath, [&] { return WriteToString(WriteHtmlReport, run, output); }, true},
        {options.recordPath,
         [&] {
             return FormatCalibrationRecord(run, result.verdict, IdentityOf(options, seconds), json,
                                            drift, options.previousPath.value_or(""));
         },
         true},
    };
    const bool usableFit = result.exitCode != kExitNoFit;
    bool written = true;
    for (const Output& file : outputs) {
        if (!file.path || (file.needsFit && !usableFit))
            continue;
        if (*file.path == "-") {
            result.out += file.bytes();
            continue;
        }
        const FileResult saved = WriteFileAtomically(*file.path, file.bytes());
        if (!saved.ok) {
            result.messages.push_back(saved.Message());
            written = false;
        }
    }
    return written;
}

} // namespace

FileReduction ReduceInput(const ReduceOptions& options, std::istream& standardInput)
{
    long long seconds = 0;
    if (const auto error = ReductionTime(seconds); error && options.recordPath)
        return RefusedInput(*error);
    PreparedInput prepared;
    if (const auto error = PrepareInput(options, standardInput, prepared))
        return RefusedInput(*error);
    FileReduction result;
    const std::pair<const char*, const std::string*> texts[] = {
        {"the input's name", &prepared.inputName},
        {"the meter type", &prepared.input.meterType},
        {"--serial", &options.identity.serial},
        {"--operator", &options.identity.operatorName},
        {"--reference", &options.identity.reference},
        {"--conditions", &options.identity.conditions},
        {"--note", &options.identity.note}};
    for (const auto& [what, text] : texts)
        if (!IsValidUtf8(*text))
            result.messages.push_back(std::string("warning: ") + what +
                                      " is not valid UTF-8: the JSON and the record show each "
                                      "invalid byte as U+FFFD");
    result.run = Reduce(
        prepared.input,
        ModelSettingsOf(options, ChooseOutputParameters(options, prepared.input.responseKind)));
    const Reduction& run = *result.run;
    result.fields = FormatResultFields(run);
    JudgeRun(options, prepared, result);
    result.output = OutputOfRun(options, run);
    if (options.axisPath && HasUsableFit(run))
        if (const std::optional<std::string> problem = AxisProblem(result.output))
            return RefusedInput(*problem);
    BudgetInputs budget = options.budget;
    // A batch runs its files in parallel already.
    budget.threads = options.IsBatch() ? 1
                                       : options.jobs.value_or(static_cast<int>(
                                             std::max(1u, std::thread::hardware_concurrency())));
    result.verdict = JudgeCalibration(run, result.output, options.thresholds, budget);
    if (result.verdict.budgetProblem)
        result.messages.push_back("warning: no uncertainty budget: " +
                                  *result.verdict.budgetProblem);
    if (const std::optional<TableCheck>& t = result.verdict.table;
        t && options.tablePath && t->wordsSaturatedLow + t->wordsSaturatedHigh > 0)
        for (const Check& check : result.verdict.checks)
            if (check.name == "word range") // "N words saturated at MAX (--word TYPE)"
                result.messages.push_back("warning: " + check.detail);
    std::optional<Drift> drift;
    if (options.previousPath && ModeOf(run) != RunMode::None) {
        std::string error;
        drift =
            CompareWithPrevious(*options.previousPath, run, options.thresholds.idleFlowGs, error);
        if (!drift)
            return RefusedInput(error);
        if (options.maxDriftPct)
            result.verdict.checks.push_back(DriftCheck(*drift, *options.maxDriftPct));
    }
    const std::string json = FormatRunJson(run, result.fields, result.verdict,
                                           drift ? DriftJson(*drift, *options.previousPath) : "");
    if (!WriteOutputs(options, seconds, drift, json, result)) {
        result.exitCode = kExitOutputFailed;
        result.out.clear();
        return result;
    }
    if (options.check && result.exitCode == kExitFit && !result.verdict.Passed()) {
        result.exitCode = kExitCheckFailed;
        for (const Check& check : result.verdict.checks)
            if (!check.passed)
                result.messages.push_back("check failed: " + check.name + ": " + check.detail);
    }
    const bool outputOnStandardOutput = options.logPath == "-" || options.saveSettingsPath == "-" ||
                                        options.tablePath == "-" || options.axisPath == "-" ||
                                        options.reportPath == "-" || options.recordPath == "-";
    if (!outputOnStandardOutput)
        result.out = options.json
                         ? json
                         : (ModeOf(run) == RunMode::None
                                ? ""
                                : FormatRunTable(run, result.fields, result.verdict) +
                                      (drift ? DriftLine(*drift, *options.previousPath) : ""));
    return result;
}

void CollectPaths(const ReduceOptions& options, const std::string& of,
                  std::vector<NamedPath>& outputs, std::vector<NamedPath>& inputs)
{
    const std::string suffix = of.empty() ? "" : " (for " + of + ")";
    const std::pair<const char*, const std::optional<std::string>*> written[] = {
        {"--log", &options.logPath},       {"--save-settings", &options.saveSettingsPath},
        {"--table", &options.tablePath},   {"--axis", &options.axisPath},
        {"--report", &options.reportPath}, {"--record", &options.recordPath}};
    for (const auto& [name, path] : written)
        if (*path && **path != "-")
            outputs.push_back({std::string(name) + " " + **path + suffix, **path});
    const std::pair<const char*, const std::optional<std::string>*> read[] = {
        {"", &options.inputPath},
        {"--settings ", &options.settingsPath},
        {"--previous ", &options.previousPath},
        {"--breakpoints @", &options.breakpointsPath}};
    for (const auto& [name, path] : read)
        if (*path && **path != "-")
            inputs.push_back({std::string(name) + **path, **path});
}

std::string ErrorText(const FileReduction& reduction)
{
    std::string text;
    for (const std::string& message : reduction.messages)
        text += std::string(kProgram) + ": " + message + "\n";
    if (reduction.refused)
        text += std::string("Try '") + kProgram + " --help' for more information.\n";
    return text;
}

CommandResult RunReduceCommand(const std::vector<std::string>& args, std::istream& standardInput)
{
    const ParsedOptions parsed = ParseReduceOptions(args);
    if (parsed.error)
        return {kExitBadInput, "", ErrorText(RefusedInput(*parsed.error))};
    const ReduceOptions& options = parsed.options;
    if (options.help)
        return {kExitFit, kReduceUsage, ""};
    if (options.version)
        return {kExitFit, std::string(kReduceProgram) + "\n", ""};
    std::vector<NamedPath> outputs, inputs;
    CollectPaths(options, "", outputs, inputs);
    if (const std::optional<std::string> clash = FindPathClash(outputs, inputs))
        return {kExitBadInput, "", ErrorText(RefusedInput(*clash))};
    const FileReduction result = ReduceInput(options, standardInput);
    return {result.exitCode, result.out, ErrorText(result)};
}

} // namespace tovarin
