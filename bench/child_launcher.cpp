#include "bench/child_launcher.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

extern char **environ;

namespace launcher {
namespace {

pid_t launcherPid = -1;
int requestFd = -1;
int replyFd = -1;

struct Reply {
    std::int32_t spawnError;
    std::int32_t status;
    std::int64_t nanoseconds;
    std::int64_t maxrssKiB;
};

bool readAll(int fd, void *buffer, std::size_t size)
{
    auto *bytes = static_cast<char *>(buffer);
    while (size > 0) {
        const ssize_t got = read(fd, bytes, size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        bytes += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

bool writeAll(int fd, const void *buffer, std::size_t size)
{
    const auto *bytes = static_cast<const char *>(buffer);
    while (size > 0) {
        const ssize_t put = write(fd, bytes, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        bytes += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

std::int64_t nowNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The children always get the offscreen platform, whatever ours is.
std::vector<std::string> childEnvironment()
{
    std::vector<std::string> variables;
    for (char **entry = environ; *entry; ++entry) {
        if (std::strncmp(*entry, "QT_QPA_PLATFORM=", 16) != 0)
            variables.emplace_back(*entry);
    }
    variables.emplace_back("QT_QPA_PLATFORM=offscreen");
    return variables;
}

Reply spawnAndWait(const std::string &program, const std::vector<std::string> &environment)
{
    std::vector<char *> envp;
    for (const std::string &variable : environment)
        envp.push_back(const_cast<char *>(variable.c_str()));
    envp.push_back(nullptr);
    char *argv[] = {const_cast<char *>(program.c_str()), nullptr};

    // Qt's start-up notes would bury the benchmark's table, repeated once per child; a child
    // that fails still shows in its exit status, and can be run by hand.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    Reply reply{};
    const std::int64_t start = nowNanoseconds();
    pid_t child = -1;
    reply.spawnError = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (reply.spawnError != 0)
        return reply;
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    reply.nanoseconds = nowNanoseconds() - start;
    reply.status = status;
    reply.maxrssKiB = usage.ru_maxrss; // KiB on Linux
    return reply;
}

[[noreturn]] void serve(int requests, int replies)
{
    const std::vector<std::string> environment = childEnvironment();
    for (;;) {
        std::uint32_t length = 0;
        if (!readAll(requests, &length, sizeof length))
            _exit(0);
        std::string program(length, '\0');
        if (!readAll(requests, program.data(), length))
            _exit(0);
        const Reply reply = spawnAndWait(program, environment);
        if (!writeAll(replies, &reply, sizeof reply))
            _exit(0);
    }
}

} // namespace

void Start()
{
    int toLauncher[2];
    int fromLauncher[2];
    if (pipe(toLauncher) != 0 || pipe(fromLauncher) != 0)
        return;
    const pid_t pid = fork();
    if (pid < 0)
        return;
    if (pid == 0) {
        close(toLauncher[1]);
        close(fromLauncher[0]);
        serve(toLauncher[0], fromLauncher[1]);
    }
    close(toLauncher[0]);
    close(fromLauncher[1]);
    launcherPid = pid;
    requestFd = toLauncher[1];
    replyFd = fromLauncher[0];
}

void Stop()
{
    if (launcherPid < 0)
        return;
    close(requestFd);
    close(replyFd);
    waitpid(launcherPid, nullptr, 0);
    launcherPid = -1;
}

Outcome Run(const std::string &program)
{
    Outcome outcome;
    if (launcherPid < 0) {
        outcome.error = "the launcher is not running";
        return outcome;
    }
    const auto length = static_cast<std::uint32_t>(program.size());
    Reply reply{};
    if (!writeAll(requestFd, &length, sizeof length)
        || !writeAll(requestFd, program.data(), program.size())
        || !readAll(replyFd, &reply, sizeof reply)) {
        outcome.error = "lost the launcher";
        return outcome;
    }
    if (reply.spawnError != 0) {
        outcome.error = "cannot start " + program + ": " + std::strerror(reply.spawnError);
        return outcome;
    }
    if (!WIFEXITED(reply.status) || WEXITSTATUS(reply.status) != 0) {
        outcome.error =
            program + " did not exit cleanly (wait status " + std::to_string(reply.status) + ")";
        return outcome;
    }
    outcome.ok = true;
    outcome.seconds = double(reply.nanoseconds) * 1e-9;
    outcome.peakMiB = double(reply.maxrssKiB) / 1024.0;
    return outcome;
}

} // namespace launcher
