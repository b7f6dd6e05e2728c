#include "platform/process/process.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <thread>

#include "platform/files/paths.h"
#include "platform/process/linux/own_environment.h"

namespace platform {

namespace {

// The child gets the standard streams and nothing else of ours: no socket
// of the update transfers, no descriptor opened without close-on-exec.
bool CloseInheritedDescriptors(posix_spawn_file_actions_t* actions) {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    return posix_spawn_file_actions_addclosefrom_np(actions, 3) == 0;
#else
    (void)actions;
    DIR* folder = opendir("/proc/self/fd");
    if (folder == nullptr) {
        return false;
    }
    const int own = dirfd(folder);
    while (dirent* entry = readdir(folder)) {
        const int fd = std::atoi(entry->d_name);
        const int flags = fd > 2 && fd != own ? fcntl(fd, F_GETFD) : -1;
        if (flags >= 0) {
            fcntl(fd, F_SETFD, flags | FD_CLOEXEC);
        }
    }
    closedir(folder);
    return true;
#endif
}

}  // namespace

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
    std::vector<std::string> variables = ChildEnvironment();
    std::vector<char*> envp;
    for (auto& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (streams == StandardStreams::Null) {
        for (int fd = 0; fd <= 2; ++fd) {
            posix_spawn_file_actions_addopen(&actions, fd, "/dev/null",
                                             fd == 0 ? O_RDONLY : O_WRONLY, 0);
        }
    }
    if (!CloseInheritedDescriptors(&actions)) {
        posix_spawn_file_actions_destroy(&actions);
        return false;
    }
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
    int rc = posix_spawnp(&pid, words[0].c_str(), &actions, &attr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        return false;
    }
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
    return true;
}

}  // namespace platform
