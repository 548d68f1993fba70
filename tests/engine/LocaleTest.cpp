// Under a comma-decimal locale, as the windowing toolkit sets it from the
// environment, every text the engine writes or reads still uses a point.

#include "FieldParsing.h"
#include "NumberText.h"
#include "RunLog.h"
#include "WorkedExample.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>

using namespace tovarin;

TEST(CommaDecimalLocale, NumbersAndTheWholeRunUseAPoint)
{
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr)
        << "locale de_DE.UTF-8 missing: run scripts/install-deps.sh";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 2.5);
    EXPECT_STREQ(probe, "2,5") << "the locale does not use a decimal comma";

    EXPECT_EQ(FormatC("%4.2f|%4.3f|%lf", 2.5, 0.2609, 12.5), "2.50|0.261|12.500000");
    double value = 0;
    EXPECT_TRUE(ReadNumberField("2,75", value));
    EXPECT_EQ(value, 2.0);
    EXPECT_EQ(ParseDoubleC("1.5e1", nullptr), 15.0);

    HeadlessFields fields = worked::Screen(worked::kRows);
    Calibration calibration;
    RunLog log = RunLog::ToMemory();
    RunTest(fields, calibration, log);
    EXPECT_EQ(worked::ResultFields(fields, 1), worked::kResultFields[1]);
    EXPECT_EQ(log.Text(), worked::kLogBlock);

    std::setlocale(LC_ALL, "C");
    unsetenv("LC_ALL");
}
