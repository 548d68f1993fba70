#include "Batch.h"

#include "AtomicFile.h"
#include "BatchText.h"
#include "OrderedOutput.h"
#include "ReadFile.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <sstream>
#include <thread>

namespace tovarin {
namespace {

constexpr const char* kPrefix = "tovarin-reduce: ";

// A message of the file's run as the batch says it: naming the file.
std::string Named(const std::string& message, const std::string& file)
{
    return message.rfind(file, 0) == 0 ? message : file + ": " + message;
}

// `value` with {stem}, {name} and {dir} of `file` put in.
void Fill(std::optional<std::string>& value, const std::string& file)
{
    if (value)
        *value = FillPlaceholders(*value, file);
}

// The options of one file's own run: the batch's, with the file as input,
// the placeholders of every text filled in, and JSON, which the batch line
// is made of.
ReduceOptions FileOptions(const ReduceOptions& batch, const std::string& file)
{
    ReduceOptions options = batch;
    options.inputPath = file;
    options.json = true;
    for (std::optional<std::string>* text :
         {&options.settingsPath, &options.meterType, &options.logPath, &options.saveSettingsPath,
          &options.tablePath, &options.axisPath, &options.reportPath, &options.recordPath,
          &options.previousPath})
        Fill(*text, file);
    for (std::string* text :
         {&options.identity.serial, &options.identity.operatorName, &options.identity.reference,
          &options.identity.conditions, &options.identity.note})
        *text = FillPlaceholders(*text, file);
    if (options.columns)
        for (ColumnRef* column : {&options.columns->flow, &options.columns->response})
            column->name = FillPlaceholders(column->name, file);
    return options;
}

// Reduces one file as `tovarin-reduce OPTIONS --json -- FILE` would and turns
// its Reduction into the batch's line, CSV row and messages.
FileOutcome ReduceOne(const ReduceOptions& batch, const std::string& file)
{
    const ReduceOptions options = FileOptions(batch, file);
    std::istringstream noInput;
    // A placeholder may have put a blank into the meter type.
    const std::optional<std::string> badMeter =
        options.meterType ? CheckMeterType(*options.meterType) : std::nullopt;
    const FileReduction result = badMeter ? RefusedInput(*badMeter) : ReduceInput(options, noInput);
    FileOutcome outcome{result.exitCode, "", "", ""};
    for (const std::string& message : result.messages) // no hint to read the help
        outcome.errors += kPrefix + Named(message, file) + "\n";
    if (result.out.empty()) { // the file gave no object
        const std::string error = result.messages.empty() ? "" : Named(result.messages[0], file);
        outcome.line = BatchFailureLine(file, result.exitCode, error, batch.json);
        if (batch.summaryPath)
            outcome.summaryRow = SummaryFailureRow(file, result.exitCode);
        return outcome;
    }
    const Reduction& run = *result.run;
    outcome.line = batch.json ? BatchJsonLine(file, result.exitCode, result.out)
                              : BatchLine(file, run, result.fields, result.verdict, batch.check);
    if (batch.summaryPath)
        outcome.summaryRow = SummaryRow(file, result.exitCode, run, result.verdict, batch.check);
    return outcome;
}

// The refusal of a batch's options before any file is read.
std::optional<std::string> CheckBatch(const ReduceOptions& options)
{
    for (const auto& path : {options.logPath, options.saveSettingsPath, options.tablePath,
                             options.axisPath, options.reportPath, options.recordPath}) {
        if (!path)
            continue;
        if (*path == "-")
            return "in a batch, no output can go to standard output";
        if (FillPlaceholders(*path, "a/b.c") == FillPlaceholders(*path, "d/e.f"))
            return "in a batch, the output path '" + *path +
                   "' needs {stem}, {name} or {dir}, or the files would overwrite each other";
    }
    return std::nullopt;
}

// Appends the paths of a list, one a line ("-" is standard input).
std::optional<std::string> ReadFileList(const std::string& path, std::istream& standardInput,
                                        std::vector<std::string>& files)
{
    std::string list;
    if (const FileResult read =
            path == "-" ? ReadStandardInput(standardInput, list) : ReadWholeFile(path, list);
        !read.ok)
        return read.Message();
    std::istringstream lines(list);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty() && line != "\r")
            files.push_back(line.back() == '\r' ? line.substr(0, line.size() - 1) : line);
    return std::nullopt;
}

int Refuse(std::ostream& err, const std::string& message)
{
    err << kPrefix << message << "\nTry 'tovarin-reduce --help' for more information.\n";
    return kExitBadInput;
}

} // namespace

std::string FillPlaceholders(const std::string& path, const std::string& file)
{
    if (path.find('{') == std::string::npos)
        return path; // most texts: no file name to take apart
    const std::filesystem::path p(file);
    const std::pair<std::string_view, std::string> fills[] = {
        {"{stem}", p.stem().string()},
        {"{name}", p.filename().string()},
        {"{dir}", p.has_parent_path() ? p.parent_path().string() : "."}};
    // Once, left to right: a value that holds a placeholder's text stays as it is.
    std::string filled;
    for (std::size_t at = 0; at < path.size();) {
        const auto fill = std::find_if(std::begin(fills), std::end(fills), [&](const auto& f) {
            return std::string_view(path).substr(at, f.first.size()) == f.first;
        });
        if (fill == std::end(fills)) {
            filled += path[at++];
            continue;
        }
        filled += fill->second;
        at += fill->first.size();
    }
    return filled;
}

