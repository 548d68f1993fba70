#pragma once
// Measurement rows from a bench or spreadsheet file for the headless command.
//
// One row a line. A UTF-8 byte-order mark is skipped; a first line "sep=X"
// (as spreadsheets write it) sets the separator. Otherwise a line with a
// semicolon is split at semicolons, and any other at commas, tabs or runs of
// blanks. Where semicolons separate the fields, a comma inside a field is a
// decimal comma ("7,2;0,938"). '#' starts a comment; blank lines and empty
// trailing fields are skipped. The first content line is a header when none
// of its fields begins like a number. Every field used must be a decimal
// number as a whole.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovarin {

// A column of the file: a 1-based number, or a name in the header line.
struct ColumnRef
{
    int number = 0;     // 1-based; 0 when `name` is used
    std::string name{}; // as written in the header, blanks around it trimmed
};

// Which columns hold the flow and the response; without it a row has exactly two.
struct ColumnChoice
{
    ColumnRef flow, response;
};

struct InputRow
{
    std::string flowText;     // as written, a decimal comma made a point
    std::string responseText; // as written, a decimal comma made a point
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
RowInput ParseRowInput(std::string_view text, int maxRows,
                       const std::optional<ColumnChoice>& columns = std::nullopt);

// "F,R": two columns by 1-based number or header name; empty when malformed.
std::optional<ColumnChoice> ParseColumnChoice(std::string_view text);

} // namespace tovarin
