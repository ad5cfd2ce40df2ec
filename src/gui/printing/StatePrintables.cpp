#include "printing/StatePrintables.h"

#include "model/views/ChartViewState.h"
#include "views/chart/ChartPrintable.h"

namespace ondrel::gui {

std::unique_ptr<IPrintableView> MakeStatePrintable(const ondrel::CTarvekDoc& doc, const ondrel::ViewState& state) {
    switch (state.Kind()) {
        case ondrel::ViewKind::Chart:
            return std::make_unique<ChartPrintable>(doc, static_cast<const ondrel::ChartViewState&>(state));
        case ondrel::ViewKind::List:
        case ondrel::ViewKind::Graph:
        case ondrel::ViewKind::Text:
            break;
    }
    return nullptr;
}

}  // namespace ondrel::gui
