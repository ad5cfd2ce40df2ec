#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/blocks/FunctionDataFile.h"

namespace ondrel {
namespace {

std::vector<double> Read(const std::string& text) {
    std::istringstream in(text);
    return ReadFunctionData(in).values;
}

TEST(FunctionDataFile, OneValuePerLineWithBlankAndTextLinesAsZero) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<double> values;
    };
    const std::string long100 = "1" + std::string(47, ' ') + "2" + std::string(47, 'x') + "3.5x";
    const Case cases[] = {
        {"example", "1.5\n\nabc\n2\n", {1.5, 0.0, 0.0, 2.0}},
        {"no final line end", "1.5\n\nabc\n2", {1.5, 0.0, 0.0, 2.0}},
        {"CR LF", "1.5\r\n\r\nabc\r\n2\r\n", {1.5, 0.0, 0.0, 2.0}},
        {"lone CR", "1.5\r\r-3\r", {1.5, 0.0, -3.0}},
        {"blanks and exponents", "  -2.5e1 \n\t7x\n", {-25.0, 7.0}},
        {"empty", "", {}},
        {"one blank line", "\n", {0.0}},
        {"exactly 48 characters", std::string(47, ' ') + "9\n", {9.0}},
        {"48 characters then CR LF", std::string(47, ' ') + "9\r\n4\n", {9.0, 4.0}},
        {"100 characters: three pieces", long100 + "\n", {1.0, 2.0, 3.5}},
        {"49 characters, unterminated", std::string(48, '0') + "6", {0.0, 6.0}},
    };
    for (const Case& c : cases) EXPECT_EQ(Read(c.text), c.values) << c.name;
}

TEST(FunctionDataFile, AnEnormousFileStopsAtTheTableLimit) {
    std::string text;
    text.reserve(2 * (kMaxFunctionDataValues + 10));
    for (std::size_t i = 0; i < kMaxFunctionDataValues + 10; ++i) text += "1\n";
    std::istringstream in(text);
    const FunctionData data = ReadFunctionData(in);
    EXPECT_EQ(data.values.size(), kMaxFunctionDataValues);
    EXPECT_TRUE(data.truncated);

    std::istringstream exact(text.substr(0, 2 * kMaxFunctionDataValues));
    EXPECT_FALSE(ReadFunctionData(exact).truncated);
}

TEST(FunctionDataFile, LoadsFromDiskAndReportsAFileThatCannotBeOpened) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("ondrel_function_data_" + std::to_string(::getpid()) + ".txt");
    {
        std::ofstream out(path, std::ios::binary);
        out << "1.5\n\nabc\n2\n";
    }
    const auto loaded = LoadFunctionDataFile(path.string());
    std::filesystem::remove(path);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->values, (std::vector<double>{1.5, 0.0, 0.0, 2.0}));
    EXPECT_FALSE(LoadFunctionDataFile(path.string()).has_value());
}

}  // namespace
}  // namespace ondrel
