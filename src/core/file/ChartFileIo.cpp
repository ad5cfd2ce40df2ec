// Putting charts on disk and taking them off it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>

#include "core/io/AtomicFileWriter.h"
#include "core/io/CArchive.h"
#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"

namespace ondrel {
namespace {

// Larger than any chart the int32 counts of the format can describe sensibly; a bigger
// file is refused before anything is allocated for it.
constexpr std::uintmax_t kMaxChartBytes = std::uintmax_t{1} << 31;

// The whole file, read straight into an uninitialised buffer: a large chart is mostly
// samples, and clearing the buffer first would cost as much again.
struct FileBytes {
    std::unique_ptr<std::uint8_t[]> data;
    std::size_t size = 0;
};

bool ReadWholeFile(const std::string& path, FileBytes& bytes, std::string& error) {
    // Opening a FIFO for reading waits for a writer, and a device may never end: anything but
    // a regular file is refused before it is opened. O_NONBLOCK covers the path being
    // swapped for a FIFO in between; the fstat below then refuses it.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        error = kNotRegularFile;
        return false;
    }
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    bool ok = ::fstat(fd, &info) == 0;
    if (ok && !S_ISREG(info.st_mode)) {
        error = kNotRegularFile;
        ok = false;
    } else if (ok && static_cast<std::uintmax_t>(info.st_size) > kMaxChartBytes) {
        error = "the file is too large to be a chart";
        ok = false;
    } else if (!ok) {
        error = std::strerror(errno);
    }
    if (ok) {
        bytes.size = static_cast<std::size_t>(info.st_size);
        bytes.data.reset(new std::uint8_t[bytes.size == 0 ? 1 : bytes.size]);
        std::size_t done = 0;
        while (ok && done < bytes.size) {
            ssize_t n = ::read(fd, bytes.data.get() + done, bytes.size - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                error = n < 0 ? std::strerror(errno) : "the file could not be read to its end";
                ok = false;
            } else {
                done += static_cast<std::size_t>(n);
            }
        }
    }
    ::close(fd);
    return ok;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string& error) {
    AtomicFileWriter writer(path);
    if (writer.Write(bytes) && writer.Commit()) return true;
    error = writer.Error();
    return false;
}

bool LoadChartFile(const std::string& path, CTarvekDoc& doc, IViewHost& host, IStatusSink& statuses) {
    ScopedLoadFile naming(path);
    FileBytes bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error)) {
        statuses.Report(LoadErrorStatus("Unable to open " + path + ": " + error));
        return false;
    }
    doc.SetFrameworkTitle(std::filesystem::path(path).filename().string());
    CArchive ar = CArchive::ForReading({bytes.data.get(), bytes.size});
    if (!ReadChart(ar, doc, host, statuses)) return false;
    // What was just read is what the file holds: nothing to save yet.
    doc.SetModifiedFlag(false);
    return true;
}

bool SaveChartFile(const std::string& path, CTarvekDoc& doc, IViewHost& host, IStatusSink& statuses) {
    std::vector<std::uint8_t> bytes = ChartBytes(doc, host);
    std::string error;
    if (!WriteFileAtomically(path, bytes, error)) {
        statuses.Report({"Unable to save the chart to " + path + ": " + error +
                             ". The previous file is unchanged.",
                         "Save Error", MsgButtons::Ok, MsgIcon::Error, ""});
        return false;
    }
    doc.SetModifiedFlag(false);
    return true;
}

}  // namespace ondrel
