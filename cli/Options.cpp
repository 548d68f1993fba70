#include "Options.h"

#include "FieldParsing.h"
#include "MeasurementSet.h"

#include <algorithm>
#include <cctype>

namespace tovarin {

const char* const kReduceUsage =
    "Usage: tovarin-reduce [OPTIONS] [FILE]\n"
    "Fits King's equation, Response = a + b * flow^c, to the measurement rows in\n"
    "FILE (or standard input when FILE is - or missing) exactly as the Tovarin\n"
    "window's \"Run Test\" does, and prints the result fields.\n"
    "\n"
    "Rows: one a line, flow and response separated by a comma, semicolon, tab or\n"
    "blanks; '#' starts a comment; a first line that is not numeric is a header.\n"
    "At most 19 rows; the table ends at the first flow not greater than the one\n"
    "before it.\n"
    "\n"
    "Options:\n"
    "  --flow-unit UNIT   unit of the flows: g/s (default), Kg/hr, lbs/hr, SCFM\n"
    "  --response KIND    kind of the responses: Volts (default), Freq\n"
    "  --meter WORD       meter type, one word of at most 299 characters\n"
    "  --log FILE         write the run's log block to FILE\n"
    "  --json             print one JSON object instead of the table\n"
    "  --help             print this help and exit\n"
    "  --version          print the version and exit\n"
    "\n"
    "Exit status: 0 fitted, 1 an output could not be written, 2 bad options or\n"
    "input (nothing written), 3 fewer than 3 rows in use (no fit).\n";

namespace {

bool EqualsIgnoringCase(const std::string& a, const char* b)
{
    const std::string other(b);
    return std::equal(a.begin(), a.end(), other.begin(), other.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::optional<int> FlowUnitByLabel(const std::string& label)
{
    for (int i = 0; i < kFlowUnitCount; ++i)
        if (EqualsIgnoringCase(label, FlowUnitLabel(static_cast<FlowUnit>(i))))
            return i;
    return std::nullopt;
}

std::optional<int> ResponseKindByLabel(const std::string& label)
{
    for (int i = 0; i < kResponseKindCount; ++i)
        if (EqualsIgnoringCase(label, ResponseKindLabel(static_cast<ResponseKind>(i))))
            return i;
    return std::nullopt;
}

std::optional<std::string> CheckMeterType(const std::string& word)
{
    if (word.empty())
        return "--meter: the meter type is empty";
    if (std::any_of(word.begin(), word.end(), IsCSpace))
        return "--meter: the meter type must be one word, without blanks";
    if (word.size() > kMaxMeterTypeLength)
        return "--meter: the meter type is longer than 299 characters";
    return std::nullopt;
}

} // namespace

ParsedOptions ParseReduceOptions(const std::vector<std::string>& args)
{
    ParsedOptions parsed;
    ReduceOptions& options = parsed.options;
    bool inputGiven = false;
    for (std::size_t i = 0; i < args.size() && !parsed.error; ++i) {
        std::string arg = args[i];
        std::optional<std::string> inlineValue;
        if (arg.rfind("--", 0) == 0) {
            const std::size_t equals = arg.find('=');
            if (equals != std::string::npos) {
                inlineValue = arg.substr(equals + 1);
                arg.resize(equals);
            }
        }
        auto takeValue = [&]() -> std::optional<std::string> {
            if (inlineValue)
                return inlineValue;
            if (i + 1 < args.size())
                return args[++i];
            parsed.error = "option " + arg + " needs a value";
            return std::nullopt;
        };

        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--flow-unit") {
            if (const auto value = takeValue()) {
                const auto unit = FlowUnitByLabel(*value);
                if (unit)
                    options.flowUnit = *unit;
                else
                    parsed.error = "--flow-unit: unknown unit '" + *value +
                                   "' (use g/s, Kg/hr, lbs/hr or SCFM)";
            }
        } else if (arg == "--response") {
            if (const auto value = takeValue()) {
                const auto kind = ResponseKindByLabel(*value);
                if (kind)
                    options.responseKind = *kind;
                else
                    parsed.error = "--response: unknown kind '" + *value + "' (use Volts or Freq)";
            }
        } else if (arg == "--meter") {
            if (const auto value = takeValue()) {
                parsed.error = CheckMeterType(*value);
                options.meterType = *value;
            }
        } else if (arg == "--log") {
            if (const auto value = takeValue())
                options.logPath = *value;
        } else if (arg.size() > 1 && arg[0] == '-') {
            parsed.error = "unknown option '" + arg + "'";
        } else if (inputGiven) {
            parsed.error = "more than one input file ('" + options.inputPath + "' and '" + arg + "')";
        } else {
            options.inputPath = arg;
            inputGiven = true;
        }
    }
    return parsed;
}

} // namespace tovarin
