#include "update/net/resumable_download.h"

#include <algorithm>
#include <thread>

#include "platform/text/text_codec.h"
#include "update/net/transfer_policy.h"

namespace vantu {

namespace {

class ResumingObserver : public TransferObserver {
  public:
    ResumingObserver(BindCallback callback, const ResumePoint& start,
                     const std::function<void(const ResumePoint&)>& onAnswer)
        : m_callback(callback), m_point(start), m_onAnswer(onAnswer) {}

    void OnAnswer(const ResumePoint& answer) override {
        m_point = answer;
        if (m_onAnswer) {
            m_onAnswer(answer);
        }
    }
    // An answer that starts the file over holds the bar where it was until
    // the new bytes pass it.
    void OnProgress(std::uint64_t received, std::uint64_t total) override {
        m_shown = std::max(m_shown, received);
        m_callback.OnProgress(m_shown, total);
    }

    const ResumePoint& Point() const { return m_point; }

  private:
    BindCallback m_callback;
    ResumePoint m_point;
    std::function<void(const ResumePoint&)> m_onAnswer;
    std::uint64_t m_shown = 0;
};

}  // namespace

DownloadOutcome DownloadResuming(const std::wstring& address, PackageFile& file,
                                 const ResumePoint& start, BindCallback callback,
                                 const std::function<void(const ResumePoint&)>& onAnswer) {
    if (!file.IsOpen()) {
        return DownloadOutcome::Failed;
    }
    PackageTransfer transfer;
    const auto pauses = CurrentTransferLimits().retryPauses;
    const std::string url = platform::EncodeUtf8(address);
    ResumingObserver observer(callback, start, onAnswer);
    for (size_t attempt = 0;; ++attempt) {
        TransferResult result = transfer.Once(url, file, observer.Point(), observer);
        if (result.end == TransferEnd::Complete) {
            // The whole file is checked, not only the last answer's part.
            const std::uint64_t announced = observer.Point().total;
            return announced == 0 || file.Size() == announced ? DownloadOutcome::Done
                                                              : DownloadOutcome::Failed;
        }
        // Only a transfer that brought data is worth asking again: one that
        // never got any would most likely fail the same way.
        if (result.end == TransferEnd::Refused || file.Size() == 0) {
            return DownloadOutcome::Failed;
        }
        // One request per pause after the first; never a pause past the list.
        if (attempt >= pauses.size()) {
            return DownloadOutcome::Unfinished;
        }
        if (result.startOver && !file.Restart()) {
            return DownloadOutcome::Failed;
        }
        std::this_thread::sleep_for(pauses[attempt]);
    }
}

bool DownloadToFile(const std::wstring& address, const std::wstring& path, BindCallback callback) {
    PackageFile file = PackageFile::Create(path);
    bool done = DownloadResuming(address, file, {}, callback, {}) == DownloadOutcome::Done;
    return file.Close() && done;
}

}  // namespace vantu
