#include "TableCheck.h"

#include "LastRun.h"

#include <gtest/gtest.h>

using namespace tovarin;

namespace {

// A converged non-linear fit of rows at 2 to 200 g/s lying exactly on `k`.
Reduction ExactFit(KingCoefficients k, int responseKind = 0)
{
    Reduction run = LastRun(k, responseKind, "M");
    run.outcome = {true, FitMode::NonLinear, true, "", 20};
    run.set.rowCount = 4;
    const double flows[] = {2, 20, 100, 200};
    for (std::size_t i = 0; i < 4; ++i) {
        run.set.flowGs[i] = flows[i];
        run.set.response[i] = KingResponse(flows[i], k);
    }
    return run;
}

std::string FailedChecks(const Verdict& verdict)
{
    std::string names;
    for (const Check& check : verdict.checks)
        names += check.passed ? "" : check.name + ";";
    return names;
}

} // namespace

TEST(TableCheck, TheControllersViewOfTheTable)
{
    // flow = ((response - 1) / 0.26)^2 g/s over 0 to 5 V in 1024 points; words
    // counted in plain Python with the same accumulation of the step.
    const Reduction run = ExactFit({1.0, 0.26, 0.5});
    const Verdict tenMg = JudgeCalibration(run, {0.0, 5.0, 1024, OutputFlowUnit::TenMgPerSec});
    EXPECT_EQ(FailedChecks(tenMg), "");
    EXPECT_EQ(tenMg.table->maxWord, 23669);
    EXPECT_NEAR(tenMg.table->flowAtResponseMaxGs, 236.68639053254438, 1e-9);

    const Verdict mg = JudgeCalibration(run, {0.0, 5.0, 1024, OutputFlowUnit::MgPerSec});
    EXPECT_EQ(FailedChecks(mg), "word range;");
    EXPECT_EQ(mg.checks[2].detail,
              "388 of 1024 words exceed 65535 (largest 236686): choose 10*mg/sec or fewer points");

    // In g/sec a word is a whole g/s: at 2 g/s rounding costs up to 25 %.
    const Verdict g = JudgeCalibration(run, {0.0, 5.0, 1024, OutputFlowUnit::GPerSec});
    EXPECT_EQ(FailedChecks(g), "table error;");
    EXPECT_EQ(g.checks[4].detail.substr(0, 31), "rounding to whole words costs +");

    // b < 0: the flows fall as the responses rise.
    const Verdict falling = JudgeCalibration(ExactFit({5.0, -0.26, 0.5}), {0.0, 4.0, 64, OutputFlowUnit::TenMgPerSec});
    EXPECT_EQ(falling.table->firstDecrease, 1);
    EXPECT_EQ(FailedChecks(falling), "monotonic;");

    // Freq: the range words 0 and 15000 before and after are not flows.
    const TableCheck freq = CheckFlowTable(ExactFit({1000.0, 20.0, 0.5}, 1), {0.0, 15000.0, 3, OutputFlowUnit::GPerSec});
    EXPECT_EQ(freq.minWord, 0);             // (0 - 1000) / 20 is no flow
    EXPECT_EQ(freq.maxWord, 490000);        // ((15000 - 1000) / 20)^2
    EXPECT_EQ(freq.extrapolatedPct, 100.0); // the rows span 1028 to 1283 Hz only
}
