#include "RowInput.h"

#include "FieldParsing.h"

#include <algorithm>
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

// The fields of a content line, empty trailing fields dropped. Where
// semicolons separate them, `decimalComma` is set.
std::vector<std::string> SplitFields(std::string_view line, std::optional<char> separator,
                                     bool& decimalComma)
{
    const char used = separator ? *separator : (line.find(';') != line.npos ? ';' : '\0');
    decimalComma = used == ';';
    std::vector<std::string> fields = used ? SplitAt(line, used) : SplitPlain(line);
    while (!fields.empty() && fields.back().empty())
        fields.pop_back();
    return fields;
}

// Begins like a number: optional blanks, an optional sign, then a digit or a point.
bool BeginsLikeNumber(std::string_view field)
{
    field = TrimSpace(field);
    if (!field.empty() && (field[0] == '+' || field[0] == '-'))
        field.remove_prefix(1);
    return !field.empty() && ((field[0] >= '0' && field[0] <= '9') || field[0] == '.');
}

bool IsWholeNumber(std::string_view text)
{
    return !text.empty() && DecimalPrefixLength(text) == text.size();
}

// "sep=X" alone on the first line.
std::optional<char> SeparatorLine(std::string_view line)
{
    line = TrimSpace(line);
    if (line.size() == 5 && line.substr(0, 4) == "sep=")
        return line[4];
    return std::nullopt;
}

// Resolves a column against the header; the 0-based index, or the reason.
std::optional<std::size_t> ColumnIndex(const ColumnRef& column,
                                       const std::vector<std::string>& header, std::string& reason)
{
    if (column.number > 0)
        return static_cast<std::size_t>(column.number - 1);
    const auto found = std::find(header.begin(), header.end(), column.name);
    if (found != header.end())
        return static_cast<std::size_t>(found - header.begin());
    reason = header.empty() ? "no header line to find column '" + column.name + "' in"
                            : "the header has no column '" + column.name + "'";
    return std::nullopt;
}

// The flow's and the response's field of a line with `count` fields; the
// reason when the choice (or, without one, the field count) does not fit.
std::optional<std::string> PickColumns(const std::optional<ColumnChoice>& columns,
                                       const std::vector<std::string>& header, std::size_t count,
                                       std::size_t& flowAt, std::size_t& responseAt)
{
    if (!columns) {
        if (count == 2)
            return std::nullopt;
        return "expected 2 fields (flow and response), found " + std::to_string(count) +
               (count > 2 ? "; use --columns to pick the flow and the response column" : "");
    }
    std::string reason;
    const auto flow = ColumnIndex(columns->flow, header, reason);
    const auto response = flow ? ColumnIndex(columns->response, header, reason) : flow;
    if (!flow || !response)
        return reason;
    flowAt = *flow;
    responseAt = *response;
    if (std::max(flowAt, responseAt) >= count)
        return "found " + std::to_string(count) + " fields, but column " +
               std::to_string(std::max(flowAt, responseAt) + 1) + " was asked for";
    return std::nullopt;
}

} // namespace

std::optional<ColumnChoice> ParseColumnChoice(std::string_view text)
{
    const std::size_t comma = text.find(',');
    if (comma == text.npos || text.find(',', comma + 1) != text.npos)
        return std::nullopt;
    ColumnChoice choice;
    ColumnRef* refs[] = {&choice.flow, &choice.response};
    const std::string_view parts[] = {TrimSpace(text.substr(0, comma)),
                                      TrimSpace(text.substr(comma + 1))};
    for (int i = 0; i < 2; ++i) {
        const std::string_view part = parts[i];
        if (part.empty())
            return std::nullopt;
        if (std::all_of(part.begin(), part.end(), [](char ch) { return ch >= '0' && ch <= '9'; })) {
            if (part.size() > 6 || std::stoi(std::string(part)) == 0)
                return std::nullopt;
            refs[i]->number = std::stoi(std::string(part));
        } else {
            refs[i]->name = part;
        }
    }
    return choice;
}

RowInput ParseRowInput(std::string_view text, int maxRows,
                       const std::optional<ColumnChoice>& columns)
{
    RowInput input;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::optional<char> separator;
    std::vector<std::string> header;
    bool firstContentLine = true;
    auto fail = [&](int line, std::string reason) {
        input.error = RowInputError{line, std::move(reason)};
        return input;
    };
    for (int lineNumber = 1; !text.empty(); ++lineNumber) {
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == text.npos ? std::string_view() : text.substr(newline + 1);
        if (lineNumber == 1 && (separator = SeparatorLine(line)))
            continue;
        line = TrimSpace(line.substr(0, line.find('#')));
        if (line.empty())
            continue;
        bool decimalComma = false;
        std::vector<std::string> fields = SplitFields(line, separator, decimalComma);
        if (std::exchange(firstContentLine, false) &&
            std::none_of(fields.begin(), fields.end(), BeginsLikeNumber)) {
            header = std::move(fields);
            continue;
        }
        std::size_t flowAt = 0, responseAt = 1;
        if (const auto reason = PickColumns(columns, header, fields.size(), flowAt, responseAt))
            return fail(lineNumber, *reason);
        for (const std::size_t at : {flowAt, responseAt}) {
            if (decimalComma)
                std::replace(fields[at].begin(), fields[at].end(), ',', '.');
            if (!IsWholeNumber(fields[at]))
                return fail(lineNumber, fields[at].empty()
                                            ? std::string("empty field")
                                            : "'" + fields[at] + "' is not a decimal number");
        }
        if (static_cast<int>(input.rows.size()) == maxRows)
            return fail(lineNumber, "more than " + std::to_string(maxRows) + " rows");
        input.rows.push_back({fields[flowAt], fields[responseAt], lineNumber});
    }
    return input;
}

} // namespace tovarin
