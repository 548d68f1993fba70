#include "RowInput.h"

#include "FieldParsing.h"
#include "TabularText.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tovarin {
namespace {

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

std::vector<std::string> ColumnsToChoose(std::string_view text)
{
    const TextTable table = ParseTabularText(text);
    std::vector<std::string> names;
    if (table.lines.empty() || table.lines.front().fields.size() <= 2)
        return names;
    for (std::size_t i = 0; i < table.lines.front().fields.size(); ++i)
        names.push_back(i < table.header.size() && !table.header[i].empty()
                            ? table.header[i]
                            : "column " + std::to_string(i + 1));
    return names;
}

RowInput ParseRowInput(std::string_view text, int maxRows,
                       const std::optional<ColumnChoice>& columns)
{
    RowInput input;
    const TextTable table = ParseTabularText(text);
    auto fail = [&](int line, std::string reason) {
        input.error = RowInputError{line, std::move(reason)};
        return input;
    };
    for (const TextLine& line : table.lines) {
        std::size_t flowAt = 0, responseAt = 1;
        if (const auto reason =
                PickColumns(columns, table.header, line.fields.size(), flowAt, responseAt))
            return fail(line.number, *reason);
        std::string values[2];
        for (int i = 0; i < 2; ++i) {
            values[i] = FieldValueText(line, i == 0 ? flowAt : responseAt);
            double value = 0.0; // beyond the double range reads as infinite: no decimal
            if (!IsDecimalNumber(values[i]) || !ReadNumberField(values[i], value) ||
                !std::isfinite(value))
                return fail(line.number, values[i].empty()
                                             ? std::string("empty field")
                                             : "'" + values[i] + "' is not a decimal number");
        }
        if (static_cast<int>(input.rows.size()) == maxRows)
            return fail(line.number, "more than " + std::to_string(maxRows) + " rows");
        input.rows.push_back({values[0], values[1], line.number});
    }
    return input;
}

} // namespace tovarin
