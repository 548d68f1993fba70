#include "ReduceCommand.h"

#include "Engine.h"
#include "Files.h"
#include "Options.h"
#include "PreviousCalibration.h"
#include "ResultText.h"
#include "RowInput.h"
#include "Version.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>

namespace tovarin {
namespace {

constexpr const char* kProgram = "tovarin-reduce";

std::string Line(const std::string& message)
{
    return std::string(kProgram) + ": " + message + "\n";
}

CommandResult BadInput(const std::string& message)
{
    return {kExitBadInput, "",
            Line(message) + "Try '" + kProgram + " --help' for more information.\n"};
}

FileResult ReadInput(const std::string& path, std::istream& standardInput, std::string& text)
{
    if (path != "-")
        return ReadWholeFile(path, text);
    text.assign(std::istreambuf_iterator<char>(standardInput), {});
    return standardInput.bad() ? FileResult::Failure("standard input", SystemReason(EIO))
                               : FileResult::Success();
}

std::string InputName(const std::string& path)
{
    return path == "-" ? "standard input" : path;
}

// Loads a settings file by the window's start-up rules; the command refuses
// indices the window's lists do not have, which the window would take silently.
std::optional<std::string> LoadSettingsInput(const std::string& path, Calibration& calibration)
{
    std::string probe; // a folder or an unreadable file would load nothing
    if (const FileResult readable = ReadWholeFile(path, probe); !readable.ok)
        return readable.Message();
    RunLog ignored;
    OutputParameters ignoredOutput;
    LoadSettingsFile(path, calibration.set, ignoredOutput, ignored);
    const MeasurementSet& set = calibration.set;
    if (!FlowUnitAt(set.flowUnit))
        return path + ": flow unit index " + std::to_string(set.flowUnit) + " is not one of 0 to 3";
    if (!ResponseKindAt(set.responseKind))
        return path + ": response kind index " + std::to_string(set.responseKind) +
               " is not 0 or 1";
    return std::nullopt;
}

// Types the rows into the screen as the engineer would. Rows beyond the input
// repeat the last flow, which ends the table there whatever the flows' signs
// (an empty field would read 0, which continues a table of negative flows).
void TypeRows(HeadlessFields& fields, const std::vector<InputRow>& rows)
{
    for (std::size_t row = 0; row < kRowControls.size(); ++row) {
        const bool given = row < rows.size();
        const std::string flow =
            given ? rows[row].flowText : (rows.empty() ? "" : rows.back().flowText);
        fields.SetFieldText(kRowControls[row].flow, flow);
        fields.SetFieldText(kRowControls[row].response, given ? rows[row].responseText : "");
    }
}

// Says which input rows the end-of-table rule left out, and why.
std::string DroppedRowsNote(const std::string& inputName, const std::vector<InputRow>& rows,
                            int rowCount)
{
    const auto firstDropped = static_cast<std::size_t>(rowCount);
    if (firstDropped >= rows.size())
        return {};
    const InputRow& end = rows[firstDropped];
    return Line(inputName + ":" + std::to_string(end.line) + ": the table ends at row " +
                std::to_string(rowCount) + ": its flow " + end.flowText +
                " is not greater than the flow before it (" + rows[firstDropped - 1].flowText +
                "); rows " + std::to_string(rowCount) + " to " + std::to_string(rows.size() - 1) +
                " (lines " + std::to_string(end.line) + " to " + std::to_string(rows.back().line) +
                ") are not used");
}

// The start-up output parameters of the response kind the run used (a
// settings file's own kind is overridden by --response), then the options.
OutputParameters ChooseOutputParameters(const ReduceOptions& options, int responseKind)
{
    OutputParameters output = StartupOutputParameters(responseKind);
    output.responseMin = options.responseMin.value_or(output.responseMin);
    output.responseMax = options.responseMax.value_or(output.responseMax);
    output.pointCount = options.pointCount.value_or(output.pointCount);
    output.outputFlowUnit = options.outputFlowUnit.value_or(output.outputFlowUnit);
    return output;
}

// The screen of one run: the settings file's rows and the input's, typed
// into headless fields with the units and meter type of the options.
struct PreparedRun
{
    Calibration calibration;
    HeadlessFields fields;
    std::vector<InputRow> rows; // as read from the input, before the table ends
    std::string inputName;      // for messages about the rows
};

// Reads the settings file and the rows; the reason when either is unusable.
std::optional<std::string> PrepareRun(const ReduceOptions& options, std::istream& standardInput,
                                      PreparedRun& run)
{
    if (options.settingsPath) {
        if (auto error = LoadSettingsInput(*options.settingsPath, run.calibration))
            return error;
    }
    // Rows come from the input file, or from standard input unless a settings
    // file supplied them.
    const std::optional<std::string> inputPath =
        options.inputPath ? options.inputPath
                          : (options.settingsPath ? std::nullopt : std::optional<std::string>("-"));
    run.inputName = inputPath ? InputName(*inputPath) : *options.settingsPath;
    if (inputPath) {
        std::string text;
        if (const FileResult read = ReadInput(*inputPath, standardInput, text); !read.ok)
            return read.Message();
        RowInput input = ParseRowInput(text, kMaxRows, options.columns);
        if (input.error)
            return run.inputName + ":" + std::to_string(input.error->line) + ": " +
                   input.error->reason;
        run.rows = std::move(input.rows);
        TypeRows(run.fields, run.rows);
    }
    // Fields left empty keep what the settings file restored, as in the window.
    const MeasurementSet& set = run.calibration.set;
    run.fields.SetListSelection(kFlowUnitListId, options.flowUnit.value_or(set.flowUnit));
    run.fields.SetListSelection(kResponseKindListId,
                                options.responseKind.value_or(set.responseKind));
    if (options.meterType)
        run.fields.SetFieldText(kMeterTypeId, *options.meterType);
    return std::nullopt;
}

// The exit code and notes of a finished run, before any output is written.
CommandResult JudgeRun(const ReduceOptions& options, const PreparedRun& prepared,
                       const RunResult& run)
{
    CommandResult result;
    result.err = DroppedRowsNote(prepared.inputName, prepared.rows, run.rowCount);
    const bool wantsFiles = options.tablePath || options.reportPath;
    if (run.mode == RunMode::None) {
        result.err +=
            Line(std::to_string(run.rowCount) + (run.rowCount == 1 ? " row is" : " rows are") +
                 " in use; a fit needs at least 3, so nothing was fitted");
        result.exitCode = kExitNoFit;
    } else if (!run.coefficientsFinite) {
        result.err += Line("warning: the fitted coefficients are not all finite numbers");
        if (wantsFiles)
            result.exitCode = kExitNoFit;
    }
    if (wantsFiles && result.exitCode == kExitNoFit)
        result.err += Line("no usable fit, so no table or report was written");
    return result;
}

// The record's identification: the options' texts, the time of the reduction
// (SOURCE_DATE_EPOCH when set, so that a record can be reproduced byte for
// byte) and the program.
RecordIdentity IdentityOf(const ReduceOptions& options)
{
    RecordIdentity identity = options.identity;
    const char* fixed = std::getenv("SOURCE_DATE_EPOCH");
    long long seconds = static_cast<long long>(std::time(nullptr));
    if (fixed && *fixed)
        seconds = std::strtoll(fixed, nullptr, 10);
    identity.reducedAtUtc = IsoUtc(seconds);
    identity.program = kReduceProgram;
    return identity;
}

// Writes every output asked for; the table, the report and the record only
// from a usable fit. An output to "-" goes to `result.out`. Returns false
// after naming each file that could not be written.
bool WriteOutputs(const ReduceOptions& options, const PreparedRun& prepared, const RunLog& log,
                  bool usableFit, const Verdict& verdict, const std::string& json,
                  const std::optional<Drift>& drift, CommandResult& result)
{
    struct Output
    {
        const std::optional<std::string>& path;
        std::function<std::string()> bytes;
        bool needsFit;
    };
    const Calibration& calibration = prepared.calibration;
    const OutputParameters output = ChooseOutputParameters(options, calibration.set.responseKind);
    const Output outputs[] = {
        {options.logPath, [&] { return log.Text(); }, false},
        {options.saveSettingsPath, [&] { return FormatSettings(calibration.set); }, false},
        {options.tablePath, [&] { return WriteToString(WriteFlowTable, calibration, output); },
         true},
        {options.reportPath, [&] { return WriteToString(WriteHtmlReport, calibration, output); },
         true},
        {options.recordPath,
         [&] {
             return FormatCalibrationRecord(calibration, verdict, IdentityOf(options), json, drift,
                                            options.previousPath.value_or(""));
         },
         true},
    };
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
            result.err += Line(saved.Message());
            written = false;
        }
    }
    return written;
}

} // namespace

