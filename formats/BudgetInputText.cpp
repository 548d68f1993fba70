#include "BudgetInputText.h"

#include "FieldParsing.h"

#include <cmath>

namespace tovarin {

std::optional<double> ReadUncertaintyAmount(const std::string& text)
{
    double value = 0.0;
    if (text.empty() || DecimalPrefixLength(text) != text.size() || !ReadNumberField(text, value) ||
        !(value >= 0.0) || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<ReadingUncertainty> ReadReadingUncertainty(const std::string& text)
{
    const std::size_t comma = text.find(',');
    const std::optional<double> pct = ReadUncertaintyAmount(text.substr(0, comma));
    const std::optional<double> abs = comma == std::string::npos
                                          ? std::optional(0.0)
                                          : ReadUncertaintyAmount(text.substr(comma + 1));
    if (!pct || !abs)
        return std::nullopt;
    return ReadingUncertainty{*pct, *abs};
}

} // namespace tovarin
