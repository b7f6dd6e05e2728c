#include "tests/launcher/process_probe.h"

#include <signal.h>

#include <filesystem>
#include <fstream>

#include "tests/launcher/linux/held_name.h"

namespace launcher_test {

int ThreadCount() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/task")) {
        ++count;
    }
    return count;
}

std::set<long> ChildProcesses() {
    std::set<long> children;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream list(task.path() / "children");
        for (long pid; list >> pid;) {
            children.insert(pid);
        }
    }
    return children;
}

bool NameHeld(const std::string& name) {
    return HeldNameInode(name).has_value();
}

void SetProcessRunning(long pid, bool running) {
    kill(static_cast<pid_t>(pid), running ? SIGCONT : SIGSTOP);
}

}  // namespace launcher_test