namespace {

// The signal that stops a batch, 0 while it runs.
std::atomic<int> g_stopSignal{0};
std::function<void(std::size_t)> g_afterFileForTesting;

void OnStopSignal(int signal)
{
    g_stopSignal = signal;
}

// SIGINT and SIGTERM stop a batch between files rather than the process in
// the middle of a write, while the batch runs.
class StopSignals
{
  public:
    StopSignals()
    {
        struct sigaction action = {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_int);
        sigaction(SIGTERM, &action, &m_term);
    }
    ~StopSignals()
    {
        sigaction(SIGINT, &m_int, nullptr);
        sigaction(SIGTERM, &m_term, nullptr);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

  private:
    struct sigaction m_int = {}, m_term = {};
};

// The summary to its file, or after the lines with "-".
int WriteSummary(const std::string& path, const std::string& rows, std::ostream& out,
                 std::ostream& err)
{
    if (path == "-") {
        out << kSummaryHeader << rows;
        return kExitFit;
    }
    if (const FileResult written = WriteFileAtomically(path, kSummaryHeader + rows); !written.ok) {
        err << kPrefix << written.Message() << "\n";
        return kExitOutputFailed;
    }
    return kExitFit;
}

// One file with --summary: the one-file outputs and a summary of one row.
int RunOneWithSummary(const ReduceOptions& options, std::istream& standardInput, std::ostream& out,
                      std::ostream& err)
{
    std::vector<NamedPath> outputs, inputs;
    CollectPaths(options, "", outputs, inputs);
    if (*options.summaryPath != "-")
        outputs.push_back({"--summary " + *options.summaryPath, *options.summaryPath});
    if (const std::optional<std::string> clash = FindPathClash(outputs, inputs))
        return Refuse(err, *clash);
    const FileReduction result = ReduceInput(options, standardInput);
    out << result.out;
    err << ErrorText(result);
    const std::string file = options.inputPath.value_or("-");
    const std::string row =
        result.run ? SummaryRow(file, result.exitCode, *result.run, result.verdict, options.check)
                   : SummaryFailureRow(file, result.exitCode);
    const int summary = WriteSummary(*options.summaryPath, row, out, err);
    return summary != kExitFit ? summary : result.exitCode;
}

} // namespace

void SetBatchFileHookForTesting(std::function<void(std::size_t)> afterFile)
{
    g_afterFileForTesting = std::move(afterFile);
}

int RunReduceProgram(const std::vector<std::string>& args, std::istream& standardInput,
                     std::ostream& out, std::ostream& err)
{
    const ParsedOptions parsed = ParseReduceOptions(args);
    if (parsed.error || !parsed.options.IsBatch() || parsed.options.help ||
        parsed.options.version) {
        if (!parsed.error && !parsed.options.help && !parsed.options.version &&
            parsed.options.summaryPath)
            return RunOneWithSummary(parsed.options, standardInput, out, err);
        const CommandResult result = RunReduceCommand(args, standardInput);
        err << result.err;
        out << result.out;
        return result.exitCode;
    }
    const ReduceOptions& options = parsed.options;
    if (const auto refusal = CheckBatch(options))
        return Refuse(err, *refusal);
    std::vector<std::string> files = options.inputPaths;
    if (options.filesFromPath) {
        if (const auto error = ReadFileList(*options.filesFromPath, standardInput, files))
            return Refuse(err, *error);
    }
    // Every path of the batch is known before its first file is read.
    std::vector<NamedPath> outputs, inputs;
    for (const std::string& file : files)
        CollectPaths(FileOptions(options, file), file, outputs, inputs);
    if (options.summaryPath && *options.summaryPath != "-")
        outputs.push_back({"--summary " + *options.summaryPath, *options.summaryPath});
    if (options.filesFromPath && *options.filesFromPath != "-")
        inputs.push_back({"--files-from " + *options.filesFromPath, *options.filesFromPath});
    if (const std::optional<std::string> clash = FindPathClash(outputs, inputs))
        return Refuse(err, *clash);
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t jobs =
        static_cast<std::size_t>(options.jobs.value_or(static_cast<int>(cores)));
    OrderedOutput output(out, err, jobs * 16);
    std::atomic<std::size_t> nextFile{0};
    const StopSignals stopSignals;
    g_stopSignal = 0;
    // After a stop signal no file is begun: those under way complete, and the
    // lines print in input order up to the first file not done.
    const auto work = [&] {
        for (std::size_t i; !g_stopSignal && (i = nextFile++) < files.size();) {
            output.WaitForRoom(i);
            if (g_stopSignal)
                break;
            output.Deliver(i, ReduceOne(options, files[i]));
            if (g_afterFileForTesting)
                g_afterFileForTesting(i);
        }
    };
    std::vector<std::thread> helpers; // the calling thread is one of the jobs
    for (std::size_t j = 1; j < std::min(jobs, files.size()); ++j)
        helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers)
        helper.join();
    output.Finish();
    const int stopped = g_stopSignal.exchange(0);
    if (stopped)
        err << kPrefix << "stopped by signal " << stopped << ": the files before the first "
            << "not done are reduced\n";
    if (options.summaryPath) {
        if (const int written = WriteSummary(*options.summaryPath, output.SummaryRows(), out, err))
            return written;
    }
    return stopped ? 128 + stopped : output.ExitCode(); // 130 SIGINT, 143 SIGTERM
}

} // namespace tovarin
