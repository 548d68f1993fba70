#include "FieldText.h"

#include "FieldParsing.h"
#include "NumberText.h"

namespace tovarin {
namespace {

// The note for a text whose number ends `used` bytes into its trimmed text.
std::optional<std::string> Note(std::string_view text, std::size_t used, const std::string& read,
                                const std::string& previous)
{
    const std::string_view trimmed = TrimSpace(text);
    if (used == 0)
        return "Not a number: the previous value " + previous + " was used.";
    if (used == trimmed.size())
        return std::nullopt;
    return "Read as " + read + ": only the part before '" + std::string(1, trimmed[used]) +
           "' is a number.";
}

} // namespace

std::string FormatRestoredValue(double value)
{
    // A fixed text longer than any "%.17g" text (huge values) is not shown.
    constexpr std::size_t kLongestExactText = 24;
    for (int decimals = 2; decimals <= 6; ++decimals) {
        const std::string text = FormatC("%.*f", decimals, value);
        if (text.size() > kLongestExactText)
            break;
        double readBack = 0.0;
        if (ReadNumberField(text, readBack) && readBack == value)
            return text;
    }
    return FormatC("%.17g", value);
}

std::optional<std::string> NumberFieldNote(std::string_view text, double previous)
{
    const std::string_view trimmed = TrimSpace(text);
    double read = previous;
    ReadNumberField(trimmed, read);
    return Note(text, DecimalPrefixLength(trimmed), FormatRestoredValue(read),
                FormatRestoredValue(previous));
}

std::optional<std::string> WholeNumberFieldNote(std::string_view text, int previous)
{
    const std::string_view trimmed = TrimSpace(text);
    std::size_t used = trimmed.size() > 0 && (trimmed[0] == '+' || trimmed[0] == '-') ? 1 : 0;
    const std::size_t digitsStart = used;
    while (used < trimmed.size() && trimmed[used] >= '0' && trimmed[used] <= '9')
        ++used;
    if (used == digitsStart)
        used = 0;
    int read = previous;
    ReadIntField(trimmed, read);
    return Note(text, used, std::to_string(read), std::to_string(previous));
}

} // namespace tovarin
