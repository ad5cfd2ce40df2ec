// The graph state comes before any Qt header (its "slots" member meets Qt's keyword macro).
#include "model/views/GraphViewState.h"
#include "printing/StatePrintables.h"

#include "model/views/ChartViewState.h"
#include "model/views/ListViewState.h"
#include "model/views/TextViewState.h"
#include "views/chart/ChartPrintable.h"
#include "views/output/ListPrintable.h"
#include "views/output/GraphPrintable.h"
#include "views/text/TextPrintable.h"

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
