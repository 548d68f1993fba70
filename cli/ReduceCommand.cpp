#include "ReduceCommand.h"

#include "Engine.h"
#include "Files.h"
#include "Options.h"
#include "ResultText.h"
#include "RowInput.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
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

bool ReadInput(const std::string& path, std::istream& standardInput, std::string& text,
               std::string& error)
{
    if (path == "-") {
        text.assign(std::istreambuf_iterator<char>(standardInput), {});
        return true;
    }
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (file)
        text.assign(std::istreambuf_iterator<char>(file), {});
    if (!file || file.bad()) {
        error = std::strerror(errno ? errno : EIO);
        return false;
    }
    return true;
}

std::string InputName(const std::string& path)
{
    return path == "-" ? "standard input" : path;
}

// Loads a settings file by the window's start-up rules; the command refuses
// indices the window's lists do not have, which the window would take silently.
std::optional<std::string> LoadSettingsInput(const std::string& path, Calibration& calibration,
                                             OutputParameters& output)
{
    if (std::FILE* probe = std::fopen(path.c_str(), "r"))
        std::fclose(probe);
    else
        return path + ": " + std::strerror(errno);
    RunLog ignored;
    LoadSettingsFile(path, calibration.set, output, ignored);
    const MeasurementSet& set = calibration.set;
    if (set.flowUnit < 0 || set.flowUnit >= kFlowUnitCount)
        return path + ": flow unit index " + std::to_string(set.flowUnit) + " is not one of 0 to 3";
    if (set.responseKind < 0 || set.responseKind >= kResponseKindCount)
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

// Start-up output parameters when no settings file gave them, then the options.
OutputParameters ChooseOutputParameters(const ReduceOptions& options, bool settingsLoaded,
                                        OutputParameters loaded, int responseKind)
{
    OutputParameters output = loaded;
    if (!settingsLoaded) {
        output.responseMin = 0.0;
        output.responseMax = responseKind == static_cast<int>(ResponseKind::Freq) ? 15000.0 : 5.0;
        output.pointCount = 1024;
        output.outputFlowUnit = static_cast<int>(OutputFlowUnit::TenMgPerSec);
    }
    output.responseMin = options.responseMin.value_or(output.responseMin);
    output.responseMax = options.responseMax.value_or(output.responseMax);
    output.pointCount = options.pointCount.value_or(output.pointCount);
    output.outputFlowUnit = options.outputFlowUnit.value_or(output.outputFlowUnit);
    return output;
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
        return {kExitFit, std::string(kProgram) + " (Tovarin) 2.00\n", ""};

    Calibration calibration;
    OutputParameters loadedOutput;
    if (options.settingsPath) {
        if (const auto error = LoadSettingsInput(*options.settingsPath, calibration, loadedOutput))
            return BadInput(*error);
    }

    // Rows come from the input file, or from standard input unless a settings
    // file supplied them.
    const std::optional<std::string> inputPath =
        options.inputPath ? options.inputPath
                          : (options.settingsPath ? std::nullopt : std::optional<std::string>("-"));
    const std::string inputName = inputPath ? InputName(*inputPath) : *options.settingsPath;
    std::vector<InputRow> rows;
    HeadlessFields fields;
    if (inputPath) {
        std::string text, error;
        if (!ReadInput(*inputPath, standardInput, text, error))
            return BadInput(inputName + ": " + error);
        RowInput input = ParseRowInput(text, kMaxRows);
        if (input.error)
            return BadInput(inputName + ":" + std::to_string(input.error->line) + ": " +
                            input.error->reason);
        rows = std::move(input.rows);
        TypeRows(fields, rows);
    }
    // Fields left empty keep what the settings file restored, as in the window.
    fields.SetListSelection(kFlowUnitListId, options.flowUnit.value_or(calibration.set.flowUnit));
    fields.SetListSelection(kResponseKindListId,
                            options.responseKind.value_or(calibration.set.responseKind));
    if (options.meterType)
        fields.SetFieldText(kMeterTypeId, *options.meterType);

    RunLog log = RunLog::ToMemory();
    OnRunTest(fields, calibration, log);

    CommandResult result;
    const RunResult run = CollectRunResult(fields, calibration);
    result.err = DroppedRowsNote(inputName, rows, run.rowCount);
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

    struct Output
    {
        const std::optional<std::string>& path;
        std::string bytes;
        bool needsFit;
    };
    const OutputParameters output = ChooseOutputParameters(
        options, options.settingsPath.has_value(), loadedOutput, calibration.set.responseKind);
    const Output outputs[] = {
        {options.logPath, log.Text(), false},
        {options.saveSettingsPath, FormatSettings(calibration.set), false},
        {options.tablePath,
         options.tablePath ? WriteToString(WriteFlowTable, calibration, output) : "", true},
        {options.reportPath,
         options.reportPath ? WriteToString(WriteHtmlReport, calibration, output) : "", true},
    };
    bool written = true;
    for (const Output& file : outputs) {
        if (!file.path || (file.needsFit && result.exitCode == kExitNoFit))
            continue;
        std::string error;
        if (!WriteFileAtomically(*file.path, file.bytes, error)) {
            result.err += Line(*file.path + ": " + error);
            written = false;
        }
    }
    if (!written) {
        result.exitCode = kExitOutputFailed;
        return result;
    }
    result.out =
        options.json ? FormatRunJson(run) : (run.mode == RunMode::None ? "" : FormatRunTable(run));
    return result;
}

} // namespace tovarin
