#pragma once
// The Function Generator's data files: plain text with one value per line. Any text is
// accepted: a blank or non-numeric line gives 0, and a line longer than 48 characters is
// read as several pieces of at most 48 characters, each giving a value. Lines end with
// LF, CR LF or a lone CR.
#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace ondrel {

inline constexpr std::size_t kFunctionDataPieceLength = 48;
// A table never grows beyond this many values, however large the file: the rest of the
// file is ignored and the result says so.
inline constexpr std::size_t kMaxFunctionDataValues = 1'000'000;

struct FunctionData {
    std::vector<double> values;
    bool truncated = false;  // the file held more than kMaxFunctionDataValues values
};

// Reads the values from a text stream, in file order.
FunctionData ReadFunctionData(std::istream& in);
// Reads the file at path; nothing when it cannot be opened or is not a regular file.
std::optional<FunctionData> LoadFunctionDataFile(const std::string& path);

}  // namespace ondrel
