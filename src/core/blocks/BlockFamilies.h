#pragma once
// The makers of the block families, through which the catalogue creates blocks.
//
// Each maker returns a new block of its family's subclass for a type id the family owns,
// built with the base construction (bitmapId, chart, commandId, typeId) and the class's
// own constructor settings only; the catalogue applies the type's row (counts, captions,
// defaults, kind) afterwards. For a type id the family does not own a maker returns null.
#include <memory>

#include "core/blocks/CBlock.h"

namespace ondrel {

class IBlockChart;

// Arithmetic, transcendental, logic, shaping and constant blocks.
std::unique_ptr<CBlock> MakeStatelessBlock(int typeId, int bitmapId, IBlockChart* chart,
                                           int commandId);
// Integrate, Delay, Decay, Back Lash, Zero Order Hold, One Shot.
std::unique_ptr<CBlock> MakeDynamicBlock(int typeId, int bitmapId, IBlockChart* chart,
                                         int commandId);
// Gaussian, Jitter, Random, Sine Wave Generator, Time Pulse Generator.
std::unique_ptr<CBlock> MakeGeneratorBlock(int typeId, int bitmapId, IBlockChart* chart,
                                           int commandId);
// The tabulated Function Generator.
std::unique_ptr<CBlock> MakeFunctionGeneratorBlock(int typeId, int bitmapId,
                                                   IBlockChart* chart, int commandId);

}  // namespace ondrel
