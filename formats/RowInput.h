#pragma once
// Measurement rows from a bench or spreadsheet file, for the command and the
// window's "Open measurements...": the lines of ParseTabularText
// (TabularText.h), of which every field used must be a decimal number as a
// whole.

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

// The columns to choose the flow and the response from, when the first row
// of `text` has more than two: the header's names, or "column N" where the
// header has none. Empty when the first row has two fields or fewer.
std::vector<std::string> ColumnsToChoose(std::string_view text);

// "F,R": two columns by 1-based number or header name; empty when malformed.
std::optional<ColumnChoice> ParseColumnChoice(std::string_view text);

} // namespace tovarin
