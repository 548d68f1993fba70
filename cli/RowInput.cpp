#include "RowInput.h"

#include "FieldParsing.h"

namespace tovarin {
namespace {

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

bool IsSeparator(char ch)
{
    return ch == ',' || ch == ';' || ch == '\t';
}

// Splits a line into fields. A separator is a comma, semicolon or tab with
// optional blanks around it, or a run of blanks; two separators in a row leave
// an empty field, which the caller reports.
std::vector<std::string> SplitFields(std::string_view line)
{
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    while (pos < line.size()) {
        std::size_t end = pos;
        while (end < line.size() && !IsBlank(line[end]) && !IsSeparator(line[end]))
            ++end;
        fields.emplace_back(line.substr(pos, end - pos));
        pos = end;
        while (pos < line.size() && line[pos] == ' ')
            ++pos;
        if (pos < line.size() && IsSeparator(line[pos])) {
            ++pos;
            while (pos < line.size() && IsBlank(line[pos]))
                ++pos;
            if (pos == line.size())
                fields.emplace_back(); // a trailing separator leaves an empty field
        }
    }
    return fields;
}

std::string_view StripComment(std::string_view line)
{
    const std::size_t hash = line.find('#');
    if (hash != std::string_view::npos)
        line = line.substr(0, hash);
    while (!line.empty() && (IsCSpace(line.back())))
        line.remove_suffix(1);
    return line;
}

} // namespace

bool IsWholeNumber(std::string_view text)
{
    return !text.empty() && DecimalPrefixLength(text) == text.size();
}

RowInput ParseRowInput(std::string_view text, int maxRows)
{
    RowInput input;
    bool firstContentLine = true;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
        ++lineNumber;

        line = StripComment(line);
        if (line.empty())
            continue;
        const std::vector<std::string> fields = SplitFields(line);
        bool numeric = true;
        for (const std::string& field : fields)
            numeric = numeric && IsWholeNumber(field);
        const bool header = firstContentLine && !numeric;
        firstContentLine = false;
        if (header)
            continue;

        if (fields.size() != 2) {
            input.error =
                RowInputError{lineNumber, "expected 2 fields (flow and response), found " +
                                              std::to_string(fields.size())};
            return input;
        }
        for (const std::string& field : fields) {
            if (!IsWholeNumber(field)) {
                input.error = RowInputError{
                    lineNumber, field.empty() ? std::string("empty field")
                                              : "'" + field + "' is not a decimal number"};
                return input;
            }
        }
        if (static_cast<int>(input.rows.size()) == maxRows) {
            input.error =
                RowInputError{lineNumber, "more than " + std::to_string(maxRows) + " rows"};
            return input;
        }
        input.rows.push_back({fields[0], fields[1], lineNumber});
    }
    return input;
}

} // namespace tovarin
