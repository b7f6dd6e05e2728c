#include "update/net/download.h"
#include "update/net/package_answer.h"
#include "update/net/windows/internet_request.h"
#include "update/net/windows/package_request.h"

namespace vantu {

struct PackageTransfer::Handles {
    InternetHandle session;
};

PackageTransfer::PackageTransfer() : m_handles(std::make_unique<Handles>()) {
    m_handles->session = OpenInternetSession();
}

PackageTransfer::~PackageTransfer() = default;

bool PackageTransfer::IsReady() const {
    return m_handles->session != nullptr;
}

TransferResult PackageTransfer::Once(const std::string& url, PackageFile& file,
                                     const ResumePoint& start, TransferObserver& observer) {
    if (!m_handles->session || !file.IsOpen()) {
        return {};
    }
    std::string headers;
    if (file.Size() != 0 && !start.validator.empty()) {
        headers = "Range: bytes=" + std::to_string(file.Size()) +
                  "-\r\nIf-Range: " + start.validator + "\r\n";
    } else if (file.Size() != 0 && !file.Restart()) {
        return {};
    }
    PackageAnswer answer(file, start, observer);
    const PackageRequestSinks sinks{
        [&](std::string_view line) { answer.TakeHeaderLine(line); },
        [&] { return answer.Accept(); },
        [&](const char* data, std::size_t size) { return answer.TakeBody(data, size); },
        [&](std::uint64_t received, std::uint64_t total) {
            answer.ReportProgress(received, total);
        },
    };
    return answer.Result(SendPackageRequest(m_handles->session.get(), url, headers, sinks));
}

}  // namespace vantu
