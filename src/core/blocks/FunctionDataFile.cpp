#include "core/blocks/FunctionDataFile.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "core/platform/NumberFormat.h"

namespace ondrel {
namespace {

// Splits the stream into pieces without ever holding more than one piece, so a file made
// of one enormous line costs no more memory than a short one.
class PieceReader {
public:
    explicit PieceReader(FunctionData& out) : out_(out) {}

    // False once the table is full.
    bool Feed(char c) {
        if (pendingCr_) {
            pendingCr_ = false;
            if (c == '\n') return true;  // the LF of a CR LF pair
        }
        if (c == '\n' || c == '\r') {
            pendingCr_ = (c == '\r');
            return EndLine();
        }
        if (length_ == piece_.size() && !Emit()) return false;
        piece_[length_++] = c;
        return true;
    }

    // An unterminated last line still counts when it holds anything.
    void Finish() {
        if (length_ > 0) EndLine();
    }

private:
    bool EndLine() {
        // A blank line gives one value; the last piece of a long line gives one more.
        bool ok = true;
        if (length_ > 0 || !lineHadPiece_) ok = Emit();
        lineHadPiece_ = false;
        return ok;
    }

    bool Emit() {
        if (out_.values.size() >= kMaxFunctionDataValues) {
            out_.truncated = true;
            return false;
        }
        out_.values.push_back(ParseDecimal(std::string_view(piece_.data(), length_)));
        length_ = 0;
        lineHadPiece_ = true;
        return true;
    }

    FunctionData& out_;
    std::array<char, kFunctionDataPieceLength> piece_{};
    std::size_t length_ = 0;
    bool lineHadPiece_ = false;
    bool pendingCr_ = false;
};

}  // namespace

FunctionData ReadFunctionData(std::istream& in) {
    FunctionData data;
    PieceReader reader(data);
    std::array<char, 4096> buffer{};
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const std::streamsize got = in.gcount();
        for (std::streamsize i = 0; i < got; ++i) {
            if (!reader.Feed(buffer[static_cast<std::size_t>(i)])) return data;
        }
    }
    reader.Finish();
    return data;
}

std::optional<FunctionData> LoadFunctionDataFile(const std::string& path) {
    // A FIFO or a device would keep the reader waiting or reading for ever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return ReadFunctionData(file);
}

}  // namespace ondrel
