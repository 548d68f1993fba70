#include "Options.h"

#include "BudgetOptions.h"
#include "OptionValue.h"
#include "TableOptions.h"

#include "FieldParsing.h"
#include "JsonText.h"
#include "Limits.h"
#include "MeasurementSet.h"
#include "OutputParameters.h"
#include "ReadFile.h"
#include "Units.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <functional>
#include <map>

namespace tovarin {

const char* const kReduceUsage =
    "Usage: tovarin-reduce [OPTIONS] [--] [FILE...]\n"
    "Fits King's equation, Response = a + b * flow^c, to the measurement rows in\n"
    "FILE (or standard input when FILE is -, or missing without --settings)\n"
    "exactly as the Tovarin window's \"Run Test\" does, and prints the result fields.\n"
    "\n"
    "Rows: one a line, at most 19; the table ends at the first flow not greater\n"
    "than the one before it. '#' starts a comment. A first line whose fields do not\n"
    "begin like numbers is a header. Fields are separated by commas, tabs or\n"
    "blanks (0,1.0  or  0 1.0); by semicolons, with a decimal comma, as European\n"
    "spreadsheets write them (0;1,0); or by the character of a first line sep=X.\n"
    "A UTF-8 byte-order mark and empty trailing fields are ignored.\n"
    "\n"
    "Input options:\n"
    "  --settings FILE      take rows, units and meter type from a settings file;\n"
    "                       FILE and the options below override it\n"
    "  --columns F,R        flow and response columns of a file with more than two,\n"
    "                       by 1-based number or header name:\n"
    "                       --columns 2,4  or  --columns \"Flow [kg/h],Signal [V]\"\n"
    "  --flow-unit UNIT     unit of the flows: g/s (default, also g/sec), kg/h\n"
    "                       (Kg/hr), lb/h (lbs/hr), SCFM\n"
    "  --response KIND      kind of the responses: Volts (default), Freq\n"
    "  --meter WORD         meter type, one word of at most 299 characters\n"
    "Output options (FILE - is standard output, for at most one of them, and\n"
    "then the result table is not printed):\n"
    "  --json               print one JSON object instead of the table\n"
    "  --log FILE           write the run's log block to FILE\n"
    "  --save-settings FILE write the settings file of this run to FILE\n"
    "  --table FILE         write the flow factor table (DW words) to FILE\n"
    "  --report FILE        write the HTML report to FILE\n"
    "  --record FILE        write the calibration record (HTML) to FILE, identified by\n"
    "                       --serial S, --operator NAME, --reference TEXT (the\n"
    "                       reference standard), --conditions TEXT, --note TEXT;\n"
    "                       SOURCE_DATE_EPOCH fixes its date\n"
    "  --previous FILE      compare with a previous --json output or record: the\n"
    "                       largest flow change at the same response (drift)\n"
    "  --response-min X     first response of the table and report (default 0)\n"
    "  --response-max X     last response (default 5 for Volts, 15000 for Freq)\n"
    "  --points N           words in the table (default 1024, at most 1048576)\n"
    "  --output-unit UNIT   unit of the table: 10*mg/sec (default, also 10*mg/s),\n"
    "                       mg/sec (mg/s), g/sec (g/s), kg/hr (kg/h), lb/min,\n"
    "                       lb/h (lb/hr)\n"
    "  --breakpoints LIST   the table's responses instead of evenly spaced ones:\n"
    "                       ascending, comma-separated, or @FILE (one a line);\n"
    "                       not with --points\n"
    "  --place-breakpoints N  N breakpoints from response min to max, placed so\n"
    "                       that the controller's linear interpolation misses\n"
    "                       least; not with --points or --breakpoints\n"
    "  --word TYPE          word type: int (default), u8, u16, s16, u32, f32\n"
    "                       (f32 not in dw); a word beyond the type saturates\n"
    "  --word-scale X       word = flow in the output unit x X, rounded half up\n"
    "  --table-format F     layout of the table: dw (default, DW lines), csv or\n"
    "                       tsv (response,word rows under a header), c (arrays)\n"
    "  --byte-split         a u16 or s16 table (dw or c) as its high bytes, then\n"
    "                       its low bytes\n"
    "  --axis FILE          write the breakpoints as DW words to FILE (dw, with\n"
    "                       --breakpoints or --place-breakpoints)\n"
    "  --axis-scale X       axis word = response x X (1000 for millivolts)\n"
    "Models (the table, report, record, checks and drift use the chosen one):\n"
    "  --model NAME         king (default, King's equation), king-offset (with a\n"
    "                       flow offset), poly (flow as a polynomial of order 3 to\n"
    "                       5 in the response), monotone (monotone interpolant),\n"
    "                       best (the smallest leave-one-out flow error)\n"
    "  --compare-models     compare all four models even with --model king\n"
    "Uncertainty budget (expanded, k = 2; the record's U includes them):\n"
    "  --u-reference PCT[,ABS]  reference flows: PCT % of reading + ABS g/s,\n"
    "                       common to all rows\n"
    "  --u-response PCT[,ABS]   response meter: PCT % of reading + ABS V or Hz\n"
    "  --resolution R       the response's resolution (rectangular)\n"
    "  --cmc PCT            the laboratory's CMC: no stated U is smaller\n"
    "  --mc-trials N        Monte Carlo trials (100 to 1000000; adaptive without)\n"
    "  --decision-rule R    simple (default) or guarded (|error| + U within limit)\n"
    "Checks (printed with the result; --check makes a failure exit 4):\n"
    "  --check              exit 4 when a check fails, naming it on standard error:\n"
    "                       the fit converged, the flow error, every word within\n"
    "                       0 to the largest word, the table monotonic, the table\n"
    "                       error (rounding and interpolation)\n"
    "  --idle-flow G        flow errors count from G g/s up (default 2)\n"
    "  --max-flow-error PCT largest flow error allowed (default 2)\n"
    "  --max-word N         largest table word allowed (default 65535)\n"
    "  --max-table-error PCT largest table error allowed (default 0.5)\n"
    "  --max-drift PCT      largest drift allowed against --previous (a check)\n"
    "  --max-extrapolated PCT  largest share of words outside the measured\n"
    "                       responses (a check)\n"
    "  --help               print this help and exit\n"
    "  --version            print the version and exit\n"
    "  --                   the next argument is the FILE, even if it begins with -\n"
    "Batch (two or more FILEs, or --files-from): each file is reduced as alone;\n"
    "--json prints one object a line with \"file\" and \"exitCode\", else one line a\n"
    "file; output paths must hold {stem}, {name} or {dir} of the file; the exit\n"
    "status is that of the first file that did not give 0.\n"
    "  --files-from LIST    the files, one path a line (- for standard input)\n"
    "  --jobs N             worker threads (default: the number of cores)\n"
    "  --summary FILE       one CSV row per file: file,exitCode,rowCount,mode,a,b,c,\n"
    "                       converged,maxFlowErrorPct,checks,model\n"
    "\n"
    "Exit status: 0 fitted, 1 an output could not be written, 2 bad options or\n"
    "input (nothing written), 3 no usable fit (fewer than 3 rows in use, or\n"
    "coefficients that are not finite when a table or report was asked for),\n"
    "4 with --check, a check failed (the outputs are written all the same).\n";

namespace {

bool EqualsIgnoringCase(const std::string& a, const char* b)
{
    const std::string other(b);
    return std::equal(a.begin(), a.end(), other.begin(), other.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

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

namespace {

// The spellings of a list's entries: the labels and the others people write.
template <typename Enum> struct Spelling
{
    const char* text;
    Enum value;
};

template <typename Info, typename Enum = decltype(Info::unit)>
std::vector<Spelling<Enum>> SpellingsOf(std::span<const Info> table)
{
    std::vector<Spelling<Enum>> spellings;
    for (const Info& info : table) {
        spellings.push_back({info.label, info.unit});
        for (const char* other : info.others)
            spellings.push_back({other, info.unit});
    }
    return spellings;
}

std::vector<Spelling<ResponseKind>> KindSpellings()
{
    std::vector<Spelling<ResponseKind>> spellings;
    for (const ResponseKindInfo& info : ResponseKinds())
        spellings.push_back({info.label, info.kind});
    return spellings;
}

// A list option: the value is one of the spellings, in any case. The
// message on a bad value names the labels in list order.
template <typename Enum>
ValueHandler LabelOption(const char* name, const char* noun,
                         std::optional<Enum> ReduceOptions::*member,
                         std::vector<Spelling<Enum>> spellings, std::vector<const char*> labels)
{
    std::string named;
    for (std::size_t i = 0; i < labels.size(); ++i)
        named += std::string(i == 0 ? "" : (i + 1 == labels.size() ? " or " : ", ")) + labels[i];
    return [=](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
        for (const Spelling<Enum>& spelling : spellings) {
            if (EqualsIgnoringCase(v, spelling.text)) {
                o.*member = spelling.value;
                return std::nullopt;
            }
        }
        return std::string(name) + ": unknown " + noun + " '" + v + "' (use " + named + ")";
    };
}

template <typename Info> std::vector<const char*> LabelsOf(std::span<const Info> table)
{
    std::vector<const char*> labels;
    for (const Info& info : table)
        labels.push_back(info.label);
    return labels;
}

ValueHandler DecimalOption(const char* name, std::optional<double> ReduceOptions::*member)
{
    return [name, member](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
        double value = 0.0;
        if (DecimalPrefixLength(v) != v.size() || !ReadNumberField(v, value))
            return std::string(name) + ": '" + v + "' is not a decimal number";
        o.*member = value;
        return std::nullopt;
    };
}

// A threshold of the checks: a decimal number, not negative.
ValueHandler ThresholdOption(const char* name, double CheckThresholds::*member)
{
    return [name, member](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
        const std::optional<double> value = ReadLimit(v);
        if (!value)
            return std::string(name) + ": '" + v + "' is not a decimal number from 0 up";
        o.thresholds.*member = *value;
        return std::nullopt;
    };
}

// A limit of a check that is only judged when given: a decimal number, not negative.
ValueHandler LimitOption(const char* name, void (*set)(ReduceOptions&, double))
{
    return [name, set](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
        const std::optional<double> value = ReadLimit(v);
        if (!value)
            return std::string(name) + ": '" + v + "' is not a decimal number from 0 up";
        set(o, *value);
        return std::nullopt;
    };
}

// A text of the record's identification, as given.
ValueHandler TextOption(std::string RecordIdentity::*member)
{
    return [member](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
        o.identity.*member = v;
        return std::nullopt;
    };
}

ValueHandler PathOption(std::optional<std::string> ReduceOptions::*member)
{
    return [member](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
        o.*member = v;
        return std::nullopt;
    };
}

const std::map<std::string, ValueHandler>& ValueOptions()
{
    static const std::map<std::string, ValueHandler> options =
        WithBudgetOptions(WithTableOptions(
            {
                {"--flow-unit", LabelOption("--flow-unit", "unit", &ReduceOptions::flowUnit,
                                            SpellingsOf(FlowUnits()), LabelsOf(FlowUnits()))},
                {"--response", LabelOption("--response", "kind", &ReduceOptions::responseKind,
                                           KindSpellings(), LabelsOf(ResponseKinds()))},
                {"--output-unit",
                 LabelOption("--output-unit", "unit", &ReduceOptions::outputFlowUnit,
                             SpellingsOf(OutputFlowUnits()), LabelsOf(OutputFlowUnits()))},
                {"--idle-flow", ThresholdOption("--idle-flow", &CheckThresholds::idleFlowGs)},
                {"--max-flow-error",
                 ThresholdOption("--max-flow-error", &CheckThresholds::maxFlowErrorPct)},
                {"--max-table-error",
                 ThresholdOption("--max-table-error", &CheckThresholds::maxTableErrorPct)},
                {"--max-word",
                 [](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
                     const std::optional<int> word = ReadWordLimit(v);
                     if (!word)
                         return "--max-word: '" + v + "' is not a whole number from 0 up";
                     o.thresholds.maxWord = *word;
                     return std::nullopt;
                 }},
                {"--model", ChoiceOption("--model", &ReduceOptions::model, ModelChoiceNamed,
                                         "king, king-offset, poly, monotone, best")},
                {"--columns",
                 [](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
                     o.columns = ParseColumnChoice(v);
                     if (!o.columns)
                         return "--columns: '" + v +
                                "' is not two columns F,R (1-based numbers or header names)";
                     if (o.columns->flow.number == o.columns->response.number &&
                         o.columns->flow.name == o.columns->response.name)
                         return "--columns: '" + v + "' names the same column twice";
                     return std::nullopt;
                 }},
                {"--meter",
                 [](ReduceOptions& o, const std::string& v) {
                     o.meterType = v;
                     return CheckMeterType(v);
                 }},
                {"--response-min", DecimalOption("--response-min", &ReduceOptions::responseMin)},
                {"--response-max", DecimalOption("--response-max", &ReduceOptions::responseMax)},
                {"--points",
                 [](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
                     int value = 0;
                     if (!IsWholeInteger(v) || !ReadIntField(v, value) || value == INT_MAX ||
                         value == INT_MIN)
                         return "--points: '" + v + "' is not a whole number of points";
                     if (value > kMaxPointCount)
                         return "--points: " + v +
                                " is more than the 1048576 points a table may have";
                     o.pointCount = value;
                     return std::nullopt;
                 }},
                {"--settings", PathOption(&ReduceOptions::settingsPath)},
                {"--log", PathOption(&ReduceOptions::logPath)},
                {"--save-settings", PathOption(&ReduceOptions::saveSettingsPath)},
                {"--table", PathOption(&ReduceOptions::tablePath)},
                {"--report", PathOption(&ReduceOptions::reportPath)},
                {"--record", PathOption(&ReduceOptions::recordPath)},
                {"--previous", PathOption(&ReduceOptions::previousPath)},
                {"--files-from", PathOption(&ReduceOptions::filesFromPath)},
                {"--summary", PathOption(&ReduceOptions::summaryPath)},
                {"--jobs",
                 [](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
                     int jobs = 0;
                     if (!IsWholeInteger(v) || !ReadIntField(v, jobs) || jobs < 1 || jobs > 256)
                         return "--jobs: '" + v + "' is not a number of threads from 1 to 256";
                     o.jobs = jobs;
                     return std::nullopt;
                 }},
                {"--serial", TextOption(&RecordIdentity::serial)},
                {"--operator", TextOption(&RecordIdentity::operatorName)},
                {"--reference", TextOption(&RecordIdentity::reference)},
                {"--conditions", TextOption(&RecordIdentity::conditions)},
                {"--note", TextOption(&RecordIdentity::note)},
                {"--max-drift",
                 LimitOption("--max-drift",
                             [](ReduceOptions& o, double value) { o.maxDriftPct = value; })},
                {"--max-extrapolated", LimitOption("--max-extrapolated",
                                                   [](ReduceOptions& o, double value) {
                                                       o.thresholds.maxExtrapolatedPct = value;
                                                   })},
            }));
    return options;
}

std::optional<std::string> AddInputPath(ReduceOptions& options, const std::string& path)
{
    if (!options.inputPath)
        options.inputPath = path;
    options.inputPaths.push_back(path);
    return std::nullopt;
}

// At most one output may go to standard output, and not beside --json.
std::optional<std::string> CheckStandardOutput(const ReduceOptions& options)
{
    std::vector<std::string> names;
    for (const auto& [name, path] : {std::pair{"--log", &options.logPath},
                                     {"--save-settings", &options.saveSettingsPath},
                                     {"--table", &options.tablePath},
                                     {"--axis", &options.axisPath},
                                     {"--report", &options.reportPath},
                                     {"--record", &options.recordPath}})
        if (*path == "-")
            names.push_back(name);
    if (names.size() > 1)
        return names[0] + " and " + names[1] + " cannot both write to standard output ('-')";
    if (names.size() == 1 && options.json)
        return "--json and " + names[0] + " - cannot both write to standard output";
    return std::nullopt;
}

} // namespace

ParsedOptions ParseReduceOptions(const std::vector<std::string>& args)
{
    ParsedOptions parsed;
    ReduceOptions& options = parsed.options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size() && !parsed.error; ++i) {
        std::string arg = args[i];
        if (optionsEnded) {
            parsed.error = AddInputPath(options, arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::optional<std::string> inlineValue;
        const std::size_t equals = arg.find('=');
        if (arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            inlineValue = arg.substr(equals + 1);
            arg.resize(equals);
        }
        const auto valueOption = ValueOptions().find(arg);
        if (valueOption != ValueOptions().end()) {
            if (!inlineValue && i + 1 == args.size())
                parsed.error = "option " + arg + " needs a value";
            else
                parsed.error = valueOption->second(options, inlineValue ? *inlineValue : args[++i]);
        } else if (arg == "--help" || arg == "-h" || arg == "--version" || arg == "--json" ||
                   arg == "--check" || arg == "--compare-models" || arg == "--byte-split") {
            if (inlineValue)
                parsed.error = "option " + arg + " takes no value";
            options.help = options.help || arg == "--help" || arg == "-h";
            options.version = options.version || arg == "--version";
            options.json = options.json || arg == "--json";
            options.check = options.check || arg == "--check";
            options.compareModels = options.compareModels || arg == "--compare-models";
            options.byteSplit = options.byteSplit || arg == "--byte-split";
        } else if (arg.size() > 1 && arg[0] == '-') {
            parsed.error = "unknown option '" + arg + "'";
        } else {
            parsed.error = AddInputPath(options, arg);
        }
    }
    if (!parsed.error)
        parsed.error = CheckStandardOutput(options);
    if (!parsed.error)
        parsed.error = CheckTableOptions(options);
    return parsed;
}

} // namespace tovarin
