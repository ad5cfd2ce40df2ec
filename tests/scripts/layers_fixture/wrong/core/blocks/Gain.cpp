#include "core/blocks/Gain.h"

#include "core/platform/Status.h"
#include "core/model/CTarvekDoc.h"
