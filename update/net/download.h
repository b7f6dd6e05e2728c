#pragma once

// One request of the package download: an https address (in test and demo
// builds also http or file) transferred into the package file, either whole
// or, guarded by the validator of the bytes already there, from where the
// file ends. Retries and resuming across runs are built on it
// (resumable_download.h, partial_download.h).

#include <cstdint>
#include <memory>
#include <string>

#include "platform/files/unique_file.h"
#include "platform/win32.h"

namespace vantu {

// The progress sink of a download: posts WM_UPGRADE_PROGRESS (received,
// total) to its window on every progress report, without throttling.
class BindCallback {
  public:
    explicit BindCallback(HWND window) : m_window(window) {}
    void OnProgress(std::uint64_t received, std::uint64_t total) const;

  private:
    HWND m_window;
};

// Creates the folder, and first every missing folder above it.
bool EnsureFolderPath(const std::wstring& folder);

// The package file being written. Links at the path are never followed.
class PackageFile {
  public:
    PackageFile() = default;
    // A new, empty file; whatever was at the path is deleted first and a
    // missing folder is created. Invalid when either fails.
    static PackageFile Create(const std::wstring& path);
    // The regular file at the path, to be continued where it ends.
    static PackageFile Continue(const std::wstring& path);

    bool IsOpen() const { return m_file.IsValid(); }
    std::uint64_t Size() const { return m_size; }
    bool Append(const char* data, std::size_t size);
    // Back to zero bytes, for an answer that replaces the content.
    bool Restart();
    // Closes now; false when a delayed write error shows.
    bool Close() { return m_file.Close(); }

  private:
    platform::UniqueFile m_file;
    std::uint64_t m_size = 0;
};

// What the bytes already in the file came with.
struct ResumePoint {
    // A strong ETag or a Last-Modified date; empty when the answer had none,
    // and then those bytes cannot be continued.
    std::string validator;
    // The whole file's announced length; 0 when unknown.
    std::uint64_t total = 0;

    bool operator==(const ResumePoint&) const = default;
};

// Hears what one request does while it runs.
class TransferObserver {
  public:
    virtual ~TransferObserver() = default;
    // An answer is about to write its body: its validator and the whole
    // file's length. Comes before the body's first byte reaches the file.
    virtual void OnAnswer(const ResumePoint& answer) = 0;
    // Bytes in the file so far and the whole file's length (0: unknown).
    virtual void OnProgress(std::uint64_t received, std::uint64_t total) = 0;
};

enum class TransferEnd {
    Complete,  // the answer arrived whole
    Broken,    // cut, stalled or refused for now: another request may mend it
    Refused,   // no later request can mend it (not found, certificate, size limit...)
};

struct TransferResult {
    TransferEnd end = TransferEnd::Refused;
    // The next request must start from zero: the server's content changed
    // or it answered another range than the one asked for.
    bool startOver = false;
};

// The requests of one package download, under the transfer and package
// policies: libcurl carries them on Linux (linux/), WinINet on Windows
// (windows/). Its requests share the connections and TLS sessions it made.
class PackageTransfer {
  public:
    PackageTransfer();
    ~PackageTransfer();
    PackageTransfer(const PackageTransfer&) = delete;
    PackageTransfer& operator=(const PackageTransfer&) = delete;

    // False when the HTTP library refused to set the requests up.
    bool IsReady() const;

    // One request of `url` into `file`. With bytes in the file and a
    // validator in `start`, asks for the rest guarded by If-Range; an answer
    // with the whole content (200) starts the file over. Never retries.
    TransferResult Once(const std::string& url, PackageFile& file, const ResumePoint& start,
                        TransferObserver& observer);

  private:
    struct Handles;  // the HTTP library's
    std::unique_ptr<Handles> m_handles;
};

}  // namespace vantu
