#include "platform/process/process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <thread>

#include "platform/files/paths.h"

extern char** environ;

namespace platform {

bool StartProcess(const std::wstring& program, const std::vector<std::wstring>& arguments,
                  StandardStreams streams) {
    std::vector<std::string> words{NativePath(program)};
    for (const auto& argument : arguments) {
        words.push_back(NativePath(argument));
    }
    std::vector<char*> argv;
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (streams == StandardStreams::Null) {
        for (int fd = 0; fd <= 2; ++fd) {
            posix_spawn_file_actions_addopen(&actions, fd, "/dev/null",
                                             fd == 0 ? O_RDONLY : O_WRONLY, 0);
        }
    }
    // Descriptors opened without close-on-exec (by us or a library) stay ours.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    // The child starts with default signal handling whatever the caller set.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigdefault(&attr, &all);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    pid_t pid;
    int rc = posix_spawnp(&pid, words[0].c_str(), &actions, &attr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        return false;
    }
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
    return true;
}

}  // namespace platform
