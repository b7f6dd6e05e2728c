#include "platform/process/process.h"

#include <curl/curl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>

#include "tests/support/deadline.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

std::set<int> OpenDescriptors(const fs::path& fdFolder) {
    std::set<int> fds;
    for (const auto& entry : fs::directory_iterator(fdFolder)) {
        fds.insert(std::stoi(entry.path().filename().string()));
    }
    return fds;
}

size_t Discard(char*, size_t size, size_t count, void*) {
    return size * count;
}

// Processes come and go while /proc is walked: one that ended reads empty.
std::string ReadProcFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The started program of ours, found by its parent and command line.
pid_t FindChild(const std::string& cmdline) {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator("/proc", ignored)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        const std::string stat = ReadProcFile(entry.path() / "stat");
        const auto end = stat.rfind(')');
        std::istringstream fields(end == std::string::npos ? std::string() : stat.substr(end + 1));
        std::string state;
        pid_t parent = 0;
        if (fields >> state >> parent && parent == getpid() &&
            ReadProcFile(entry.path() / "cmdline") == cmdline) {
            return std::stoi(name);
        }
    }
    return 0;
}

// The child is a program that opens nothing itself: what it has open is
// what it inherited.
TEST(StartProcess, TheChildInheritsOnlyTheStandardStreams) {
    TempDir dir;
    WriteFile(dir / "source", "x");
    // A descriptor opened without close-on-exec, and libcurl's after a
    // transfer (its wake-up socket pair lives as long as the handle).
    const int leaky = dup(STDERR_FILENO);
    ASSERT_GE(leaky, 3);
    const std::set<int> beforeCurl = OpenDescriptors("/proc/self/fd");
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
    ASSERT_TRUE(curl);
    const std::string source = "file://" + (dir / "source").string();
    curl_easy_setopt(curl.get(), CURLOPT_URL, source.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, Discard);
    ASSERT_EQ(curl_easy_perform(curl.get()), CURLE_OK);
    ASSERT_GT(OpenDescriptors("/proc/self/fd").size(), beforeCurl.size())
        << "libcurl kept no descriptor open: the test would prove nothing about it";

    ASSERT_TRUE(platform::StartProcess(L"/bin/sleep", {L"30"}));
    close(leaky);
    const pid_t child =
        FindChild(std::string("/bin/sleep\0"
                              "30\0",
                              14));
    ASSERT_NE(child, 0) << "the started program is not among our children";
    // Until it sleeps, the program may still be reading its locale files.
    const fs::path childFolder = "/proc/" + std::to_string(child);
    const bool sleeping =
        testing_support::WaitUntil(testing_support::Deadline(std::chrono::seconds(5)), [&] {
            const std::string call = ReadProcFile(childFolder / "syscall");
            return call.starts_with("230 ") || call.starts_with("35 ");
        });
    ASSERT_TRUE(sleeping) << "the started program never went to sleep";
    const auto inherited = OpenDescriptors(childFolder / "fd");
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_EQ(inherited, (std::set<int>{0, 1, 2}));
}

}  // namespace
