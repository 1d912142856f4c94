#include "ChildProcess.h"

#include <limits.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace velm::os {

namespace {

// The child leaves with _exit: the test program's exit handlers and
// destructors belong to the parent. Its answer is one write of less than
// PIPE_BUF bytes, which arrives whole.
[[noreturn]] void runChild(int channel, std::uint64_t fileSizeLimit,
                           const std::function<std::vector<std::int32_t>()>& work)
{
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
        _exit(2);
    }
    const std::vector<std::int32_t> numbers = work();
    const std::size_t size = numbers.size() * sizeof(std::int32_t);
    const bool sent = size <= PIPE_BUF && write(channel, numbers.data(), size) == static_cast<ssize_t>(size);
    _exit(sent ? 0 : 3);
}

}  // namespace

std::optional<std::vector<std::int32_t>> runWithFileSizeLimit(
    std::uint64_t fileSizeLimit, const std::function<std::vector<std::int32_t>()>& work)
{
    int channel[2];
    if (pipe(channel) != 0) {
        return std::nullopt;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        runChild(channel[1], fileSizeLimit, work);
    }
    close(channel[1]);
    std::vector<char> answer;
    char buffer[PIPE_BUF];
    while (child > 0) {
        const ssize_t got = read(channel[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        answer.insert(answer.end(), buffer, buffer + got);
    }
    close(channel[0]);
    int status = 0;
    if (child <= 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    std::vector<std::int32_t> numbers(answer.size() / sizeof(std::int32_t));
    std::memcpy(numbers.data(), answer.data(), numbers.size() * sizeof(std::int32_t));
    return numbers;
}

}  // namespace velm::os
