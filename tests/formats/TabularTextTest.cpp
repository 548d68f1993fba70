#include "TabularText.h"
#include "RowInput.h"

#include <gtest/gtest.h>

using namespace tovarin;

using Cells = std::vector<std::vector<std::string>>;

TEST(TabularText, ABenchFileAndThePastedBlockGiveTheSameRows)
{
    struct Case
    {
        const char* name;
        std::string text;
        Cells rows;
    } const cases[] = {
        {"tabs, CR LF", "0\t1.0\r\n5\t1.8\r\n", {{"0", "1.0"}, {"5", "1.8"}}},
        {"commas without points", "0,1\n5,2\n", {{"0", "1"}, {"5", "2"}}},
        {"a header with digits", "flow1,volts2\n0,1\n", {{"0", "1"}}},
        {"sep=; then a header", "sep=;\nflow;volts\n7,2;0,9\n", {{"7.2", "0.9"}}},
        {"semicolons, decimal commas", "Flow;Volts\n7,2;0,938\n", {{"7.2", "0.938"}}},
        {"tabs, decimal commas", "1,80\t2,5\n3\t4,25\n", {{"1.80", "2.5"}, {"3", "4.25"}}},
        {"commas with points, blanks", "5.0,1.80\n6.5 , 2\n", {{"5.0", "1.80"}, {"6.5", "2"}}},
        {"blanks, a blank line, a comment", "0 1\n\n2   3 # x\n", {{"0", "1"}, {"2", "3"}}},
        {"a byte-order mark",
         "\xEF\xBB\xBF"
         "0,1\n",
         {{"0", "1"}}},
        {"CR alone ends lines", "0,1\r5,2\r", {{"0", "1"}, {"5", "2"}}},
        {"UTF-16 LE",
         std::string("\xFF\xFE"
                     "0\0,\0"
                     "1\0\n\0",
                     10),
         {{"0", "1"}}},
        {"UTF-16 BE",
         std::string("\xFE\xFF\0"
                     "2\0\t\0"
                     "3",
                     8),
         {{"2", "3"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParsePastedBlock(c.text).rows, c.rows);
        const RowInput file = ParseRowInput(c.text, 19);
        ASSERT_FALSE(file.error);
        Cells fromFile;
        for (const InputRow& row : file.rows)
            fromFile.push_back({row.flowText, row.responseText});
        EXPECT_EQ(fromFile, c.rows);
    }
}

TEST(TabularText, APasteMayHoldOneColumnOrGaps)
{
    EXPECT_EQ(ParsePastedBlock("2.30").rows, Cells({{"2.30"}}));
    EXPECT_EQ(ParsePastedBlock("1\n2\n3\n").rows, Cells({{"1"}, {"2"}, {"3"}}));
    // An empty cell keeps its field and does not count as a value.
    const PastedBlock gaps = ParsePastedBlock("1,,2\n3\t4\n5\n");
    EXPECT_EQ(gaps.rows, Cells({{"1", "", "2"}, {"3", "4"}, {"5"}}));
    EXPECT_EQ(gaps.ValueCount(), 5);
    // Names with blanks stay whole where commas or tabs separate.
    const ColumnChoice byName{.flow = {.name = "Flow [kg/h]"}, .response = {.name = "Signal [V]"}};
    for (const char* separator : {",", "\t"}) {
        const std::string header = std::string("Time [s]") + separator + "Flow [kg/h]" + separator +
                                   "Signal [V]\n0" + separator + "36" + separator + "1.5\n";
        const RowInput named = ParseRowInput(header, 19, byName);
        ASSERT_EQ(named.rows.size(), 1u) << separator;
        EXPECT_EQ(named.rows[0].flowText + "|" + named.rows[0].responseText, "36|1.5");
    }
    // A tab line with a field that is no number splits at commas as before.
    EXPECT_EQ(ParsePastedBlock("5.0,\t1.8\n").rows, Cells({{"5.0", "1.8"}}));
}
