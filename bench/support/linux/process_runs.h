#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "bench/support/linux/child_process.h"

namespace bench_support {

// A launcher's status when another one (another checkout's tests, say)
// held the machine-wide name: the low byte of 1314.
inline constexpr int kAnotherLauncherStatus = 1314 & 0xFF;

// Starts a program (argv[0] a path) with this environment; -1 when it could
// not be started. Quiet: its standard output and error go to /dev/null.
inline pid_t Spawn(const std::vector<std::string>& args, bool quiet) {
    std::vector<char*> argv = ArgvOf(args);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Runs a program quietly to its end: its exit status, -1 when it did not
// start or did not exit.
inline int RunToEnd(const std::vector<std::string>& args) {
    const pid_t pid = Spawn(args, true);
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

// Sets a variable of this process's environment for what it starts next;
// null removes it.
inline void SetVariable(const char* name, const char* value) {
    if (value == nullptr) {
        unsetenv(name);
    } else {
        setenv(name, value, 1);
    }
}

// The launcher runs without a display: it then neither looks for a running
// booster's window nor loads its windows ahead.
inline void LeaveOutDisplay() {
    unsetenv("DISPLAY");
}

}  // namespace bench_support
