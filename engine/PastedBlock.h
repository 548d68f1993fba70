#pragma once
// A block of values pasted into the window's grid, as a spreadsheet copies it:
// lines are rows, and columns are separated by tabs, semicolons or blanks. A
// comma separates columns only when there is no tab or semicolon and the
// values use decimal points ("5.0,1.80"); with tabs or semicolons a decimal
// comma in a value is read as a point ("1,80" in a comma locale). A first line
// without any digit is a header and is skipped, as are blank lines.

#include <string>
#include <string_view>
#include <vector>

namespace tovarin {

struct PastedBlock
{
    std::vector<std::vector<std::string>> rows; // cells as they will be shown

    int ValueCount() const;
};

PastedBlock ParsePastedBlock(std::string_view text);

} // namespace tovarin
