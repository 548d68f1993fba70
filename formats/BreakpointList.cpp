#include "BreakpointList.h"

#include "FieldParsing.h"

namespace tovarin {

std::optional<std::string> ParseBreakpointList(const std::string& text, char separator,
                                               std::vector<double>& breakpoints)
{
    const bool lines = separator == '\n';
    breakpoints.clear();
    std::string previous;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find(separator, start);
        if (end == std::string::npos)
            end = text.size();
        std::string item = text.substr(start, end - start);
        start = end + 1;
        if (lines && !item.empty() && item.back() == '\r')
            item.pop_back();
        if (lines && item.empty())
            continue; // blank lines, the last line's end
        double value = 0.0;
        if (DecimalPrefixLength(item) != item.size() || !ReadNumberField(item, value))
            return "'" + item + "' is not a decimal number";
        if (!breakpoints.empty() && !(value > breakpoints.back()))
            return item + " is not above the breakpoint before it (" + previous + ")";
        breakpoints.push_back(value);
        previous = item;
    }
    if (breakpoints.empty())
        return std::string("no breakpoint given");
    return std::nullopt;
}

} // namespace tovarin
