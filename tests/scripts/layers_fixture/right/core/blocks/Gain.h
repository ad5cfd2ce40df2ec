#pragma once
// #include "core/model/CTarvekDoc.h" is not an include: it is a comment.
#include "core/blocks/CBlock.h"