CommandResult RunReduceCommand(const std::vector<std::string>& args, std::istream& standardInput)
{
    const ParsedOptions parsed = ParseReduceOptions(args);
    if (parsed.error)
        return BadInput(*parsed.error);
    const ReduceOptions& options = parsed.options;
    if (options.help)
        return {kExitFit, kReduceUsage, ""};
    if (options.version)
        return {kExitFit, std::string(kReduceProgram) + "\n", ""};

    PreparedRun prepared;
    if (const auto error = PrepareRun(options, standardInput, prepared))
        return BadInput(*error);
    // Without --log the log goes nowhere, and the run does not format it.
    RunLog log = options.logPath ? RunLog::ToMemory() : RunLog();
    RunTest(prepared.fields, prepared.calibration, log);

    const RunResult run = CollectRunResult(prepared.fields, prepared.calibration);
    CommandResult result = JudgeRun(options, prepared, run);
    Verdict verdict = JudgeCalibration(
        prepared.calibration,
        ChooseOutputParameters(options, prepared.calibration.set.responseKind), options.thresholds);
    std::optional<Drift> drift;
    if (options.previousPath && run.mode != RunMode::None) {
        std::string error;
        drift = CompareWithPrevious(*options.previousPath, prepared.calibration, error);
        if (!drift)
            return BadInput(error);
        if (options.maxDriftPct)
            verdict.checks.push_back(DriftCheck(*drift, *options.maxDriftPct));
    }
    const std::string json = FormatRunJson(run, prepared.calibration, verdict,
                                           drift ? DriftJson(*drift, *options.previousPath) : "");
    if (!WriteOutputs(options, prepared, log, result.exitCode != kExitNoFit, verdict, json, drift,
                      result)) {
        result.exitCode = kExitOutputFailed;
        result.out.clear();
        return result;
    }
    if (options.check && result.exitCode == kExitFit && !verdict.Passed()) {
        result.exitCode = kExitCheckFailed;
        for (const Check& check : verdict.checks)
            if (!check.passed)
                result.err += Line("check failed: " + check.name + ": " + check.detail);
    }
    const bool outputOnStandardOutput = options.logPath == "-" || options.saveSettingsPath == "-" ||
                                        options.tablePath == "-" || options.reportPath == "-" ||
                                        options.recordPath == "-";
    if (!outputOnStandardOutput)
        result.out = options.json
                         ? json
                         : (run.mode == RunMode::None
                                ? ""
                                : FormatRunTable(run, prepared.calibration, verdict) +
                                      (drift ? DriftLine(*drift, *options.previousPath) : ""));
    return result;
}

} // namespace tovarin
