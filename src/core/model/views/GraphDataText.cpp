#include "core/model/views/GraphDataText.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/model/CTarvekDoc.h"
#include "core/model/views/GraphScale.h"
#include "core/model/views/GraphViewState.h"
#include "core/platform/NumberFormat.h"

namespace ondrel {

namespace {

// A label holding the separator, a quote or a line break is quoted, CSV style.
std::string Field(const std::string& text, char separator) {
    if (text.find_first_of(std::string{separator, '"', '\n', '\r'}) == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

std::string GraphDataText(const GraphViewState& state, const CTarvekDoc& doc, double xLow, double xHigh,
                          char separator) {
    const CBlock* x = state.axisSlots[0].block.block;
    if (x == nullptr) return {};
    std::vector<const CBlock*> columns{x};
    for (int k = 1; k <= kMaxCurves; ++k)
        if (state.CurveShown(k)) columns.push_back(state.axisSlots[k].block.block);
    if (xLow > xHigh) std::swap(xLow, xHigh);
    std::string text;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (c > 0) text += separator;
        text += Field(columns[c]->label, separator);
    }
    text += '\n';
    const std::int64_t count = ViewSampleCount(doc);
    for (std::int64_t j = 0; j < count; ++j) {
        const double xValue = x->ValueAt(j);
        if (!(xValue >= xLow && xValue <= xHigh)) continue;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (c > 0) text += separator;
            text += FormatNumber("%.17g", columns[c]->ValueAt(j));
        }
        text += '\n';
    }
    return text;
}

}  // namespace ondrel
