// The graph state comes before any Qt header (its "slots" member meets Qt's keyword macro).
#include "core/model/views/GraphViewState.h"
#include "gui/printing/StatePrintables.h"

#include "core/model/views/ChartViewState.h"
#include "core/model/views/ListViewState.h"
#include "core/model/views/TextViewState.h"
#include "gui/views/chart/ChartPrintable.h"
#include "gui/views/output/ListPrintable.h"
#include "gui/views/output/GraphPrintable.h"
#include "gui/views/text/TextPrintable.h"

namespace ondrel::gui {

std::unique_ptr<IPrintableView> MakeStatePrintable(const ondrel::CTarvekDoc& doc, ondrel::ViewState& state) {
    switch (state.Kind()) {
        case ondrel::ViewKind::Chart:
            return std::make_unique<ChartPrintable>(doc, static_cast<const ondrel::ChartViewState&>(state));
        case ondrel::ViewKind::List:
            return std::make_unique<ListPrintable>(doc, static_cast<const ondrel::ListViewState&>(state));
        case ondrel::ViewKind::Text:
            return std::make_unique<TextPrintable>(doc, static_cast<const ondrel::TextViewState&>(state));
        case ondrel::ViewKind::Graph:
            return std::make_unique<GraphPrintable>(doc, static_cast<ondrel::GraphViewState&>(state));
    }
    return nullptr;
}

}  // namespace ondrel::gui
