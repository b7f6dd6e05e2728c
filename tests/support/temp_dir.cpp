#include "tests/support/temp_dir.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "platform/text/text_codec.h"

namespace testing_support {

TempDir::TempDir() {
    // A random name that nobody took yet (create_directory is false when
    // something is there): both systems, without mkdtemp.
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "vantu-test-%08x%08x", random(), random());
        std::error_code error;
        if (std::filesystem::create_directory(base / name, error)) {
            m_path = base / name;
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Tests may leave read-only folders behind; make them removable first.
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
    }
    std::filesystem::remove_all(m_path, ignored);
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path());
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::wstring WidePath(const std::filesystem::path& path) {
#ifdef _WIN32
    return path.wstring();
#else
    return platform::DecodeFileName(path.native());
#endif
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string ReadLinesOnceWritten(const std::filesystem::path& path,
                                 std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    std::string lines;
    do {
        std::error_code error;
        lines = std::filesystem::exists(path, error) ? ReadFile(path) : std::string();
        if (!lines.empty() && lines.back() == '\n') {
            return lines;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < deadline);
    return lines;
}

}  // namespace testing_support
