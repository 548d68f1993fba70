#include "Batch.h"
#include "BatchText.h"

#include "ReduceRun.h"
#include "TempDir.h"
#include "WorkedExample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <sstream>

using namespace tovarin;

namespace {

// good, bad input, fewer than 3 rows, a failing check (a flow error of -4.28 %)
struct MixedFiles
{
    TempDir dir;
    std::vector<std::string> paths;
    MixedFiles()
    {
        const std::pair<const char*, std::string> files[] = {{"good.csv", worked::kCsv},
                                                             {"bad.csv", "0,1\n5,x\n"},
                                                             {"two.csv", "0,1\n5,2\n"},
                                                             {"hot.csv", worked::kHotWireCsv}};
        for (const auto& [name, text] : files) {
            WriteWholeFile(dir.Path(name), text);
            paths.push_back(dir.Path(name));
        }
    }
};

} // namespace

TEST(Batch, EachFileAsAloneInInputOrder)
{
    MixedFiles m;
    std::vector<std::string> args = {"--json",    "--check",
                                     "--table",   m.dir.Path("{stem}.inc"),
                                     "--summary", m.dir.Path("summary.csv")};
    args.insert(args.end(), m.paths.begin(), m.paths.end());
    const CommandResult batch = Reduce(args);
    EXPECT_EQ(batch.exitCode, 2); // the first file that did not give 0: bad.csv
    std::istringstream lines(batch.out);
    std::vector<std::string> objects;
    for (std::string line; std::getline(lines, line);)
        objects.push_back(line);
    ASSERT_EQ(objects.size(), 4u);
    const int codes[] = {0, 2, 3, 4};
    for (std::size_t i = 0; i < 4; ++i) {
        const CommandResult alone =
            Reduce({"--json", "--check", "--table", m.dir.Path("alone.inc"), m.paths[i]});
        EXPECT_EQ(alone.exitCode, codes[i]) << m.paths[i];
        const std::string tail =
            ", \"file\": \"" + m.paths[i] + "\", \"exitCode\": " + std::to_string(codes[i]) + "}";
        if (i == 1) {
            EXPECT_EQ(objects[i], "{\"file\": \"" + m.paths[i] +
                                      "\", \"exitCode\": 2, \"error\": \"" + m.paths[i] +
                                      ":2: 'x' is not a decimal number\"}");
            continue;
        }
        EXPECT_EQ(objects[i], alone.out.substr(0, alone.out.size() - 2) + tail);
        if (i != 2) { // no table without a fit
            EXPECT_EQ(ReadWholeFile(m.dir.Path(i == 0 ? "good.inc" : "hot.inc")),
                      ReadWholeFile(m.dir.Path("alone.inc")));
        }
    }
    const auto said = [&](std::size_t file, const std::string& what) {
        return "tovarin-reduce: " + m.paths[file] + what + "\n";
    };
    EXPECT_EQ(batch.err,
              said(1, ":2: 'x' is not a decimal number") +
                  said(2, ": 2 rows are in use; a fit needs at least 3, so nothing was fitted") +
                  said(2, ": no usable fit, so no table, report or record was written") +
                  said(3, ": check failed: flow error: largest flow error -4.28 % at row 3 (limit "
                          "2 %)"));
    EXPECT_EQ(
        ReadWholeFile(m.dir.Path("summary.csv")),
        "file,exitCode,rowCount,mode,a,b,c,converged,maxFlowErrorPct,checks,model\n" + m.paths[0] +
            ",0,4,linear,1,0.26117132956366274,0.69615871138937979,true,"
            "0.28456996278958258,passed,king\n" +
            m.paths[1] + ",2,,,,,,,,,\n" + m.paths[2] + ",3,2,none,,,,false,,,king\n" + m.paths[3] +
            ",4,10,nonlinear,-0.80421908493535521,1.800706338181409,0.21571608808482953,true,"
            "-4.2768293520770584,failed: flow error,king\n");
}

TEST(Batch, PlaceholdersFilesFromAndTheSameBytesWhateverTheJobs)
{
    MixedFiles m;
    EXPECT_EQ(FillPlaceholders("out/{stem}-{name}@{dir}", "/data/day 1/s7.csv"),
              "out/s7-s7.csv@/data/day 1");
    // Once, left to right: a name holding a placeholder's text is no placeholder.
    EXPECT_EQ(FillPlaceholders("{dir}/{stem}.inc", "a{stem}b.csv"), "./a{stem}b.inc");
    const CommandResult refused = Reduce({"--table", m.dir.Path("t.inc"), m.paths[0], m.paths[3]});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err.substr(0, refused.err.find('\n')),
              "tovarin-reduce: in a batch, the output path '" + m.dir.Path("t.inc") +
                  "' needs {stem}, {name} or {dir}, or the files would overwrite each other");

    const CommandResult readable =
        Reduce({"--files-from", "-"}, m.paths[0] + "\n" + m.paths[3] + "\n");
    EXPECT_EQ(readable.out, m.paths[0] +
                                "  4 rows  A 1.000  B 0.261  C 0.696  flow error +0.28 %\n" +
                                m.paths[3] +
                                "  10 rows  A -0.804  B 1.801  C 0.216  flow error "
                                "-4.28 %\n");
    std::string list;
    for (int i = 0; i < 200; ++i)
        list += m.paths[static_cast<std::size_t>(i % 4)] + "\n";
    WriteWholeFile(m.dir.Path("list"), list);
    const CommandResult one = Reduce({"--json", "--jobs", "1", "--files-from", m.dir.Path("list")});
    const CommandResult four = Reduce({"--json", "--jobs=4", "--files-from", m.dir.Path("list")});
    EXPECT_EQ(one.out, four.out);
    EXPECT_EQ(one.err, four.err);
    EXPECT_EQ(std::count(four.out.begin(), four.out.end(), '\n'), 200);
}

