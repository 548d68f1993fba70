#include "OutputCommands.h"

#include "ControlIds.h"
#include "FlowTable.h"
#include "HeadlessFields.h"
#include "HtmlReport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tovarin;

namespace {

// Records what the command asked of the platform; answers from its settings.
class FakePlatform : public IFilePlatform
{
  public:
    std::optional<std::string> answer; // the dialog's result
    bool canCreate = true;
    std::vector<std::string> calls;

    std::optional<std::string> AskSavePath(const std::string& initialName,
                                           const std::string& defaultExtension) override
    {
        calls.push_back("ask " + initialName + " ." + defaultExtension);
        return answer;
    }
    void ShowMessage(const std::string& text) override { calls.push_back("message " + text); }
    std::unique_ptr<IOutputFile> CreateOutputFile(const std::string& path) override
    {
        calls.push_back("create " + path);
        std::string error;
        return canCreate ? CreatePosixOutputFile(path, error) : nullptr;
    }
};

// Field access that counts reads, to prove a command read nothing.
class CountingFields : public HeadlessFields
{
  public:
    mutable int reads = 0;
    std::string GetFieldText(int id) const override
    {
        ++reads;
        return HeadlessFields::GetFieldText(id);
    }
    int GetListSelection(int id) const override
    {
        ++reads;
        return HeadlessFields::GetListSelection(id);
    }
};

Calibration LastRun()
{
    Calibration run;
    run.coefficients = {1.0, 2.0, 0.5};
    run.set.responseKind = 0;
    run.set.meterType = "TYPE7";
    return run;
}

void TypeOutputParameters(HeadlessFields& fields, const char* min, const char* max,
                          const char* points, int unit)
{
    fields.SetFieldText(kResponseMinId, min);
    fields.SetFieldText(kResponseMaxId, max);
    fields.SetFieldText(kPointCountId, points);
    fields.SetListSelection(kOutputUnitListId, unit);
}

} // namespace

TEST(OutputCommands, CancelReadsAndWritesNothing)
{
    FakePlatform platform;
    CountingFields fields;
    OutputParameters stored{1.0, 2.0, 3, 1};
    GenerateOutputFile(platform, fields, LastRun(), stored);
    GenerateHtmlInfo(platform, fields, LastRun(), stored);
    const std::vector<std::string> expected = {"ask maffactor.inc .dat",
                                               "ask maffactor.html .html"};
    EXPECT_EQ(platform.calls, expected);
    EXPECT_EQ(fields.reads, 0);
    EXPECT_EQ(stored.pointCount, 3);
}

TEST(OutputCommands, FileThatCannotBeCreatedShowsTheMessageAndKeepsTheParameters)
{
    FakePlatform platform;
    platform.answer = "/nowhere/maffactor.inc";
    platform.canCreate = false;
    CountingFields fields;
    TypeOutputParameters(fields, "9", "9", "9", 2);
    OutputParameters stored{1.0, 2.0, 3, 1};
    GenerateOutputFile(platform, fields, LastRun(), stored);
    const std::vector<std::string> expected = {
        "ask maffactor.inc .dat", "create /nowhere/maffactor.inc", "message File Cannot Be Opened"};
    EXPECT_EQ(platform.calls, expected);
    EXPECT_EQ(fields.reads, 0);
    EXPECT_EQ(stored.responseMax, 2.0);
}

TEST(OutputCommands, WritesTheTableAndTheReportFromTheFieldsRead)
{
    TempDir dir;
    FakePlatform platform;
    HeadlessFields fields;
    TypeOutputParameters(fields, "0", "5.0", " 3", 3);
    OutputParameters stored;

    platform.answer = dir.Path("table.inc");
    GenerateOutputFile(platform, fields, LastRun(), stored);
    EXPECT_EQ(ReadWholeFile(dir.Path("table.inc")), "; */ MAF file for type:TYPE7 */\r\n"
                                                    "; */ File units = kg/sec */\r\n"
                                                    "\tDW\t   0\r\n"
                                                    "\tDW\t   2\r\n"
                                                    "\tDW\t  14\r\n");
    EXPECT_EQ(stored.pointCount, 3);
    EXPECT_EQ(stored.outputFlowUnit, 3);

    // Fields that no longer convert keep what the last command read.
    TypeOutputParameters(fields, "", "max", "many", 3);
    platform.answer = dir.Path("report.html");
    GenerateHtmlInfo(platform, fields, LastRun(), stored);
    EXPECT_EQ(ReadWholeFile(dir.Path("report.html")),
              WriteToString(WriteHtmlReport, LastRun(), {0.0, 5.0, 3, 3}));
    EXPECT_EQ(stored.responseMax, 5.0);
    EXPECT_EQ(stored.pointCount, 3);
    EXPECT_EQ(platform.calls.size(), 4u); // two asks, two creates, no message
}

TEST(OutputCommands, AFailedWriteSaysTheFileIsIncomplete)
{
    FakePlatform platform;
    HeadlessFields fields;
    TypeOutputParameters(fields, "0", "5", "1000", 0);
    OutputParameters stored;
    platform.answer = "/dev/full";
    GenerateOutputFile(platform, fields, LastRun(), stored);
    ASSERT_EQ(platform.calls.size(), 3u);
    EXPECT_EQ(platform.calls[2], "message Could not finish writing /dev/full: No space left on "
                                 "device.\nThe file is incomplete and must not be used.");
}
