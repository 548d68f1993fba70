#pragma once
// One reader of tabular text for bench files (RowInput.h) and blocks pasted
// into the window's grid, as bench software and spreadsheets write them.
//
// One row a line; LF, CR LF or CR line ends. A UTF-8 byte-order mark is
// skipped; UTF-16 with its byte-order mark (a spreadsheet's "Unicode text")
// reads as the same text in UTF-8;
// a first line "sep=X" sets the separator. Otherwise a line with a
// semicolon is split at semicolons, a line whose tab-separated fields are
// all numbers with a decimal comma or point ("1,80\t2,5", as a spreadsheet
// in a comma locale copies) at tabs, any other line with a comma or a tab at
// those (so "Flow [kg/h]" stays one name), and a line with neither at runs
// of blanks. Where semicolons separate the fields, or tabs as above, a
// comma inside a field is a decimal comma. '#' starts a comment; blank lines
// and empty trailing fields are skipped. The first content line is a header
// when none of its fields begins like a number.

#include <string>
#include <string_view>
#include <vector>

namespace tovarin {

struct TextLine
{
    std::vector<std::string> fields; // blanks around each trimmed, as written
    bool decimalComma = false;       // a comma in a field is a decimal comma
    int number = 0;                  // 1-based line number in the text
};

struct TextTable
{
    std::vector<std::string> header; // empty without a header line
    std::vector<TextLine> lines;     // content lines after the header
};

TextTable ParseTabularText(std::string_view text);

// `field` with a decimal comma made a point when `line` uses them.
std::string FieldValueText(const TextLine& line, std::size_t field);

// A block pasted into the grid: its content lines, each cell's text as it
// will be shown (a decimal comma made a point); a header is left out. An
// empty cell leaves its field as it is.
struct PastedBlock
{
    std::vector<std::vector<std::string>> rows;

    int ValueCount() const; // cells that are not empty
};

PastedBlock ParsePastedBlock(std::string_view text);

} // namespace tovarin
