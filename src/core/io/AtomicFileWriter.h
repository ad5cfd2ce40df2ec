#pragma once
// A file written in pieces that replaces its target only when complete: the bytes go to a
// temporary file beside the target, are flushed to disk and then renamed over it. Until
// Commit succeeds, the target is untouched; a writer destroyed without Commit (a failure, a
// cancel) removes its temporary file.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ondrel {

class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const std::string& path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False once anything failed (the temporary file could not be made, a write failed).
    bool Ok() const { return error_.empty(); }
    bool Write(std::span<const std::uint8_t> bytes);
    bool Write(std::string_view text) {
        return Write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    }
    // Flushes and renames the temporary file over the target.
    bool Commit();
    // Why it failed, in the system's words ("No such file or directory").
    const std::string& Error() const { return error_; }

private:
    void Fail(int errorNumber);
    void Discard();

    std::string path_;
    std::string temporary_;
    int fd_ = -1;
    bool committed_ = false;
    std::string error_;
};

}  // namespace ondrel
