#include "core/model/views/ViewRecords.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/io/CArchive.h"
#include "core/model/views/ChartViewState.h"
#include "core/model/views/GraphViewState.h"
#include "core/model/views/ListViewState.h"
#include "core/model/views/TextViewState.h"
#include "core/io/ChartFormat.h"

namespace ondrel {
namespace {

// Every record holds at least its class name: its length byte and its characters.
constexpr std::size_t kMinViewRecordBytes =
    1 + std::min({std::string_view(kChartViewClassName).size(),
                  std::string_view(kListViewClassName).size(),
                  std::string_view(kGraphViewClassName).size(),
                  std::string_view(kTextViewClassName).size()});

// The state that a record of this class name is read into; null for a name no view has, or
// when the host could not open the view.
ViewState* TargetFor(const std::string& className, bool& firstChartTaken, CTarvekDoc& doc,
                     IViewHost& host) {
    if (className == kChartViewClassName) {
        if (firstChartTaken) return host.OpenChartView(doc);
        firstChartTaken = true;
        return host.FirstChartView(doc);
    }
    if (className == kListViewClassName) return host.OpenListView(doc);
    if (className == kGraphViewClassName) return host.OpenGraphView(doc);
    if (className == kTextViewClassName) return host.OpenTextView(doc);
    return nullptr;
}

}  // namespace

void WriteViewRecords(CArchive& ar, CTarvekDoc& doc, IViewHost& host) {
    const auto views = host.ViewsToSave(doc);
    ar.WriteInt32(static_cast<std::int32_t>(views.size()));
    for (ViewState* view : views) {
        ar.WriteString(view->ClassName());
        view->Serialize(ar, doc);
    }
}

bool ReadViewRecords(CArchive& ar, CTarvekDoc& doc, IViewHost& host) {
    const std::int32_t count = ar.ReadInt32();
    if (ar.Failed()) return false;
    if (count < 0 || !ar.CanRead(static_cast<std::uint64_t>(count), kMinViewRecordBytes)) {
        ar.Fail();
        return false;
    }
    bool firstChartTaken = false;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string className = ar.ReadString();
        if (ar.Failed()) return false;
        ViewState* view = TargetFor(className, firstChartTaken, doc, host);
        if (view == nullptr) {
            ar.Fail();
            return false;
        }
        view->Serialize(ar, doc);
        if (ar.Failed()) return false;
        host.RecordRead(doc, *view);
    }
    return true;
}

}  // namespace ondrel
