#include "VerdictText.h"

#include "LastRun.h"
#include "PreviousCalibration.h"

#include <gtest/gtest.h>

using namespace tovarin;
using enum tovarin::OutputFlowUnit;

TEST(VerdictJson, EveryMemberOfTheTableChecksUncertaintyAndDrift)
{
    Reduction run = LastRun({}, 0, "M");
    Verdict verdict;
    TableCheck& t = verdict.table.emplace();
    t.output = {0.0,  5.0,           3,    MgPerSec,        {0.0, 1.5, 5.0},
                true, WordType::U16, 10.0, TableFormat::Csv};
    t.minWord = 0;
    t.maxWord = 70000;
    t.wordsAbove32767 = 2;
    t.wordsAbove65535 = 1;
    t.firstDecrease = 2;
    t.maxRoundingError = ErrorAtResponse{0.25, 2.5};
    t.maxInterpolationError = ErrorAtResponse{-0.75, 3.75}; // the larger: its response
    t.extrapolatedPct = 50.0;
    t.flowAtResponseMaxGs = 70.0;
    t.frameWordsOutOfRange = 1;
    t.evenInterpolationError = ErrorAtResponse{2.5, 0.5};
    verdict.checks = {{"word range", false, "1 of 3 words exceed 65535"}};
    verdict.uncertainty = {{2.0, 0.25, 0.125, 50.0, 2.5, 0.1, 0.4, false}};
    const std::string json = FormatVerdictJson(run, verdict);
    for (const char* member :
         {// "input", "fit" and "quality": the command's whole JSON of no rows
          "\"table\": {\"points\": 3, \"outputUnit\": \"mg/sec\", \"responseMin\": 0, "
          "\"responseMax\": 5, \"minWord\": 0, \"maxWord\": 70000, \"wordsBelow0\": 0, "
          "\"wordsAbove32767\": 2, \"wordsAbove65535\": 1, \"monotonic\": false, "
          "\"firstDecrease\": 2, \"maxRoundingErrorPct\": 0.25, "
          "\"maxInterpolationErrorPct\": -0.75, \"atResponse\": 3.75, \"extrapolatedPct\": 50, "
          "\"flowAtResponseMaxGs\": 70, \"frameWordsOutOfRange\": 1, \"breakpoints\": [0, "
          "1.5, 5], \"wordType\": \"u16\", \"wordScale\": 10, \"format\": \"csv\", "
          "\"placedInterpolationErrorPct\": -0.75, \"evenInterpolationErrorPct\": 2.5}",
          "\"checks\": [{\"name\": \"word range\", \"passed\": false, \"detail\": \"1 of 3 "
          "words exceed 65535\"}]",
          "\"uncertainty\": [{\"response\": 2, \"flowGs\": 0.25, \"expandedUncertaintyGs\": "
          "0.125, \"expandedUncertaintyPct\": 50, \"coverageFactor\": 2.5, \"mcLowGs\": 0.1, "
          "\"mcHighGs\": 0.4, \"linearValid\": false}], \"uncertaintyBudget\": null"})
        EXPECT_NE(json.find(member), std::string::npos) << member;
    run.outcome.secondStart = true;
    EXPECT_NE(FormatVerdictJson(run, verdict).find("\"start\": \"second\"}"), std::string::npos);

    const Drift drift{{{1.0, 0.5}, {2.5, -1.5}}, DriftPoint{2.5, -1.5}};
    EXPECT_EQ(DriftJson(drift, "p.json"), ", \"drift\": {\"previous\": \"p.json\", \"points\": 2, "
                                          "\"maxDriftPct\": -1.5, \"atResponse\": 2.5}");
}

