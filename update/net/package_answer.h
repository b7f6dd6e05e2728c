#pragma once

// What one request of the package download makes of its answer, whichever
// HTTP library carries it: the answer's headers, whether its body may go into
// the file (continued, started over or refused), the size limit, progress,
// and how the request ended.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "update/net/download.h"

namespace vantu {

// How a request ended, as its HTTP library tells it.
enum class RequestEnd {
    Delivered,  // the answer arrived as far as the library can tell
    HttpError,  // the final answer had an error status
    Passing,    // the way broke (cut, stalled, no connection): another request may do
    Refused,    // anything else: the address, the certificate, the protocol
    Stopped,    // this answer stopped it (Accept or TakeBody said false)
};

class PackageAnswer {
  public:
    PackageAnswer(PackageFile& file, const ResumePoint& start, TransferObserver& observer);

    // One header line, line end included or not; a status line starts a new
    // answer (after an interim answer or a redirect).
    void TakeHeaderLine(std::string_view line);
    // At the end of an answer's headers: false when its body must not reach
    // the file. Answers that are not 2xx pass untouched.
    bool Accept();
    // False when the body must stop here (size limit, write failure).
    bool TakeBody(const char* data, std::size_t size);
    // This answer's body bytes so far and its announced length (0: unknown).
    void ReportProgress(std::uint64_t received, std::uint64_t total);

    long Status() const { return m_status; }
    TransferResult Result(RequestEnd end) const;

  private:
    PackageFile& m_file;
    ResumePoint m_start;
    TransferObserver& m_observer;
    // The current answer's headers.
    long m_status = 0;
    std::string m_etag;
    std::string m_lastModified;
    std::optional<std::uint64_t> m_contentLength;
    std::optional<std::uint64_t> m_rangeFirst;
    std::optional<std::uint64_t> m_rangeTotal;
    // The accepted answer.
    ResumePoint m_answer;
    std::uint64_t m_base;  // bytes in the file before this answer's body
    bool m_accepted = false;
    bool m_startOver = false;
    bool m_tooLarge = false;
    bool m_writeFailed = false;

    void TakeContentRange(std::string_view value);
    std::string Validator() const;
    bool ContradictsValidator(const std::string& ours) const;
};

}  // namespace vantu
