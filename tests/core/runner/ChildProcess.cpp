#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

extern char** environ;

namespace ondrel::runner::test {
namespace {
constexpr int kFailSafeMilliseconds = 60'000;
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::string& stdoutPath) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const int failed = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    stderrFd_ = fds[0];
    if (failed) throw std::runtime_error("cannot start " + program);
}

ChildProcess::~ChildProcess() {
    if (!waited_) {
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    close(stderrFd_);
}

bool ChildProcess::ReadMore() {
    pollfd ready{stderrFd_, POLLIN, 0};
    if (poll(&ready, 1, kFailSafeMilliseconds) <= 0) return false;
    char buffer[4096];
    const ssize_t got = read(stderrFd_, buffer, sizeof buffer);
    if (got <= 0) {
        ended_ = true;
        return false;
    }
    stderrText.append(buffer, static_cast<std::size_t>(got));
    return true;
}

int ChildProcess::CountLines(const std::string& text) const {
    int count = 0;
    std::size_t start = 0;
    for (std::size_t end; (end = stderrText.find('\n', start)) != std::string::npos; start = end + 1)
        if (stderrText.substr(start, end - start).find(text) != std::string::npos) ++count;
    return count;
}

bool ChildProcess::WaitForLines(const std::string& text, int count) {
    while (CountLines(text) < count)
        if (!ReadMore()) return false;
    return true;
}

void ChildProcess::Signal(int signal) const { kill(pid_, signal); }

int ChildProcess::Wait() {
    while (ReadMore()) {
    }
    if (!ended_) kill(pid_, SIGKILL);  // the fail-safe ran out: do not wait for ever
    int status = 0;
    waitpid(pid_, &status, 0);
    waited_ = true;
    return status;
}

}  // namespace ondrel::runner::test
