// The texts of a list view: cell values, the measuring text, the "Print to File" bytes and
// the clipboard copy.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <unistd.h>

#include "core/model/views/ListText.h"
#include "core/model/views/ListViewState.h"
#include "core/platform/NumberFormat.h"
#include "views/ViewTestSupport.h"

namespace ondrel::test {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ListValueText, PatternsAndTexts) {
    struct Case {
        int precision, extra;
        double value;
        const char* pattern;
        const char* text;
    };
    const Case cases[] = {
        {3, 0, 1.5, "%09.03e", "1.500e+000"},
        {3, 0, -0.25, "%09.03e", "-2.500e-001"},
        {0, 0, 1.5, "%09.00e", "0002e+000"},
        {0, 0, -0.25, "%09.00e", "-002e-001"},
        {3, 2, 1.5, "%11.03e", " 1.500e+000"},
        {3, 0, 0.0, "%09.03e", "0.000e+000"},
        {3, 0, -0.0, "%09.03e", "-0.000e+000"},
        {3, 0, 1e300, "%09.03e", "1.000e+300"},
        {3, 0, 4.9e-324, "%09.03e", "4.941e-324"},
        {3, 0, 9.9996, "%09.03e", "1.000e+001"},
        {1, 0, 12.0, "%09.01e", "01.2e+001"},
        {3, 0, kInf, "%09.03e", "      inf"},
        {3, 0, -kInf, "%09.03e", "     -inf"},
        {3, 1, kNaN, "%10.03e", "       nan"},
        {3, 0, -kNaN, "%09.03e", "      nan"},
        // Out-of-range settings are taken at the nearest limit.
        {40, -5, 1.0, "%09.16e", "1.0000000000000000e+000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + c.text);
        EXPECT_EQ(ListValuePattern(c.precision, c.extra), c.pattern);
        EXPECT_EQ(ListValueText(c.value, c.precision, c.extra), c.text);
    }
}

TEST(ListValueText, WidestSettingsFillTheFieldWithoutOverflow) {
    struct Case {
        double value;
        const char* digits;
    };
    const Case cases[] = {
        {-1.7976931348623157e308, "-1.7976931348623157e+308"},
        {-4.9e-324, "-4.9406564584124654e-324"},
        {1.0 / 3.0, "3.3333333333333331e-001"},
        {-kInf, "-inf"},
        {kNaN, "nan"},
    };
    for (const Case& c : cases) {
        char out[kListValueTextCapacity + 8];
        std::memset(out, '#', sizeof out);
        std::size_t length = FormatListValue(c.value, 16, 99, out);
        EXPECT_EQ(out[kListValueTextCapacity], '#');  // nothing written past the capacity
        ASSERT_EQ(length, 108u);
        std::string digits = c.digits;
        EXPECT_EQ(std::string(out, length), std::string(108 - digits.size(), ' ') + digits);
    }
}

// The fast path and the general number formatter agree on every finite value and setting.
TEST(ListValueText, AgreesWithTheGeneralFormatter) {
    const double values[] = {0.0, 1.0, -1.0, 0.5, 2.5, -2.5, 0.125, 1e-5, 123456.789, -9.99999e99,
                             3.141592653589793, 1e-310, 6.02214076e23, -1e-100};
    for (int precision : {0, 1, 3, 7, 16})
        for (int extra : {0, 1, 2, 20, 99})
            for (double v : values) {
                SCOPED_TRACE(ListValuePattern(precision, extra) + " " + std::to_string(v));
                EXPECT_EQ(ListValueText(v, precision, extra), FormatNumber(ListValuePattern(precision, extra), v));
            }
}

TEST(ListValueText, CellMeasureText) {
    EXPECT_EQ(ListCellMeasureText(3, 0), " +0.000e+000");
    EXPECT_EQ(ListCellMeasureText(0, 2), "   +0.e+000");
    // The measuring text is never shorter than a value text of the same settings.
    for (int precision : {0, 3, 16})
        for (int extra : {0, 5, 99})
            EXPECT_GE(ListCellMeasureText(precision, extra).size(),
                      ListValueText(-1.5e-300, precision, extra).size());
}

class ListTextTable : public ::testing::Test {
protected:
    ListTextTable() {
        x = chart.Add("X", {1, 1});
        y = chart.Add("Y", {2, 1});
        chart.Clock()->history = {0.0, 0.5};
        x->history = {1.5, -0.25};
        y->history = {2.0};  // shorter than the Clock's: the missing sample is 0
        list.displayedBlocks = {BlockReference(x), BlockReference(), BlockReference(y)};
    }
    ListTable Table() { return ListTableOf(list, chart.doc); }

