#include "core/blocks/IntegrateBlock.h"

namespace ondrel {

int CIntegrateBlock::Setup() {
    // An initial-value source that is algebraic still holds its previous run's value here:
    // the state list is set up before the compute list is computed.
    value = InputOrParam(2);
    return 1;
}

}  // namespace ondrel
