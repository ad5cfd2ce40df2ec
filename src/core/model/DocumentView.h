#pragma once
// A window on a chart document. The document tells every attached view of each change with
// a hint: 0 general refresh, 1 block placed (with the block), 5 block added (also: snapshot
// sample chosen), -1 block about to be deleted (with the block).

namespace ondrel {

class CBlock;
class CTarvekDoc;

enum UpdateHint : int {
    kHintRefresh = 0,
    kHintBlockPlaced = 1,
    kHintBlockAdded = 5,
    kHintBlockDeleting = -1,
};

class IDocumentView {
public:
    virtual ~IDocumentView() = default;
    virtual void OnUpdate(IDocumentView* sender, int hint, CBlock* block) = 0;
};

}  // namespace ondrel
