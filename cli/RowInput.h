#pragma once
// Measurement rows from a text file for the headless command: one row a line,
// flow and response separated by a comma, semicolon, tab or blanks; '#' starts
// a comment; blank lines are skipped; a first line that is not numeric is a
// header. Every field must be a decimal number as a whole.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovarin {

struct InputRow
{
    std::string flowText;     // exactly as written in the file
    std::string responseText; // exactly as written in the file
    int line = 0;             // 1-based line number in the file
};

struct RowInputError
{
    int line = 0;
    std::string reason;
};

struct RowInput
{
    std::vector<InputRow> rows;
    std::optional<RowInputError> error;
};

// Parses `text`; more than `maxRows` rows is an error on the first extra row.
RowInput ParseRowInput(std::string_view text, int maxRows);

// True when `text` is one decimal number and nothing else.
bool IsWholeNumber(std::string_view text);

} // namespace tovarin
