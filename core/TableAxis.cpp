#include "TableAxis.h"

#include "NumberText.h"

#include <cmath>

namespace tovarin {

std::vector<TableWord> AxisWords(const OutputParameters& output)
{
    std::vector<TableWord> words;
    const WordTypeInfo& type = InfoOf(output.wordType);
    for (const double response : output.breakpoints) {
        TableWord word = MakeWord(response, output.wordType, output.axisScale);
        // The int flow words clamp silently, as they always have; an axis word must not.
        const double scaled = response * output.axisScale + 0.5;
        word.saturated = word.saturated || !(scaled >= type.low && scaled < type.high + 1.0);
        words.push_back(word);
    }
    return words;
}

std::optional<std::string> AxisProblem(const OutputParameters& output)
{
    const std::vector<TableWord> words = AxisWords(output);
    const WordTypeInfo& type = InfoOf(output.wordType);
    const auto responseText = [&](std::size_t i) {
        return FormatC("%.10g", output.breakpoints[i]);
    };
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i].saturated)
            return "--axis: the breakpoint " + responseText(i) + " x " +
                   FormatC("%.10g", output.axisScale) + " lies beyond " + type.name + " (" +
                   WordText(type.low, output.wordType) + " to " +
                   WordText(type.high, output.wordType) + ")";
        if (i > 0 && !(words[i].value > words[i - 1].value))
            return "--axis: the breakpoints " + responseText(i - 1) + " and " + responseText(i) +
                   " give the axis words " + WordText(words[i - 1].value, output.wordType) +
                   " and " + WordText(words[i].value, output.wordType) +
                   ", which do not rise (raise --axis-scale)";
    }
    return std::nullopt;
}

} // namespace tovarin
