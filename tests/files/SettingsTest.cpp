#include "SettingsFile.h"

#include "RunLog.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tovarin;

namespace {

std::string Repeat(int times, const std::string& line)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += line;
    return text;
}

struct Loaded
{
    int result;
    SavedScreen set;
    OutputParameters output;
    std::string log;
};

Loaded LoadText(const std::string& text, SavedScreen set = {})
{
    TempDir dir;
    WriteWholeFile(dir.Path(kSettingsName), text);
    Loaded loaded{0, set, {}, {}};
    RunLog log = RunLog::ToMemory();
    loaded.result = LoadSettingsFile(dir.Path(kSettingsName), loaded.set, loaded.output, log);
    loaded.log = log.Text();
    return loaded;
}

} // namespace

TEST(Settings, SavedBytesLoadBackAsTheScreen)
{
    RunInput saved;
    saved.typedFlow[0] = 12.5;
    saved.typedResponse[0] = 1.2345678; // six decimals, rounded
    saved.typedFlow[18] = -3.0;
    saved.flowUnit = FlowUnit::Scfm;
    saved.responseKind = ResponseKind::Freq;
    saved.meterType = "TYPE7";
    const std::string bytes = "12.500000\t1.234568\n" + Repeat(17, "0.000000\t0.000000\n") +
                              "-3.000000\t0.000000\n3\n1\nTYPE7\n";
    EXPECT_EQ(FormatSettings(saved), bytes);

    const Loaded loaded = LoadText(bytes);
    EXPECT_EQ(loaded.result, 0);
    EXPECT_EQ(loaded.log, "");
    EXPECT_EQ(loaded.set.typedResponse[0], 1.234568);
    EXPECT_EQ(FormatSettings(loaded.set.Input()), bytes);
    EXPECT_EQ(loaded.output.responseMax, 15000.0);
    // A list without selection saves -1.
    saved.flowUnit = std::nullopt;
    EXPECT_EQ(FormatSettings(saved).substr(bytes.size() - 11), "\n-1\n1\nTYPE7\n");
    EXPECT_EQ(loaded.output.pointCount, 1024);
}

TEST(Settings, MissingFileOrFirstLineChangesNothing)
{
    TempDir dir;
    SavedScreen set;
    set.typedFlow[0] = 3.0;
    set.typedFlow[2] = 7.0;
    OutputParameters output;
    RunLog log = RunLog::ToMemory();
    EXPECT_EQ(LoadSettings(dir.Path(""), set, output, log), -1);
    EXPECT_EQ(log.Text(), "Error in opening " + dir.Path(kSettingsName) + "\n");
    EXPECT_EQ(set.typedFlow[2], 7.0);
    // A first start writes the default table, not one of 0 words.
    EXPECT_EQ(output.responseMax, 5.0);
    EXPECT_EQ(output.pointCount, 1024);
}

TEST(Settings, AFileThatNoRunCouldHaveSavedChangesNothing)
{
    SavedScreen set;
    set.typedFlow[0] = 3.0;
    const std::string rows = Repeat(18, "1\t2\n");
    const std::pair<std::string, std::string> cases[] = {
        {"", ":1: the row line does not hold two numbers"},
        {"junk\n5\t6\n", ":1: the row line does not hold two numbers"},
        {rows, ":19: the row line does not hold two numbers"}, // cut short
        {rows + "4\tx\n", ":19: the row line does not hold two numbers"},
        {rows + "4\t5\n1.5\n", ":20: the flow unit line is not a whole number"},
        {rows + "4\t5\n1\n\nM\n", ":21: the response kind line is not a whole number"},
        // A 99-character row line takes two reads: the second is a bare line end.
        {"1.5\t2.5" + std::string(92, ' ') + "\n" + rows,
         ":2: the row line does not hold two numbers"},
    };
    for (const auto& [text, problem] : cases) {
        SCOPED_TRACE(problem);
        TempDir dir;
        WriteWholeFile(dir.Path(kSettingsName), text);
        SavedScreen loaded = set;
        OutputParameters output;
        RunLog log = RunLog::ToMemory();
        std::string said;
        EXPECT_EQ(LoadSettingsFile(dir.Path(kSettingsName), loaded, output, log, &said), 0);
        EXPECT_EQ(said, dir.Path(kSettingsName) + problem);
        EXPECT_EQ(log.Text(), said + "\n");
        EXPECT_EQ(loaded.typedFlow[0], 3.0);
        EXPECT_EQ(output.pointCount, 1024);
    }
}

