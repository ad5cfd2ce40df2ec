#pragma once
#include "core/blocks/CBlock.h"
#include "core/model/views/ViewState.h"
