#pragma once
// The block icons of a printout, as device-independent bitmaps. The icons are designed in
// code, so each one is rendered once, at first use, into the bitmap file form: colour icons
// as 24-bit bitmaps, the monochrome set (id + 500) as 8-bit bitmaps with a grey palette.
// A bitmap that cannot be attached prints no icon; its message is shown once for the whole
// printout, not once per block.
#include <memory>
#include <unordered_map>
#include <vector>

#include "gui/views/chart/CDib.h"

namespace ondrel::gui {

// Pixels per side of a printed icon's bitmap: four times the 23-pixel design, so that the
// icon stays sharp on paper (0.24 inch at about 380 dots per inch).
inline constexpr int kPrintedIconPixels = 92;

// The bitmap file bytes of a block icon (a monochrome id is the colour id + 500).
std::vector<std::uint8_t> BlockIconBitmapFile(int bitmapId, int pixels = kPrintedIconPixels);

class PrintedIcons {
public:
    // The bitmap of the icon, or null when it could not be attached (then nothing is printed).
    const CDib* Dib(int bitmapId);
    // Uses these file bytes for bitmapId instead of rendering them (a bitmap from elsewhere).
    void SetBitmapFile(int bitmapId, std::vector<std::uint8_t> file);
    int FailureCount() const { return failures_; }

private:
    struct Entry {
        std::vector<std::uint8_t> file;
        std::unique_ptr<CDib> dib;  // null until attached
        bool failed = false;
    };
    Entry& Load(int bitmapId);

    std::unordered_map<int, Entry> entries_;
    int failures_ = 0;
};

}  // namespace ondrel::gui