TEST(VerdictJson, EveryMemberOfTheUncertaintyBudget)
{
    Reduction run = LastRun({}, 0, "M");
    Verdict verdict;
    verdict.quality.rows = {{0.5, 1.5}, {0.25, std::nullopt}};
    verdict.budgetInputs = {
        .reference = ReadingUncertainty{0.5, 0.01}, .cmcPct = 1.0, .guarded = true};
    UncertaintyBudget& b = verdict.budget.emplace();
    b.trials = 20000;
    b.adaptive = true;
    b.failedTrials = 3;
    b.sources = {{BudgetSourceKind::Reference, std::nullopt, {{{0.01, 2, 0.02}, {}, {}}}},
                 {BudgetSourceKind::Scatter, 16, {}}};
    b.rows = {{.expandedPct = 1.25}}; // row 1 has none: null
    BudgetPoint& idle = b.atBudget[0];
    idle = {1.5, 2.0, 0.01, 40, 2.5, 0.025, 1.97, 2.04, 0.0125, false, 0.04, 2.0, true};
    const std::string json = FormatVerdictJson(run, verdict);
    for (const char* member :
         {"\"rows\": [{\"responseErrorPct\": 0.5, \"flowErrorPct\": 1.5, "
          "\"expandedUncertaintyPct\": 1.25}, {\"responseErrorPct\": 0.25, \"flowErrorPct\": "
          "null, \"expandedUncertaintyPct\": null}]",
          "\"uncertaintyBudget\": {\"inputs\": {\"referencePct\": 0.5, \"referenceAbsGs\": 0.01, "
          "\"responsePct\": null, \"responseAbs\": null, \"resolution\": null, \"cmcPct\": 1}, "
          "\"decisionRule\": \"guarded\", \"coverageProbability\": 0.95, \"problem\": null, "
          "\"method\": \"linear and Monte Carlo\", \"trials\": 20000, \"adaptive\": true, "
          "\"failedTrials\": 3, \"seed\": 20261207, \"sources\": [{\"source\": \"reference "
          "standard\", \"dof\": null, \"at\": [{\"standardUncertainty\": 0.01, \"sensitivity\": "
          "2, \"contributionGs\": 0.02}, {\"standardUncertainty\": 0, \"sensitivity\": 0, "
          "\"contributionGs\": 0}, {\"standardUncertainty\": 0, \"sensitivity\": 0, "
          "\"contributionGs\": 0}]}, {\"source\": \"scatter about the fit\", \"dof\": 16, ",
          "\"budgetPoints\": [{\"at\": \"idle\", \"response\": 1.5, \"flowGs\": 2, "
          "\"combinedGs\": 0.01, \"effectiveDof\": 40, \"coverageFactor\": 2.5, "
          "\"linearExpandedGs\": 0.025, \"mcLowGs\": 1.97, \"mcHighGs\": 2.04, \"linearValid\": "
          "false, \"expandedUncertaintyGs\": 0.04, \"expandedUncertaintyPct\": 2, \"cmcFloor\": "
          "true}, {\"at\": \"middle\", "})
        EXPECT_NE(json.find(member), std::string::npos) << member;

    // Asked for but not made: the inputs, the rule and why, nothing else.
    verdict.budget.reset();
    verdict.budgetInputs.guarded = false;
    verdict.budgetProblem = "the fit has no degrees of freedom left";
    EXPECT_NE(FormatVerdictJson(run, verdict)
                  .find("\"decisionRule\": \"simple\", \"coverageProbability\": 0.95, "
                        "\"problem\": \"the fit has no degrees of freedom left\", \"method\": "
                        "null, \"trials\": null, \"adaptive\": null, \"failedTrials\": null, "
                        "\"seed\": null, \"sources\": null, \"budgetPoints\": null}"),
              std::string::npos);
}

TEST(PreviousCalibration, ReadsFilesWrittenBeforeTheStartWasNamedDefault)
{
    const char* old = "{\"rowCount\": 3, \"a\": 1, \"b\": 2, \"c\": 0.5, \"fit\": {\"start\": "
                      "\"specified\"}, \"input\": {\"responseKind\": \"Freq\", \"rows\": "
                      "[{\"response\": 3}, {\"response\": 1.5}, {\"response\": 9}]}}";
    const PreviousCalibration previous = ReadPreviousCalibration(old, "old.json");
    ASSERT_TRUE(previous.curve) << previous.error;
    EXPECT_EQ(previous.curve->responseKind, ResponseKind::Freq);
    EXPECT_EQ(previous.curve->model.king.c, 0.5);
    EXPECT_EQ(previous.curve->responseMin, 1.5);
    EXPECT_EQ(previous.curve->responseMax, 9.0);
}
