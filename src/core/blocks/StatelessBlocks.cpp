// The constant sources, and the maker through which the catalogue builds the stateless
// block types.
#include "core/blocks/BlockFamilies.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/blocks/StatelessBlocks.h"

namespace ondrel {

int CConstantBlock::Setup() {
    value = param[1];
    return 1;
}

int CPiBlock::Setup() {
    value = param[1] * 3.141592653589793;
    return 1;
}

namespace {

template <class Block>
std::unique_ptr<CBlock> Make(int typeId, int bitmapId, IBlockChart* chart, int commandId) {
    return std::make_unique<Block>(bitmapId, chart, commandId, typeId);
}

using Maker = std::unique_ptr<CBlock> (*)(int, int, IBlockChart*, int);

struct StatelessType {
    int typeId;
    Maker make;
};

constexpr StatelessType kStatelessTypes[] = {
    {kTypeMultiply, Make<CMultiplyBlock>},
    {kTypeDivide, Make<CDivideBlock>},
    {kTypePower, Make<CPowerBlock>},
    {kTypeSquareRoot, Make<CSquareRootBlock>},
    {kTypeSum, Make<CSumBlock>},
    {kTypeNegate, Make<CNegateBlock>},
    {kTypeGain, Make<CGainBlock>},
    {kTypeSine, Make<CSineBlock>},
    {kTypeCosine, Make<CCosineBlock>},
    {kTypeArcTangent, Make<CArcTangentBlock>},
    {kTypeLogE, Make<CLogEBlock>},
    {kTypeLog10, Make<CLog10Block>},
    {kTypeExponent, Make<CExponentBlock>},
    {kTypeDecibel, Make<CDecibelBlock>},
    {kTypeAnd, Make<CAndBlock>},
    {kTypeExclusiveOr, Make<CExclusiveOrBlock>},
    {kTypeInclusiveOr, Make<CInclusiveOrBlock>},
    {kTypeQuit, Make<CQuitBlock>},
    {kTypeRelay, Make<CRelayBlock>},
    {kTypeAbsolute, Make<CAbsoluteBlock>},
    {kTypeBang, Make<CBangBlock>},
    {kTypeDeadSpace, Make<CDeadSpaceBlock>},
    {kTypeInteger, Make<CIntegerBlock>},
    {kTypeLimiter, Make<CLimiterBlock>},
    {kTypeModulo, Make<CModuloBlock>},
    {kTypeNegativeClip, Make<CNegativeClipBlock>},
    {kTypeOffset, Make<COffsetBlock>},
    {kTypePositiveClip, Make<CPositiveClipBlock>},
    {kTypeConstant, Make<CConstantBlock>},
    {kTypePi, Make<CPiBlock>},
};

}  // namespace

std::unique_ptr<CBlock> MakeStatelessBlock(int typeId, int bitmapId, IBlockChart* chart,
                                           int commandId) {
    for (const auto& type : kStatelessTypes)
        if (type.typeId == typeId) return type.make(typeId, bitmapId, chart, commandId);
    return nullptr;
}

}  // namespace ondrel
