#include "Settings.h"

#include "RunLog.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <sys/resource.h>

using namespace tovarin;

namespace {

std::string RowLines(int from, int to, const char* line)
{
    std::string text;
    for (int i = from; i < to; ++i)
        text += line;
    return text;
}

struct Loaded
{
    int result;
    MeasurementSet set;
    OutputParameters output;
    std::string log;
};

Loaded Load(const std::string& path, MeasurementSet set = {})
{
    Loaded loaded{0, set, {}, {}};
    RunLog log = RunLog::ToMemory();
    loaded.result = LoadSettingsFile(path, loaded.set, loaded.output, log);
    loaded.log = log.Text();
    return loaded;
}

Loaded LoadText(const std::string& text)
{
    TempDir dir;
    WriteWholeFile(dir.Path(kSettingsName), text);
    return Load(dir.Path(kSettingsName));
}

} // namespace

TEST(Settings, SavedBytes)
{
    MeasurementSet set;
    set.typedFlow[0] = 12.5;
    set.typedResponse[0] = 1.2345678; // six decimals, rounded
    set.typedFlow[18] = -3.0;
    set.flowUnit = 3;
    set.responseKind = 1;
    set.meterType = "TYPE7";
    EXPECT_EQ(FormatSettings(set), "12.500000\t1.234568\n" +
                                       RowLines(1, 18, "0.000000\t0.000000\n") +
                                       "-3.000000\t0.000000\n3\n1\nTYPE7\n");
    set.meterType.clear();
    EXPECT_EQ(FormatSettings(set).substr(FormatSettings(set).size() - 5), "3\n1\n\n");
}

TEST(Settings, SaveThenLoadRestoresTheScreen)
{
    TempDir dir;
    MeasurementSet saved;
    for (int i = 0; i < kMaxRows; ++i) {
        saved.typedFlow[static_cast<std::size_t>(i)] = i * 12.25;
        saved.typedResponse[static_cast<std::size_t>(i)] = 0.5 + i * 0.125;
    }
    saved.typedResponse[3] = 2.0000004; // comes back rounded to six decimals
    saved.flowUnit = 2;
    saved.responseKind = 1;
    saved.meterType = "HFM5";
    std::string error;
    ASSERT_TRUE(SaveSettings(dir.Path(""), saved, error)) << error;

    const Loaded loaded = Load(dir.Path(kSettingsName));
    EXPECT_EQ(loaded.result, 0);
    EXPECT_EQ(loaded.log, "");
    saved.typedResponse[3] = 2.0;
    EXPECT_EQ(loaded.set.typedFlow, saved.typedFlow);
    EXPECT_EQ(loaded.set.typedResponse, saved.typedResponse);
    EXPECT_EQ(loaded.set.flowUnit, 2);
    EXPECT_EQ(loaded.set.responseKind, 1);
    EXPECT_EQ(loaded.set.meterType, "HFM5");
    EXPECT_EQ(loaded.output.responseMin, 0.0);
    EXPECT_EQ(loaded.output.responseMax, 15000.0);
    EXPECT_EQ(loaded.output.pointCount, 1024);
}

TEST(Settings, MissingFileLogsItsPathAndChangesNothing)
{
    TempDir dir;
    MeasurementSet set;
    set.typedFlow[2] = 7.0;
    const Loaded loaded = Load(dir.Path(kSettingsName), set);
    EXPECT_EQ(loaded.result, -1);
    EXPECT_EQ(loaded.log, "Error in opening " + dir.Path(kSettingsName) + "\n");
    EXPECT_EQ(loaded.set.typedFlow[2], 7.0);
    EXPECT_EQ(loaded.output.responseMax, 0.0);
    EXPECT_EQ(loaded.output.pointCount, 0);
}

