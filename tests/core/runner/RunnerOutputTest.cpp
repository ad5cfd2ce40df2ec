// The runner's machine-readable outputs and its progress line, in-process.
#include <csignal>
#include <regex>

#include "ChartFixture.h"
#include "core/engine/RunState.h"
#include "cli/ConsoleRunWindow.h"
#include "cli/JsonText.h"
#include "cli/SignalStop.h"

namespace ondrel::runner::test {
namespace {

class RunnerOutputTest : public ChartFixture {};

TEST(JsonText, EscapesWhatJsonNeedsAndKeepsValidUtf8) {
    const std::pair<std::string, std::string> cases[] = {
        {"", R"("")"},
        {"Run Time Error", R"("Run Time Error")"},
        {"a \"quoted\" C:\\path", R"("a \"quoted\" C:\\path")"},
        {"line\nbreak\r\ttab", R"("line\nbreak\r\ttab")"},
        {std::string("nul\0bell\x07\x1f\x7f", 11), "\"nul\\u0000bell\\u0007\\u001f\x7f\""},
        {"Größe µ ∑ 𝛼", "\"Größe µ ∑ 𝛼\""},                   // 2-, 3- and 4-byte sequences
        {"Latin-1 \xE9t\xE9", R"("Latin-1 \ufffdt\ufffd")"},  // not UTF-8
        {"cut \xE2\x88", R"("cut \ufffd\ufffd")"},              // a sequence cut short
        {"overlong \xC0\xAF surrogate \xED\xA0\x80", R"("overlong \ufffd\ufffd surrogate \ufffd\ufffd\ufffd")"},
    };
    for (const auto& [text, json] : cases) EXPECT_EQ(JsonString(text), json) << text;
    EXPECT_EQ(JsonNumber(0.1), "0.1");
    EXPECT_EQ(JsonNumber(1e21), "1e+21");
    EXPECT_EQ(JsonNumber(-0.0), "-0");
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(JsonNumber(-std::numeric_limits<double>::infinity()), "null");
}

TEST(ProgressLine, ShowsTimeShareAndAnEstimateOfWhatIsLeft) {
    const struct {
        double time, end, elapsed;
        const char* line;
    } cases[] = {
        {0.0, 100.0, 0.0, "t = 0 of 100 (0%)"},  // nothing to estimate from yet
        {25.0, 100.0, 2.0, "t = 25 of 100 (25%), about 6 s left"},
        {12.5, 100.0, 10.0, "t = 12.5 of 100 (12%), about 1 min 10 s left"},
        {1.0, 1000.0, 10.0, "t = 1 of 1000 (0%), about 2 h 46 min left"},
        {99.99, 100.0, 60.0, "t = 99.99 of 100 (99%), about under 1 s left"},
        {100.0, 100.0, 60.0, "t = 100 of 100 (100%), about under 1 s left"},
        {5.0, 0.0, 1.0, "t = 5 of 0 (0%)"},
    };
    for (const auto& c : cases) EXPECT_EQ(ProgressLine(c.time, c.end, c.elapsed), c.line);
}

// The window pumped at given steady-clock readings: what standard error receives.
std::string Pumped(ProgressMode mode, bool terminal, const std::vector<double>& pumps, bool* stopped = nullptr) {
    std::ostringstream err;
    std::size_t next = 0;
    double now = 0.0;
    ConsoleRunWindow window(err, mode, terminal, [&] { return now; });
    CTarvekDoc doc;
    doc.simulationEnd = 10.0;
    RunState run(doc);
    run.stopped = false;
    window.Open(doc);
    for (; next < pumps.size(); ++next) {
        now = pumps[next];
        run.SetTime(now);
        window.Pump(doc, false);
    }
    window.Close(doc);
    if (stopped) *stopped = run.stopped;
    return err.str();
}

TEST(ConsoleRunWindow, RefreshesAtMostTenTimesASecondAndErasesItsLineOnATerminal) {
    const std::vector<double> pumps = {0.0, 0.05, 0.4, 1.0, 1.05, 1.1, 1.15, 5.0};
    EXPECT_EQ(Pumped(ProgressMode::Off, true, pumps), "");
    EXPECT_EQ(Pumped(ProgressMode::Automatic, true, pumps),
              "\r\033[Kondrel-run: t = 1 of 10 (10%), about 9 s left"
              "\r\033[Kondrel-run: t = 1.1 of 10 (11%), about 9 s left"
              "\r\033[Kondrel-run: t = 5 of 10 (50%), about 5 s left"
              "\r\033[K");
    EXPECT_EQ(Pumped(ProgressMode::Forced, false, pumps),
              "ondrel-run: t = 0 of 10 (0%)\n"
              "ondrel-run: t = 0.4 of 10 (4%), about 10 s left\n"
              "ondrel-run: t = 1 of 10 (10%), about 9 s left\n"
              "ondrel-run: t = 1.1 of 10 (11%), about 9 s left\n"
              "ondrel-run: t = 5 of 10 (50%), about 5 s left\n");
    EXPECT_EQ(Pumped(ProgressMode::Automatic, true, {0.0, 0.9}), "") << "a short run shows nothing";

    // A message takes the line away; the next pump puts it back at once.
    std::ostringstream err;
    ConsoleRunWindow window(err, ProgressMode::Forced, true, [] { return 0.0; });
    CTarvekDoc doc;
    window.Open(doc);
    window.Pump(doc, false);
    window.Erase();
    window.Pump(doc, false);
    EXPECT_EQ(err.str(), "\r\033[Kondrel-run: t = 0 of 0 (0%)\r\033[K\r\033[Kondrel-run: t = 0 of 0 (0%)");
    bool stopped = true;
    Pumped(ProgressMode::Off, false, pumps, &stopped);
    EXPECT_FALSE(stopped) << "no signal, no stop";
    {
        SignalStop signals;
        std::raise(SIGTERM);  // counted by the handler, not acted on
        EXPECT_EQ(SignalStop::Count(), 1);
        Pumped(ProgressMode::Off, false, {0.0}, &stopped);
        EXPECT_TRUE(stopped) << "the pump turns the signal into the stop request";
    }
}

// The report's first line ends with the date of the run: compare everything but the date.
std::string WithoutReportDate(std::string text) {
    const auto tab = text.find('\t');
    const auto end = text.find("\r\n");
    if (tab != std::string::npos && end != std::string::npos && tab < end) text.erase(tab, end - tab);
    return text;
}

TEST_F(RunnerOutputTest, OutputsToStandardOutputAreTheirFilesByteForByte) {
    const std::string ramp = Ramp();
    struct Case {
        const char* option;
        bool dated;
    };
    for (const auto [option, dated] : {Case{"--csv", false}, Case{"--report", true}}) {
        const auto comparable = [dated](const std::string& text) { return dated ? WithoutReportDate(text) : text; };
        const fs::path file = dir / (std::string(option + 2) + ".txt");
        ASSERT_EQ(Run({option, file.string(), ramp}), kExitRan) << option;
        const std::string summary = out.str();
        ASSERT_EQ(Run({option, "-", ramp}), kExitRan) << option;
        EXPECT_EQ(comparable(out.str()), comparable(ReadText(file))) << option;
        EXPECT_EQ(err.str(), summary) << option << ": the summary moves to standard error";
        EXPECT_EQ(Run({option, "-", "--json", "-", ramp}), kExitUsage) << option;
    }
    EXPECT_EQ(Run({"--csv", "-", "--report", "-", ramp}), kExitUsage);
}

// The JSON result with its wall time, the one field that differs between runs, taken out.
std::string WithoutWallTime(const std::string& json) {
    static const std::regex wallTime(",\n  \"wall_time\": [0-9.e+-]+\n");
    EXPECT_TRUE(std::regex_search(json, wallTime)) << json;
    return std::regex_replace(json, wallTime, "\n");
}

TEST_F(RunnerOutputTest, JsonHoldsTheResultOfEveryKindOfRun) {
    const std::string ramp = Ramp();
    const std::string divide = Chart("divide.cht", [](CTarvekDoc& doc) {
        // 1 / (t - 0.5): the run ends at t = 0.5 with a block error; 0.25 sums to 0.5 exactly.
        CBlock* one = Place(doc, kTypeConstant, 1, 1, "One");
        CBlock* half = Place(doc, kTypeConstant, 1, 3, "Half");
        CBlock* shift = Place(doc, kTypeSum, 2, 3, "Shift");
        CBlock* ratio = Place(doc, kTypeDivide, 3, 1, "Ratio");
        one->param[1] = 1.0;
        half->param[1] = 0.5;
        shift->param[2] = -1.0;
        doc.ConnectInput(shift, 1, doc.Clock());
        doc.ConnectInput(shift, 2, half);
        doc.ConnectInput(ratio, 1, one);
        doc.ConnectInput(ratio, 2, shift);
        doc.Clock()->param[2] = 0.25;
    });
    const auto expected = [](const std::string& chart, const char* ranAndTimes, const char* rest,
                             const char* messages) {
        return "{\n  \"chart\": \"" + chart + "\",\n" + ranAndTimes + rest + "  \"messages\": [" + messages + "]\n}\n";
    };
    const struct {
        std::vector<std::string> args;
        int status;
        std::string json;
    } cases[] = {
        {{ramp}, kExitRan,
         expected(ramp, "  \"ran\": true,\n  \"end_time\": 0.9999999999999999,\n  \"samples\": 11,\n",
                  "  \"output_interval\": 0.1,\n  \"simulation_end\": 1,\n  \"blocks\": 4,\n  \"exit_status\": 0,\n",
                  "")},
        {{"--set", "Clock.1=0", ramp}, kExitRunRefused,
         // the samples of the initialisation that loading a chart without samples does
         expected(ramp, "  \"ran\": false,\n  \"end_time\": 0,\n  \"samples\": 1,\n",
                  "  \"output_interval\": 0.1,\n  \"simulation_end\": 1,\n  \"blocks\": 5,\n  \"exit_status\": 3,\n",
                  "\n    {\"caption\": \"Run Time Error\", \"text\": \"Timing Parameters Error\"}\n  ")},
        {{divide}, kExitRan,
         expected(divide, "  \"ran\": true,\n  \"end_time\": 0.5,\n  \"samples\": 3,\n",
                  "  \"output_interval\": 0.25,\n  \"simulation_end\": 1,\n  \"blocks\": 5,\n  \"exit_status\": 0,\n",
                  "\n    {\"caption\": \"RunTime Error\", \"text\": \"Divide by zero in block Ratio at time 0.5\"}\n  ")},
        {{(dir / "missing.cht").string()}, kExitFileError, ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"--quiet", "--json", "-"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(Run(args), c.status) << err.str();
        const std::string json = WithoutWallTime(out.str());
        if (c.json.empty()) {
            EXPECT_NE(json.find("\"ran\": false,\n  \"end_time\": 0,\n  \"samples\": 0,"), std::string::npos) << json;
            EXPECT_NE(json.find("\"exit_status\": 2,"), std::string::npos) << json;
            EXPECT_NE(json.find("{\"caption\": \"Load Error\", \"text\": "), std::string::npos) << json;
        } else {
            EXPECT_EQ(json, c.json);
        }
    }
}

}  // namespace
}  // namespace ondrel::runner::test
