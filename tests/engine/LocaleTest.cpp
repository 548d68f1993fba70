// Under a comma-decimal locale, as the windowing toolkit sets it from the
// environment, every text the engine writes or reads still uses a point.

#include "NumberText.h"
#include "ControlIds.h"
#include "FieldParsing.h"
#include "HeadlessFields.h"
#include "Run.h"
#include "RunLog.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace tovarin;

namespace {

class CommaDecimalLocale : public testing::Test
{
  protected:
    void SetUp() override
    {
        setenv("LC_ALL", "de_DE.UTF-8", 1);
        ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr)
            << "locale de_DE.UTF-8 missing: run scripts/install-deps.sh";
        char probe[16];
        std::snprintf(probe, sizeof probe, "%.1f", 2.5);
        ASSERT_STREQ(probe, "2,5") << "the locale does not use a decimal comma";
    }
    void TearDown() override
    {
        std::setlocale(LC_ALL, "C");
        unsetenv("LC_ALL");
    }
};

} // namespace

TEST_F(CommaDecimalLocale, FormattingAndParsingUseAPoint)
{
    EXPECT_EQ(FormatC("%4.2f|%4.3f|%lf", 2.5, 0.2609, 12.5), "2.50|0.261|12.500000");
    double value = 0;
    EXPECT_TRUE(ReadNumberField("2.75", value));
    EXPECT_EQ(value, 2.75);
    EXPECT_TRUE(ReadNumberField("2,75", value));
    EXPECT_EQ(value, 2.0);
    EXPECT_EQ(ParseDoubleC("1.5e1", nullptr), 15.0);
}

TEST_F(CommaDecimalLocale, RunWritesPointsInFieldsAndLog)
{
    HeadlessFields fields;
    const char* rows[][2] = {{"0", "1.0"}, {"5", "1.8"}, {"10", "2.3"}, {"20", "3.1"}};
    for (std::size_t i = 0; i < 4; ++i) {
        fields.SetFieldText(kRowControls[i].flow, rows[i][0]);
        fields.SetFieldText(kRowControls[i].response, rows[i][1]);
    }
    fields.SetListSelection(kFlowUnitListId, 0);
    fields.SetListSelection(kResponseKindListId, 0);
    Calibration calibration;
    RunLog log = RunLog::ToMemory();
    RunTest(fields, calibration, log);
    EXPECT_EQ(fields.GetFieldText(kCoefficientBId), "0.261");
    EXPECT_EQ(fields.GetFieldText(kRowControls[1].errorPct), "-0.04");
    EXPECT_NE(log.Text().find("a = 1.000  b = 0.261   c = 0.696"), std::string::npos);
    EXPECT_NE(log.Text().find(" => Indx  1, MAF(g/s) = 5.00,  resp = 1.80, resp_fit = 1.80\n"),
              std::string::npos);
}
