#include "BatchText.h"

#include "JsonText.h"
#include "NumberText.h"
#include "ResultText.h"

#include <cmath>

namespace tovarin {
namespace {

// Full precision; empty where the JSON says null (no fit, or not finite).
std::string Coefficient(const Reduction& run, double value)
{
    return run.outcome.fitted && std::isfinite(value) ? FormatC("%.17g", value) : std::string();
}

} // namespace

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char ch : text)
        quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return quoted + "\"";
}

std::string ChecksVerdict(const Verdict& verdict, bool check)
{
    if (!check || verdict.checks.empty())
        return "";
    std::string failed;
    for (const Check& c : verdict.checks)
        if (!c.passed)
            failed += (failed.empty() ? "" : " ") + c.name;
    return failed.empty() ? "passed" : "failed: " + failed;
}

std::string BatchLine(const std::string& file, const Reduction& run, const ResultFieldTexts& fields,
                      const Verdict& verdict, bool check)
{
    const std::optional<LargestError> flowError = CheckedFlowError(run, verdict.quality);
    const std::string checks = ChecksVerdict(verdict, check);
    return FormatC("%s  %d rows  A %s  B %s  C %s  flow error %s", file.c_str(), run.set.rowCount,
                   fields.a.c_str(), fields.b.c_str(), fields.c.c_str(),
                   flowError ? FormatC("%+.2f %%", flowError->pct).c_str() : "undefined") +
           (checks.empty() ? "" : "  checks " + checks) + "\n";
}

std::string BatchJsonLine(const std::string& file, int exitCode, const std::string& json)
{
    return json.substr(0, json.rfind('}')) + ", \"file\": " + JsonString(file) +
           ", \"exitCode\": " + std::to_string(exitCode) + "}\n";
}

std::string BatchFailureLine(const std::string& file, int exitCode, const std::string& error,
                             bool json)
{
    if (json)
        return "{\"file\": " + JsonString(file) + ", \"exitCode\": " + std::to_string(exitCode) +
               ", \"error\": " + JsonString(error) + "}\n";
    return file + "  failed (exit " + std::to_string(exitCode) + "): " + error + "\n";
}

std::string SummaryRow(const std::string& file, int exitCode, const Reduction& run,
                       const Verdict& verdict, bool check)
{
    const KingCoefficients& k = run.coefficients;
    const std::optional<LargestError> flowError = CheckedFlowError(run, verdict.quality);
    return CsvField(file) + "," + std::to_string(exitCode) + "," +
           std::to_string(run.set.rowCount) + "," + ModeName(ModeOf(run)) + "," +
           Coefficient(run, k.a) + "," + Coefficient(run, k.b) + "," + Coefficient(run, k.c) + "," +
           (run.outcome.converged ? "true" : "false") + "," +
           (flowError ? FormatC("%.17g", flowError->pct) : "") + "," +
           CsvField(ChecksVerdict(verdict, check)) + "," + ModelName(run.model.kind) + "\n";
}

std::string SummaryFailureRow(const std::string& file, int exitCode)
{
    return CsvField(file) + "," + std::to_string(exitCode) + ",,,,,,,,,\n";
}

} // namespace tovarin
