#include "KingFit.h"

#include "NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace tovarin;

namespace {

MeasurementSet RowsInUse(const std::vector<double>& flowGs, const std::vector<double>& response)
{
    MeasurementSet set;
    set.rowCount = static_cast<int>(flowGs.size());
    for (std::size_t i = 0; i < flowGs.size(); ++i) {
        set.flowGs[i] = flowGs[i];
        set.response[i] = response[i];
    }
    return set;
}

std::vector<double> SplitNumbers(const std::string& text)
{
    std::vector<double> values;
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ','))
        values.push_back(ParseDoubleC(item.c_str(), nullptr));
    return values;
}

} // namespace

TEST(FitKing, BothModesRecoverKnownCoefficients)
{
    // Linear: a = 1; the log-log line through (ln 10, ln 1) and (ln 20, ln 1.5).
    const KingCoefficients line = FitLinear(RowsInUse({0, 10, 20}, {1.0, 2.0, 2.5}));
    EXPECT_EQ(line.a, 1.0);
    EXPECT_NEAR(line.c, std::log(1.5) / std::log(2.0), 1e-12);
    EXPECT_NEAR(line.b, std::pow(10.0, -line.c), 1e-12);

    // Non-linear: seven rows exactly on 0.8 + 0.3 * flow^0.55.
    std::vector<double> flows, responses;
    for (const double f : {2.0, 6.0, 15.0, 40.0, 90.0, 180.0, 300.0}) {
        flows.push_back(f);
        responses.push_back(0.8 + 0.3 * std::pow(f, 0.55));
    }
    const KingCoefficients k = FitNonLinear(RowsInUse(flows, responses));
    EXPECT_NEAR(k.a, 0.8, 1e-8);
    EXPECT_NEAR(k.b, 0.3, 1e-8);
    EXPECT_NEAR(k.c, 0.55, 1e-8);
}

TEST(FitKing, ModeFollowsTheFirstFlowAgainstTheLimit)
{
    const FitMode linear = FitMode::Linear, nonLinear = FitMode::NonLinear;
    // |first flow| < 0.0001 g/s is linear; 0.001 Kg/hr is 0.000278 g/s; NaN is not below.
    const std::pair<double, FitMode> cases[] = {{0.0, linear},
                                                {-0.00005, linear},
                                                {0.0000999999, linear},
                                                {0.0001, nonLinear},
                                                {-0.0001, nonLinear},
                                                {0.001 / 3.6, nonLinear},
                                                {std::nan(""), nonLinear}};
    for (const auto& [firstFlowGs, mode] : cases) {
        KingCoefficients k;
        EXPECT_EQ(FitKing(RowsInUse({firstFlowGs, 5, 10}, {1, 2, 3}), k).mode, mode) << firstFlowGs;
    }
}

TEST(FitKing, NonLinearModeMatchesTheReferenceFits)
{
    std::ifstream file(TOVARIN_TEST_DATA_DIR "/lmfit-reference.tsv");
    ASSERT_TRUE(file) << "missing test data";
    std::string line;
    int sets = 0;
    int textMismatches = 0;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::stringstream columns(line);
        std::string rows, flows, responses, a, b, c;
        for (std::string* column : {&rows, &flows, &responses, &a, &b, &c})
            std::getline(columns, *column, '\t');
        const KingCoefficients expected{ParseDoubleC(a.c_str(), nullptr),
                                        ParseDoubleC(b.c_str(), nullptr),
                                        ParseDoubleC(c.c_str(), nullptr)};
        const MeasurementSet set = RowsInUse(SplitNumbers(flows), SplitNumbers(responses));
        ASSERT_EQ(set.rowCount, std::stoi(rows));
        ASSERT_EQ(ChooseFitMode(set), FitMode::NonLinear);

        const KingCoefficients k = FitNonLinear(set);
        SCOPED_TRACE(line);
        EXPECT_NEAR(k.a, expected.a, 1e-6 * std::fabs(expected.a));
        EXPECT_NEAR(k.b, expected.b, 1e-6 * std::fabs(expected.b));
        EXPECT_NEAR(k.c, expected.c, 1e-6 * std::fabs(expected.c));
        const char* format = "%4.3f %4.3f %4.3f";
        textMismatches +=
            FormatC(format, k.a, k.b, k.c) != FormatC(format, expected.a, expected.b, expected.c);
        ++sets;
    }
    EXPECT_EQ(sets, 120);
    EXPECT_LE(textMismatches, 2); // rounding ties at the third decimal
}

TEST(FitKing, AFitStoppedAtTheLimitGetsASecondStart)
{
    // Generated: flows log-uniform 2..550 g/s, 0.6 + 0.1 * flow^0.45 and 0.03 V
    // of noise. From (1, 1, 0.3) the minimiser stops at the limit near
    // a 249.1, b -248.4, c -0.001.
    const MeasurementSet set =
        RowsInUse({2.62, 3.24, 3.39, 6.68, 7.73, 18.37, 20.95, 52.8, 201.55, 331.21, 410.38},
                  {1.124, 1.084, 1.092, 1.151, 1.162, 1.277, 1.31, 1.537, 2.021, 2.31, 2.397});
    FitOutcome outcome;
    const KingCoefficients k = FitNonLinear(set, &outcome);
    EXPECT_TRUE(outcome.converged);
    EXPECT_TRUE(outcome.secondStart);
    EXPECT_EQ(outcome.evaluations, 450); // 401 from the first start, 49 from the second
    // Plain-Python Gauss-Newton from (1.0, 0.05, 0.5), iterated to a step below 1e-15.
    EXPECT_NEAR(k.a, 0.9244443588955047, 1e-6 * 0.9244443588955047);
    EXPECT_NEAR(k.b, 0.10036537831737757, 1e-6 * 0.10036537831737757);
    EXPECT_NEAR(k.c, 0.44932119455986813, 1e-6 * 0.44932119455986813);
}

TEST(FitKing, TheLimitIsCheckedAfterATrialStepAndTheSmallerSumWins)
{
    EvaluationBudget budget;
    for (int call = 0; call < 397; ++call)
        ASSERT_TRUE(budget.Allow(1));
    EXPECT_TRUE(budget.Allow(2));  // a Jacobian takes the count to 400
    EXPECT_TRUE(budget.Allow(1));  // the trial step after it is still evaluated: 401
    EXPECT_FALSE(budget.Allow(2)); // then the fit stops
    EXPECT_EQ(budget.Count(), 401);

    const FitTrial stopped{{}, {.converged = false}, 2.0};
    EXPECT_TRUE(PreferSecondStart(stopped, {{}, {.converged = true}, 1.0}));
    EXPECT_FALSE(PreferSecondStart(stopped, {{}, {.converged = true}, 3.0})); // worse
    EXPECT_FALSE(PreferSecondStart(stopped, {{}, {.converged = false}, 1.0}));
}
