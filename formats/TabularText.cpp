#include "TabularText.h"

#include "FieldParsing.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace tovarin {
namespace {

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

// Splits at one separator character; blanks around each field are dropped.
std::vector<std::string> SplitAt(std::string_view line, char separator)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t end; (end = line.find(separator, start)) != std::string_view::npos;
         start = end + 1)
        fields.emplace_back(TrimSpace(line.substr(start, end - start)));
    fields.emplace_back(TrimSpace(line.substr(start)));
    return fields;
}

// Splits at a comma or tab with optional blanks around it, or at a run of
// blanks; two separators in a row leave an empty field.
std::vector<std::string> SplitPlain(std::string_view line)
{
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    while (pos < line.size()) {
        std::size_t end = pos;
        while (end < line.size() && !IsBlank(line[end]) && line[end] != ',')
            ++end;
        fields.emplace_back(line.substr(pos, end - pos));
        pos = end;
        while (pos < line.size() && line[pos] == ' ')
            ++pos;
        if (pos < line.size() && (line[pos] == ',' || line[pos] == '\t')) {
            ++pos;
            while (pos < line.size() && IsBlank(line[pos]))
                ++pos;
            if (pos == line.size())
                fields.emplace_back();
        }
    }
    return fields;
}

bool IsWholeNumber(std::string_view text)
{
    return !text.empty() && DecimalPrefixLength(text) == text.size();
}

// Tab-separated fields of which at least one has a decimal comma and every
// other is empty or a number: "1,80\t2,5".
bool TabsWithDecimalCommas(const std::vector<std::string>& fields)
{
    bool comma = false;
    for (std::string field : fields) {
        comma = comma || field.find(',') != field.npos;
        if (std::count(field.begin(), field.end(), ',') > 1)
            return false;
        std::replace(field.begin(), field.end(), ',', '.');
        if (!field.empty() && !IsWholeNumber(field))
            return false;
    }
    return comma;
}

// The fields of a content line, empty trailing fields dropped.
TextLine SplitFields(std::string_view line, std::optional<char> separator, int number)
{
    TextLine split;
    split.number = number;
    const char used = separator ? *separator : (line.find(';') != line.npos ? ';' : '\0');
    split.decimalComma = used == ';';
    if (used) {
        split.fields = SplitAt(line, used);
    } else if (line.find('\t') != line.npos &&
               TabsWithDecimalCommas(split.fields = SplitAt(line, '\t'))) {
        split.decimalComma = true;
    } else {
        split.fields = SplitPlain(line);
    }
    while (!split.fields.empty() && split.fields.back().empty())
        split.fields.pop_back();
    return split;
}

// Begins like a number: optional blanks, an optional sign, then a digit or a point.
bool BeginsLikeNumber(std::string_view field)
{
    field = TrimSpace(field);
    if (!field.empty() && (field[0] == '+' || field[0] == '-'))
        field.remove_prefix(1);
    return !field.empty() && ((field[0] >= '0' && field[0] <= '9') || field[0] == '.');
}

// "sep=X" alone on the first line.
std::optional<char> SeparatorLine(std::string_view line)
{
    line = TrimSpace(line);
    if (line.size() == 5 && line.substr(0, 4) == "sep=")
        return line[4];
    return std::nullopt;
}

} // namespace

TextTable ParseTabularText(std::string_view text)
{
    TextTable table;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::optional<char> separator;
    bool firstContentLine = true;
    for (int lineNumber = 1; !text.empty(); ++lineNumber) {
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == text.npos ? std::string_view() : text.substr(newline + 1);
        if (lineNumber == 1 && (separator = SeparatorLine(line)))
            continue;
        line = TrimSpace(line.substr(0, line.find('#')));
        if (line.empty())
            continue;
        TextLine split = SplitFields(line, separator, lineNumber);
        if (std::exchange(firstContentLine, false) &&
            std::none_of(split.fields.begin(), split.fields.end(), BeginsLikeNumber)) {
            table.header = std::move(split.fields);
            continue;
        }
        table.lines.push_back(std::move(split));
    }
    return table;
}

std::string FieldValueText(const TextLine& line, std::size_t field)
{
    std::string text = line.fields[field];
    if (line.decimalComma)
        std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

int PastedBlock::ValueCount() const
{
    int count = 0;
    for (const std::vector<std::string>& row : rows)
        count += static_cast<int>(std::count_if(row.begin(), row.end(),
                                                [](const std::string& cell) { return !cell.empty(); }));
    return count;
}

PastedBlock ParsePastedBlock(std::string_view text)
{
    PastedBlock block;
    for (const TextLine& line : ParseTabularText(text).lines) {
        std::vector<std::string> cells;
        for (std::size_t i = 0; i < line.fields.size(); ++i)
            cells.push_back(FieldValueText(line, i));
        block.rows.push_back(std::move(cells));
    }
    return block;
}

} // namespace tovarin
