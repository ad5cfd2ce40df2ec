#pragma once
// One device-independent bitmap: a 40-byte information header, its colour table, the pixel
// bits, the image size, the colour count and a palette built from the colour table. Printed
// block icons are drawn from these.
//
// The memory either belongs to someone else (AttachMemory with Ownership::None: it must
// outlive the bitmap) or to the bitmap (a copy, or what Read loaded). Everything it is given
// is checked against the bytes there are, so a damaged bitmap is refused, never read beyond.
// Refusals are shown to the user: "AttachMemory error", "Read error", "write error".
#include <QImage>
#include <QRectF>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class QPainter;

namespace ondrel::gui {

inline constexpr const char* kAttachMemoryError = "AttachMemory error";
inline constexpr const char* kDibReadError = "Read error";
inline constexpr const char* kDibWriteError = "write error";

inline constexpr std::uint32_t kDibInfoHeaderSize = 40;
inline constexpr std::size_t kDibFileHeaderSize = 14;
inline constexpr std::uint16_t kDibFileType = 19778;  // "BM"
inline constexpr std::uint16_t kDibPaletteVersion = 0x300;

// The colours a bit depth implies when the header's colours-used field is 0.
int DibColorCountForBits(int bitCount);
// ((width x bitCount - 1) / 32 + 1) x 4 x height: rows padded to whole 32-bit words.
std::int64_t DibImageSize(std::int64_t width, std::int64_t height, int bitCount);

struct DibPaletteEntry {
    std::uint8_t red = 0, green = 0, blue = 0, flags = 0;
    bool operator==(const DibPaletteEntry&) const = default;
};

struct DibPalette {
    std::uint16_t version = kDibPaletteVersion;
    std::vector<DibPaletteEntry> entries;
};

class CDib {
public:
    enum class Ownership { None, Heap, Global };

    CDib() = default;
    CDib(const CDib&) = delete;
    CDib& operator=(const CDib&) = delete;

    // Attaches to size bytes holding an information header, its colour table and the bits (a
    // bitmap resource). The header size must be 40; otherwise, or when the bytes do not hold
    // what the header says, it shows "AttachMemory error" and returns false, attached to
    // nothing. Owned kinds copy the bytes.
    bool AttachMemory(const std::uint8_t* data, std::size_t size, Ownership ownership = Ownership::None);
    // The bitmap file form: 14-byte file header ("BM", size, two reserved words, the offset of
    // the bits), then the information header and colour table, then the image bytes. Any
    // failure shows "Read error" and leaves the bitmap empty.
    bool Read(std::span<const std::uint8_t> file);
    // Writes the file form with size 0, reserved 0 and 0 and bits offset 54 + 4 x colours.
    std::vector<std::uint8_t> FileBytes() const;
    // Writes the file form to path (atomically); a failure shows "write error".
    bool Write(const std::string& path) const;

    // Whether refusals are shown (they are unless told otherwise).
    void ReportFailures(bool report) { report_ = report; }

    bool IsEmpty() const { return header_ == nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitCount() const { return bitCount_; }
    int ColorCount() const { return colorCount_; }
    std::int64_t ImageSize() const { return imageSize_; }
    Ownership Owned() const { return ownership_; }
    const DibPalette& Palette() const { return palette_; }
    // The information header and colour table, then the bits, as held.
    std::span<const std::uint8_t> HeaderAndColors() const;
    std::span<const std::uint8_t> Bits() const;

    // The pixels as an image, the palette applied (null when empty or of a depth it cannot show).
    const QImage& Image() const { return image_; }
    // Stretches the bitmap onto dest (the painter's coordinates), copying the source pixels
    // without smoothing. Nothing when empty.
    void Draw(QPainter& painter, const QRectF& dest) const;

private:
    bool Parse(const std::uint8_t* data, std::size_t size);
    void Clear();
    void BuildPalette();
    void BuildImage();

    std::vector<std::uint8_t> owned_;
    const std::uint8_t* header_ = nullptr;
    const std::uint8_t* bits_ = nullptr;
    std::size_t headerAndColorsSize_ = 0;
    int width_ = 0;
    int height_ = 0;
    int bitCount_ = 0;
    int colorCount_ = 0;
    std::int64_t imageSize_ = 0;
    Ownership ownership_ = Ownership::None;
    DibPalette palette_;
    QImage image_;
    bool report_ = true;
};

}  // namespace ondrel::gui
