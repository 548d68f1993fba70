#include "PastedBlock.h"

#include <algorithm>
#include <utility>

namespace tovarin {
namespace {

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// Splits at any of `separators`; runs of them count once, and cells are never empty.
std::vector<std::string> SplitCells(std::string_view line, std::string_view separators)
{
    std::vector<std::string> cells;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t end = std::min(line.find_first_of(separators, pos), line.size());
        std::string cell(line.substr(pos, end - pos));
        cell.erase(0, cell.find_first_not_of(' '));
        cell.erase(cell.find_last_not_of(' ') + 1);
        if (!cell.empty())
            cells.push_back(std::move(cell));
        pos = end + 1;
    }
    return cells;
}

} // namespace

int PastedBlock::ValueCount() const
{
    int count = 0;
    for (const std::vector<std::string>& row : rows)
        count += static_cast<int>(row.size());
    return count;
}

PastedBlock ParsePastedBlock(std::string_view text)
{
    const bool tabsOrSemicolons = text.find_first_of("\t;") != text.npos;
    const bool commaSeparates = !tabsOrSemicolons && text.find('.') != text.npos;
    const std::string_view separators = tabsOrSemicolons ? "\t;" : (commaSeparates ? " ," : " ");
    PastedBlock block;
    bool firstLine = true;
    while (!text.empty()) {
        const std::size_t newline = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(std::min(newline + 1, text.size()));
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const bool header =
            std::exchange(firstLine, false) && std::none_of(line.begin(), line.end(), IsDigit);
        std::vector<std::string> cells = SplitCells(line, separators);
        if (header || cells.empty())
            continue;
        if (tabsOrSemicolons)
            for (std::string& cell : cells)
                std::replace(cell.begin(), cell.end(), ',', '.');
        block.rows.push_back(std::move(cells));
    }
    return block;
}

} // namespace tovarin