TEST(Settings, LoadingRules)
{
    struct Case
    {
        const char* name;
        std::string text;
        double flow18, response18;
        int flowUnit, responseKind;
        std::string meterType;
        double responseMax;
    } const cases[] = {
        {"19 row lines only", Repeat(19, "1.5\t2.5\n"), 1.5, 2.5, 0, 0, "", 5.0},
        {"an empty meter type", Repeat(19, "1\t2\n") + "1\n0\n\n", 1, 2, 1, 0, "", 5.0},
        {"blanks instead of a tab", Repeat(19, "  1.5   2.5 \r\n") + "1\n0\nM\n", 1.5, 2.5, 1, 0,
         "M", 5.0},
        {"no separator at all", Repeat(19, "1.5-2.5\n") + "1\n0\nM\n", 1.5, -2.5, 1, 0, "M", 5.0},
        {"response kind 2 keeps the range", Repeat(19, "1\t2\n") + "0\n2\nM\n", 1, 2, 0, 2, "M",
         0.0},
        {"saved infinity comes back", Repeat(19, "inf\t-inf\n"), INFINITY, -INFINITY, 0, 0, "",
         5.0},
        {"lines after 22 are not read", Repeat(19, "1\t2\n") + "3\n1\nM\n9\n9\n", 1, 2, 3, 1, "M",
         15000.0},
        {"a 98-character line does not",
         "1.5\t2.5" + std::string(91, ' ') + "\n" + Repeat(18, "3\t4\n") + "2\n1\nM\n", 3, 4, 2, 1,
         "M", 15000.0},
        {"a long meter type is cut at 99", Repeat(19, "1\t2\n") + "0\n0\n" + std::string(150, 'W'),
         1, 2, 0, 0, std::string(99, 'W'), 5.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Loaded loaded = LoadText(c.text);
        EXPECT_EQ(loaded.result, 0);
        EXPECT_EQ(loaded.set.typedFlow[18], c.flow18);
        EXPECT_EQ(loaded.set.typedResponse[18], c.response18);
        EXPECT_EQ(loaded.set.flowUnit, c.flowUnit);
        EXPECT_EQ(loaded.set.responseKind, c.responseKind);
        EXPECT_EQ(loaded.set.meterType, c.meterType);
        EXPECT_EQ(loaded.output.responseMax, c.responseMax);
        EXPECT_EQ(loaded.output.pointCount, 1024);
    }
}

TEST(Settings, AnyRowValueAndMeterTypeComeBackAsSaved)
{
    RunInput saved;
    saved.typedFlow[0] = 1e306; // "%f" would be a 308-digit line that the loader splits
    saved.typedResponse[0] = 0.935;
    saved.typedFlow[1] = INFINITY;
    saved.typedResponse[1] = -1e308;
    std::string meter;
    for (int i = 0; i < 75; ++i)
        meter += "\xC3\xA9"; // 150 bytes of é: the 99-byte read cuts the 50th in half
    saved.meterType = meter;
    const std::string bytes = FormatSettings(saved);
    EXPECT_EQ(bytes.substr(0, 28), "1e+306\t0.935000\ninf\t-1e+308\n"); // "%.17g" drops zeros
    const Loaded loaded = LoadText(bytes);
    EXPECT_EQ(loaded.set.typedFlow[0], 1e306);
    EXPECT_EQ(loaded.set.typedResponse[1], -1e308);
    EXPECT_EQ(loaded.set.typedFlow[2], 0.0); // no line shifted
    EXPECT_EQ(loaded.set.meterType, meter.substr(0, 98));
    RunInput again = loaded.set.Input();
    again.meterType = meter;
    EXPECT_EQ(FormatSettings(again), bytes);
}
