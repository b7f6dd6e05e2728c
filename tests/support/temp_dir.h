#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace testing_support {

// A fresh folder under the system's temporary folder, removed with its
// content when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

  private:
    std::filesystem::path m_path;
};

void WriteFile(const std::filesystem::path& path, std::string_view bytes);

// The path as the platform calls take it: UTF-16 on Windows, the file name's
// bytes decoded (platform/text/text_codec.h) elsewhere.
std::wstring WidePath(const std::filesystem::path& path);
std::string ReadFile(const std::filesystem::path& path);

// What another process writes to `path` a line at a time, once the file holds
// whole lines (a shell makes the file before it writes into it); empty when
// nothing came within `wait`.
std::string ReadLinesOnceWritten(const std::filesystem::path& path, std::chrono::milliseconds wait);

}  // namespace testing_support
