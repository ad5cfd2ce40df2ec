#pragma once
// Opens views on a document while a chart file is read, and lists them when it is written.
// The desktop program opens windows (each owning the state it draws from); the headless
// runner and the tests keep the states alone (StateOnlyViewHost).
#include <vector>

namespace ondrel {

class CTarvekDoc;
class ChartViewState;
class GraphViewState;
class ListViewState;
class TextViewState;
class ViewState;

class IViewHost {
public:
    virtual ~IViewHost() = default;

    // The chart view that opened with the document: the file's first chart-view record is
    // read into it. Null when there is none to be had; reading then fails.
    virtual ChartViewState* FirstChartView(CTarvekDoc& doc) = 0;
    // Each opens a new view of its kind on the document and returns the state its record is
    // read into; null when the view could not be opened (reading then fails).
    virtual ChartViewState* OpenChartView(CTarvekDoc& doc) = 0;
    virtual ListViewState* OpenListView(CTarvekDoc& doc) = 0;
    virtual GraphViewState* OpenGraphView(CTarvekDoc& doc) = 0;
    virtual TextViewState* OpenTextView(CTarvekDoc& doc) = 0;
    // A record has been read into view: the desktop program updates the frame caption and
    // repaints the window.
    virtual void RecordRead(CTarvekDoc& doc, ViewState& view) {
        (void)doc;
        (void)view;
    }

    // The states of the document's views, in the document's view order: what a saved chart
    // holds as its view records.
    virtual std::vector<ViewState*> ViewsToSave(const CTarvekDoc& doc) = 0;
};

}  // namespace ondrel
