#include "gui/views/chart/PrintedIcons.h"

#include "core/platform/Platform.h"
#include "gui/resources/BlockIcons.h"

namespace ondrel::gui {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// File header, information header and colour table for a bitmap of this size and depth.
std::vector<std::uint8_t> BitmapHead(int side, int bitCount, int colors) {
    std::vector<std::uint8_t> out;
    const auto imageSize = static_cast<std::uint32_t>(DibImageSize(side, side, bitCount));
    const auto offset = static_cast<std::uint32_t>(kDibFileHeaderSize + kDibInfoHeaderSize + 4 * colors);
    Put16(out, kDibFileType);
    Put32(out, offset + imageSize);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, kDibInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(side));
    Put32(out, static_cast<std::uint32_t>(side));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bitCount));
    Put32(out, 0);          // no compression
    Put32(out, imageSize);
    Put32(out, 3780);       // 96 dots per inch, in dots per metre
    Put32(out, 3780);
    Put32(out, static_cast<std::uint32_t>(colors));
    Put32(out, 0);
    for (int i = 0; i < colors; ++i) {
        const auto grey = static_cast<std::uint8_t>(i);
        out.insert(out.end(), {grey, grey, grey, 0});
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> BlockIconBitmapFile(int bitmapId, int pixels) {
    const bool monochrome = bitmapId >= kMonochromeIconOffset;
    const int colourId = monochrome ? bitmapId - kMonochromeIconOffset : bitmapId;
    const QImage icon = BlockIconImage(colourId, monochrome, pixels).convertToFormat(QImage::Format_RGB32);
    const int side = icon.width();
    const int bitCount = monochrome ? 8 : 24;
    std::vector<std::uint8_t> out = BitmapHead(side, bitCount, monochrome ? 256 : 0);
    const std::size_t stride = static_cast<std::size_t>(DibImageSize(side, 1, bitCount));
    for (int y = side - 1; y >= 0; --y) {  // bottom-up rows
        const auto* row = reinterpret_cast<const QRgb*>(icon.constScanLine(y));
        const std::size_t start = out.size();
        for (int x = 0; x < side; ++x) {
            if (monochrome)
                out.push_back(static_cast<std::uint8_t>(qGray(row[x])));
            else
                out.insert(out.end(), {static_cast<std::uint8_t>(qBlue(row[x])),
                                       static_cast<std::uint8_t>(qGreen(row[x])),
                                       static_cast<std::uint8_t>(qRed(row[x]))});
        }
        out.resize(start + stride, 0);
    }
    return out;
}

void PrintedIcons::SetBitmapFile(int bitmapId, std::vector<std::uint8_t> file) {
    Entry entry;
    entry.file = std::move(file);
    entries_[bitmapId] = std::move(entry);
}

PrintedIcons::Entry& PrintedIcons::Load(int bitmapId) {
    auto found = entries_.find(bitmapId);
    if (found == entries_.end()) {
        Entry entry;
        entry.file = BlockIconBitmapFile(bitmapId);
        found = entries_.emplace(bitmapId, std::move(entry)).first;
    }
    return found->second;
}

const CDib* PrintedIcons::Dib(int bitmapId) {
    Entry& entry = Load(bitmapId);
    if (entry.dib != nullptr || entry.failed) return entry.dib.get();
    // The resource is the bitmap without its file header, attached where it lies.
    auto dib = std::make_unique<CDib>();
    const bool hasHead = entry.file.size() >= kDibFileHeaderSize;
    const std::uint8_t* resource = hasHead ? entry.file.data() + kDibFileHeaderSize : nullptr;
    const std::size_t size = hasHead ? entry.file.size() - kDibFileHeaderSize : 0;
    // After the first failure the message is not repeated for the other icons.
    dib->ReportFailures(failures_ == 0);
    if (!dib->AttachMemory(resource, size)) {
        ++failures_;
        entry.failed = true;  // not tried again for the next block with this icon
        return nullptr;
    }
    entry.dib = std::move(dib);
    return entry.dib.get();
}

}  // namespace ondrel::gui
