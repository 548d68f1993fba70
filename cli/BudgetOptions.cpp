#include "BudgetOptions.h"

#include "BudgetInputText.h"
#include "FieldParsing.h"

namespace tovarin {
namespace {

// "--u-reference 0.25" or "--u-reference 0.25,0.01": PCT % of reading plus ABS.
ValueHandler ReadingOption(const char* name,
                           std::optional<ReadingUncertainty> BudgetInputs::*member)
{
    return [=](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
        const std::optional<ReadingUncertainty> reading = ReadReadingUncertainty(v);
        if (!reading)
            return std::string(name) + ": '" + v +
                   "' is not PCT or PCT,ABS (decimal numbers from 0 up)";
        o.budget.*member = reading;
        return std::nullopt;
    };
}

ValueHandler AmountOption(const char* name, std::optional<double> BudgetInputs::*member)
{
    return [=](ReduceOptions& o, const std::string& v) -> std::optional<std::string> {
        const std::optional<double> value = ReadUncertaintyAmount(v);
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
