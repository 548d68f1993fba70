#include "Batch.h"

#include "AtomicFile.h"
#include "JsonReader.h"
#include "JsonText.h"
#include "NumberText.h"
#include "OrderedOutput.h"
#include "ReadFile.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <optional>
#include <sstream>
#include <thread>

namespace tovarin {
namespace {

constexpr const char* kPrefix = "tovarin-reduce: ";

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char ch : text)
        quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return quoted + "\"";
}

// The file's standard error, every message naming the file, without the
// one-file hint to read the help.
std::string NameTheFile(const std::string& errors, const std::string& file)
{
    std::string named;
    std::istringstream lines(errors);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Try '", 0) == 0)
            continue;
        std::string message = line.rfind(kPrefix, 0) == 0 ? line.substr(16) : line;
        if (message.rfind(file, 0) != 0)
            message = file + ": " + message;
        named += kPrefix + message + "\n";
    }
    return named;
}

// "passed", "failed: <names>", or empty without --check or without a fit.
std::string ChecksVerdict(const JsonValue& object, bool check)
{
    const JsonValue* checks = object.Find("checks");
    if (!check || !checks || checks->items.empty())
        return "";
    std::string failed;
    for (const JsonValue& c : checks->items)
        if (const JsonValue* passed = c.Find("passed"); passed && !passed->boolean)
            failed += (failed.empty() ? "" : " ") + c.Find("name")->text;
    return failed.empty() ? "passed" : "failed: " + failed;
}

// Reduces one file as `tovarin-reduce ARGS -- FILE --json` would and turns the
// result into the batch's line, CSV row and messages.
FileOutcome ReduceOne(std::vector<std::string> args, const std::string& file,
                      const ReduceOptions& options)
{
    for (std::string& arg : args)
        arg = FillPlaceholders(arg, file);
    args.insert(args.end(), {"--json", "--", file});
    std::istringstream noInput;
    const CommandResult result = RunReduceCommand(args, noInput);
    FileOutcome outcome{result.exitCode, "", NameTheFile(result.err, file), ""};
    const std::string tail = ", \"file\": " + JsonString(file) +
                             ", \"exitCode\": " + std::to_string(result.exitCode) + "}\n";
    if (options.json && !options.summaryPath && !result.out.empty()) { // nothing to read back
        outcome.line = result.out.substr(0, result.out.rfind('}')) + tail;
        return outcome;
    }
    std::optional<JsonValue> object = result.out.empty() ? std::nullopt : ParseJson(result.out);
    if (!object) {
        std::string error = outcome.errors.substr(0, outcome.errors.find('\n'));
        error = error.substr(std::min(error.size(), std::string(kPrefix).size()));
        outcome.line = options.json ? "{\"file\": " + JsonString(file) +
                                          ", \"exitCode\": " + std::to_string(result.exitCode) +
                                          ", \"error\": " + JsonString(error) + "}\n"
                                    : file + "  failed (exit " + std::to_string(result.exitCode) +
                                          "): " + error + "\n";
        if (options.summaryPath)
            outcome.summaryRow =
                CsvField(file) + "," + std::to_string(result.exitCode) + ",,,,,,,,\n";
        return outcome;
    }
    const auto number = [&](const JsonValue* v) {
        return v && v->type == JsonValue::Type::Number ? std::optional(v->number) : std::nullopt;
    };
    const JsonValue* quality = object->Find("quality");
    const std::optional<double> flowError =
        number(quality ? quality->Find("maxFlowErrorPct") : nullptr);
    const std::string checks = ChecksVerdict(*object, options.check);
    if (options.json) {
        outcome.line = result.out.substr(0, result.out.rfind('}')) + tail;
    } else {
        const JsonValue* fields = object->Find("fields");
        outcome.line = FormatC("%s  %d rows  A %s  B %s  C %s  flow error %s", file.c_str(),
                               static_cast<int>(object->Find("rowCount")->number),
                               fields->Find("A")->text.c_str(), fields->Find("B")->text.c_str(),
                               fields->Find("C")->text.c_str(),
                               flowError ? FormatC("%+.2f %%", *flowError).c_str() : "undefined") +
                       (checks.empty() ? "" : "  checks " + checks) + "\n";
    }
    if (!options.summaryPath)
        return outcome;
    const JsonValue* fit = object->Find("fit");
    const auto Coefficient = [&](const char* key) {
        const std::optional<double> value = number(object->Find(key));
        return value ? FormatC("%.17g", *value) : std::string(); // null: not finite
    };
    outcome.summaryRow =
        CsvField(file) + "," + std::to_string(result.exitCode) + "," +
        std::to_string(static_cast<int>(object->Find("rowCount")->number)) + "," +
        object->Find("mode")->text + "," + Coefficient("a") + "," + Coefficient("b") + "," +
        Coefficient("c") + "," + (fit && fit->Find("converged")->boolean ? "true" : "false") + "," +
        (flowError ? FormatC("%.17g", *flowError) : "") + "," + CsvField(checks) + "\n";
    return outcome;
}

// The refusal of a batch's options before any file is read.
std::optional<std::string> CheckBatch(const ReduceOptions& options)
{
    for (const auto& path : {options.logPath, options.saveSettingsPath, options.tablePath,
                             options.reportPath, options.recordPath}) {
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
    if (path == "-")
        list.assign(std::istreambuf_iterator<char>(standardInput), {});
    else if (const FileResult read = ReadWholeFile(path, list); !read.ok)
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
    const std::filesystem::path p(file);
    const std::pair<const char*, std::string> fills[] = {
        {"{stem}", p.stem().string()},
        {"{name}", p.filename().string()},
        {"{dir}", p.has_parent_path() ? p.parent_path().string() : "."}};
    std::string filled = path;
    for (const auto& [key, value] : fills)
        for (std::size_t at; (at = filled.find(key)) != std::string::npos;)
            filled.replace(at, std::string(key).size(), value);
    return filled;
}

int RunReduceProgram(const std::vector<std::string>& args, std::istream& standardInput,
                     std::ostream& out, std::ostream& err)
{
    const ParsedOptions parsed = ParseReduceOptions(args);
    if (parsed.error || !parsed.options.IsBatch() || parsed.options.help ||
        parsed.options.version) {
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
    std::vector<std::string> perFile; // the arguments of each file's own run
    for (std::size_t i = 0; i < args.size(); ++i)
        if (std::find(options.batchArgs.begin(), options.batchArgs.end(), i) ==
                options.batchArgs.end() &&
            args[i] != "--json")
            perFile.push_back(args[i]);

    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t jobs =
        static_cast<std::size_t>(options.jobs.value_or(static_cast<int>(cores)));
    OrderedOutput output(out, err, jobs * 16);
    std::atomic<std::size_t> nextFile{0};
    const auto work = [&] {
        for (std::size_t i; (i = nextFile++) < files.size();) {
            output.WaitForRoom(i);
            output.Deliver(i, ReduceOne(perFile, files[i], options));
        }
    };
    std::vector<std::thread> helpers; // the calling thread is one of the jobs
    for (std::size_t j = 1; j < std::min(jobs, files.size()); ++j)
        helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers)
        helper.join();
    output.Finish();
    if (options.summaryPath) {
        const std::string header =
            "file,exitCode,rowCount,mode,a,b,c,converged,maxFlowErrorPct,checks\n";
        if (const FileResult written =
                WriteFileAtomically(*options.summaryPath, header + output.SummaryRows());
            !written.ok) {
            err << kPrefix << written.Message() << "\n";
            return kExitOutputFailed;
        }
    }
    return output.ExitCode();
}

} // namespace tovarin
