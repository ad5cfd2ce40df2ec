#pragma once
// The type ids of the block types: each is the string-table id of the type's display name,
// and it is what a chart file stores for a block.
#include "core/io/ChartFormat.h"

namespace ondrel {

enum BlockTypeId : int {
    kTypeDecay = 61586,
    kTypeDelay = 61587,
    kTypeIntegrate = 61588,
    kTypeClock = kClockTypeId,
    kTypeDivide = 61590,
    kTypeMultiply = 61591,
    kTypeNegate = 61592,
    kTypePower = 61593,
    kTypeSquareRoot = 61594,
    kTypeSum = 61595,
    kTypeArcTangent = 61596,
    kTypeCosine = 61597,
    kTypeDecibel = 61598,
    kTypeExponent = 61599,
    kTypeLog10 = 61600,
    kTypeLogE = 61601,
    kTypeSine = 61602,
    kTypeAnd = 61603,
    kTypeExclusiveOr = 61604,
    kTypeInclusiveOr = 61605,
    kTypeQuit = 61606,
    kTypeRelay = 61607,
    kTypeZeroOrderHold = 61608,
    kTypeGaussian = 61609,
    kTypeJitter = 61610,
    kTypeSineWaveGenerator = 61611,
    kTypeTimePulseGenerator = 61612,
    kTypeAbsolute = 61613,
    kTypeBackLash = 61614,
    kTypeBang = 61615,
    kTypeDeadSpace = 61616,
    kTypeFunctionGenerator = 61617,
    kTypeInteger = 61618,
    kTypeLimiter = 61619,
    kTypeModulo = 61620,
    kTypeNegativeClip = 61621,
    kTypeOffset = 61623,
    kTypePositiveClip = 61624,
    kTypeConstant = 61625,
    kTypePi = 61626,
    kTypeOneShot = 61628,
    kTypeRandom = 61630,
    kTypeGain = 61631,
};

}  // namespace ondrel
