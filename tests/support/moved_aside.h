#pragma once

#include <filesystem>
#include <system_error>
#include <utility>

namespace testing_support {

// Puts a file or folder back where it was when the object goes, however the
// test ends.
class MovedAside {
  public:
    MovedAside(std::filesystem::path from, std::filesystem::path to)
        : m_from(std::move(from)), m_to(std::move(to)) {
        std::filesystem::rename(m_from, m_to);
    }
    ~MovedAside() {
        std::error_code error;
        std::filesystem::rename(m_to, m_from, error);
    }
    MovedAside(const MovedAside&) = delete;
    MovedAside& operator=(const MovedAside&) = delete;

  private:
    std::filesystem::path m_from;
    std::filesystem::path m_to;
};

}  // namespace testing_support