TEST(Batch, OutputsThatWouldDestroyInputsOrEachOtherAreRefusedUpFront)
{
    MixedFiles m;
    std::filesystem::create_directory(m.dir.Path("sub"));
    WriteWholeFile(m.dir.Path("sub/good.csv"), worked::kCsv);
    const std::string good = m.paths[0], hot = m.paths[3], other = m.dir.Path("sub/good.csv");
    struct Case
    {
        const char* name;
        std::vector<std::string> args;
        std::string message;
    } const cases[] = {
        {"tables onto the inputs",
         {"--table", "{dir}/{name}", good, hot},
         "--table " + good + " (for " + good + ") would overwrite the input " + good},
        {"one stem in two folders",
         {"--table", m.dir.Path("{stem}.inc"), good, other},
         "--table " + m.dir.Path("good.inc") + " (for " + good + ") and --table " +
             m.dir.Path("good.inc") + " (for " + other + ") name the same file"},
        {"a table and a record",
         {"--table", "{dir}/x", "--record", "{dir}/./x", good, hot},
         "--table " + m.dir.Path("x") + " (for " + good + ") and --record " + m.dir.Path("./x") +
             " (for " + good + ") name the same file"},
        {"the summary onto an input",
         {"--summary", hot, good, hot},
         "--summary " + hot + " would overwrite the input " + hot},
        {"one file: the table onto the previous calibration",
         {"--table", m.dir.Path("p.json"), "--previous", m.dir.Path("p.json"), good},
         "--table " + m.dir.Path("p.json") + " would overwrite the input --previous " +
             m.dir.Path("p.json")},
    };
    WriteWholeFile(m.dir.Path("p.json"), Reduce({"--json", good}).out);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CommandResult refused = Reduce(c.args);
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_EQ(refused.err, Refusal(c.message));
        EXPECT_EQ(ReadWholeFile(good), worked::kCsv);
        EXPECT_FALSE(std::filesystem::exists(m.dir.Path("good.inc")));
    }
}

TEST(Batch, ASummaryOfOneFileOrOnStandardOutput)
{
    MixedFiles m;
    const std::string row = m.paths[3] + ",4,10,nonlinear,";
    const CommandResult one = Reduce({"--check", "--summary", "-", m.paths[3]});
    EXPECT_EQ(one.exitCode, 4);
    EXPECT_NE(one.out.find("Rows in use: 10\n"), std::string::npos); // the one-file table
    EXPECT_NE(one.out.find(std::string(kSummaryHeader) + row), std::string::npos);
    const CommandResult batch = Reduce({"--summary", "-", m.paths[0], m.paths[3]});
    const std::string summary = batch.out.substr(batch.out.find(kSummaryHeader));
    EXPECT_EQ(std::count(summary.begin(), summary.end(), '\n'), 3); // after both lines
    EXPECT_NE(summary.find(m.paths[3] + ",0,10,nonlinear,"), std::string::npos);
}

TEST(Batch, AStopSignalEndsTheBatchAfterTheFilesUnderWay)
{
    MixedFiles m;
    for (const int signal : {SIGINT, SIGTERM}) {
        SetBatchFileHookForTesting([signal](std::size_t file) {
            if (file == 1)
                std::raise(signal);
        });
        const CommandResult stopped =
            Reduce({"--jobs", "1", "--table", m.dir.Path("{stem}.inc"), "--summary",
                    m.dir.Path("s.csv"), m.paths[0], m.paths[1], m.paths[2], m.paths[3]});
        SetBatchFileHookForTesting(nullptr);
        EXPECT_EQ(stopped.exitCode, 128 + signal);
        EXPECT_EQ(std::count(stopped.out.begin(), stopped.out.end(), '\n'), 2); // files 0 and 1
        const std::string summary = ReadWholeFile(m.dir.Path("s.csv"));
        EXPECT_EQ(std::count(summary.begin(), summary.end(), '\n'), 3);
        EXPECT_NE(stopped.err.find("stopped by signal " + std::to_string(signal)),
                  std::string::npos);
        std::vector<std::string> left;
        for (const auto& entry : std::filesystem::directory_iterator(m.dir.Root()))
            if (entry.path().filename().string().rfind(".tovarin-", 0) == 0)
                left.push_back(entry.path());
        EXPECT_TRUE(left.empty()); // no temporary stays behind
        EXPECT_FALSE(std::filesystem::exists(m.dir.Path("hot.inc")));
    }
}
