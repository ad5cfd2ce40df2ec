// Putting charts on disk and taking them off it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "model/CArchive.h"
#include "model/CTarvekDoc.h"
#include "model/ChartFile.h"
#include "platform/Platform.h"

namespace ondrel {
namespace {

// Larger than any chart the int32 counts of the format can describe sensibly; a bigger
// file is refused before anything is allocated for it.
constexpr std::uintmax_t kMaxChartBytes = std::uintmax_t{1} << 31;

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error) {
    std::error_code ec;
    std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) {
        error = ec.message();
        return false;
    }
    if (size > kMaxChartBytes) {
        error = "the file is too large to be a chart";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    if (size != 0 && !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
        error = "the file could not be read to its end";
        return false;
    }
    return true;
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
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error)) {
        ShowMessage("Unable to open " + path + ": " + error, kLoadErrorCaption);
        return false;
    }
    doc.SetFrameworkTitle(std::filesystem::path(path).filename().string());
    CArchive ar = CArchive::ForReading(bytes);
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
