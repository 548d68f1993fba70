#include "OutputCommands.h"

#include "ControlIds.h"
#include "FakePlatform.h"
#include "FlowTable.h"
#include "HeadlessFields.h"
#include "HtmlReport.h"
#include "LastRun.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace tovarin;

namespace {

// Field access that counts reads, to prove a command read nothing.
class CountingFields : public HeadlessFields
{
  public:
    mutable int reads = 0;
    std::string GetFieldText(int id) const override
    {
        return ++reads, HeadlessFields::GetFieldText(id);
    }
    int GetListSelection(int id) const override
    {
        return ++reads, HeadlessFields::GetListSelection(id);
    }
};

void TypeOutputParameters(HeadlessFields& fields, const char* min, const char* max,
                          const char* points, int unit)
{
    fields.SetFieldText(kResponseMinId, min);
    fields.SetFieldText(kResponseMaxId, max);
    fields.SetFieldText(kPointCountId, points);
    fields.SetListSelection(kOutputUnitListId, unit);
}

const Calibration kLastRun = LastRun({1.0, 2.0, 0.5}, 0, "TYPE7");

} // namespace

TEST(OutputCommands, CancelOrAFileThatCannotBeCreatedReadsNothing)
{
    FakePlatform platform;
    CountingFields fields;
    TypeOutputParameters(fields, "9", "9", "9", 2);
    OutputParameters stored{1.0, 2.0, 3, 1};
    GenerateOutputFile(platform, fields, kLastRun, stored);
    GenerateHtmlInfo(platform, fields, kLastRun, stored);
    platform.answer = "/nowhere/maffactor.inc";
    platform.canCreate = false;
    GenerateOutputFile(platform, fields, kLastRun, stored);
    EXPECT_EQ(platform.calls,
              std::vector<std::string>({"ask maffactor.inc .dat", "ask maffactor.html .html",
                                        "ask maffactor.inc .dat", "create /nowhere/maffactor.inc",
                                        "message File Cannot Be Opened"}));
    EXPECT_EQ(fields.reads, 0);
    EXPECT_EQ(stored.responseMax, 2.0);
}

TEST(OutputCommands, WriteTheFilesFromTheFieldsRead)
{
    TempDir dir;
    FakePlatform platform;
    HeadlessFields fields;
    TypeOutputParameters(fields, "0", "5.0", " 3", 3);
    OutputParameters stored;
    platform.answer = dir.Path("table.inc");
    GenerateOutputFile(platform, fields, kLastRun, stored);
    EXPECT_EQ(ReadWholeFile(dir.Path("table.inc")), "; */ MAF file for type:TYPE7 */\r\n"
                                                    "; */ File units = kg/sec */\r\n"
                                                    "\tDW\t   0\r\n"
                                                    "\tDW\t   2\r\n" // 0.5625 g/s in kg/h
                                                    "\tDW\t  14\r\n");

    // Fields that no longer convert keep what the last command read.
    TypeOutputParameters(fields, "", "max", "many", 3);
    platform.answer = dir.Path("report.html");
    GenerateHtmlInfo(platform, fields, kLastRun, stored);
    const std::string report = ReadWholeFile(dir.Path("report.html"));
    EXPECT_NE(report.find("\t4.9\t3.80 \n"), std::string::npos);
    EXPECT_EQ(stored.pointCount, 3);
    EXPECT_EQ(platform.messages.size(), 0u);
}

TEST(OutputCommands, AFailedWriteSaysTheFileIsIncomplete)
{
    FakePlatform platform;
    HeadlessFields fields;
    TypeOutputParameters(fields, "0", "5", "1000", 0);
    OutputParameters stored;
    platform.answer = "/dev/full";
    GenerateOutputFile(platform, fields, kLastRun, stored);
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{"Could not finish writing /dev/full: No space left on "
                                       "device.\nThe file is incomplete and must not be used."});
}
