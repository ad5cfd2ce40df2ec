#include "core/model/RunEnd.h"

#include "core/platform/NumberFormat.h"

namespace ondrel {

std::string RunEndText(const RunEnd& end) {
    const std::string at = " at t = " + FormatSignificant(end.time, 6);
    switch (end.kind) {
        case RunEndKind::None: return {};
        case RunEndKind::Completed: return "Run ended" + at;
        case RunEndKind::Quit: return "Stopped by the Quit block " + end.block + at;
        case RunEndKind::UserStop: return "Stopped" + at;
        case RunEndKind::BlockError: return "Stopped by an error in block " + end.block + at;
        case RunEndKind::Failure: return "Stopped by an error" + at;
    }
    return {};
}

}  // namespace ondrel
