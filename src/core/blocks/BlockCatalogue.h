#pragma once
// The catalogue of block types: type ids, command ids, icons, rows, captions, defaults and
// evaluation kinds, and the factory that makes a block from its type id.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/blocks/CBlock.h"

namespace ondrel {

class IBlockChart;

// One row of the catalogue.
struct CatalogueEntry {
    int typeId;
    int commandId;
    int bitmapId;
    int inputCount;
    std::array<const char*, 3> inputLabels;  // null: the base caption
    int requiredInputs;
    int paramCount;
    std::array<const char*, 3> paramLabels;  // null: the base caption
    std::array<double, 3> paramDefaults;
    BlockKind kind;
};

// Every user-creatable type and the Clock, in toolbar order.
const std::vector<CatalogueEntry>& Catalogue();
// The row of a type id, or null.
const CatalogueEntry* FindCatalogueEntry(int typeId);
// The row whose command id this is, or null.
const CatalogueEntry* FindCatalogueEntryByCommand(int commandId);

// A new block of the type, with its catalogue row applied and chart as its owner; null
// for an id the catalogue does not hold (61627 and the id without a name among them).
std::unique_ptr<CBlock> CreateCatalogueBlock(int typeId, IBlockChart* chart);

}  // namespace ondrel
