#include "RecordUncertainty.h"

#include <gtest/gtest.h>

using namespace tovarin;

namespace {

BudgetPoint Point(double response, double flowGs, double expandedGs)
{
    return {.response = response,
            .flowGs = flowGs,
            .combinedGs = expandedGs / 2.0,
            .linearExpandedGs = expandedGs,
            .expandedGs = expandedGs,
            .expandedPct = flowGs > 0.0 ? expandedGs / flowGs * 100.0 : NAN};
}

// Ten table responses from 1.0 % to 2.8 % of reading and a budget whose idle
// (2 g/s, below the table's second response) states 4.04 %.
Verdict HandMadeBudget()
{
    Verdict verdict;
    verdict.budgetInputs.reference = ReadingUncertainty{0.5, 0.0};
    UncertaintyBudget b;
    b.trials = 10000;
    for (int j = 0; j < 10; ++j)
        b.table.push_back(Point(1.0 + j * 0.4, 10.0 * (j + 1), 0.1 * (j + 1) * (2.8 - 0.2 * j)));
    b.atBudget = {Point(1.1, 2.0, 0.0808), Point(2.8, 50.0, 0.6), Point(4.6, 100.0, 1.0)};
    verdict.budget = b;
    return verdict;
}

} // namespace

// The summary's range runs over every U the record states, the budget's idle included, each
// end rounded up to two significant digits: 1.0 % at 100 g/s and 4.04 % -> 4.1 % at idle.
TEST(RecordUncertainty, SummaryRangeCoversIdle)
{
    EXPECT_NE(RecordSummarySection(HandMadeBudget())
                  .find("Expanded uncertainty of flow 1.0 % to 4.1 % of reading (95 %)"),
              std::string::npos);
}

// The Monte Carlo interval's ends one decimal finer than U (0.0018: 5 decimals); an end drawn a
// hair below zero flow reads 0.00000, never "-0.00000", while a real negative end keeps its sign.
TEST(RecordUncertainty, MonteCarloEndsNearZeroFlow)
{
    Verdict verdict = HandMadeBudget();
    BudgetPoint& zero = verdict.budget->table[0];
    zero = Point(0.475, 0.0, 0.0017044);
    zero.mcLowGs = -3e-9;
    zero.mcHighGs = 0.0017044;
    zero.linearValid = false;
    BudgetPoint& next = verdict.budget->table[1];
    next.mcLowGs = -0.25;
    next.mcHighGs = 19.5;
    next.linearValid = true;
    const std::string html = RecordUncertaintySection(Reduction{}, verdict);
    EXPECT_NE(html.find("<td>0.00000 to 0.00170</td><td>no</td><td>0.0018</td><td>undefined</td>"),
              std::string::npos)
        << html;
    EXPECT_NE(html.find("<td>-0.250 to 19.500</td><td>yes</td>"), std::string::npos) << html;
    EXPECT_NE(html.find("half a unit of the second significant digit of u (JCGM 101, 8)"),
              std::string::npos);
}
