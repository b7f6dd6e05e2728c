#include "platform/process/linux/own_environment.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

extern char** environ;

namespace platform {

namespace {

std::mutex g_ownMutex;
// As NAME=value: a variable changed since is the caller's again.
std::vector<std::string> g_ownEntries;

}  // namespace

void SetOwnEnvironmentValue(const char* name, const char* value) {
    std::lock_guard lock(g_ownMutex);
    if (std::getenv(name) != nullptr || setenv(name, value, 1) != 0) {
        return;
    }
    std::string entry = std::string(name) + "=" + value;
    if (std::find(g_ownEntries.begin(), g_ownEntries.end(), entry) == g_ownEntries.end()) {
        g_ownEntries.push_back(std::move(entry));
    }
}

std::vector<std::string> ChildEnvironment() {
    std::lock_guard lock(g_ownMutex);
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::find(g_ownEntries.begin(), g_ownEntries.end(), *entry) == g_ownEntries.end()) {
            entries.emplace_back(*entry);
        }
    }
    return entries;
}

}  // namespace platform
