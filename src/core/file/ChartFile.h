#pragma once
// The chart file: the whole model (model parameters, title, blocks with their wiring,
// parameters and recorded samples) and one record per view, written and read in one pass.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/platform/LoadError.h"
#include "core/platform/StatusSink.h"

namespace ondrel {

class CArchive;
class CTarvekDoc;
class IViewHost;

// The messages of a refused chart, all under the caption "Load Error".
inline constexpr const char* kNeedNewerVersion = "Need updated version of Ondrel to load this data file";
inline constexpr const char* kInvalidData = "Invalid data in File";
inline constexpr const char* kNotRegularFile = "not a regular file";

// Writes the chart: the program's file version, the model settings, the title, the block headers, the
// block records and the view records the host lists.
void WriteChart(CArchive& ar, CTarvekDoc& doc, IViewHost& host);

// Reads a chart into an empty document. A file that ends early or holds implausible data
// reports "Invalid data in File", a newer version its own message; either returns false and
// the document is to be discarded (it may hold part of the file). Every load error goes to
// statuses the moment it is found, the block records' own among them, so a sink that shows
// them keeps them in their place. On success the outputs show the first recorded sample, or
// the chart was initialised when it held none.
bool ReadChart(CArchive& ar, CTarvekDoc& doc, IViewHost& host,
               IStatusSink& statuses = MessageBoxStatuses());

// The chart as the bytes of a file.
std::vector<std::uint8_t> ChartBytes(CTarvekDoc& doc, IViewHost& host);

// Reads the file at path into an empty document and names the document after the file.
// Reports a "Load Error" (naming the file) to statuses and returns false when the file cannot
// be read or opened; the chart's own load errors, read as ReadChart reads, name it too.
// Anything but a regular file (a directory, a FIFO, a device) is refused before it is opened,
// so that reading never waits on a pipe.
bool LoadChartFile(const std::string& path, CTarvekDoc& doc, IViewHost& host,
                   IStatusSink& statuses = MessageBoxStatuses());

// Saves the chart to path: the bytes go to a temporary file beside it, are flushed to disk
// and then renamed over path, so a failure never destroys the previous file. Reports a
// "Save Error" to statuses and returns false on failure.
bool SaveChartFile(const std::string& path, CTarvekDoc& doc, IViewHost& host,
                   IStatusSink& statuses = MessageBoxStatuses());

// Writes bytes to path the same safe way; on failure returns false with the reason in error.
// AtomicFileWriter does the same for a file written in pieces.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string& error);

}  // namespace ondrel
