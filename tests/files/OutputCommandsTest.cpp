#include "OutputCommands.h"

#include "FakePlatform.h"
#include "LastRun.h"
#include "ScreenInput.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tovarin;
using enum tovarin::OutputFlowUnit;

namespace {

// The output parameters as the window reads its fields, keeping `stored`
// where a field does not convert.
OutputParameters OnScreen(const OutputParameters& stored, const char* min, const char* max,
                          const char* points, int unit)
{
    return ReadOutputParameters({min, max, points, unit}, stored);
}

Reduction Fitted(KingCoefficients k)
{
    Reduction run = LastRun(k, 0, "TYPE7");
    run.outcome.fitted = true;
    return run;
}

} // namespace

TEST(OutputCommands, WriteTheFilesFromTheFieldsRead)
{
    TempDir dir;
    FakePlatform platform;
    OutputParameters stored;
    platform.answer = dir.Path("table.inc");
    GenerateOutputFile(platform, OnScreen(stored, "0", "5.0", " 3", 3), Fitted({1.0, 2.0, 0.5}),
                       stored);
    EXPECT_EQ(ReadWholeFile(dir.Path("table.inc")), "; */ MAF file for type:TYPE7 */\r\n"
                                                    "; */ File units = kg/sec */\r\n"
                                                    "\tDW\t   0\r\n"
                                                    "\tDW\t   2\r\n" // 0.5625 g/s in kg/h
                                                    "\tDW\t  14\r\n");
    // Fields that no longer convert keep what the last command read.
    platform.answer = dir.Path("report.html");
    GenerateHtmlInfo(platform, OnScreen(stored, "", "max", "many", 3), Fitted({1.0, 2.0, 0.5}),
                     stored);
    EXPECT_NE(ReadWholeFile(dir.Path("report.html")).find("\t4.9\t3.80 \n"), std::string::npos);
    EXPECT_EQ(stored.pointCount, 3);
    EXPECT_EQ(platform.messages.size(), 0u);
}

TEST(OutputCommands, NothingWithoutAFitOrWithTooManyPointsAndNoDialog)
{
    struct Case
    {
        const char* name;
        Reduction run;
        const char* points;
        const char* message;
    } const cases[] = {
        {"before any run: coefficients 0", LastRun({}), "1024", kNoFitMessage},
        {"a fit that is not finite", Fitted({1.0, NAN, 0.5}), "1024", kNoFitMessage},
        {"a mistyped point count", Fitted({1.0, 2.0, 0.5}), "2000000000", kTooManyPointsMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        OutputParameters stored{1.0, 2.0, 3, MgPerSec};
        const OutputParameters onScreen = OnScreen(stored, "0", "5", c.points, 0);
        GenerateOutputFile(platform, onScreen, c.run, stored);
        GenerateHtmlInfo(platform, onScreen, c.run, stored);
        EXPECT_EQ(platform.dialogs, 0);
        EXPECT_EQ(platform.messages, std::vector<std::string>(2, c.message));
        EXPECT_EQ(stored.pointCount, 3);
    }
}

TEST(OutputCommands, AFailedWriteLeavesTheOldFileAndSaysWhereAndWhy)
{
    TempDir dir;
    FakePlatform platform;
    OutputParameters stored{1.0, 2.0, 3, MgPerSec};
    platform.answer = dir.Path("missing/maffactor.inc");
    GenerateOutputFile(platform, OnScreen(stored, "0", "5", "9", 2), Fitted({1.0, 2.0, 0.5}),
                       stored);

    // How the writer names the path and the reason is the safe writer's own test.
    EXPECT_EQ(platform.messages,
              std::vector<std::string>({"File Cannot Be Opened\n" + dir.Path("missing") +
                                        "\nNo such file or directory"}));
    EXPECT_EQ(stored.pointCount, 3); // nothing written: the parameters stay as they were
}
