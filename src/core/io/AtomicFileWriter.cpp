#include "core/io/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace ondrel {

AtomicFileWriter::AtomicFileWriter(const std::string& path) : path_(path) {
    std::filesystem::path target(path);
    std::string pattern = (target.has_parent_path() ? target.parent_path() / "" : std::filesystem::path())
                              .string() + "." + target.filename().string() + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = ::mkstemp(name.data());
    if (fd_ < 0) {
        Fail(errno);
        return;
    }
    temporary_ = name.data();
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat existing {};
    mode_t mode = ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
    if (::fchmod(fd_, mode) != 0) Fail(errno);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (!committed_) Discard();
}

void AtomicFileWriter::Fail(int errorNumber) {
    if (error_.empty()) error_ = std::strerror(errorNumber != 0 ? errorNumber : EIO);
}

void AtomicFileWriter::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool AtomicFileWriter::Write(std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (Ok() && done < bytes.size()) {
        ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) Fail(n < 0 ? errno : EIO);
        else done += static_cast<std::size_t>(n);
    }
    return Ok();
}

bool AtomicFileWriter::Commit() {
    if (!Ok()) return false;
    if (::fsync(fd_) != 0) Fail(errno);
    if (::close(fd_) != 0) Fail(errno);
    fd_ = -1;
    if (Ok() && ::rename(temporary_.c_str(), path_.c_str()) != 0) Fail(errno);
    if (!Ok()) return false;
    committed_ = true;
    return true;
}

}  // namespace ondrel
