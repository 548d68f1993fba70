#include "Limits.h"

#include "FieldParsing.h"
#include "FieldText.h"

#include <climits>
#include <cmath>

namespace tovarin {

std::optional<double> ReadLimit(std::string_view text)
{
    double value = 0.0;
    if (!IsDecimalNumber(text) || !ReadNumberField(text, value) || !(value >= 0.0) ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> ReadWordLimit(std::string_view text)
{
    const std::size_t sign = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (text.size() == sign || text.find_first_not_of("0123456789", sign) != text.npos)
        return std::nullopt;
    int value = 0;
    if (!ReadIntField(text, value) || value < 0 || value == INT_MAX) // INT_MAX: saturated
        return std::nullopt;
    return value;
}

LimitTexts FormatLimits(const CheckThresholds& limits)
{
    return {FormatRestoredValue(limits.idleFlowGs), FormatRestoredValue(limits.maxFlowErrorPct),
            std::to_string(limits.maxWord), FormatRestoredValue(limits.maxTableErrorPct)};
}

std::optional<CheckThresholds> ReadLimits(const LimitTexts& texts, std::string& error)
{
    CheckThresholds limits;
    const std::pair<const char*, std::pair<const std::string*, double*>> decimals[] = {
        {"Idle flow", {&texts.idleFlowGs, &limits.idleFlowGs}},
        {"Largest flow error", {&texts.maxFlowErrorPct, &limits.maxFlowErrorPct}},
        {"Largest table error", {&texts.maxTableErrorPct, &limits.maxTableErrorPct}}};
    for (const auto& [name, field] : decimals) {
        const std::optional<double> value = ReadLimit(TrimSpace(*field.first));
        if (!value) {
            error =
                std::string(name) + ": '" + *field.first + "' is not a decimal number from 0 up";
            return std::nullopt;
        }
        *field.second = *value;
    }
    const std::optional<int> word = ReadWordLimit(TrimSpace(texts.maxWord));
    if (!word) {
        error = "Largest word: '" + texts.maxWord + "' is not a whole number from 0 up";
        return std::nullopt;
    }
    limits.maxWord = *word;
    return limits;
}

} // namespace tovarin
