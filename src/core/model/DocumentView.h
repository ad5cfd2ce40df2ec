#pragma once
// A window on a chart document. The document tells every attached view of each change with
// a hint: 0 general refresh, 1 block placed (with the block), 5 block added (also: snapshot
// sample chosen), -1 block about to be deleted (with the block).

namespace ondrel {

class CBlock;
class CTarvekDoc;

enum class UpdateHint : int {
    Refresh = 0,
    BlockPlaced = 1,
    BlockAdded = 5,
    BlockDeleting = -1,
};

class IDocumentView {
public:
    virtual ~IDocumentView() = default;
    virtual void OnUpdate(IDocumentView* sender, UpdateHint hint, CBlock* block) = 0;
};

}  // namespace ondrel
