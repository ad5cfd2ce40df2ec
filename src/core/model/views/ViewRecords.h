#pragma once
// The view part of a chart file: the view count (int32), then per view its class name and
// its record.
#include "core/model/views/ViewHost.h"

namespace ondrel {

class CArchive;
class CTarvekDoc;

// Writes the views the host lists for the document, in that order.
void WriteViewRecords(CArchive& ar, CTarvekDoc& doc, IViewHost& host);

// Reads the view count and every view record. The first chart-view record goes to the chart
// view that opened with the document; every other record first opens a new view of its
// kind. Returns false, with the archive failed, when the bytes are damaged or cut short, a
// class name is unknown, or the host could not open a view; the reader then stops and the
// views opened so far are the caller's to discard.
bool ReadViewRecords(CArchive& ar, CTarvekDoc& doc, IViewHost& host);

}  // namespace ondrel
