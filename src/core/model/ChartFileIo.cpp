// Putting charts on disk and taking them off it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>

#include "model/CArchive.h"
#include "model/CTarvekDoc.h"
#include "model/ChartFile.h"
#include "platform/Platform.h"

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

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string& error) {
    std::filesystem::path target(path);
    std::string pattern = (target.has_parent_path() ? target.parent_path() / "" : std::filesystem::path())
                              .string() + "." + target.filename().string() + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat existing {};
    mode_t mode = ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int savedErrno = errno;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(name.data(), path.c_str()) != 0) {
        savedErrno = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(name.data());
        error = std::strerror(savedErrno != 0 ? savedErrno : EIO);
    }
    return ok;
}

bool LoadChartFile(const std::string& path, CTarvekDoc& doc, IViewHost& host) {
    ScopedLoadFile naming(path);
    FileBytes bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error)) {
        ShowLoadError("Unable to open " + path + ": " + error);
        return false;
    }
    doc.SetFrameworkTitle(std::filesystem::path(path).filename().string());
    CArchive ar = CArchive::ForReading({bytes.data.get(), bytes.size});
    if (!ReadChart(ar, doc, host)) return false;
    // What was just read is what the file holds: nothing to save yet.
    doc.SetModifiedFlag(false);
    return true;
}

bool SaveChartFile(const std::string& path, CTarvekDoc& doc, IViewHost& host) {
    std::vector<std::uint8_t> bytes = ChartBytes(doc, host);
    std::string error;
    if (!WriteFileAtomically(path, bytes, error)) {
        ShowMessage("Unable to save the chart to " + path + ": " + error +
                        ". The previous file is unchanged.",
                    "Save Error", MsgButtons::Ok, MsgIcon::Error);
        return false;
    }
    doc.SetModifiedFlag(false);
    return true;
}

}  // namespace ondrel