TEST(Settings, LoadingRules)
{
    struct Case
    {
        const char* name;
        std::string text;
        double flow18, response18;
        int flowUnit, responseKind;
        const char* meterType;
        double responseMax;
    } const cases[] = {
        {"19 row lines only", RowLines(0, 19, "1.5\t2.5\n"), 1.5, 2.5, 0, 0, "", 5.0},
        {"blanks instead of a tab", RowLines(0, 19, "  1.5   2.5 \r\n") + "1\n0\nM\n", 1.5, 2.5, 1,
         0, "M", 5.0},
        {"no separator at all", RowLines(0, 19, "1.5-2.5\n") + "1\n0\nM\n", 1.5, -2.5, 1, 0, "M",
         5.0},
        {"response kind 2", RowLines(0, 19, "1\t2\n") + "0\n2\nM\n", 1, 2, 0, 2, "M", 0.0},
        {"bad row keeps the previous line's values", RowLines(0, 18, "1\t2\n") + "x\t9\n0\n1\nM\n",
         1, 2, 0, 1, "M", 15000.0},
        {"half a row takes the first value only", RowLines(0, 18, "1\t2\n") + "4\tx\n0\n1\nM\n", 4,
         2, 0, 1, "M", 15000.0},
        {"indices and words that do not convert stay",
         RowLines(0, 19, "1\t2\n") + "x\n\nTWO WORDS\n", 1, 2, 0, 0, "TWO", 5.0},
        {"saved infinity comes back", RowLines(0, 19, "inf\t-inf\n"), INFINITY, -INFINITY, 0, 0, "",
         5.0},
        {"lines after 22 are not read", RowLines(0, 19, "1\t2\n") + "3\n1\nM\n9\n9\n", 1, 2, 3, 1,
         "M", 15000.0},
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

TEST(Settings, FirstLineThatDoesNotConvertKeepsRowZero)
{
    TempDir dir;
    WriteWholeFile(dir.Path(kSettingsName), "junk\n5\t6\n");
    MeasurementSet set;
    set.typedFlow[0] = 3.0;
    set.typedResponse[0] = 4.0;
    const Loaded loaded = Load(dir.Path(kSettingsName), set);
    EXPECT_EQ(loaded.set.typedFlow[0], 3.0);
    EXPECT_EQ(loaded.set.typedResponse[0], 4.0);
    EXPECT_EQ(loaded.set.typedFlow[1], 5.0);
}

TEST(Settings, LongLinesTakeSeveralReads)
{
    // A row line of 99 characters before its line feed takes two reads: the
    // second read (the bare line feed) counts as row 1 and keeps row 0's values,
    // so every later line lands one row further down.
    const std::string longRow = "1.5\t2.5" + std::string(92, ' ') + "\n";
    ASSERT_EQ(longRow.size(), 100u);
    std::string text = longRow + RowLines(1, 19, "3\t4\n") + "2\n1\nM\n";
    const Loaded shifted = LoadText(text);
    EXPECT_EQ(shifted.set.typedFlow[1], 1.5);
    EXPECT_EQ(shifted.set.typedFlow[2], 3.0);
    EXPECT_EQ(shifted.set.typedFlow[18], 3.0);
    EXPECT_EQ(shifted.set.flowUnit, 3); // the last row line, read as "%d"
    EXPECT_EQ(shifted.set.responseKind, 2);
    EXPECT_EQ(shifted.set.meterType, "1");

    const std::string line98 = "1.5\t2.5" + std::string(91, ' ') + "\n";
    const Loaded unshifted = LoadText(line98 + RowLines(1, 19, "3\t4\n") + "2\n1\nM\n");
    EXPECT_EQ(unshifted.set.flowUnit, 2);
    EXPECT_EQ(unshifted.set.meterType, "M");

    const Loaded longWord =
        LoadText(RowLines(0, 19, "1\t2\n") + "0\n0\n" + std::string(150, 'W') + "\n");
    EXPECT_EQ(longWord.set.meterType, std::string(99, 'W'));
}

TEST(Settings, AFileThatCannotBeWrittenLeavesTheOldOne)
{
    TempDir dir;
    const std::string path = dir.Path(kSettingsName);
    WriteWholeFile(path, "old settings\n");
    MeasurementSet set;
    std::string error;

    // A file size limit makes the write fail even for root.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = SaveSettingsFile(path, set, error);
    setrlimit(RLIMIT_FSIZE, &previous);

    EXPECT_FALSE(saved);
    EXPECT_EQ(error, "File too large");
    EXPECT_EQ(ReadWholeFile(path), "old settings\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 1);
}
