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

// Splits at a comma or tab with optional blanks around it; in a line without
// either, at runs of blanks. Two separators in a row leave an empty field.
// So a header "Time [s],Flow [kg/h]" keeps its names whole.
std::vector<std::string> SplitPlain(std::string_view line)
{
    const bool blanksSeparate = line.find_first_of(",\t") == line.npos;
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    while (pos < line.size()) {
        std::size_t end = pos;
        while (end < line.size() && line[end] != ',' && line[end] != '\t' &&
               (line[end] != ' ' || !blanksSeparate))
            ++end;
        fields.emplace_back(TrimSpace(line.substr(pos, end - pos)));
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
        if (!field.empty() && !IsDecimalNumber(field))
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

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// UTF-16 after its byte-order mark (a spreadsheet's "Unicode text") as
// UTF-8; an unpaired surrogate or an odd last byte becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    std::string out;
    const auto unit = [&](std::size_t i) {
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        return static_cast<char32_t>(hi << 8 | lo);
    };
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t code = unit(i);
        if (code >= 0xD800 && code < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (code >= 0xD800 && code < 0xE000) {
            code = 0xFFFD;
        }
        AppendUtf8(out, code);
    }
    if (i < bytes.size())
        AppendUtf8(out, 0xFFFD);
    return out;
}

TextTable ParseUtf8Text(std::string_view text)
{
    TextTable table;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::optional<char> separator;
    bool firstContentLine = true;
    for (int lineNumber = 1; !text.empty(); ++lineNumber) {
        // LF, CR LF and a CR alone all end a line.
        const std::size_t end = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, end);
        const std::size_t next =
            end == text.npos ? text.size() : end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
        text.remove_prefix(next);
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

} // namespace

TextTable ParseTabularText(std::string_view text)
{
    if (text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF")
        return ParseUtf8Text(Utf16ToUtf8(text.substr(2), text[0] == '\xFE'));
    return ParseUtf8Text(text);
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
        count += static_cast<int>(std::count_if(
            row.begin(), row.end(), [](const std::string& cell) { return !cell.empty(); }));
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
