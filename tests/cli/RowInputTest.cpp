#include "RowInput.h"

#include <gtest/gtest.h>

using namespace tovarin;

namespace {

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

TEST(ParseRowInput, AcceptsTheUsualSeparatorsCommentsAndAHeader)
{
    struct Case
    {
        const char* text;
        const char* parsed;
    } const cases[] = {
        {"0,1.0\n5,1.8\n", "1:0|1.0 2:5|1.8 "},
        {"0;1.0\r\n5 ; 1.8\r\n", "1:0|1.0 2:5|1.8 "},
        {"0\t1.0\n  5   1.8  \n", "1:0|1.0 2:5|1.8 "},
        {"0, 1.0\n5 ,1.8", "1:0|1.0 2:5|1.8 "},
        {"flow,volts\n0,1\n", "2:0|1 "},
        {"# bench 3\n\nflow (g/s)\tresponse\n0\t1 # first\n", "4:0|1 "},
        {"-5,1e-3\n", "1:-5|1e-3 "},
        {"", ""},
        {"# only a comment\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Describe(ParseRowInput(c.text, 19)), c.parsed);
    }
}

TEST(ParseRowInput, RefusesWhatIsNotTwoNumbers)
{
    struct Case
    {
        const char* text;
        int maxRows;
        const char* error;
    } const cases[] = {
        {"0,1\n5,abc\n", 19, "error 2: 'abc' is not a decimal number"},
        {"0,1\n5,1.8x\n", 19, "error 2: '1.8x' is not a decimal number"},
        {"0,1\n5\n", 19, "error 2: expected 2 fields (flow and response), found 1"},
        {"0,1,2\n", 19, "error 1: expected 2 fields (flow and response), found 3"},
        {"0,1\n5,\n", 19, "error 2: empty field"},
        {"0,1\nflow,volts\n", 19, "error 2: 'flow' is not a decimal number"},
        {"0,1\n5,inf\n", 19, "error 2: 'inf' is not a decimal number"},
        {"0,1\n0x10,2\n", 19, "error 2: '0x10' is not a decimal number"},
        {"0,1\n1,2\n2,3\n", 2, "error 3: more than 2 rows"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Describe(ParseRowInput(c.text, c.maxRows)), c.error);
    }
}
