#include "gui/views/chart/CDib.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

#include "core/io/AtomicFileWriter.h"
#include "core/platform/Platform.h"
#include "core/platform/StringTable.h"

namespace ondrel::gui {
namespace {

// Messages about a bitmap carry the program's title, as its other plain messages do.
constexpr int kApplicationTitleString = 57344;
// No bitmap the program draws comes near this; larger ones are damage.
constexpr std::int64_t kMaxSide = 32768;

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t U32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}
std::int32_t I32(const std::uint8_t* p) { return static_cast<std::int32_t>(U32(p)); }

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void Tell(const char* message) { ShowMessage(message, LoadString(kApplicationTitleString)); }

}  // namespace

int DibColorCountForBits(int bitCount) {
    switch (bitCount) {
        case 1: return 2;
        case 4: return 16;
        case 8: return 256;
        default: return 0;
    }
}

std::int64_t DibImageSize(std::int64_t width, std::int64_t height, int bitCount) {
    return ((width * bitCount - 1) / 32 + 1) * 4 * height;
}

void CDib::Clear() {
    // Whether to report stays as it was set.
    owned_.clear();
    header_ = bits_ = nullptr;
    headerAndColorsSize_ = 0;
    width_ = height_ = bitCount_ = colorCount_ = 0;
    imageSize_ = 0;
    ownership_ = Ownership::None;
    palette_ = DibPalette{};
    image_ = QImage();
}

// Takes the metrics from the header at data and checks that size bytes hold them all.
bool CDib::Parse(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < kDibInfoHeaderSize || U32(data) != kDibInfoHeaderSize) return false;
    const std::int64_t width = I32(data + 4);
    const std::int64_t height = I32(data + 8);
    const int bitCount = U16(data + 14);
    const std::uint32_t compression = U32(data + 16);
    const std::uint32_t colorsUsed = U32(data + 32);
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
    if (bitCount < 1 || bitCount > 32 || compression != 0) return false;
    const std::int64_t colors = colorsUsed != 0 ? std::int64_t{colorsUsed} : DibColorCountForBits(bitCount);
    if (colors > 256) return false;
    const std::int64_t computed = DibImageSize(width, height, bitCount);
    const std::int64_t stated = U32(data + 20);
    // A stated size smaller than the rows need would have us read past the bits.
    const std::int64_t imageSize = stated == 0 ? computed : stated;
    if (imageSize < computed) return false;
    const std::int64_t headerAndColors = kDibInfoHeaderSize + 4 * colors;
    if (headerAndColors + imageSize > static_cast<std::int64_t>(size)) return false;
    header_ = data;
    bits_ = data + headerAndColors;
    headerAndColorsSize_ = static_cast<std::size_t>(headerAndColors);
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    bitCount_ = bitCount;
    colorCount_ = static_cast<int>(colors);
    imageSize_ = imageSize;
    BuildPalette();
    BuildImage();
    return true;
}

bool CDib::AttachMemory(const std::uint8_t* data, std::size_t size, Ownership ownership) {
    Clear();
    const std::uint8_t* source = data;
    if (ownership != Ownership::None && data != nullptr) {
        owned_.assign(data, data + size);
        source = owned_.data();
    }
    if (!Parse(source, size)) {
        Clear();
        if (report_) Tell(kAttachMemoryError);
        return false;
    }
    ownership_ = ownership;
    return true;
}

bool CDib::Read(std::span<const std::uint8_t> file) {
    Clear();
    bool ok = file.size() >= kDibFileHeaderSize && U16(file.data()) == kDibFileType;
    if (ok) {
        const std::uint32_t bitsOffset = U32(file.data() + 10);
        // The header and colour table run from byte 14 to the bits; the image follows.
        ok = bitsOffset >= kDibFileHeaderSize + kDibInfoHeaderSize && bitsOffset <= file.size();
        if (ok) {
            owned_.assign(file.begin() + kDibFileHeaderSize, file.end());
            ok = Parse(owned_.data(), owned_.size()) &&
                 headerAndColorsSize_ == bitsOffset - kDibFileHeaderSize;
        }
    }
    if (!ok) {
        Clear();
        if (report_) Tell(kDibReadError);
        return false;
    }
    ownership_ = Ownership::Heap;
    return true;
}

std::vector<std::uint8_t> CDib::FileBytes() const {
    std::vector<std::uint8_t> out;
    if (IsEmpty()) return out;
    out.reserve(kDibFileHeaderSize + headerAndColorsSize_ + static_cast<std::size_t>(imageSize_));
    Put16(out, kDibFileType);
    Put32(out, 0);
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, static_cast<std::uint32_t>(kDibFileHeaderSize + kDibInfoHeaderSize + 4 * colorCount_));
    const auto head = HeaderAndColors();
    const auto bits = Bits();
    out.insert(out.end(), head.begin(), head.end());
    out.insert(out.end(), bits.begin(), bits.end());
    return out;
}

bool CDib::Write(const std::string& path) const {
    const std::vector<std::uint8_t> bytes = FileBytes();
    AtomicFileWriter writer(path);
    if (bytes.empty() || !writer.Write(bytes) || !writer.Commit()) {
        if (report_) Tell(kDibWriteError);
        return false;
    }
    return true;
}

std::span<const std::uint8_t> CDib::HeaderAndColors() const {
    if (IsEmpty()) return {};
    return {header_, headerAndColorsSize_};
}

std::span<const std::uint8_t> CDib::Bits() const {
    if (IsEmpty()) return {};
    return {bits_, static_cast<std::size_t>(imageSize_)};
}

// The colour table holds blue, green, red and a spare byte per entry.
void CDib::BuildPalette() {
    palette_ = DibPalette{};
    const std::uint8_t* table = header_ + kDibInfoHeaderSize;
    for (int i = 0; i < colorCount_; ++i) {
        const std::uint8_t* quad = table + 4 * i;
        palette_.entries.push_back({quad[2], quad[1], quad[0], 0});
    }
}

void CDib::BuildImage() {
    image_ = QImage();
    const bool indexed = bitCount_ == 1 || bitCount_ == 4 || bitCount_ == 8;
    if (!indexed && bitCount_ != 24 && bitCount_ != 32) return;
    if (indexed && palette_.entries.empty()) return;
    QImage image(width_, height_, QImage::Format_RGB32);
    const std::int64_t stride = DibImageSize(width_, 1, bitCount_);
    for (int y = 0; y < height_; ++y) {
        // Rows are stored bottom-up.
        const std::uint8_t* row = bits_ + stride * (height_ - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width_; ++x) {
            if (indexed) {
                const int bit = x * bitCount_;
                const int value = (row[bit / 8] >> (8 - bitCount_ - bit % 8)) & ((1 << bitCount_) - 1);
                const DibPaletteEntry& e =
                    palette_.entries[static_cast<std::size_t>(std::min<int>(value, colorCount_ - 1))];
                out[x] = qRgb(e.red, e.green, e.blue);
            } else {
                const std::uint8_t* p = row + x * (bitCount_ / 8);
                out[x] = qRgb(p[2], p[1], p[0]);
            }
        }
    }
    image_ = image;
}

void CDib::Draw(QPainter& painter, const QRectF& dest) const {
    if (image_.isNull()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(dest, image_);
    painter.restore();
}

}  // namespace ondrel::gui
