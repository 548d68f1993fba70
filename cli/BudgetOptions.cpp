#include "BudgetOptions.h"

#include "FieldParsing.h"

#include <cmath>

namespace tovarin {
namespace {

// A decimal number from 0 up, the whole text.
std::optional<double> ReadAmount(const std::string& text)
{
    double value = 0.0;
    if (text.empty() || DecimalPrefixLength(text) != text.size() || !ReadNumberField(text, value) ||
        !(value >= 0.0) || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// "--u-reference 0.25" or "--u-reference 0.25,0.01": PCT % of reading plus ABS.
ValueHandler ReadingOption(const char* name,
                           std::optional<ReadingUncertainty> BudgetInputs::*member)
{
    return [=](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
        const std::size_t comma = v.find(',');
        const std::optional<double> pct = ReadAmount(v.substr(0, comma));
        const std::optional<double> abs =
            comma == std::string::npos ? std::optional(0.0) : ReadAmount(v.substr(comma + 1));
        if (!pct || !abs)
            return std::string(name) + ": '" + v +
                   "' is not PCT or PCT,ABS (decimal numbers from 0 up)";
        o.budget.*member = ReadingUncertainty{*pct, *abs};
        return std::nullopt;
    };
}

ValueHandler AmountOption(const char* name, std::optional<double> BudgetInputs::*member)
{
    return [=](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
        const std::optional<double> value = ReadAmount(v);
        if (!value)
            return std::string(name) + ": '" + v + "' is not a decimal number from 0 up";
        o.budget.*member = value;
        return std::nullopt;
    };
}

} // namespace

std::map<std::string, ValueHandler> WithBudgetOptions(std::map<std::string, ValueHandler> options)
{
    options.insert({
        {"--u-reference", ReadingOption("--u-reference", &BudgetInputs::reference)},
        {"--u-response", ReadingOption("--u-response", &BudgetInputs::response)},
        {"--resolution", AmountOption("--resolution", &BudgetInputs::resolution)},
        {"--cmc", AmountOption("--cmc", &BudgetInputs::cmcPct)},
        {"--mc-trials",
         [](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
             int value = 0;
             if (!IsWholeInteger(v) || !ReadIntField(v, value) || value < 100 ||
                 value > kMaxAdaptiveTrials)
                 return "--mc-trials: '" + v + "' is not a whole number from 100 to 1000000";
             o.budget.mcTrials = value;
             return std::nullopt;
         }},
        {"--decision-rule",
         [](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
             if (v != "simple" && v != "guarded")
                 return "--decision-rule: '" + v + "' is not one of simple, guarded";
             o.budget.guarded = v == "guarded";
             return std::nullopt;
         }},
    });
    return options;
}

} // namespace tovarin
