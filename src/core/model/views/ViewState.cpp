#include "core/model/views/ViewState.h"

#include "core/io/ChartFormat.h"

namespace ondrel {

const char* ViewClassName(ViewKind kind) {
    switch (kind) {
        case ViewKind::Chart: return kChartViewClassName;
        case ViewKind::List: return kListViewClassName;
        case ViewKind::Graph: return kGraphViewClassName;
        case ViewKind::Text: return kTextViewClassName;
    }
    return "";
}

}  // namespace ondrel
