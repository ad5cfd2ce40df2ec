#pragma once
// The common shape of the commands whose change routes connectors (move, connect, a block
// edit, the viewing properties). The first application changes the chart through the
// document's operations, routing as they do; what routing did is kept as a RouteChange.
// Revert and every later Apply make the change without routing and put the route records,
// link letters and the counter back from it, so neither shows a message and the chart comes
// back exactly as it was.
#include "core/model/edits/ChartCommand.h"
#include "core/model/edits/RouteSnapshot.h"

namespace ondrel {

// Every command ends with this: the chart differs from the saved file and every view repaints.
void MarkChartChanged(CTarvekDoc& doc);

class RoutedCommand : public ChartCommand {
public:
    void Apply(CTarvekDoc& doc) final;
    void Revert(CTarvekDoc& doc) final;

protected:
    // The change as the document's operations make it, routing included.
    virtual void ApplyFirst(CTarvekDoc& doc) = 0;
    // The change again, and the change taken back; neither routes.
    virtual void Reapply(CTarvekDoc& doc) = 0;
    virtual void Unapply(CTarvekDoc& doc) = 0;

    bool Applied() const { return applied_; }
    const RouteChange& Routes() const { return routes_; }
    RouteChange& Routes() { return routes_; }

private:
    RouteChange routes_;
    bool applied_ = false;  // the first application has been made
    bool inChart_ = false;  // the change is in the chart now: Revert is due, not Apply
};

}  // namespace ondrel
