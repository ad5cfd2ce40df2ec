#pragma once
// The blocks selected in a chart view: none, one (a right click) or a group (a rubber band,
// Shift+right click, Ctrl+A). Kept in the order the blocks were chosen; a block leaving the
// chart is forgotten.
#include <QRect>
#include <algorithm>
#include <vector>

#include "core/blocks/CBlock.h"
#include "gui/views/chart/ChartLayout.h"

namespace ondrel {
class CTarvekDoc;
}

namespace ondrel::gui {

class ChartSelection {
public:
    const std::vector<ondrel::CBlock*>& Blocks() const { return blocks_; }
    bool Empty() const { return blocks_.empty(); }
    std::size_t Size() const { return blocks_.size(); }
    // The block when exactly one is selected, else null.
    ondrel::CBlock* Single() const { return blocks_.size() == 1 ? blocks_.front() : nullptr; }
    bool Contains(const ondrel::CBlock* block) const {
        return std::find(blocks_.begin(), blocks_.end(), block) != blocks_.end();
    }

    void Clear() { blocks_.clear(); }
    void Set(ondrel::CBlock* block) {
        blocks_.clear();
        if (block != nullptr) blocks_.push_back(block);
    }
    void Set(std::vector<ondrel::CBlock*> blocks) { blocks_ = std::move(blocks); }
    // Adds block, or takes it out when it is selected already.
    void Toggle(ondrel::CBlock* block) {
        if (block == nullptr) return;
        if (const auto it = std::find(blocks_.begin(), blocks_.end(), block); it != blocks_.end())
            blocks_.erase(it);
        else
            blocks_.push_back(block);
    }
    // True when block was selected.
    bool Forget(const ondrel::CBlock* block) {
        const auto size = blocks_.size();
        std::erase(blocks_, block);
        return blocks_.size() != size;
    }

private:
    std::vector<ondrel::CBlock*> blocks_;
};

// The drawn blocks whose centre lies inside rect (chart units, y up), in document order.
std::vector<ondrel::CBlock*> BlocksInside(const ondrel::CTarvekDoc& doc, const ChartGeometry& g,
                                          const QRect& rect);
// Every drawn block but the Clock, in document order: what Ctrl+A selects.
std::vector<ondrel::CBlock*> AllButTheClock(const ondrel::CTarvekDoc& doc);

}  // namespace ondrel::gui
