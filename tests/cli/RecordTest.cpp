#include "ReduceRun.h"
#include "TempDir.h"
#include "WorkedExample.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>

using namespace tovarin;

namespace {

int Count(const std::string& text, const std::string& what)
{
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

double JsonNumberAfter(const std::string& json, const std::string& key)
{
    return std::stod(json.substr(json.find("\"" + key + "\": ") + key.size() + 4));
}

const char* const kHotWire = worked::kHotWireCsv;

} // namespace

TEST(CalibrationRecord, TheWorkedExampleAsOneSelfContainedPage)
{
    setenv("SOURCE_DATE_EPOCH", "1765000000", 1);
    const std::vector<std::string> args = {"--meter",        "A&B<C>",     "--serial",
                                           "SN</script><b>", "--operator", "Ana Lima",
                                           "--reference",    "LFE 7"};
    std::vector<std::string> recordArgs = args;
    recordArgs.insert(recordArgs.end(), {"--record", "-"});
    const CommandResult record = Reduce(recordArgs, worked::kCsv);
    EXPECT_EQ(Reduce(recordArgs, worked::kCsv).out, record.out); // reproducible byte for byte
    unsetenv("SOURCE_DATE_EPOCH");
    ASSERT_EQ(record.exitCode, 0) << record.err;
    const std::string& html = record.out;
    EXPECT_EQ(
        html.rfind("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">", 0), 0u);
    for (const char* id : {"identification", "rows", "fit", "uncertainty", "checks", "charts"})
        EXPECT_EQ(Count(html, "<section id=\"" + std::string(id) + "\""), 1) << id;
    EXPECT_EQ(Count(html, "<svg "), 2);
    EXPECT_EQ(Count(html, "</svg>"), 2);
    EXPECT_NE(html.find("<td class=\"text\">2025-12-06T05:46:40Z</td>"), std::string::npos);
    EXPECT_NE(html.find("<td class=\"text\">SN&lt;/script&gt;&lt;b&gt;</td>"), std::string::npos);
    EXPECT_NE(html.find("<td class=\"text\">A&amp;B&lt;C&gt;</td>"), std::string::npos);
    EXPECT_NE(html.find("Not stated: the coefficients' covariance is undefined"),
              std::string::npos);
    EXPECT_NE(html.find("<th class=\"text\">drift</th><td class=\"unjudged\">not judged</td>"),
              std::string::npos);
    // One script element: the data block, holding what --json prints.
    EXPECT_EQ(Count(html, "<script"), 1);
    std::vector<std::string> jsonArgs = args;
    jsonArgs.push_back("--json");
    const std::string json = Reduce(jsonArgs, worked::kCsv).out;
    const std::string tag = "<script type=\"application/json\" id=\"tovarin-calibration\">";
    const std::size_t start = html.find(tag) + tag.size();
    const std::string embedded = html.substr(start, html.find("</script>") - start);
    EXPECT_EQ(embedded.find('<'), std::string::npos);
    EXPECT_EQ(std::regex_replace(embedded, std::regex("\\\\u003c"), "<"), json);
}

TEST(CalibrationRecord, UncertaintyAgainstAnIndependentComputation)
{
    const std::string json = Reduce({"--json"}, kHotWire).out;
    const std::string table = json.substr(json.find("\"uncertainty\": ["));
    // Plain Python: Gauss-Newton fit, s^2 (J^T J)^-1, the gradient of Q at the
    // smallest measured response (0.98 V) and t(0.975, 7) = 2.36462425.
    EXPECT_NEAR(JsonNumberAfter(table, "expandedUncertaintyGs"), 0.10653918584254411, 1e-7);
    EXPECT_NEAR(JsonNumberAfter(table, "expandedUncertaintyPct"), 11.11802779626681, 1e-5);
    EXPECT_EQ(JsonNumberAfter(table, "coverageFactor"), 2.36462425);
    EXPECT_EQ(Count(table, "\"response\""), 10);
}

TEST(CalibrationRecord, DriftAgainstAPreviousJsonOrRecord)
{
    TempDir dir;
    WriteWholeFile(dir.Path("prev.json"), Reduce({"--json"}, kHotWire).out);
    Reduce({"--record", dir.Path("prev.html")}, kHotWire);
    std::string scaled; // every flow times 1.03, the same responses
    std::istringstream rows(kHotWire);
    for (std::string line; std::getline(rows, line);)
        scaled += std::to_string(std::stod(line) * 1.03) + line.substr(line.find(',')) + "\n";
    const std::string same = Reduce({"--json", "--previous", dir.Path("prev.json")}, kHotWire).out;
    EXPECT_NEAR(JsonNumberAfter(same, "maxDriftPct"), 0.0, 1e-9);
    for (const char* previous : {"prev.json", "prev.html"}) {
        const std::string now = Reduce({"--json", "--previous", dir.Path(previous)}, scaled).out;
        EXPECT_NEAR(JsonNumberAfter(now, "maxDriftPct"), 3.0, 1e-6) << previous;
        EXPECT_NE(now.find("\"points\": 50"), std::string::npos);
    }
    const CommandResult failed =
        Reduce({"--check", "--max-drift", "2", "--previous", dir.Path("prev.json")}, scaled);
    EXPECT_EQ(failed.exitCode, 4);
    EXPECT_NE(failed.err.find("check failed: drift: largest flow change +3 %"), std::string::npos);

    const CommandResult otherKind =
        Reduce({"--response", "Freq", "--previous", dir.Path("prev.json")}, kHotWire);
    EXPECT_EQ(otherKind.exitCode, 2);
    EXPECT_NE(otherKind.err.find("measured another kind of response"), std::string::npos);
    const CommandResult apart = Reduce({"--previous", dir.Path("prev.json")}, "1,10\n2,11\n3,12\n");
    EXPECT_NE(apart.err.find("do not overlap"), std::string::npos);
    EXPECT_EQ(Reduce({"--previous", dir.Path("t.inc")}, kHotWire).exitCode, 2);
}

TEST(CalibrationRecord, UncertaintyBudgetStatedRoundedAndReproducible)
{
    // Without inputs the table says what it is, and so does the summary.
    const std::string plain = Reduce({"--record", "-"}, kHotWire).out;
    EXPECT_NE(plain.find("<caption>Scatter about the fit only; not a calibration "
                         "uncertainty</caption>"),
              std::string::npos);
    EXPECT_NE(plain.find("Decision rule: simple acceptance: the flow error alone against its "
                         "limit. Uncertainty: Scatter about the fit only; not a calibration "
                         "uncertainty.</p>"),
              std::string::npos);

    // A CMC of 20 % lies above every U: the floor first, then two digits up.
    // At idle (2 g/s) that is 0.40 g/s, and 20 % at every response with flow.
    auto run = [](const std::string& jobs, const std::string& form) {
        return Reduce({"--u-reference", "0.5", "--cmc", "20", "--mc-trials", "20000",
                       "--decision-rule", "guarded", "--jobs", jobs, form, "-"},
                      kHotWire);
    };
    setenv("SOURCE_DATE_EPOCH", "1765000000", 1); // the record's date: the same in both runs
    const std::string record = run("1", "--record").out;
    EXPECT_EQ(run("3", "--record").out, record); // the fixed seed: the same bytes on any --jobs
    unsetenv("SOURCE_DATE_EPOCH");
    EXPECT_EQ(run("3", "--json").out, run("1", "--json").out);
    EXPECT_EQ(Count(record, "<td>20</td><td class=\"text\">CMC</td>"), 10);
    for (const char* text :
         {"Decision rule: guarded acceptance (ISO/IEC 17025, 7.8.6)",
          "Expanded uncertainty of flow 20 % to 20 % of reading (95 %)",
          "U includes: the reference standard (0.5 % of reading + 0 g/s, k = 2, one standard "
          "common to every row with flow); the scatter of the rows about the fit (the "
          "coefficients' covariance, 7 degrees of freedom)",
          "capability of 20 % of reading.",
          "checked by a Monte Carlo of 20000 trials (JCGM 101, fixed count, seed 20261207)",
          // At idle the nearest row is 2 g/s: u = 0.5 % x 2 / 2 = 0.005 g/s.
          "<tr><td class=\"text\">reference standard</td><td class=\"text\">g/s</td><td>infinite"
          "</td><td>0.005</td>",
          "<tr><th class=\"text\" colspan=\"3\">Expanded U (g/s)</th><td colspan=\"3\">0.40</td>"})
        EXPECT_NE(record.find(text), std::string::npos) << text;

    const std::string readable =
        Reduce({"--u-reference", "0.5", "--cmc", "20", "--mc-trials", "20000"}, kHotWire).out;
    EXPECT_TRUE(std::regex_search(
        readable, std::regex("\nUncertainty:  U 0\\.40 g/s \\(20 %, CMC\\) at idle 1\\.287 V, "
                             "[0-9.]+ g/s \\(20 %, CMC\\) at middle 3\\.19 V, [0-9.]+ g/s \\(20 "
                             "%, CMC\\) at full scale 5\\.4 V; 95 %, linear valid at [0-9]+ of "
                             "10 responses, 20000 trials, simple rule\nChecks: ")))
        << readable;
}