    RecordingPlatform platform;
    ViewTestDoc chart;
    CBlock* x = nullptr;
    CBlock* y = nullptr;
    ListViewState list;
};

TEST_F(ListTextTable, ColumnsSkipEmptyEntriesAndRowsFollowTheClock) {
    ListTable table = Table();
    ASSERT_EQ(table.columns.size(), 2u);
    EXPECT_EQ(table.columns[0], x);
    EXPECT_EQ(table.columns[1], y);
    EXPECT_EQ(table.sampleCount, 2);
    EXPECT_EQ(table.Value(1, 1), 0.0);
    EXPECT_EQ(table.Value(0, 1), -0.25);
}

TEST_F(ListTextTable, PrintToFileBytes) {
    const std::string body =
        "X\tY\t\r\n"
        "1.500e+000\t2.000e+000\t\r\n"
        "-2.500e-001\t0.000e+000\t\r\n";
    struct Case {
        const char* notes;
        std::string expected;
    };
    const Case cases[] = {
        {"", "\r\n" + body},
        {"Run 1", "Run 1\r\n" + body},
        {"a\nb\r\nc\rd", "a\r\nb\r\nc\r\nd\r\n" + body},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.notes);
        EXPECT_EQ(PrintToFileText(Table(), c.notes), c.expected);
        std::ostringstream stream;
        WritePrintToFile(stream, Table(), c.notes);
        EXPECT_EQ(stream.str(), c.expected);
    }
    list.Extra = 1;
    list.Precision = 0;
    EXPECT_EQ(PrintToFileText(Table(), ""), "\r\nX\tY\t\r\n    2e+000\t    2e+000\t\r\n   -2e-001\t    0e+000\t\r\n");
}

TEST_F(ListTextTable, SavePrintToFileIsAtomicAndReportsFailures) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("ondrel-listtext-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::path path = dir / "out.prn";
    EXPECT_EQ(SavePrintToFile(path.string(), Table(), "n"), "");
    std::ifstream in(path, std::ios::binary);
    std::string written{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(written, PrintToFileText(Table(), "n"));

    // A cancel and a failed write leave the file as it was.
    EXPECT_EQ(SavePrintToFile(path.string(), Table(), "other", [](std::int64_t, std::int64_t) { return false; }),
              "Print to File was cancelled.");
    std::string error = SavePrintToFile((dir / "missing" / "out.prn").string(), Table(), "");
    EXPECT_NE(error.find("Unable to write"), std::string::npos);
    std::ifstream again(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(again), std::istreambuf_iterator<char>()), written);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // no temporary left
    fs::remove_all(dir);

    EXPECT_EQ(PrintToFileInitialName(""), "Output.prn");
    EXPECT_EQ(PrintToFileInitialName("Run 7"), "Run 7.prn");
}

TEST_F(ListTextTable, ClipboardTextInFullPrecision) {
    x->history = {0.1, -kInf};
    struct Case {
        std::int64_t first, last;
        std::string expected;
    };
    const Case cases[] = {
        {0, 1, "X\tY\n0.10000000000000001\t2\n-inf\t0\n"},
        {1, 1, "X\tY\n-inf\t0\n"},
        {-5, 0, "X\tY\n0.10000000000000001\t2\n"},
        {1, 99, "X\tY\n-inf\t0\n"},
        {1, 0, "X\tY\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(ListClipboardText(Table(), c.first, c.last), c.expected);
    }
    EXPECT_EQ(ListClipboardText(Table()), cases[0].expected);
}

}  // namespace
}  // namespace ondrel::test
