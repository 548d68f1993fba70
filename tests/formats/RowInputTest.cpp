#include "RowInput.h"

#include <gtest/gtest.h>

using namespace tovarin;

namespace {

// "line:flow|response " per row, or "error line: reason".
std::string Describe(const RowInput& input)
{
    if (input.error)
        return "error " + std::to_string(input.error->line) + ": " + input.error->reason;
    std::string text;
    for (const InputRow& row : input.rows)
        text += std::to_string(row.line) + ":" + row.flowText + "|" + row.responseText + " ";
    return text;
}

} // namespace

TEST(ParseRowInput, ReadsBenchAndSpreadsheetFiles)
{
    const std::optional<ColumnChoice> noColumns;
    const ColumnChoice byNumber{.flow = {.number = 3}, .response = {.number = 1}};
    const ColumnChoice byName{.flow = {.name = "Flow [kg/h]"}, .response = {.name = "Signal [V]"}};
    struct Case
    {
        const char* name;
        std::string text;
        std::optional<ColumnChoice> columns;
        const char* parsed;
    } const cases[] = {
        {"a header, comments", "# bench 3\n\nflow (g/s)\tresponse\n0\t1 # first\n", noColumns,
         "4:0|1 "},
        {"sep=, keeps blanks inside", "sep=,\n0 ,1\n", noColumns, "2:0|1 "},
        {"empty trailing fields", "5.0,1.80,,\n6;2;;\n", noColumns, "1:5.0|1.80 2:6|2 "},
        {"columns by number", "a,b,c\n1,2,3\n", byNumber, "2:3|1 "},
        {"columns by name", "Signal [V];x;Flow [kg/h]\n1,5;0;36\n", byName, "2:36|1.5 "},
        {"nothing", "", noColumns, ""},
        {"a typo at line 1 is data", "0 1.0V\n5 1.8\n", noColumns,
         "error 1: '1.0V' is not a decimal number"},
        {"not a number", "0,1\n5,abc\n", noColumns, "error 2: 'abc' is not a decimal number"},
        {"inf is not a decimal", "0,1\n5,inf\n", noColumns,
         "error 2: 'inf' is not a decimal number"},
        {"a header later", "0,1\nflow,volts\n", noColumns,
         "error 2: 'flow' is not a decimal number"},
        {"one field", "0,1\n5,\n", noColumns,
         "error 2: expected 2 fields (flow and response), found 1"},
        {"an empty field", "0,,1\n", noColumns,
         "error 1: expected 2 fields (flow and response), "
         "found 3; use --columns to pick the flow and "
         "the response column"},
        {"more columns", "0,1,2\n", noColumns,
         "error 1: expected 2 fields (flow and response), found 3; use --columns to pick the "
         "flow and the response column"},
        {"a missing column", "1,2\n", byNumber,
         "error 1: found 2 fields, but column 3 was asked for"},
        {"a name without header", "1,2,3\n", byName,
         "error 1: no header line to find column 'Flow [kg/h]' in"},
        {"an unknown name", "a,b,c\n1,2,3\n", byName,
         "error 2: the header has no column 'Flow [kg/h]'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Describe(ParseRowInput(c.text, 19, c.columns)), c.parsed);
    }
    EXPECT_EQ(Describe(ParseRowInput("0,1\n1,2\n2,3\n", 2)), "error 3: more than 2 rows");
}

TEST(ParseColumnChoice, TwoColumnsByNumberOrName)
{
    const std::optional<ColumnChoice> numbers = ParseColumnChoice("2,4");
    ASSERT_TRUE(numbers);
    EXPECT_EQ(numbers->flow.number, 2);
    EXPECT_EQ(numbers->response.number, 4);
    const std::optional<ColumnChoice> names = ParseColumnChoice("Flow [kg/h], Signal [V]");
    ASSERT_TRUE(names);
    EXPECT_EQ(names->response.name, "Signal [V]");
    for (const char* bad : {"2", "0,1", "1,2,3", ",2", "99999999,1"})
        EXPECT_FALSE(ParseColumnChoice(bad)) << bad;
}
