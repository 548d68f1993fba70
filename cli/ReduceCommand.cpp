#include "ReduceCommand.h"

#include "AtomicFile.h"
#include "Engine.h"
#include "Options.h"
#include "ResultText.h"
#include "RowInput.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace tovarin {
namespace {

constexpr const char* kProgram = "tovarin-reduce";

CommandResult Failure(int exitCode, const std::string& message)
{
    CommandResult result;
    result.exitCode = exitCode;
    result.err = std::string(kProgram) + ": " + message + "\n";
    if (exitCode == kExitBadInput)
        result.err += std::string("Try '") + kProgram + " --help' for more information.\n";
    return result;
}

bool ReadInput(const std::string& path, std::istream& standardInput, std::string& text,
               std::string& error)
{
    if (path == "-") {
        text.assign(std::istreambuf_iterator<char>(standardInput), {});
        return true;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(file), {});
    if (file.bad()) {
        error = std::strerror(errno);
        return false;
    }
    return true;
}

std::string InputName(const std::string& path)
{
    return path == "-" ? "standard input" : path;
}

// Types the rows into the screen as the engineer would. Rows beyond the input
// repeat the last flow, which ends the table there whatever the flows' signs
// (an empty field would read 0, which continues a table of negative flows).
void TypeRows(HeadlessFields& fields, const ReduceOptions& options,
              const std::vector<InputRow>& rows)
{
    for (std::size_t row = 0; row < kRowControls.size(); ++row) {
        const bool given = row < rows.size();
        std::string flow = given ? rows[row].flowText : (rows.empty() ? "" : rows.back().flowText);
        fields.SetFieldText(kRowControls[row].flow, flow);
        fields.SetFieldText(kRowControls[row].response, given ? rows[row].responseText : "");
    }
    fields.SetListSelection(kFlowUnitListId, options.flowUnit);
    fields.SetListSelection(kResponseKindListId, options.responseKind);
    if (options.meterType)
        fields.SetFieldText(kMeterTypeId, *options.meterType);
}

// Says which input rows the end-of-table rule left out, and why.
std::string DroppedRowsNote(const std::string& inputName, const std::vector<InputRow>& rows,
                            int rowCount)
{
    const auto firstDropped = static_cast<std::size_t>(rowCount);
    if (firstDropped >= rows.size())
        return {};
    const InputRow& end = rows[firstDropped];
    return std::string(kProgram) + ": " + inputName + ":" + std::to_string(end.line) +
           ": the table ends at row " + std::to_string(rowCount) + ": its flow " + end.flowText +
           " is not greater than the flow before it (" + rows[firstDropped - 1].flowText +
           "); rows " + std::to_string(rowCount) + " to " + std::to_string(rows.size() - 1) +
           " (lines " + std::to_string(end.line) + " to " + std::to_string(rows.back().line) +
           ") are not used\n";
}

} // namespace

CommandResult RunReduceCommand(const std::vector<std::string>& args, std::istream& standardInput)
{
    const ParsedOptions parsed = ParseReduceOptions(args);
    if (parsed.error)
        return Failure(kExitBadInput, *parsed.error);
    const ReduceOptions& options = parsed.options;
    if (options.help)
        return {kExitFit, kReduceUsage, ""};
    if (options.version)
        return {kExitFit, std::string(kProgram) + " (Tovarin) 2.00\n", ""};

    const std::string inputName = InputName(options.inputPath);
    std::string text;
    std::string error;
    if (!ReadInput(options.inputPath, standardInput, text, error))
        return Failure(kExitBadInput, inputName + ": " + error);
    const RowInput input = ParseRowInput(text, kMaxRows);
    if (input.error)
        return Failure(kExitBadInput,
                       inputName + ":" + std::to_string(input.error->line) + ": " +
                           input.error->reason);

    HeadlessFields fields;
    TypeRows(fields, options, input.rows);
    Calibration calibration;
    RunLog log = RunLog::ToMemory();
    OnRunTest(fields, calibration, log);

    CommandResult result;
    const RunResult run = CollectRunResult(fields, calibration);
    result.err = DroppedRowsNote(inputName, input.rows, run.rowCount);
    if (run.mode == RunMode::None) {
        result.err += std::string(kProgram) + ": " + std::to_string(run.rowCount) +
                      (run.rowCount == 1 ? " row is" : " rows are") +
                      " in use; a fit needs at least 3, so nothing was fitted\n";
        result.exitCode = kExitNoFit;
    } else if (!run.coefficientsFinite) {
        result.err += std::string(kProgram) +
                      ": warning: the fitted coefficients are not all finite numbers\n";
    }
    result.out = options.json ? FormatRunJson(run) : FormatRunTable(run);
    if (run.mode == RunMode::None && !options.json)
        result.out.clear();

    if (options.logPath && !WriteFileAtomically(*options.logPath, log.Text(), error)) {
        result.out.clear();
        result.err += std::string(kProgram) + ": " + *options.logPath + ": " + error + "\n";
        result.exitCode = kExitOutputFailed;
    }
    return result;
}

} // namespace tovarin
