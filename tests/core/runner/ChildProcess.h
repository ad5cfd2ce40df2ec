#pragma once
// ondrel-run as a child process, for what only a process shows: signals and exit statuses.
// Standard output goes to a file, standard error to a pipe the test reads line by line.
#include <sys/types.h>

#include <string>
#include <vector>

namespace ondrel::runner::test {

class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args, const std::string& stdoutPath);
    ~ChildProcess();  // a child still running is killed, so no test leaves one behind
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Reads standard error until count lines containing text have arrived; false when the
    // output ends first or nothing arrives for a minute (a fail-safe, not a timing).
    bool WaitForLines(const std::string& text, int count = 1);
    void Signal(int signal) const;
    // Reads standard error to its end and returns the wait status.
    int Wait();

    std::string stderrText;  // read so far

private:
    bool ReadMore();
    int CountLines(const std::string& text) const;

    pid_t pid_ = -1;
    int stderrFd_ = -1;
    bool waited_ = false;
    bool ended_ = false;  // standard error reached its end
};

}  // namespace ondrel::runner::test
